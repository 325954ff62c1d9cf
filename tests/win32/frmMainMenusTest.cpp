#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "CharsetTree.h"
#include "HTMLHelp.h"
#include "KXProxyConf.h"
#include "ModalDialogDriver.h"
#include "ObjectError.h"
#include "ProcessDriver.h"
#include "ScanSchedule.h"
#include "SettingsWindowFixture.h"
#include "TextCompare.h"
#include "frmStatsIds.h"

namespace {

const char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";

// The product's registry values, set and read as the tests need them.
class ProductKey {
public:
    ProductKey() {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
    }
    ~ProductKey() { RegCloseKey(key_); }
    void SetText(const char* name, const std::string& text) {
        RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }
    void SetNumber(const char* name, DWORD number) {
        RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    void Delete(const char* name) { RegDeleteValueA(key_, name); }
    // The value's type and its data as text; type REG_NONE when absent.
    std::pair<DWORD, std::string> Get(const char* name) {
        BYTE data[512] = {};
        DWORD type = REG_NONE;
        DWORD size = sizeof data;
        if (RegQueryValueExA(key_, name, nullptr, &type, data, &size) != ERROR_SUCCESS) {
            return {REG_NONE, ""};
        }
        if (type == REG_DWORD) {
            return {type, std::to_string(*reinterpret_cast<DWORD*>(data))};
        }
        return {type, reinterpret_cast<char*>(data)};
    }

private:
    HKEY key_ = nullptr;
};

// A command of the menu bar.
void Command(int id) {
    SendMessageA(Form().Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

// The window is loaded once over a conf directory beside this test, with
// stored lists that hold entries the window has no place for.
class MenusWindow : public SettingsWindow {
protected:
    static void SetUpTestSuite() {
        SettingsWindow::SetUpTestSuite();
        modMain::gOEMajorVersion = 6;
        // Programs the window starts: recorders of their arguments and folder.
        for (const char* program : {"Wizard", "Pelwarden"}) {
            CopyFileA(TestBinPath("StartRecorder.exe").c_str(), ProgramPath(std::string(program) + ".exe").c_str(),
                      FALSE);
        }
        OpenSuiteWindow(
            "min_training=8\r\n"
            "blocked_charset_list=koi8-r,koi8,euc-kr,utf-7\r\n"
            "blocked_country_list=us,cn\r\n"
            "home_country_list=de,abc\r\n");
    }

    static HWND CharsetTreeView() { return Control(IDC_tvCharsets); }

    static bool ChangeMarked() {
        return modMain::gSettingsChanged && modMain::gRestartNeeded && IsWindowEnabled(Control(IDC_cmdOK));
    }
    static bool NothingMarked() {
        return !modMain::gSettingsChanged && !modMain::gRestartNeeded && !IsWindowEnabled(Control(IDC_cmdOK));
    }
};

// ---- Charset tree.

HTREEITEM CharsetItem(const std::string& key) {
    HWND tree = Control(IDC_tvCharsets);
    std::vector<HTREEITEM> items;
    for (HTREEITEM group = TreeView_GetRoot(tree); group; group = TreeView_GetNextSibling(tree, group)) {
        items.push_back(group);
    }
    for (std::size_t g = 0, groups = items.size(); g < groups; ++g) {
        for (HTREEITEM child = TreeView_GetChild(tree, items[g]); child; child = TreeView_GetNextSibling(tree, child)) {
            items.push_back(child);
        }
    }
    for (HTREEITEM item : items) {
        TVITEMA data{};
        data.mask = TVIF_PARAM;
        data.hItem = item;
        TreeView_GetItem(tree, &data);
        if (key == CharsetTree::kNodes[data.lParam].key) {
            return item;
        }
    }
    ADD_FAILURE() << "no node " << key;
    return nullptr;
}

// The keys of the checked nodes, in node order, as the control shows them.
std::vector<std::string> CheckedNodes() {
    std::vector<std::string> keys;
    for (const CharsetTree::Node& node : CharsetTree::kNodes) {
        if (TreeView_GetCheckState(Control(IDC_tvCharsets), CharsetItem(node.key)) == 1) {
            keys.push_back(node.key);
        }
    }
    return keys;
}

using Keys = std::vector<std::string>;

// A click on the node's check box with the tree's own mouse handling.
void ClickCheckBox(const std::string& key) {
    Form().DisplayPicOptions(16);
    HWND tree = Control(IDC_tvCharsets);
    HTREEITEM item = CharsetItem(key);
    TreeView_EnsureVisible(tree, item);
    RECT text{};
    TreeView_GetItemRect(tree, item, &text, TRUE);
    TVHITTESTINFO hit{};
    hit.pt.y = (text.top + text.bottom) / 2;
    for (hit.pt.x = text.left - 1; hit.pt.x > 0; --hit.pt.x) {
        if (TreeView_HitTest(tree, &hit) == item && (hit.flags & TVHT_ONITEMSTATEICON)) {
            break;
        }
    }
    ASSERT_GT(hit.pt.x, 0) << "no check box for " << key;
    const LPARAM where = MAKELPARAM(hit.pt.x, hit.pt.y);
    PostMessageA(tree, WM_LBUTTONUP, 0, where);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, where);
    Pump();
}

TEST_F(MenusWindow, TheCharsetTreeShowsTheStoredListWithGroupsFollowingTheirCharsets) {
    EXPECT_EQ(CheckedNodes(), Keys({"Cyrillic_Group", "koi8-r", "koi8", "euc-kr"}));
    EXPECT_EQ(Form().Charsets().UnknownBlockedCharsets(), std::vector<std::string>{"utf-7"});
    HWND tree = CharsetTreeView();
    EXPECT_EQ(TreeView_GetCount(tree), 27u);
    EXPECT_TRUE(GetWindowLongPtrA(tree, GWL_STYLE) & TVS_CHECKBOXES);
    for (HTREEITEM group = TreeView_GetRoot(tree); group; group = TreeView_GetNextSibling(tree, group)) {
        EXPECT_FALSE(TreeView_GetItemState(tree, group, TVIS_EXPANDED) & TVIS_EXPANDED) << "groups start closed";
    }
    char text[64] = "";
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = CharsetItem("ChineseTraditional_Group");
    item.pszText = text;
    item.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &item);
    EXPECT_STREQ(text, "Chinese Traditional");

    ClearChangeFlags();
    Form().Charsets().LoadCharsetTree();
    EXPECT_TRUE(NothingMarked()) << "marks the program sets are no change";
}

TEST_F(MenusWindow, ClickingACheckBoxPropagatesMarksAndSelectsTheNode) {
    Form().Charsets().LoadCharsetTree();
    ClearChangeFlags();
    ClickCheckBox("ChineseTraditional_Group");
    EXPECT_EQ(CheckedNodes(), Keys({"ChineseTraditional_Group", "Cyrillic_Group", "big5", "cp-932", "cp-950", "euc-tw",
                                    "x-mac-chinesetrad", "koi8-r", "koi8", "euc-kr"}));
    EXPECT_TRUE(ChangeMarked());
    EXPECT_EQ(TreeView_GetSelection(CharsetTreeView()), CharsetItem("ChineseTraditional_Group"));

    ClickCheckBox("cp-950");
    EXPECT_EQ(CheckedNodes(),
              Keys({"Cyrillic_Group", "big5", "cp-932", "euc-tw", "x-mac-chinesetrad", "koi8-r", "koi8", "euc-kr"}));
    EXPECT_EQ(TreeView_GetSelection(CharsetTreeView()), CharsetItem("cp-950"));

    ClickCheckBox("cp-950");
    EXPECT_EQ(CheckedNodes(), Keys({"ChineseTraditional_Group", "Cyrillic_Group", "big5", "cp-932", "cp-950", "euc-tw",
                                    "x-mac-chinesetrad", "koi8-r", "koi8", "euc-kr"}));
    ClickCheckBox("tis-620");
    EXPECT_EQ(TreeView_GetCheckState(CharsetTreeView(), CharsetItem("Thai_Group")), 1u) << "the only charset";
    Form().Charsets().LoadCharsetTree();
}

TEST_F(MenusWindow, SpaceOnTheSelectedNodeIsACheckToo) {
    Form().Charsets().LoadCharsetTree();
    ClearChangeFlags();
    HWND tree = CharsetTreeView();
    TreeView_SelectItem(tree, CharsetItem("koi8"));
    SetFocus(tree);
    SendMessageA(tree, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(tree, WM_CHAR, ' ', 0);
    SendMessageA(tree, WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(CheckedNodes(), Keys({"koi8-r", "euc-kr"})) << "koi8 and its group unchecked";
    EXPECT_TRUE(ChangeMarked());
    Form().Charsets().LoadCharsetTree();
}

TEST_F(MenusWindow, CheckAllClearAllAndResetOfTheCharsets) {
    ClearChangeFlags();
    Click(IDC_cmdBlockCharsetsCheckAll);
    EXPECT_EQ(CheckedNodes().size(), 27u);
    EXPECT_TRUE(ChangeMarked());

    // Reset goes back to the stored list; each group is judged on all of its
    // charsets, not on marks the load has not reached yet.
    Click(IDC_cmdBlockedCharsetReset);
    EXPECT_EQ(CheckedNodes(), Keys({"Cyrillic_Group", "koi8-r", "koi8", "euc-kr"}));
    EXPECT_TRUE(ChangeMarked()) << "Apply stays enabled";

    ClearChangeFlags();
    Click(IDC_cmdBlockCharsetsUncheckAll);
    EXPECT_TRUE(CheckedNodes().empty());
    EXPECT_TRUE(ChangeMarked());
    Form().Charsets().LoadCharsetTree();
}

// ---- Country lists.

std::vector<std::string> Names(int listId) {
    HWND list = Control(listId);
    std::vector<std::string> names;
    char name[256];
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        ListView_GetItemText(list, i, 0, name, sizeof name);
        names.push_back(name);
    }
    return names;
}

std::vector<std::string> CheckedNames(int listId) {
    HWND list = Control(listId);
    std::vector<std::string> names;
    char name[256];
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        if (ListView_GetCheckState(list, i)) {
            ListView_GetItemText(list, i, 0, name, sizeof name);
            names.push_back(name);
        }
    }
    return names;
}

int IndexOfName(int listId, const std::string& name) {
    const std::vector<std::string> names = Names(listId);
    return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST_F(MenusWindow, BothCountryListsHoldEveryNameInAlphabeticalOrder) {
    for (int listId : {IDC_lstBlockedCountries, IDC_lstIgnoredCountries}) {
        const std::vector<std::string> names = Names(listId);
        ASSERT_EQ(names.size(), 238u);
        EXPECT_TRUE(std::is_sorted(names.begin(), names.end(),
                                   [](const std::string& a, const std::string& b) { return TextCompare(a, b) < 0; }));
        const int bameroon = IndexOfName(listId, "Bameroon");
        EXPECT_EQ(names[bameroon - 1], "Bahrain");
        EXPECT_EQ(names[bameroon + 1], "Bangladesh");
        EXPECT_NE(IndexOfName(listId, "Korea,Democratic People's Republic"), 238);
        EXPECT_TRUE(ListView_GetExtendedListViewStyle(Control(listId)) & LVS_EX_CHECKBOXES);
    }
}

TEST_F(MenusWindow, CountryMarksFollowTheStoredCodes) {
    EXPECT_EQ(CheckedNames(IDC_lstBlockedCountries), (std::vector<std::string>{"China", "United States"}));
    EXPECT_EQ(CheckedNames(IDC_lstIgnoredCountries), std::vector<std::string>{"Germany"});
    EXPECT_TRUE(Form().Countries().UnknownCountryCodes(IDC_lstBlockedCountries).empty());
    EXPECT_EQ(Form().Countries().UnknownCountryCodes(IDC_lstIgnoredCountries), std::vector<std::string>{"abc"});
    ClearChangeFlags();
    Form().Countries().LoadBlockedCountryList();
    Form().Countries().LoadIgnoredCountryList();
    EXPECT_TRUE(NothingMarked()) << "marks the loaders set are no change";
}

TEST_F(MenusWindow, CountryCheckAllClearAllResetAndTheUsersChecks) {
    struct Case {
        int list, checkAll, clearAll, reset;
        std::vector<std::string> stored;
    };
    const Case cases[] = {
        {IDC_lstBlockedCountries,
         IDC_cmdCountryCheckAll,
         IDC_cmdCountryUncheckAll,
         IDC_cmdCountryReset,
         {"China", "United States"}},
        {IDC_lstIgnoredCountries,
         IDC_cmdIgnoredCountryCheckAll,
         IDC_cmdIgnoredCountryUncheckAll,
         IDC_cmdIgnoredCountryReset,
         {"Germany"}},
    };
    for (const Case& c : cases) {
        ClearChangeFlags();
        Click(c.checkAll);
        EXPECT_EQ(CheckedNames(c.list).size(), 238u);
        EXPECT_TRUE(ChangeMarked());
        EXPECT_TRUE(GetWindowLongPtrA(Control(c.list), GWL_STYLE) & WS_VISIBLE) << "shown again";

        Click(c.reset);
        EXPECT_EQ(CheckedNames(c.list), c.stored);
        EXPECT_TRUE(ChangeMarked()) << "Apply stays enabled";

        ClearChangeFlags();
        Click(c.clearAll);
        EXPECT_TRUE(CheckedNames(c.list).empty());
        EXPECT_TRUE(ChangeMarked());

        ClearChangeFlags();
        ListView_SetCheckState(Control(c.list), IndexOfName(c.list, "Zimbabwe"), TRUE);
        EXPECT_TRUE(ChangeMarked()) << "an item check";
        Click(c.reset);
    }
}

// ---- Saving through brindlecote.conf.

std::vector<std::string> Sorted(std::vector<std::string> entries) {
    std::sort(entries.begin(), entries.end(),
              [](const std::string& a, const std::string& b) { return TextCompare(a, b) < 0; });
    return entries;
}

TEST_F(MenusWindow, SavedListsHoldTheMarksAndKeepEntriesTheWindowCannotShow) {
    ClickCheckBox("Thai_Group");
    ClickCheckBox("koi8-r");
    ListView_SetCheckState(Control(IDC_lstBlockedCountries), IndexOfName(IDC_lstBlockedCountries, "Korea"), TRUE);
    Form().WriteSettings();

    KXProxyConf saved;
    saved.ConfigurationFile(ConfPath("brindlecote.conf"));
    saved.Load();
    EXPECT_EQ(Sorted(saved.Get_Blocked_Charset_List()), Sorted({"koi8", "euc-kr", "tis-620", "utf-7"}));
    EXPECT_EQ(saved.Get_Blocked_Country_List(), (std::vector<std::string>{"CN", "KR", "US"}));
    EXPECT_EQ(Sorted(saved.Get_Ignored_Country_List()), Sorted({"DE", "abc"}));
    const std::string file = FileSystem::ReadWholeFile(ConfPath("brindlecote.conf"));
    EXPECT_EQ(file.find("Thai"), std::string::npos) << "group texts are never saved";

    // The window reads the same back.
    Form().Charsets().LoadCharsetTree();
    EXPECT_EQ(CheckedNodes(), Keys({"Thai_Group", "koi8", "euc-kr", "tis-620"}));
    EXPECT_EQ(Form().Charsets().UnknownBlockedCharsets(), std::vector<std::string>{"utf-7"});
}

// ---- Help buttons and the help menu. No help file lies beside the test, so
// the help object warns instead of opening the viewer.

TEST_F(MenusWindow, HelpButtonsAndTheHelpMenuOpenTheirTopics) {
    struct Case {
        int id;
        int page;
        const char* topic;
    };
    const Case cases[] = {
        {IDC_cmdFAQ, 0, "help_pp_4a.html"},
        {IDC_cmdUserManual, 0, "help_using_main.html"},
        {IDC_cmdHelpSpecifyIPApproved, 15, "help_pp_3c.html#6"},
        {IDC_cmdHelpSpecifyIPBlocked, 17, "help_pp_3d.html#9"},
        {IDC_cmdHelpSpecifyIP, 28, "help_pp.html"},
        {IDM_mnuHelp, -1, "help_pp.html"},
    };
    for (const Case& c : cases) {
        if (modMain::gHelp) {
            modMain::gHelp->HHTopicURL("");
        }
        if (c.page >= 0) {
            Form().DisplayPicOptions(c.page);
            Click(c.id);
        } else {
            Command(c.id);
        }
        ASSERT_TRUE(modMain::gHelp);
        EXPECT_EQ(modMain::gHelp->HHTopicURL(), c.topic) << c.id;
        EXPECT_EQ(modMain::gHelp->HHWindow(), "Main");
        EXPECT_EQ(modMain::gHelp->CHMFile(), ProgramPath("help_desktop_varnholt.chm"));
    }
    EXPECT_EQ(boxes.size(), 6u) << "one warning of the missing help file each";
    Form().DisplayPicOptions(0);
}

// ---- Menus that start programs or tell the user.

// What the recorder started as that program wrote: "args ..." and "dir ..."
// lines, two for each start.
std::vector<std::string> RecordAt(const std::string& recordPath) {
    std::vector<std::string> lines;
    for (const std::string& line : FileSystem::SplitLines(ReadWholeFile(recordPath))) {
        if (!line.empty()) {
            lines.push_back(line);
        }
    }
    return lines;
}

std::vector<std::string> RecordLines(const std::string& program) {
    return RecordAt(ProgramPath(program + ".record"));
}

// The program directory as the recorder writes it.
std::string DirLine(const std::string& folder) {
    return "dir " + folder;
}

TEST_F(MenusWindow, TheWizardMenuStartsTheWizardOnlyForOutlookExpressFiveAndLater) {
    DeleteFileA(ProgramPath("Wizard.record").c_str());
    modMain::gOEMajorVersion = 4;
    Command(IDM_mnuOEAccountWizard);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Sorry, but the Outlook Express Account Configuration Wizard only supports Outlook Express version 5 "
              "and above.");
    EXPECT_EQ(boxes[0].style, MsgBoxStyle::OKOnly);

    modMain::gOEMajorVersion = 5;
    Command(IDM_mnuOEAccountWizard);
    EXPECT_TRUE(WaitUntil([] { return RecordLines("Wizard").size() == 2; }, 10000));
    EXPECT_EQ(RecordLines("Wizard"), (std::vector<std::string>{"args 1", DirLine(FileSystem::ProgramDirectory())}));
    EXPECT_EQ(boxes.size(), 1u);
    modMain::gOEMajorVersion = 6;
}

// The default value of a key of the shell's classes, for the length of a
// test; what was there before is put back.
class ClassDefault {
public:
    ClassDefault(const std::string& path, const std::string& value) : path_(path) {
        // The first key of the path that is not there yet goes again at the end.
        for (std::size_t end = 0; created_.empty() && end != std::string::npos;) {
            end = path.find('\\', end + 1);
            HKEY level = nullptr;
            if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.substr(0, end).c_str(), 0, KEY_READ, &level) == ERROR_SUCCESS) {
                RegCloseKey(level);
            } else {
                created_ = path.substr(0, end);
            }
        }
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            char previous[1024] = "";
            LONG size = sizeof previous;
            existed_ = true;
            hadValue_ = RegQueryValueA(key, nullptr, previous, &size) == ERROR_SUCCESS;
            previous_ = previous;
            RegCloseKey(key);
        }
        Set(value);
    }
    ~ClassDefault() {
        if (hadValue_) {
            Set(previous_);
        } else if (existed_) {
            RegDeleteKeyValueA(HKEY_CLASSES_ROOT, path_.c_str(), nullptr);
        } else {
            RegDeleteTreeA(HKEY_CLASSES_ROOT, created_.c_str());
        }
    }

private:
    void Set(const std::string& value) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CLASSES_ROOT, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }

    std::string path_;
    std::string created_;
    bool existed_ = false;
    bool hadValue_ = false;
    std::string previous_;
};

// The command that opens a document with the recorder of that name.
std::string RecorderCommand(const std::string& name) {
    CopyFileA(TestBinPath("StartRecorder.exe").c_str(), ProgramPath(name + ".exe").c_str(), FALSE);
    DeleteFileA(ProgramPath(name + ".record").c_str());
    return "\"" + ProgramPath(name + ".exe") + "\" \"%1\"";
}

TEST_F(MenusWindow, TheLogFileMenuOpensTheReportOrSaysThereIsNone) {
    DeleteFileA(ProgramPath("report.txt").c_str());
    Command(IDM_mnuViewLogFile);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "There are currently no logs available");
    EXPECT_FALSE(FileSystem::FileExists(ProgramPath("report.txt"))) << "nothing is created";

    const ClassDefault kind(".txt", "BrindlecoteTestReport");
    const ClassDefault viewer("BrindlecoteTestReport\\shell\\open\\command", RecorderCommand("ReportViewer"));
    FileSystem::WriteWholeFile(ProgramPath("report.txt"), "versions\r\n");
    Command(IDM_mnuViewLogFile);
    EXPECT_TRUE(WaitUntil([] { return RecordLines("ReportViewer").size() == 2; }, 10000));
    const std::vector<std::string> opened = RecordLines("ReportViewer");
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(LowerCase(opened[0]).find(LowerCase(ProgramPath("report.txt"))), std::string::npos) << opened[0];
    EXPECT_EQ(boxes.size(), 1u);
    DeleteFileA(ProgramPath("report.txt").c_str());
}

TEST_F(MenusWindow, ReportABugOpensTheSupportPage) {
    const ClassDefault browser("http\\shell\\open\\command", RecorderCommand("Browser"));
    modMain::gBaseURL = "http://support.example";
    Command(IDM_mnuReportBugs);
    EXPECT_TRUE(WaitUntil([] { return !RecordLines("Browser").empty(); }, 10000));
    const std::vector<std::string> opened = RecordLines("Browser");
    ASSERT_FALSE(opened.empty());
    EXPECT_NE(opened[0].find("http://support.example/brindlecote/help_support.html"), std::string::npos) << opened[0];
}

// The system folder of this Wine prefix gets a recording stand-in for the
// event viewer for the length of the test.
TEST_F(MenusWindow, TheEventViewerStartsInTheExpandedSystemFolder) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string viewer = std::string(system) + "\\eventvwr.exe";
    const std::string record = std::string(system) + "\\eventvwr.record";
    ASSERT_FALSE(FileSystem::FileExists(viewer)) << "a real event viewer is not replaced";
    ASSERT_TRUE(CopyFileA(TestBinPath("StartRecorder.exe").c_str(), viewer.c_str(), TRUE));
    // The stand-in goes again whatever the checks find; a program still
    // running cannot be deleted, so its end is awaited first.
    struct RemoveStandIn {
        const std::string& viewer;
        const std::string& record;
        ~RemoveStandIn() {
            WaitUntil([] { return ProcessesNamed("eventvwr.exe") == 0; }, 10000);
            DeleteFileA(viewer.c_str());
            DeleteFileA(record.c_str());
        }
    } removeStandIn{viewer, record};
    Command(IDM_mnuEventViewer);
    EXPECT_TRUE(WaitUntil([&] { return RecordAt(record).size() == 2; }, 10000));
    EXPECT_EQ(RecordAt(record), (std::vector<std::string>{"args /s", DirLine(system)}));
}

// ---- Scan timer, on a clock fixed at the start of a minute, so the
// minutes ago seeded cannot straddle one more boundary while a case runs.

constexpr ScanSchedule::ClockTime kScanNow{2026, 3, 10, 10, 45, 0};

std::string MinutesAgo(int minutes) {
    ScanSchedule::ClockTime then = kScanNow;
    then.minute -= minutes;
    return ScanSchedule::Format(then);
}

// A tick of the scan timer, as the system sends it to the window.
void Tick() {
    SendMessageA(Form().Window(), WM_TIMER, frmMain::kScanTimerId, 0);
}

// Every scanner the ticks started has ended, and so written its record: a
// start that should not have been made shows in the record by then (the
// start itself is made before the tick returns).
bool ScannersEnded() {
    return WaitUntil([] { return ProcessesNamed("Pelwarden.exe") == 0; }, 10000);
}

TEST_F(MenusWindow, TheScanTimerStartsTheScannerOnlyWhenDue) {
    ProductKey key;
    const FixedClock clock(kScanNow);
    DeleteFileA(ProgramPath("Pelwarden.record").c_str());
    modMain::gProxyConf->SetValue("oe_scan_frequency", "30");
    struct Case {
        const char* what;
        int oeMajorVersion;
        int minutesAgo;  // -1: no LastOEScan
        bool starts;
    };
    const Case cases[] = {
        {"Outlook Express 4", 4, -1, false}, {"never scanned", 6, -1, true}, {"30 minutes ago", 6, 30, false},
        {"31 minutes ago", 6, 31, true},     {"just now", 5, 0, false},
    };
    std::size_t expected = 0;
    for (const Case& c : cases) {
        modMain::gOEMajorVersion = c.oeMajorVersion;
        const std::string seeded = c.minutesAgo < 0 ? "" : MinutesAgo(c.minutesAgo);
        if (c.minutesAgo < 0) {
            key.Delete("LastOEScan");
        } else {
            key.SetText("LastOEScan", seeded);
        }
        Tick();
        if (c.starts) {
            ++expected;
            EXPECT_TRUE(WaitUntil([&] { return RecordLines("Pelwarden").size() == 2 * expected; }, 10000)) << c.what;
            EXPECT_EQ(key.Get("LastOEScan").second, ScanSchedule::Format(kScanNow)) << c.what;
        } else {
            EXPECT_TRUE(ScannersEnded()) << c.what;
            EXPECT_EQ(RecordLines("Pelwarden").size(), 2 * expected) << c.what;
            EXPECT_EQ(key.Get("LastOEScan").second, seeded) << c.what << ": nothing written";
        }
    }
    std::vector<std::string> starts;
    for (std::size_t i = 0; i < expected; ++i) {
        starts.insert(starts.end(), {"args 1", DirLine(FileSystem::ProgramDirectory())});
    }
    EXPECT_EQ(RecordLines("Pelwarden"), starts);
    modMain::gOEMajorVersion = 6;
    key.Delete("LastOEScan");
}

// A LastOEScan of another type is written over as text, and the scanner
// starts only once the time is stored: three ticks, one scan.
TEST_F(MenusWindow, ATimerTickWritesItsTimeAsTextOverAValueOfAnotherType) {
    ProductKey key;
    key.SetNumber("LastOEScan", 1);  // no date: the scan is due
    modMain::gProxyConf->SetValue("oe_scan_frequency", "30");
    DeleteFileA(ProgramPath("Pelwarden.record").c_str());
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_NO_THROW(Tick());
    }
    EXPECT_TRUE(WaitUntil([] { return RecordLines("Pelwarden").size() == 2; }, 10000));
    EXPECT_TRUE(ScannersEnded());
    EXPECT_EQ(RecordLines("Pelwarden"), (std::vector<std::string>{"args 1", DirLine(FileSystem::ProgramDirectory())}));
    const auto stored = key.Get("LastOEScan");
    EXPECT_EQ(stored.first, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(ScanSchedule::Parse(stored.second)) << stored.second;
    key.Delete("LastOEScan");
}

// No error of a handler crosses the window procedure: it is logged under the
// handler's name, and the window carries on.
TEST_F(MenusWindow, AnErrorInAHandlerIsLoggedUnderItsNameAndTheWindowGoesOn) {
    std::vector<std::string> log;
    LogTrap::SetWriter([&](const std::string& line) { log.push_back(line); });
    SetMsgBoxResponder([](const MsgBoxRequest&) -> int { throw ObjectError(70, "MsgBox", "Permission denied"); });
    modMain::gOEMajorVersion = 4;  // the menu tells the user instead of starting the wizard
    EXPECT_NO_THROW(Command(IDM_mnuOEAccountWizard));
    LogTrap::SetWriter(nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"mnuOEAccountWizard_Click() Error 70 : Permission denied"}));

    SetUp();
    Command(IDM_mnuOEAccountWizard);
    modMain::gOEMajorVersion = 6;
    ASSERT_TRUE(IsWindow(Form().Window()));
    EXPECT_EQ(boxes.size(), 1u) << "the next command is handled as ever";
}

// ---- Training progress with figures that are no numbers.

TEST_F(MenusWindow, TrainingProgressShowsZeroForAMinTrainingThatIsNoCount) {
    ProductKey key;
    key.SetText("spam_training", "5");
    key.SetText("ham_training", "2");
    for (const char* minimum : {"0", "", "lots"}) {
        modMain::gProxyConf->SetValue("min_training", minimum);
        EXPECT_NO_THROW(Form().Fields().UpdateTrainingProgress());
        EXPECT_EQ(Text(IDC_lblPercentBlockTrainingComplete), "0%") << minimum;
        EXPECT_EQ(Text(IDC_lblPercentApproveComplete), "0%") << minimum;
    }
    modMain::gProxyConf->SetValue("min_training", "8");
    key.SetText("spam_training", "many");
    EXPECT_NO_THROW(Form().Fields().UpdateTrainingProgress());
    EXPECT_EQ(Text(IDC_lblPercentApproveComplete), "25%");
    key.Delete("spam_training");
    key.Delete("ham_training");
}

// ---- The statistics window, shown modally from the menu and driven from a
// timer that its modal loop runs.

std::vector<std::string> ListTexts(HWND box) {
    std::vector<std::string> texts;
    for (int i = 0; i < SendMessageA(box, LB_GETCOUNT, 0, 0); ++i) {
        texts.push_back(ListBoxText(box, i));
    }
    return texts;
}

// Opens the window from the menu, runs the check inside it and closes it.
bool WithStatsWindow(const std::function<void(HWND)>& check) {
    ModalDialogDriver driver(IDC_lstStats2, [&](HWND stats) {
        check(stats);
        SendMessageA(stats, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    Command(IDM_mnuStats);
    return driver.Ran() && !driver.LeftOpen();
}

TEST_F(MenusWindow, StatisticsShowTheRowsAndResetKeepsEachCountersType) {
    ProductKey key;
    key.SetText("Processed", "007");
    key.SetNumber("Caught", 12);
    key.SetText("LastOEScan", "2026-12-10 09:15:00");
    key.SetText("spam_training", "57");
    key.SetText("ham_training", "250");
    modMain::gProxyConf->SetValue("min_training", "100");

    std::vector<std::string> labels, values, afterReset;
    std::string title;
    ASSERT_TRUE(WithStatsWindow([&](HWND stats) {
        title = WindowText(stats);
        labels = ListTexts(GetDlgItem(stats, IDC_lstStats));
        values = ListTexts(GetDlgItem(stats, IDC_lstStats2));
        Click(stats, IDC_cmdResetStats);
        afterReset = ListTexts(GetDlgItem(stats, IDC_lstStats2));
    }));
    EXPECT_EQ(title, "View Statistics");
    EXPECT_EQ(labels, (std::vector<std::string>{"Messages Processed", "Messages Caught", "Last Outlook Express Scan",
                                                "Block training (% complete)", "Approve training (% complete)"}));
    EXPECT_EQ(values, (std::vector<std::string>{"7", "12", "2026-12-10 09:15:00", "57%", "100%"}));
    EXPECT_EQ(afterReset, (std::vector<std::string>{"0", "0", "2026-12-10 09:15:00", "57%", "100%"}));
    EXPECT_EQ(key.Get("Processed"), (std::pair<DWORD, std::string>{REG_SZ, "0"}));
    EXPECT_EQ(key.Get("Caught"), (std::pair<DWORD, std::string>{REG_DWORD, "0"}));
    EXPECT_EQ(key.Get("LastOEScan").second, "2026-12-10 09:15:00");

    // Nothing stored, and figures that are no numbers.
    key.Delete("Processed");
    key.SetText("Caught", "007");
    key.Delete("LastOEScan");
    key.SetText("spam_training", "1");
    key.SetText("ham_training", "3");
    modMain::gProxyConf->SetValue("min_training", "8");
    ASSERT_TRUE(WithStatsWindow([&](HWND stats) {
        values = ListTexts(GetDlgItem(stats, IDC_lstStats2));
        Click(stats, IDC_cmdResetStats);
    }));
    EXPECT_EQ(values, (std::vector<std::string>{"0", "007", "0", "12%", "38%"}));
    EXPECT_EQ(key.Get("Processed"), (std::pair<DWORD, std::string>{REG_DWORD, "0"}));
    EXPECT_EQ(key.Get("Caught"), (std::pair<DWORD, std::string>{REG_SZ, "0"}));

    key.SetText("Processed", "lots");
    modMain::gProxyConf->SetValue("min_training", "0");
    ASSERT_TRUE(WithStatsWindow([&](HWND stats) { values = ListTexts(GetDlgItem(stats, IDC_lstStats2)); }));
    EXPECT_EQ(values, (std::vector<std::string>{"lots", "0", "0", "0%", "0%"}));

    for (const char* name : {"Processed", "Caught", "spam_training", "ham_training"}) {
        key.Delete(name);
    }
    modMain::gProxyConf->SetValue("min_training", "8");
}

TEST_F(MenusWindow, TheCloseButtonClosesTheStatisticsWindow) {
    ModalDialogDriver driver(IDC_lstStats2, [](HWND stats) { Click(stats, IDC_cmdClose); });
    Command(IDM_mnuStats);
    EXPECT_TRUE(driver.Ran());
    EXPECT_FALSE(driver.LeftOpen());
}

// Enter must not reset the counters: the window has no default button, and
// the first focus is on none (a focused button is pressed by Enter).
TEST_F(MenusWindow, EnterInTheStatisticsWindowPressesNoButton) {
    ProductKey key;
    key.SetText("Processed", "5");
    key.SetText("Caught", "3");
    bool focusInWindow = false;
    std::string focusClass;
    ASSERT_TRUE(WithStatsWindow([&](HWND stats) {
        MSG enter{};
        enter.hwnd = GetFocus();
        enter.message = WM_KEYDOWN;
        enter.wParam = VK_RETURN;
        focusInWindow = IsChild(stats, enter.hwnd) != FALSE;
        char name[64] = "";
        GetClassNameA(enter.hwnd, name, sizeof name);
        focusClass = name;
        IsDialogMessageA(stats, &enter);
    }));
    EXPECT_TRUE(focusInWindow);
    EXPECT_NE(TextCompare(focusClass, "Button"), 0) << "the first focus is on a button";
    EXPECT_EQ(key.Get("Processed").second, "5");
    EXPECT_EQ(key.Get("Caught").second, "3");
    key.Delete("Processed");
    key.Delete("Caught");
}

}  // namespace
