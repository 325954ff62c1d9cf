#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <map>
#include <string>
#include <vector>

#include "CharsetPage.h"
#include "CountryPages.h"
#include "DaemonControl.h"
#include "FieldPages.h"
#include "IPListPages.h"
#include "MenuCommands.h"
#include "SenderListPages.h"
#include "ThresholdPages.h"

// The console's settings window: the option tree on the left, one option
// page of 36 on the right, the Apply/OK/Cancel/Help/Start buttons below and
// the menus above. The window owns the tree, the switching of pages and the
// change flags; each group of pages owns its pages' controls. There is one
// instance for the program's lifetime.
class frmMain {
public:
    static frmMain& Instance();

    // Creates the window without showing it and runs its load step.
    bool Load();
    void Show();
    HWND Window() const { return hwnd_; }
    // The id the scan timer's ticks carry.
    static constexpr UINT_PTR kScanTimerId = 1;
    // The scan timer's enabled state.
    void EnableScanTimer(bool enabled);
    bool ScanTimerEnabled() const { return scanTimerEnabled_; }
    void OEScanTimer_Timer();

    // A control of the window or of any of its pages; nullptr when absent.
    HWND Control(int id) const;
    HWND Page(int index) const { return pages_[index]; }
    // The page shown now.
    int VisiblePage() const;
    // Shows that page and hides the others.
    void DisplayPicOptions(int index);
    // Shows the page that holds the control, selecting the page's node.
    void ShowPageOf(int controlId);

    // Flips the selected node between on (image 2) and off (image 3).
    void ToggleOptionNode();
    // The image of the node of that key, numbered from 1; 0 for none.
    int NodeImage(const std::string& key) const;
    void SetNodeImage(const std::string& key, int image);
    HTREEITEM Node(const std::string& key) const;
    std::string SelectedKey() const;
    // Tree events, as the window's own controls raise them.
    void tv_KeyPress(int& keyAscii);
    void tv_MouseDown(int button, int x, int y);
    void tv_NodeClick();
    void cmdHelp_Click();

    // The configuration into every page's controls, and back.
    void PopulateFormPOP3();
    bool SaveSettings();
    void WriteSettings();
    // Whether the window's settings may be saved: the file was read as text
    // and every field check passes. Says why not in a box.
    bool ReadyToSave();
    // Raises the settings-changed flag (and the restart-needed one when
    // asked) and enables Apply.
    void MarkSettingsChanged(bool restartNeeded);
    void cmdOK_Click();
    void cmdOK2_Click();
    void cmdCancel_Click();

    // The page groups and the daemon control.
    SenderListPages& Senders() { return senders_; }
    IPListPages& IPLists() { return ipLists_; }
    ThresholdPages& Thresholds() { return thresholds_; }
    CharsetPage& Charsets() { return charsets_; }
    CountryPages& Countries() { return countries_; }
    FieldPages& Fields() { return fields_; }
    MenuCommands& Menus() { return menus_; }
    DaemonControl& Daemon() { return daemon_; }

    // From the close on, a box that loses the focus is no longer checked:
    // there is no window left to correct it in.
    bool Closing() const { return closing_; }

    bool mIconClicked = false;
    HWND mTreeHwnd = nullptr;

private:
    frmMain() = default;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR window);
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own buttons and menus by name, every other control
    // through the group bound to the page whose id block holds it.
    bool OnCommand(int id, int code);
    bool OnNotify(const NMHDR& header);
    bool OnScroll(HWND control);
    bool OnTreeNotify(const NMHDR& header);
    PageGroup* GroupOf(int controlId) const;

    void CreatePages();
    void Form_Load();
    void Form_Unload();
    // Every box that shows a stored value takes no more than its value may hold.
    void LimitTextBoxes();
    void CreateTreeview();
    void LoadTreeImages();
    void LoadCaptions();
    void MarkAccountWizardRan();
    bool SaveChanges();

    HWND hwnd_ = nullptr;
    std::array<HWND, 36> pages_{};
    HIMAGELIST images_ = nullptr;
    std::map<std::string, HTREEITEM> nodes_;
    bool scanTimerEnabled_ = false;
    bool closing_ = false;
    // Whether the last WriteSettings reached the file.
    bool settingsWritten_ = false;
    // The keys whose stored value the last load refused to show, with what
    // their boxes showed instead. Until the user changes that text, a save
    // keeps the stored value.
    std::map<std::string, std::string> refusedValues_;
    // A click on the already selected node raises no selection change, but
    // still counts as a node click.
    bool selectionChangedByClick_ = false;
    // Where the last mouse press on the tree was, for the click that follows.
    POINT lastPress_{};

    SenderListPages senders_{*this};
    IPListPages ipLists_{*this};
    ThresholdPages thresholds_{*this};
    CharsetPage charsets_{*this};
    CountryPages countries_{*this};
    FieldPages fields_{*this};
    MenuCommands menus_{*this};
    DaemonControl daemon_{*this};
};
