#include <set>
#include <string>
#include <vector>

#include "AddressList.h"
#include "HTMLHelp.h"
#include "SavedRegistryValue.h"
#include "SettingsWindowFixture.h"
#include "mTreeviewCalls.h"
#include "modFileAttributes.h"

namespace {

// The window is loaded once, as the console does, over a conf directory
// beside this test.
class MainWindow : public SettingsWindow {
protected:
    static void SetUpTestSuite() {
        SettingsWindow::SetUpTestSuite();
        OpenSuiteWindow("min_training=8\r\n", {{SenderList::Approved, "first@example.com\r\n"}});
    }
    static HWND Tree() { return Form().mTreeHwnd; }

    static void Select(const std::string& key) { TreeView_SelectItem(Tree(), Form().Node(key)); }

    // A click with the tree's own mouse handling: the button-up waits in
    // the queue for the tree's click tracking.
    static void Click(UINT down, UINT up, POINT at) {
        const LPARAM where = MAKELPARAM(at.x, at.y);
        PostMessageA(Tree(), up, 0, where);
        SendMessageA(Tree(), down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, where);
        Pump();
    }
    static POINT IconOf(const std::string& key) {
        RECT text{};
        TreeView_GetItemRect(Tree(), Form().Node(key), &text, TRUE);
        return {text.left - 10, (text.top + text.bottom) / 2};
    }
    static POINT TextOf(const std::string& key) {
        RECT text{};
        TreeView_GetItemRect(Tree(), Form().Node(key), &text, TRUE);
        return {text.left + 5, (text.top + text.bottom) / 2};
    }
};

TEST_F(MainWindow, BuildsTheThirtyFiveNodesUnderTheirParentsInOrder) {
    int count = 0;
    for (HTREEITEM item = TreeView_GetRoot(Tree()); item; item = TreeView_GetNextSibling(Tree(), item)) {
        ++count;
    }
    EXPECT_EQ(count, 1) << "one root";
    for (const OptionTree::Node& parent : OptionTree::kNodes) {
        std::vector<std::string> expected;
        for (const OptionTree::Node& node : OptionTree::kNodes) {
            if (std::string(node.parent) == parent.key) {
                expected.push_back(node.key);
            }
        }
        std::vector<std::string> children;
        for (HTREEITEM child = TreeView_GetChild(Tree(), Form().Node(parent.key)); child;
             child = TreeView_GetNextSibling(Tree(), child)) {
            TVITEMA item{};
            item.mask = TVIF_PARAM;
            item.hItem = child;
            TreeView_GetItem(Tree(), &item);
            children.push_back(OptionTree::kNodes[item.lParam].key);
            ++count;
        }
        EXPECT_EQ(children, expected) << parent.key;
        if (!expected.empty()) {
            EXPECT_TRUE(TreeView_GetItemState(Tree(), Form().Node(parent.key), TVIS_EXPANDED) & TVIS_EXPANDED)
                << parent.key << " is shown open";
        }
    }
    EXPECT_EQ(count, 35);
}

TEST_F(MainWindow, NodesShowTheirTextsAndImages) {
    struct Case {
        const char* key;
        const char* text;
        int image;
    };
    const Case cases[] = {
        {"Root", "Brindlecote Varnholt", 4},
        {"General", "General Options", 11},
        {"Netcheck", "Enable Spam Network Check", -1},
        {"OEOptions", "Outlook Express Options", 11},
        {"IncomingListeningPort", "Incoming Listening Port", 9},
        {"ApprovedSenders", "Senders", 11},
        {"NotSentToMe", "My Email Addresses", 11},
        {"RBLs", "Public Blacklists (RBLs)", 11},
        {"WordTraining", "Enable Word Training", -1},
        {"Expert", "Expert Options", 11},
    };
    for (const Case& c : cases) {
        char text[256] = "";
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = Form().Node(c.key);
        item.pszText = text;
        item.cchTextMax = sizeof text;
        TreeView_GetItem(Tree(), &item);
        EXPECT_STREQ(text, c.text) << c.key;
        if (c.image == -1) {
            // A toggle leaf shows its setting's state.
            const int image = Form().NodeImage(c.key);
            EXPECT_TRUE(image == OptionTree::kImageOn || image == OptionTree::kImageOff) << c.key;
        } else {
            EXPECT_EQ(Form().NodeImage(c.key), c.image) << c.key;
        }
    }
}

TEST_F(MainWindow, EveryNodeShowsItsPageAndOnlyThatPage) {
    for (const OptionTree::Node& node : OptionTree::kNodes) {
        Select(node.key);
        EXPECT_EQ(Form().VisiblePage(), node.page) << node.key;
        int visible = 0;
        for (int page = 0; page < OptionTree::kPageCount; ++page) {
            visible += (GetWindowLongPtrA(Form().Page(page), GWL_STYLE) & WS_VISIBLE) ? 1 : 0;
        }
        EXPECT_EQ(visible, 1) << node.key;
    }
    Select("Root");
    EXPECT_EQ(Form().VisiblePage(), 0);
}

TEST_F(MainWindow, SpaceTogglesOnlyTheOnOffLeaves) {
    Form().SetNodeImage("SpamFlagging", OptionTree::kImageOn);
    Select("SpamFlagging");
    ClearChangeFlags();
    SendMessageA(Tree(), WM_CHAR, ' ', 0);
    EXPECT_EQ(Form().NodeImage("SpamFlagging"), OptionTree::kImageOff);
    EXPECT_TRUE(modMain::gSettingsChanged);
    EXPECT_TRUE(modMain::gRestartNeeded);
    EXPECT_TRUE(IsWindowEnabled(Form().Control(IDC_cmdOK)));
    SendMessageA(Tree(), WM_CHAR, ' ', 0);
    EXPECT_EQ(Form().NodeImage("SpamFlagging"), OptionTree::kImageOn);

    for (const char* key : {"IncomingListeningPort", "General", "ApprovedSenders", "Root"}) {
        Select(key);
        const int image = Form().NodeImage(key);
        ClearChangeFlags();
        SendMessageA(Tree(), WM_CHAR, ' ', 0);
        EXPECT_EQ(Form().NodeImage(key), image) << key;
        EXPECT_FALSE(modMain::gSettingsChanged) << key;
        EXPECT_EQ(TreeView_GetSelection(Tree()), Form().Node(key)) << key << ": the space is swallowed";
    }
}

TEST_F(MainWindow, AClickOnALeafsIconTogglesItAndOnItsTextOnlySelectsIt) {
    Form().SetNodeImage("ScanOE", OptionTree::kImageOff);
    Select("Root");
    ClearChangeFlags();

    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, TextOf("ScanOE"));
    EXPECT_EQ(Form().SelectedKey(), "ScanOE");
    EXPECT_EQ(Form().VisiblePage(), 12);
    EXPECT_EQ(Form().NodeImage("ScanOE"), OptionTree::kImageOff);
    EXPECT_FALSE(modMain::gSettingsChanged);

    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, IconOf("ScanOE"));
    EXPECT_EQ(Form().NodeImage("ScanOE"), OptionTree::kImageOn) << "the selected node's icon toggles too";
    EXPECT_TRUE(modMain::gSettingsChanged);
    EXPECT_FALSE(Form().mIconClicked);

    Click(WM_RBUTTONDOWN, WM_RBUTTONUP, IconOf("ScanOE"));
    EXPECT_FALSE(Form().mIconClicked) << "the right button never arms the toggle";
    EXPECT_EQ(Form().NodeImage("ScanOE"), OptionTree::kImageOn);

    Select("Root");
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP, IconOf("General"));
    EXPECT_EQ(Form().SelectedKey(), "General");
    EXPECT_EQ(Form().VisiblePage(), 1);
    EXPECT_EQ(Form().NodeImage("General"), 11);
    EXPECT_FALSE(Form().mIconClicked);
}

TEST_F(MainWindow, TheTreesHitTestNamesTheItemAndThePartOfItHit) {
    struct Case {
        const char* key;
        POINT at;
        HTREEITEM item;
        UINT flags;
    };
    const Case cases[] = {
        {"ScanOE", IconOf("ScanOE"), Form().Node("ScanOE"), TVHT_ONITEMICON},
        {"ScanOE", TextOf("ScanOE"), Form().Node("ScanOE"), TVHT_ONITEMLABEL},
        {"General", IconOf("General"), Form().Node("General"), TVHT_ONITEMICON},
        {"below the tree", {5, 30000}, nullptr, TVHT_BELOW},
    };
    for (const Case& c : cases) {
        TVHITTESTINFO info{};
        info.pt = c.at;
        EXPECT_EQ(mTreeviewCalls::TreeViewHitTest(Tree(), info), c.item) << c.key;
        EXPECT_EQ(info.hItem, c.item) << c.key;
        EXPECT_EQ(info.flags, c.flags) << c.key;
    }
}

TEST_F(MainWindow, ASenderPageReloadsItsListOnlyWhenTheFileChanged) {
    HWND box = Form().Control(IDC_lstApprovedSenders);
    Select("Root");
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("marker"));
    Select("ApprovedSenders");
    EXPECT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(box, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("marker")), 0) << "unchanged";

    Select("Root");
    RewriteLater(ConfPath("approved_senders"), "second@example.com\r\nthird@example.com\r\n");
    Select("ApprovedSenders");
    EXPECT_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(box, LB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>("marker")), LB_ERR);
    EXPECT_TRUE(modMain::gApprovedSenders->Exists("third@example.com"));
    EXPECT_EQ(modMain::gApprovedSendersStamp, modFileAttributes::GetFileDateTime(ConfPath("approved_senders")));
}

TEST_F(MainWindow, CaptionsComeFromTheStringTable) {
    struct Case {
        int control;
        const char* text;
    };
    const Case cases[] = {
        {IDC_picFrame_2, "Inbound Listening Port"},
        {IDC_Label1, "Inbound Listening Port"},
        {IDC_picFrame_26, "Enable Rules"},
        {IDC_picFrame_29, "Enable Block/Approve Confirmations"},
        {IDC_picFrame_0, ""},
        {IDC_Label68, ":"},
        {IDC_lblPlatform, "Platform: Windows 2000/XP"},
        {IDC_cmdOK, "Apply"},
        {IDC_cmdOK2, "OK"},
        {IDC_optFlag1, "Lenient"},
        {IDC_optOESpamThresholdMod4, "Exclusive"},
        {IDC_lblPercentBlockTrainingComplete, "0%"},
        {IDC_cmdAddIgnoreIP, "&Add"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Text(c.control), c.text) << c.control;
    }
    EXPECT_EQ(Text(IDC_Label34), Text(IDC_lblIgnoredSenders));
    EXPECT_EQ(WindowText(Form().Window()), "Brindlecote Varnholt");

    auto items = [](int combo) {
        std::vector<std::string> result;
        HWND box = Form().Control(combo);
        for (int i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
            char text[128] = "";
            SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            result.push_back(text);
        }
        return result;
    };
    EXPECT_EQ(items(IDC_cmbRuleUpdFreq),
              (std::vector<std::string>{"Every 15 minutes", "Every hour", "Every day", "Every week", "Every month"}));
    EXPECT_EQ(items(IDC_cmbOEScanFrequency), (std::vector<std::string>{"half hour", "hour", "day"}));

    HMENU bar = GetMenu(Form().Window());
    char text[128] = "";
    GetMenuStringA(bar, 2, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Help");
    EXPECT_EQ(GetMenuState(bar, IDM_mnuEventViewer, MF_BYCOMMAND), static_cast<UINT>(MF_STRING));
    EXPECT_EQ(GetMenuState(bar, IDM_mnuViewLogFile, MF_BYCOMMAND), static_cast<UINT>(-1))
        << "the NT family has no log-file item";
}

// No help file lies beside the test, so the help object warns instead of
// opening the viewer; the topic it was given shows all the same.
TEST_F(MainWindow, NodesWithoutATopicOpenTheMainHelpTopic) {
    std::vector<std::string> warnings;
    SetMsgBoxResponder([&](const MsgBoxRequest& box) {
        warnings.push_back(box.text);
        return MsgBoxResult::OK;
    });
    struct Case {
        const char* key;
        const char* topic;
    };
    const Case cases[] = {
        {"IgnoredCountries", "help_pp.html"},
        {"OEOptions", "help_pp.html"},
        {"IncomingListeningPort", "help_pp_3a.html#listeningport"},
        {"RBLs", "help_pp_3d.html#12"},
    };
    for (const Case& c : cases) {
        Select(c.key);
        ::Click(IDC_cmdHelp);
        ASSERT_TRUE(modMain::gHelp);
        EXPECT_EQ(modMain::gHelp->HHTopicURL(), c.topic) << c.key;
        EXPECT_EQ(modMain::gHelp->HHWindow(), "Main");
    }
    SetMsgBoxResponder(nullptr);
    EXPECT_EQ(warnings.size(), 4u);
}

TEST_F(MainWindow, TrainingProgressIsTheShareOfMinTraining) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Tessavane Varnholt Desktop Client", 0, nullptr, 0, KEY_WRITE,
                    nullptr, &key, nullptr);
    RegSetValueExA(key, "ham_training", 0, REG_SZ, reinterpret_cast<const BYTE*>("3"), 2);
    RegSetValueExA(key, "spam_training", 0, REG_SZ, reinterpret_cast<const BYTE*>("16"), 3);
    Select("WordTraining");
    EXPECT_EQ(Text(IDC_lblPercentApproveComplete), "38%");
    EXPECT_EQ(Text(IDC_lblPercentBlockTrainingComplete), "100%");
    RegDeleteValueA(key, "ham_training");
    RegDeleteValueA(key, "spam_training");
    RegCloseKey(key);
}

// A total that is no whole number is logged in words a user can read, and
// the figures shown stay those of the last totals read.
TEST_F(MainWindow, ATrainingTotalThatIsNoWholeNumberIsLoggedInWords) {
    const char kProduct[] = "Software\\Tessavane Varnholt Desktop Client";
    const SavedRegistryValue ham(kProduct, "ham_training");
    const SavedRegistryValue spam(kProduct, "spam_training");
    ham.SetText("3");
    const struct {
        const char* stored;
        const char* line;
    } cases[] = {
        {"many", "UpdateTrainingProgress() Error 13 Type mismatch"},
        {"12 apples", "UpdateTrainingProgress() Error 13 Type mismatch"},
        {"99999999999", "UpdateTrainingProgress() Error 6 Overflow"},
    };
    for (const auto& c : cases) {
        spam.SetText("16");
        Select("Root");
        Select("WordTraining");
        spam.SetText(c.stored);
        logLines.clear();
        Select("Root");
        Select("WordTraining");
        EXPECT_EQ(logLines, std::vector<std::string>{c.line}) << c.stored;
        EXPECT_EQ(Text(IDC_lblPercentBlockTrainingComplete), "100%") << c.stored;
        EXPECT_EQ(Text(IDC_lblPercentApproveComplete), "38%") << c.stored;
    }
}

// Each page's controls reach the group of pages bound to it: every page that
// holds a control raising events carries a group, the pages of labels alone
// none.
TEST_F(MainWindow, EveryPageWithControlsToAnswerIsBoundToItsGroup) {
    std::set<int> answering;
    for (const FormControl& control : kFrmMainControls) {
        const bool passive = control.kind == FormControlKind::Frame || control.kind == FormControlKind::Label ||
                             control.kind == FormControlKind::Picture;
        if (control.page != kMainWindowPage && !passive) {
            answering.insert(control.page);
        }
    }
    for (int page = 0; page < kOptionPageCount; ++page) {
        EXPECT_EQ(GetWindowLongPtrA(Form().Page(page), DWLP_USER) != 0, answering.count(page) == 1) << page;
    }
}

}  // namespace
