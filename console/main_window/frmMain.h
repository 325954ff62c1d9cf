#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

class AddressList;

// The console's settings window: the option tree on the left, one option
// page of 36 on the right, the Apply/OK/Cancel/Help/Start buttons below and
// the menus above. There is one instance for the program's lifetime.
class frmMain {
public:
    static frmMain& Instance();

    // Creates the window without showing it and runs its load step.
    bool Load();
    void Show();
    HWND Window() const { return hwnd_; }
    // The scan timer's enabled state.
    void EnableScanTimer(bool enabled);
    bool ScanTimerEnabled() const { return scanTimerEnabled_; }

    // A control of the window or of any of its pages; nullptr when absent.
    HWND Control(int id) const;
    HWND Page(int index) const { return pages_[index]; }
    // The page shown now.
    int VisiblePage() const;

    // Shows that page and hides the others.
    void DisplayPicOptions(int index);
    // Flips the selected node between on (image 2) and off (image 3).
    void ToggleOptionNode();
    // The image of the node of that key, numbered from 1; 0 for none.
    int NodeImage(const std::string& key) const;
    void SetNodeImage(const std::string& key, int image);
    HTREEITEM Node(const std::string& key) const;
    std::string SelectedKey() const;

    // Clears the box and adds every entry of the list.
    void FillListFromAddressList(AddressList& list, HWND box);

    // Tree events, as the window's own controls raise them.
    void tv_KeyPress(int& keyAscii);
    void tv_MouseDown(int button, int x, int y);
    void tv_NodeClick();
    void cmdHelp_Click();
    void OEScanTimer_Timer();
    // Shows the approve and block training figures of the word-training page.
    void UpdateTrainingProgress();

    bool mIconClicked = false;
    HWND mTreeHwnd = nullptr;
    bool mLoadingRBLs = false;
    bool mLoadingCountries = false;

private:
    frmMain() = default;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    bool OnCommand(int id, int code);
    bool OnNotify(const NMHDR& header);

    void CreatePages();
    void Form_Load();
    void Form_Unload();
    void CreateTreeview();
    void LoadTreeImages();
    void LoadCaptions();
    void ReloadSenderPageIfChanged(const std::string& key);

    HWND hwnd_ = nullptr;
    std::array<HWND, 36> pages_{};
    HIMAGELIST images_ = nullptr;
    std::map<std::string, HTREEITEM> nodes_;
    bool scanTimerEnabled_ = false;
    // A click on the already selected node raises no selection change, but
    // still counts as a node click.
    bool selectionChangedByClick_ = false;
    // Where the last mouse press on the tree was, for the click that follows.
    POINT lastPress_{};
};
