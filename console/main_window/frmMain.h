#pragma once
#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CharsetTree.h"
#include "countries.h"

class AddressList;
class KXProxyConf;
enum class SenderList : int;
enum class RangeDialog : int;
enum class AddressDialog : int;

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
    // Shows the page that holds the control, selecting the page's node.
    void ShowPageOf(int controlId);
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

    // ---- Settings load and save, Apply/OK/Cancel and daemon control, the
    // threshold controls and the field checks (frmMainSettings*.cpp).
    void PopulateFormPOP3();
    bool SaveSettings();
    bool ValidateSettings();
    void WriteSettings();
    void UpdateStartStopCaption();
    void StopProxy();
    void StartProxy();
    bool mFieldsValid = true;
    bool QueryProxyRunning();
    void RestartProxy();
    void ApplySettings();
    void SaveAndStartProxy();
    void MarkAccountWizardRan();
    void cmdOK_Click();
    void cmdOK2_Click();
    void cmdCancel_Click();
    void cmdStartStop_Click();
    void cmdOEScanNow_Click();
    // Raises the settings-changed flag (and the restart-needed one when
    // asked) and enables Apply.
    void MarkSettingsChanged(bool restartNeeded);
    // Runs the check of a checked text box; false when it refused the text.
    bool ValidateField(int id);
    // The threshold group whose text box, slider, up-down or option that is; -1 for none.
    static int ThresholdGroupOf(int id);
    void ThresholdChange(int group);
    void ThresholdLostFocus(int group);
    void ThresholdSliderMove(int group);
    void ThresholdStep(int group, bool up);
    void ThresholdOptionClick(int group, int option);
    void ThresholdOptionFocus(int group, int option);
    void SelectThresholdOption(int group, int option);
    // A refused box keeps the focus, and the click that took it away does
    // not act.
    bool RefuseField(int id, int message, int title);
    void FieldLostFocus(int id);
    bool SwallowRefusedClick(int id, int code);
    bool OnFieldCommand(int id, int code);
    bool OnThresholdCommand(int id, int code);
    void PrepareThresholdControls();
    bool StartStopCaptionIs(int stringId) const;
    bool SaveChanges();
    int refusedBox_ = 0;
    bool refusing_ = false;
    // Whether the last WriteSettings reached the file.
    bool settingsWritten_ = false;
    // The IP lists and blocklist zones from their boxes into the configuration.
    void WriteLists();
    std::vector<std::string> CheckedCountryCodes(int listId) const;
    void FillSenderList(SenderList which);

    // ---- List pages: sender lists, IP lists and blocklist zones (frmMainLists*.cpp).
    void LoadApprovedIPList();
    void LoadBlockedIPList();
    void LoadIgnoredIPList();
    void LoadRBLs();
    // The texts of a list page's box, top to bottom (a list box or lstRBLs).
    std::vector<std::string> ListBoxItems(int box) const;
    // Appends an entry at the end of a list page's box; a zone of lstRBLs
    // with its check mark as given.
    void AppendListItem(int box, const std::string& text, bool checked = false);
    // The sender pages' buttons and lstIgnoredSenders (frmMainSenderLists.cpp).
    bool OnSenderListCommand(int id, int code);
    void lstIgnoredSenders_Click();
    void ShowAddressDialog(AddressDialog dialog, SenderList which, const std::string& editedEntry = "");
    void EditSenderEntry(AddressDialog dialog, SenderList which);
    void DeleteSelectedSenders(SenderList which);
    // The IP and zone pages' buttons (frmMainLists.cpp).
    void ShowRangeDialog(RangeDialog dialog, int box);
    void EditIPEntry(RangeDialog dialog, int box);
    void DeleteCurrentEntry(int box);
    // Adds the entries of a file to the approved or blocked sender list, or
    // writes the list to a file; the Import and Export buttons ask for it.
    void ImportSenderList(SenderList which, const std::string& path);
    void ExportSenderList(SenderList which, const std::string& path);

    // ---- Charset tree, country lists, menus and help buttons (frmMainCharsets.cpp,
    // frmMainCountries.cpp, frmMainMenus.cpp).
    void BuildCharsetTree();
    void LoadCharsetTree();
    void FillCountryLists();
    void LoadBlockedCountryList();
    void LoadIgnoredCountryList();
    // Entries of the stored lists that the tree or the country table lacks,
    // as the last load found them: the save adds them back.
    const std::vector<std::string>& UnknownBlockedCharsets() const { return unknownBlockedCharsets_; }
    // For IDC_lstBlockedCountries or IDC_lstIgnoredCountries.
    const std::vector<std::string>& UnknownCountryCodes(int listId) const;
    // The user changed the mark of the charset node of that index.
    void tvCharsets_NodeCheck(int index);
    void cmdBlockCharsetsCheckAll_Click();
    void cmdBlockCharsetsUncheckAll_Click();
    void cmdBlockedCharsetReset_Click();
    void mnuStats_Click();
    void mnuReportBugs_Click();
    void mnuOEAccountWizard_Click();
    void mnuEventViewer_Click();
    void mnuViewLogFile_Click();
    // Opens the help topic of that string id in the help viewer.
    void ShowHelpTopic(int topicId);
    std::unique_ptr<countries> mCountries;

private:
    void SetAllCharsetMarks(bool checked);
    void ShowCharsetMarks();
    void FindUserCharsetCheck();
    static LRESULT CALLBACK CharsetTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    void LoadCountryMarks(int listId, bool (KXProxyConf::*listed)(const std::string&));
    void SetAllCountryMarks(int listId, bool checked);
    CharsetTree charsetMarks_;
    std::array<HTREEITEM, CharsetTree::kNodeCount> charsetItems_{};
    std::vector<std::string> unknownBlockedCharsets_;
    std::vector<std::string> unknownBlockedCountries_;
    std::vector<std::string> unknownIgnoredCountries_;

public:
    // ---- About box and update check (frmMainAbout.cpp).
    void About_Click();
    void mnuUpdates_Click();

    bool mIconClicked = false;
    HWND mTreeHwnd = nullptr;
    bool mLoadingRBLs = false;
    bool mLoadingCountries = false;

private:
    frmMain() = default;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);
    INT_PTR OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Each group of pages handles the events of its own controls; a handler
    // answers whether the event was its own.
    bool OnCommand(int id, int code);
    bool OnNotify(const NMHDR& header);
    bool OnTreeNotify(const NMHDR& header);
    bool OnSettingsCommand(int id, int code);
    bool OnSettingsNotify(const NMHDR& header);
    bool OnSettingsScroll(HWND control);
    bool OnListCommand(int id, int code);
    bool OnListNotify(const NMHDR& header);
    bool OnMenuCommand(int id, int code);
    bool OnCharsetCountryCommand(int id, int code);
    bool OnCharsetCountryNotify(const NMHDR& header);

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
