// The dialog templates of the settings window: every control of the control
// table sits on its page with the right class and style, nothing overlaps or
// spills out of its frame, every text fits its control, and the design texts
// and menu are the string table's.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Resources.h"
#include "frmMainControls.h"

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

HWND CreateTemplate(int templateId, HWND parent) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), parent, QuietDialogProc, 0);
}

const FormControl& ByName(const std::string& name) {
    for (const FormControl& control : kFrmMainControls) {
        if (name == control.name) {
            return control;
        }
    }
    throw std::runtime_error("no control " + name);
}

std::vector<FormControl> ControlsOfPage(int page) {
    std::vector<FormControl> result;
    for (const FormControl& control : kFrmMainControls) {
        if (control.page == page) {
            result.push_back(control);
        }
    }
    return result;
}

std::string ClassOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LONG StyleOf(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Overlap(const RECT& a, const RECT& b) {
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT& r) {
    std::ostringstream text;
    text << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
    return text.str();
}

std::string FrameName(int page) {
    std::ostringstream name;
    name << "picFrame(" << page << ")";
    return name.str();
}

struct ExpectedClass {
    const char* windowClass;
    LONG buttonType;  // BS_ type for the Button kinds, else -1
};

ExpectedClass ClassOfKind(FormControlKind kind) {
    switch (kind) {
        case FormControlKind::Frame:
            return {"Button", BS_GROUPBOX};
        case FormControlKind::Command:
            return {"Button", BS_PUSHBUTTON};
        case FormControlKind::Check:
            return {"Button", BS_AUTOCHECKBOX};
        case FormControlKind::Option:
            return {"Button", BS_AUTORADIOBUTTON};
        case FormControlKind::Label:
        case FormControlKind::Picture:
            return {"Static", -1};
        case FormControlKind::Text:
            return {"Edit", -1};
        case FormControlKind::Combo:
            return {"ComboBox", -1};
        case FormControlKind::List:
            return {"ListBox", -1};
        case FormControlKind::CheckList:
            return {"SysListView32", -1};
        case FormControlKind::Tree:
            return {"SysTreeView32", -1};
        case FormControlKind::Slider:
            return {"msctls_trackbar32", -1};
        case FormControlKind::UpDown:
            return {"msctls_updown32", -1};
    }
    return {"", -1};
}

// Styles every control of a kind must have, or must not have.
void ExpectStylesOfKind(HWND window, FormControlKind kind, const std::string& name) {
    const LONG style = StyleOf(window);
    switch (kind) {
        case FormControlKind::Text:
            EXPECT_TRUE(style & ES_AUTOHSCROLL) << name;
            EXPECT_FALSE(style & (ES_NUMBER | ES_MULTILINE)) << name << ": the code checks numbers itself";
            EXPECT_TRUE(style & WS_TABSTOP) << name;
            break;
        case FormControlKind::Combo:
            EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << name;
            break;
        case FormControlKind::Slider:
            EXPECT_TRUE(style & TBS_AUTOTICKS) << name;
            EXPECT_FALSE(style & TBS_VERT) << name;
            break;
        case FormControlKind::UpDown:
            EXPECT_TRUE(style & UDS_ARROWKEYS) << name;
            EXPECT_FALSE(style & (UDS_AUTOBUDDY | UDS_SETBUDDYINT))
                << name << ": the code keeps box and arrows in step";
            break;
        case FormControlKind::Command:
        case FormControlKind::Check:
        case FormControlKind::List:
        case FormControlKind::CheckList:
        case FormControlKind::Tree:
            EXPECT_TRUE(style & WS_TABSTOP) << name;
            break;
        default:
            break;
    }
}

class FrmMainTemplates : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&classes);
    }

    void SetUp() override {
        main_ = CreateTemplate(IDD_frmMain, nullptr);
        ASSERT_NE(main_, nullptr) << GetLastError();
    }

    // The pages are children of the main window and go with it.
    void TearDown() override {
        if (main_ != nullptr) {
            DestroyWindow(main_);
        }
    }

    HWND Page(int page) {
        HWND& window = pages_[page];
        if (window == nullptr) {
            window = CreateTemplate(IDD_picOptions_0 + page, main_);
        }
        return window;
    }

    HWND Control(const FormControl& control) {
        HWND parent = control.page == kMainWindowPage ? main_ : Page(control.page);
        return parent == nullptr ? nullptr : GetDlgItem(parent, control.id);
    }

    HWND main_ = nullptr;
    std::map<int, HWND> pages_;
};

TEST(FrmMainControlTable, IdsAndNamesAreUniqueAndEveryPageHasOneFrame) {
    std::set<int> ids;
    std::set<std::string> names;
    std::map<int, int> frames;
    for (const FormControl& control : kFrmMainControls) {
        EXPECT_TRUE(ids.insert(control.id).second) << "id twice: " << control.id;
        EXPECT_TRUE(names.insert(control.name).second) << "name twice: " << control.name;
        EXPECT_GE(control.page, kMainWindowPage) << control.name;
        EXPECT_LT(control.page, kOptionPageCount) << control.name;
        if (control.kind == FormControlKind::Frame) {
            ++frames[control.page];
            EXPECT_EQ(control.id, IDC_picFrame_0 + control.page) << control.name;
            EXPECT_EQ(control.name, FrameName(control.page));
        } else {
            EXPECT_GE(control.id, 1100) << control.name;
        }
    }
    EXPECT_EQ(frames.size(), static_cast<size_t>(kOptionPageCount));
    for (const auto& [page, count] : frames) {
        EXPECT_EQ(count, 1) << "page " << page;
    }
    EXPECT_EQ(frames.count(kMainWindowPage), 0u);
}

// The header and the table must name the same controls: a control id added to
// one and not the other would leave the code unable to find its page.
TEST(FrmMainControlTable, EveryControlIdOfTheHeaderIsInTheTable) {
    std::ifstream header(FRMMAIN_IDS_PATH);
    ASSERT_TRUE(header) << FRMMAIN_IDS_PATH;
    const std::regex define(R"(^#define IDC_(\w+) (\d+)\s*$)");
    size_t defined = 0;
    for (std::string line; std::getline(header, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, define)) {
            continue;
        }
        ++defined;
        std::string name = match[1];
        const int id = std::stoi(match[2]);
        const std::regex frame(R"(picFrame_(\d+))");
        std::smatch frameMatch;
        if (std::regex_match(name, frameMatch, frame)) {
            name = FrameName(std::stoi(frameMatch[1]));
        }
        const FormControl& control = ByName(name);
        EXPECT_EQ(control.id, id) << name;
    }
    EXPECT_EQ(defined, std::size(kFrmMainControls));
}

// The window routes a control's events by its id to the page whose id block
// holds it: an id outside its own page's block would reach another page's
// group, and the window's own ids and menus must lie outside every block.
TEST(FrmMainControlTable, EachPageControlLiesInItsPagesIdBlock) {
    for (const FormControl& control : kFrmMainControls) {
        if (control.kind == FormControlKind::Frame || control.page == kMainWindowPage) {
            EXPECT_LT(control.id, PAGE_ID_FIRST) << control.name;
        } else {
            EXPECT_GE(control.id, PAGE_ID_FIRST + PAGE_ID_BLOCK * control.page) << control.name;
            EXPECT_LT(control.id, PAGE_ID_FIRST + PAGE_ID_BLOCK * (control.page + 1)) << control.name;
        }
    }
    EXPECT_EQ(PAGE_COUNT, kOptionPageCount);
    for (int menu : {IDM_mnuStats, IDM_mnuViewLogFile, IDM_mnuEventViewer, IDM_mnuUpdates, IDM_mnuReportBugs,
                     IDM_mnuOEAccountWizard, IDM_mnuHelp, IDM_About}) {
        EXPECT_GE(menu, PAGE_ID_FIRST + PAGE_ID_BLOCK * PAGE_COUNT) << menu;
    }
}

TEST_F(FrmMainTemplates, MainWindowIsAFixedSizeTopLevelWindowThatFitsTheScreen) {
    const LONG style = StyleOf(main_);
    for (LONG bit : {WS_CAPTION, WS_SYSMENU, WS_MINIMIZEBOX, WS_CLIPCHILDREN}) {
        EXPECT_EQ(style & bit, bit) << std::hex << bit;
    }
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD));
    EXPECT_EQ(TextOf(main_), LoadResText(108));
    EXPECT_NE(GetMenu(main_), nullptr);

    RECT outer;
    GetWindowRect(main_, &outer);
    EXPECT_LE(outer.right - outer.left, 1024);
    EXPECT_LE(outer.bottom - outer.top, 740);

    RECT client;
    GetClientRect(main_, &client);
    std::vector<RECT> placed;
    for (const FormControl& control : ControlsOfPage(kMainWindowPage)) {
        HWND window = GetDlgItem(main_, control.id);
        ASSERT_NE(window, nullptr) << control.name;
        const RECT rect = RectInParent(window);
        EXPECT_TRUE(Inside(rect, client)) << control.name << " " << Describe(rect);
        for (const RECT& other : placed) {
            EXPECT_FALSE(Overlap(rect, other)) << control.name << " " << Describe(rect);
        }
        placed.push_back(rect);
    }
    EXPECT_FALSE(StyleOf(GetDlgItem(main_, IDC_picOptionsHost)) & WS_VISIBLE)
        << "the placeholder only marks where the pages go";
}

TEST_F(FrmMainTemplates, EveryPageIsAHiddenChildOfTheHostsSize) {
    RECT host;
    GetWindowRect(GetDlgItem(main_, IDC_picOptionsHost), &host);
    for (int page = 0; page < kOptionPageCount; ++page) {
        HWND window = Page(page);
        ASSERT_NE(window, nullptr) << "page " << page << " error " << GetLastError();
        const LONG style = StyleOf(window);
        EXPECT_TRUE(style & WS_CHILD) << page;
        EXPECT_FALSE(style & (WS_VISIBLE | WS_CAPTION | WS_POPUP)) << page;
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) << page << ": tabbing into the page";
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(rect.right - rect.left, host.right - host.left) << page;
        EXPECT_EQ(rect.bottom - rect.top, host.bottom - host.top) << page;
    }
}

// Each page holds exactly the controls the table gives it, with the class and
// style of their kind.
TEST_F(FrmMainTemplates, EveryPageHoldsExactlyItsControlsWithTheirClassAndStyle) {
    for (int page = kMainWindowPage; page < kOptionPageCount; ++page) {
        HWND parent = page == kMainWindowPage ? main_ : Page(page);
        ASSERT_NE(parent, nullptr) << page;
        std::set<int> expected;
        for (const FormControl& control : ControlsOfPage(page)) {
            expected.insert(control.id);
            HWND window = GetDlgItem(parent, control.id);
            ASSERT_NE(window, nullptr) << control.name << " on page " << page;
            const ExpectedClass want = ClassOfKind(control.kind);
            EXPECT_STRCASEEQ(ClassOf(window).c_str(), want.windowClass) << control.name;
            if (want.buttonType >= 0) {
                EXPECT_EQ(StyleOf(window) & BS_TYPEMASK, want.buttonType) << control.name;
            }
            ExpectStylesOfKind(window, control.kind, control.name);
        }
        std::set<int> found;
        for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            found.insert(GetDlgCtrlID(child));
        }
        EXPECT_EQ(found, expected) << "page " << page;
    }
}

TEST_F(FrmMainTemplates, NoTwoControlsOfAPageOverlapAndEachLiesInsideItsFrame) {
    for (int page = 0; page < kOptionPageCount; ++page) {
        HWND window = Page(page);
        ASSERT_NE(window, nullptr) << page;
        RECT client;
        GetClientRect(window, &client);
        RECT frame = RectInParent(GetDlgItem(window, IDC_picFrame_0 + page));
        EXPECT_TRUE(Inside(frame, client)) << "frame of page " << page;
        // Within the frame's lines, and below its caption.
        TEXTMETRICA metrics{};
        HDC dc = GetDC(window);
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)));
        GetTextMetricsA(dc, &metrics);
        ReleaseDC(window, dc);
        const RECT inner{frame.left + 2, frame.top + metrics.tmHeight, frame.right - 2, frame.bottom - 2};

        std::vector<std::pair<std::string, RECT>> placed;
        for (const FormControl& control : ControlsOfPage(page)) {
            if (control.kind == FormControlKind::Frame) {
                continue;
            }
            const RECT rect = RectInParent(GetDlgItem(window, control.id));
            EXPECT_FALSE(IsRectEmpty(&rect)) << control.name;
            EXPECT_TRUE(Inside(rect, inner)) << control.name << " " << Describe(rect) << " frame " << Describe(inner);
            for (const auto& [otherName, other] : placed) {
                EXPECT_FALSE(Overlap(rect, other)) << control.name << " overlaps " << otherName;
            }
            placed.emplace_back(control.name, rect);
        }
    }
}

// The option buttons of a page form one group, opened by the first of them,
// so that choosing one clears the others and Tab stops once in the group.
TEST_F(FrmMainTemplates, OptionButtonsOfAPageFormOneGroup) {
    int groups = 0;
    for (int page = 0; page < kOptionPageCount; ++page) {
        std::set<int> options;
        for (const FormControl& control : ControlsOfPage(page)) {
            if (control.kind == FormControlKind::Option) {
                options.insert(control.id);
            }
        }
        if (options.empty()) {
            continue;
        }
        ++groups;
        HWND window = Page(page);
        HWND first = GetWindow(window, GW_CHILD);
        while (first != nullptr && options.count(GetDlgCtrlID(first)) == 0) {
            first = GetWindow(first, GW_HWNDNEXT);
        }
        ASSERT_NE(first, nullptr) << page;
        EXPECT_EQ(StyleOf(first) & (WS_GROUP | WS_TABSTOP), WS_GROUP | WS_TABSTOP) << page;
        std::set<int> group{GetDlgCtrlID(first)};
        for (HWND next = GetWindow(first, GW_HWNDNEXT); next != nullptr && !(StyleOf(next) & WS_GROUP);
             next = GetWindow(next, GW_HWNDNEXT)) {
            group.insert(GetDlgCtrlID(next));
        }
        EXPECT_EQ(group, options) << "page " << page;
    }
    EXPECT_EQ(groups, 4) << "three strength families and the training weight";
}

TEST_F(FrmMainTemplates, ListsTreesAndPicturesHaveTheirOwnStyles) {
    struct Case {
        const char* name;
        LONG required;
        LONG forbidden;
    };
    const LONG senderList = LBS_NOTIFY | LBS_EXTENDEDSEL;
    const LONG ipList = LBS_NOTIFY;
    const LONG checkList = LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
    const LONG treeLines = TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT;
    // The sender lists show the address list's own order, so the control
    // must not sort them again.
    const Case cases[] = {
        {"lstApprovedSenders", senderList, LBS_SORT},
        {"lstBlockedSenders", senderList, LBS_SORT},
        {"lstIgnoredSenders", senderList, LBS_SORT},
        {"lstToAddresses", senderList, LBS_SORT},
        {"lstApprovedIPs", ipList, LBS_SORT | LBS_EXTENDEDSEL | LBS_MULTIPLESEL},
        {"lstBlockedIPs", ipList, LBS_SORT | LBS_EXTENDEDSEL | LBS_MULTIPLESEL},
        {"lstIgnoredIPs", ipList, LBS_SORT | LBS_EXTENDEDSEL | LBS_MULTIPLESEL},
        {"lstRBLs", checkList, LVS_SORTASCENDING | LVS_SORTDESCENDING},
        {"lstBlockedCountries", checkList | LVS_SORTASCENDING, 0},
        {"lstIgnoredCountries", checkList | LVS_SORTASCENDING, 0},
        {"tv", treeLines | TVS_SHOWSELALWAYS, TVS_CHECKBOXES},
        {"tvCharsets", treeLines | TVS_CHECKBOXES, 0},
        {"picTessavaneLogo", SS_BITMAP | SS_CENTERIMAGE, 0},
        {"chkDoNotRemoveScanned", BS_MULTILINE, 0},
    };
    for (const Case& c : cases) {
        HWND window = Control(ByName(c.name));
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_EQ(StyleOf(window) & c.required, c.required) << c.name;
        EXPECT_EQ(StyleOf(window) & c.forbidden, 0) << c.name;
    }
    for (const char* name : {"lstRBLs", "lstBlockedCountries", "lstIgnoredCountries"}) {
        EXPECT_EQ(StyleOf(Control(ByName(name))) & LVS_TYPEMASK, LVS_REPORT) << name;
    }
    RECT logo;
    GetClientRect(Control(ByName("picTessavaneLogo")), &logo);
    EXPECT_GE(logo.right, 150) << "room for the 150 x 50 logo";
    EXPECT_GE(logo.bottom, 50) << "room for the 150 x 50 logo";
}

TEST_F(FrmMainTemplates, OnlyApplyAndTheIgnoredSenderEditAndDeleteStartDisabled) {
    const std::set<std::string> disabled{"cmdOK", "cmdEditIgnoredSender", "cmdDeleteIgnoredSender"};
    for (const FormControl& control : kFrmMainControls) {
        HWND window = Control(control);
        ASSERT_NE(window, nullptr) << control.name;
        EXPECT_EQ((StyleOf(window) & WS_DISABLED) != 0, disabled.count(control.name) == 1) << control.name;
    }
}

// Design texts: the string table's, so that the window reads right even
// where the code sets no text of its own.
TEST_F(FrmMainTemplates, DesignTextsAreTheStringTablesTexts) {
    struct Case {
        const char* name;
        int stringId;
    };
    const Case cases[] = {
        {"cmdOK2", 137},
        {"cmdCancel", 147},
        {"cmdOK", 170},
        {"cmdHelp", 169},
        {"cmdStartStop", 184},
        {"lblTitle", 101},
        {"lblVersion", 124},
        {"lblCopyright1", 125},
        {"lblCopyright2", 239},
        {"cmdUserManual", 284},
        {"cmdFAQ", 285},
        {"Label56", 286},
        {"Label57", 287},
        {"lblPlatform", 123},
        {"picFrame(1)", 281},
        {"Label41", 282},
        {"picFrame(2)", 194},
        {"Label1", 194},
        {"Label2", 195},
        {"picFrame(3)", 336},
        {"Label25", 196},
        {"picFrame(4)", 337},
        {"Label26", 197},
        {"picFrame(5)", 338},
        {"Label5", 198},
        {"Label27", 352},
        {"picFrame(6)", 272},
        {"Label6", 222},
        {"picFrame(7)", 273},
        {"Label7", 199},
        {"Label8", 200},
        {"Label9", 221},
        {"optSubjMod4", 201},
        {"optSubjMod3", 202},
        {"optSubjMod2", 203},
        {"optSubjMod1", 204},
        {"picFrame(8)", 274},
        {"Label11", 205},
        {"Label12", 200},
        {"Label13", 221},
        {"optFlag4", 201},
        {"optFlag3", 202},
        {"optFlag2", 203},
        {"optFlag1", 204},
        {"picFrame(30)", 419},
        {"lblOESpamThresholdFilterDesc", 420},
        {"lblOESpamThresholdMoreAggressive", 200},
        {"lblOESpamThreshholdLessAggressive", 221},
        {"optOESpamThresholdMod4", 201},
        {"optOESpamThresholdMod3", 202},
        {"optOESpamThresholdMod2", 203},
        {"optOESpamThresholdMod1", 204},
        {"lblEnableBAConfirmation", 417},
        {"picFrame(9)", 275},
        {"Label15", 206},
        {"Label16", 207},
        {"picFrame(10)", 276},
        {"Label17", 208},
        {"Label18", 209},
        {"Label19", 210},
        {"picFrame(11)", 277},
        {"Label20", 211},
        {"cmdAddToAddress", 212},
        {"cmdEditToAddress", 213},
        {"cmdDeleteToAddress", 214},
        {"picFrame(12)", 278},
        {"Label21", 215},
        {"chkDoNotRemoveScanned", 216},
        {"Label22", 217},
        {"Label23", 218},
        {"Label24", 219},
        {"cmdOEScanNow", 220},
        {"picFrame(21)", 339},
        {"Label43", 312},
        {"Label44", 316},
        {"Label45", 313},
        {"Label46", 314},
        {"Label47", 304},
        {"Label28", 120},
        {"Label29", 356},
        {"picFrame(13)", 171},
        {"Label3", 224},
        {"cmdAddApproved", 212},
        {"cmdEditApproved", 213},
        {"cmdDeleteApproved", 214},
        {"cmdImportApproved", 230},
        {"cmdExportApproved", 231},
        {"picFrame(15)", 303},
        {"Label48", 304},
        {"cmdAddApprovedIP", 212},
        {"cmdEditApprovedIP", 213},
        {"cmdDelApprovedIP", 214},
        {"cmdHelpSpecifyIPApproved", 348},
        {"picFrame(22)", 340},
        {"Label32", 382},
        {"Label49", 315},
        {"Label50", 316},
        {"Label51", 355},
        {"Label52", 317},
        {"Label53", 307},
        {"Label54", 318},
        {"Label55", 319},
        {"Label61", 314},
        {"Label62", 309},
        {"Label30", 302},
        {"Label31", 357},
        {"picFrame(14)", 172},
        {"Label4", 223},
        {"cmdAddBlocked", 212},
        {"cmdEditBlocked", 213},
        {"cmdDeleteBlocked", 214},
        {"cmdImportBlocked", 230},
        {"cmdExportBlocked", 231},
        {"picFrame(16)", 306},
        {"Label63", 307},
        {"cmdBlockCharsetsCheckAll", 358},
        {"cmdBlockCharsetsUncheckAll", 359},
        {"cmdBlockedCharsetReset", 140},
        {"picFrame(17)", 308},
        {"Label77", 309},
        {"cmdAddBlockedIP", 212},
        {"cmdEditBlockedIP", 213},
        {"cmdDeleteBlockedIP", 214},
        {"cmdHelpSpecifyIPBlocked", 348},
        {"picFrame(18)", 291},
        {"Label10", 292},
        {"cmdCountryCheckAll", 358},
        {"cmdCountryUncheckAll", 359},
        {"cmdCountryReset", 140},
        {"picFrame(19)", 293},
        {"Label14", 294},
        {"cmdAddRBL", 212},
        {"cmdDeleteRBL", 214},
        {"picFrame(25)", 342},
        {"Label74", 325},
        {"Label75", 314},
        {"Label76", 326},
        {"Label33", 316},
        {"Label34", 432},
        {"Label35", 318},
        {"Label36", 434},
        {"cmdHelpSpecifyIP", 348},
        {"picFrame(34)", 431},
        {"lblIgnoredSenders", 432},
        {"cmdAddIgnoredSender", 212},
        {"cmdEditIgnoredSender", 213},
        {"cmdDeleteIgnoredSender", 214},
        {"picFrame(35)", 433},
        {"lblIgnoredCountriesDesc", 434},
        {"cmdIgnoredCountryCheckAll", 358},
        {"cmdIgnoredCountryUncheckAll", 359},
        {"cmdIgnoredCountryReset", 140},
        {"picFrame(28)", 333},
        {"Label79", 334},
        {"cmdAddIgnoreIP", 212},
        {"cmdEditIgnoreIP", 213},
        {"cmdDeleteIgnoreIP", 214},
        {"picFrame(23)", 297},
        {"Label60", 320},
        {"picFrame(31)", 424},
        {"lblOEOptions", 423},
        {"picFrame(33)", 427},
        {"lblEnableOEPlugin", 428},
        {"picFrame(32)", 425},
        {"lblPOPProxyOptions", 426},
        {"picFrame(20)", 295},
        {"Label71", 310},
        {"Label72", 311},
        {"lblTrainingWeight", 394},
        {"optHighTrainingWeight", 395},
        {"optLowTrainingWeight", 396},
        {"lblApproveTraining", 383},
        {"lblBlockTraining", 384},
        {"chkEnableExtendedRules", 328},
        {"lblEnableRulesDescription", 397},
        {"picFrame(27)", 335},
        {"chkRBLMultiHit", 329},
        {"Label80", 330},
        {"Label81", 331},
        {"Label82", 332},
        {"picFrame(24)", 341},
        {"Label69", 321},
        {"Label67", 322},
        {"Label65", 323},
        {"Label66", 324},
        {"chkAddScoringSummary", 398},
    };
    for (const Case& c : cases) {
        HWND window = Control(ByName(c.name));
        ASSERT_NE(window, nullptr) << c.name;
        EXPECT_EQ(TextOf(window), LoadResText(c.stringId)) << c.name;
    }
    // Texts of the design alone: no code sets them.
    const std::pair<const char*, const char*> literal[] = {
        {"picFrame(0)", ""},
        {"picFrame(26)", "Enable Rules"},
        {"picFrame(29)", "Enable Block/Approve Confirmations"},
        {"Label68", ":"},
        {"Label70", ":"},
        {"Label83", ":"},
    };
    for (const auto& [name, text] : literal) {
        EXPECT_EQ(TextOf(Control(ByName(name))), text) << name;
    }
}

// Width and height a text needs in a control's font; wrapped at the given
// width when wrap is set.
SIZE NeededFor(HWND control, const std::string& text, int width, bool wrap) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | (wrap ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

// Room a button-kind control leaves for its text: the check mark or radio
// circle takes the left of a check box or option, a push button its edges.
int TextWidthOf(HWND control, FormControlKind kind) {
    RECT client;
    GetClientRect(control, &client);
    if (kind == FormControlKind::Check || kind == FormControlKind::Option) {
        return client.right - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    }
    if (kind == FormControlKind::Command) {
        return client.right - 8;
    }
    return client.right;
}

void ExpectTextFits(HWND control, FormControlKind kind, const std::string& text, const std::string& name) {
    RECT client;
    GetClientRect(control, &client);
    const int width = TextWidthOf(control, kind);
    const bool wraps = kind == FormControlKind::Label || (StyleOf(control) & BS_MULTILINE);
    const SIZE needed = NeededFor(control, text, width, wraps);
    EXPECT_LE(needed.cx, width) << name << ": \"" << text << "\"";
    EXPECT_LE(needed.cy, client.bottom) << name << ": \"" << text << "\"";
}

// Nothing is cut off: every design text fits its control, and so does every
// text the code puts into a control later.
TEST_F(FrmMainTemplates, EveryTextFitsItsControl) {
    for (const FormControl& control : kFrmMainControls) {
        HWND window = Control(control);
        ASSERT_NE(window, nullptr) << control.name;
        const std::string text = TextOf(window);
        const bool hasText = control.kind == FormControlKind::Label || control.kind == FormControlKind::Command ||
                             control.kind == FormControlKind::Check || control.kind == FormControlKind::Option;
        if (hasText && !text.empty()) {
            ExpectTextFits(window, control.kind, text, control.name);
        }
    }
    std::string percent = LoadResText(385);
    percent.replace(percent.find("%1"), 2, "100");
    const std::vector<std::string> strengths{LoadResText(189), LoadResText(190), LoadResText(191), LoadResText(192),
                                             LoadResText(193)};
    const std::vector<std::pair<const char*, std::vector<std::string>>> later = {
        {"cmdStartStop", {LoadResText(185)}},     {"lblPlatform", {LoadResText(122)}},
        {"lblPercentApproveComplete", {percent}}, {"lblPercentBlockTrainingComplete", {percent}},
        {"lblStrengthDesc", strengths},           {"lblStrengthDescFlag", strengths},
        {"lblOESpamThresholdDesc", strengths},
    };
    for (const auto& [name, texts] : later) {
        const FormControl& control = ByName(name);
        for (const std::string& text : texts) {
            ExpectTextFits(Control(control), control.kind, text, name);
        }
    }
}

TEST(FrmMainMenu, MenuBarHoldsLogsToolsAndHelpWithTheirCommands) {
    HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_frmMainMenu));
    ASSERT_NE(bar, nullptr);
    struct Item {
        int id;
        int stringId;
    };
    struct Popup {
        std::string text;
        std::vector<Item> items;
    };
    std::string help = "&";
    help += LoadResText(162);
    const Popup popups[] = {
        {LoadResText(173), {{IDM_mnuStats, 139}, {IDM_mnuViewLogFile, 174}, {IDM_mnuEventViewer, 175}}},
        {LoadResText(176), {{IDM_mnuUpdates, 177}, {IDM_mnuReportBugs, 178}, {IDM_mnuOEAccountWizard, 180}}},
        {help, {{IDM_mnuHelp, 183}, {IDM_About, 182}}},
    };
    ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(std::size(popups)));
    char text[256];
    for (int position = 0; position < GetMenuItemCount(bar); ++position) {
        const Popup& want = popups[position];
        GetMenuStringA(bar, position, text, sizeof text, MF_BYPOSITION);
        EXPECT_EQ(text, want.text) << position;
        HMENU popup = GetSubMenu(bar, position);
        ASSERT_NE(popup, nullptr) << position;
        ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(want.items.size())) << want.text;
        for (size_t i = 0; i < want.items.size(); ++i) {
            EXPECT_EQ(GetMenuItemID(popup, static_cast<int>(i)), static_cast<UINT>(want.items[i].id)) << want.text;
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_EQ(text, LoadResText(want.items[i].stringId)) << want.text << " " << i;
        }
    }
    DestroyMenu(bar);
}

}  // namespace
