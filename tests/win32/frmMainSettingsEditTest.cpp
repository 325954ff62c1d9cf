#include "Resources.h"
#include "SettingsWindowFixture.h"

namespace {

const char kSeed[] =
    "listen_port=8110\r\n"
    "spam_subject=85\r\n"
    "spam_subject_threshold=85\r\n"
    "spam_flag=70\r\n"
    "spam_flag_threshold=70\r\n"
    "oe_spam=95\r\n"
    "oe_spam_threshold=95\r\n"
    "spam_timeout=5\r\n"
    "spam_timeout_value=5\r\n"
    "use_proxy_server=no\r\n"
    "enable_oe_plugin=yes\r\n"
    "oe_scan_frequency=60\r\n"
    "proxy_port=3128\r\n";

class SettingsEdits : public SettingsWindow {
protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        LoadWindow(kSeed);
    }
};

TEST_F(SettingsEdits, EachHandlerRaisesItsFlags) {
    struct Case {
        const char* what;
        std::function<void()> edit;
        bool restartNeeded;
    };
    const Case cases[] = {
        {"chkAddScoringSummary", [] { Click(IDC_chkAddScoringSummary); }, true},
        {"chkEnableExtendedRules", [] { Click(IDC_chkEnableExtendedRules); }, true},
        {"chkRBLMultiHit", [] { Click(IDC_chkRBLMultiHit); }, true},
        {"cmbRuleUpdFreq", [] { Choose(IDC_cmbRuleUpdFreq, 3); }, true},
        {"chkDoNotRemoveScanned", [] { Click(IDC_chkDoNotRemoveScanned); }, false},
        {"cmbOEScanFrequency", [] { Choose(IDC_cmbOEScanFrequency, 0); }, false},
        {"optHighTrainingWeight", [] { Click(IDC_optHighTrainingWeight); }, true},
        {"optLowTrainingWeight", [] { Click(IDC_optLowTrainingWeight); }, true},
        {"txtSubjModThreshold", [] { Type(IDC_txtSubjModThreshold, "60"); }, true},
        {"txtInPort", [] { Type(IDC_txtInPort, "110"); }, true},
        {"txtProxyServer", [] { Type(IDC_txtProxyServer, "p"); }, true},
        {"txtRBLTimeout", [] { Type(IDC_txtRBLTimeout, "9"); }, true},
        {"txtOEBlockFolderName", [] { Type(IDC_txtOEBlockFolderName, "Junk"); }, true},
    };
    for (const Case& c : cases) {
        ClearChangeFlags();
        c.edit();
        EXPECT_TRUE(modMain::gSettingsChanged) << c.what;
        EXPECT_TRUE(ApplyEnabled()) << c.what;
        EXPECT_EQ(modMain::gRestartNeeded, c.restartNeeded) << c.what;
    }
}

TEST_F(SettingsEdits, ApplySavesAnEditThatNeedsNoRestart) {
    ClearChangeFlags();
    Choose(IDC_cmbOEScanFrequency, 0);
    Click(IDC_cmdOK);
    EXPECT_NE(SavedConf().find("oe_scan_frequency=30\r\n"), std::string::npos);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(modMain::gSettingsChanged);
}

TEST_F(SettingsEdits, ApplyWithNothingChangedWritesNothing) {
    ClearChangeFlags();
    Click(IDC_cmdOK);
    EXPECT_EQ(SavedConf(), kSeed);
}

TEST_F(SettingsEdits, CancelWritesNothingAndShowsTheSavedValuesAgain) {
    Type(IDC_txtInPort, "9999");
    Type(IDC_txtMsgModThreshold, "40");
    Click(IDC_cmdCancel);
    EXPECT_EQ(SavedConf(), kSeed);
    EXPECT_FALSE(modMain::gSettingsChanged || modMain::gRestartNeeded);
    EXPECT_EQ(Form().Window(), nullptr) << "the window is unloaded";
}

TEST_F(SettingsEdits, OkSavesAndClosesButARefusedFieldKeepsTheWindowWithItsEdits) {
    Type(IDC_txtInPort, "port");
    Type(IDC_txtMinTraining, "120");
    Click(IDC_cmdOK2);
    ASSERT_NE(Form().Window(), nullptr) << "still loaded";
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter a numeric value.");
    EXPECT_EQ(boxes[0].title, "Inbound Listening Port");
    EXPECT_EQ(Text(IDC_txtMinTraining), "120");
    EXPECT_EQ(SavedConf(), kSeed);

    Type(IDC_txtInPort, "-111");
    Click(IDC_cmdOK2);
    EXPECT_EQ(Form().Window(), nullptr);
    const std::string saved = FileSystem::ReadWholeFile(ConfPath("brindlecote.conf"));
    EXPECT_NE(saved.find("listen_port=111\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("min_training=120\r\n"), std::string::npos) << saved;
}

// ---- The threshold groups.

struct Group {
    const char* name;
    int text;
    int slider;
    int upDown;
    int firstOption;
    int description;
    const char* title;
};

const Group kGroups[] = {
    {"flag", IDC_txtMsgModThreshold, IDC_sldMsgModThreshold, IDC_udMsgModThreshold, IDC_optFlag1,
     IDC_lblStrengthDescFlag, "Spam Flagging Threshold"},
    {"subject", IDC_txtSubjModThreshold, IDC_sldSubjModThreshold, IDC_UpDown1, IDC_optSubjMod1, IDC_lblStrengthDesc,
     "Subject Modification Threshold"},
    {"mail client", IDC_txtOESpamThreshold, IDC_sldOESpamThreshold, IDC_udOESpamThreshold, IDC_optOESpamThresholdMod1,
     IDC_lblOESpamThresholdDesc, "Outlook Express Spam Threshold"},
};

int SelectedOption(const Group& g) {
    int selected = 0;
    for (int k = 1; k <= 4; ++k) {
        if (Checked(g.firstOption + k - 1)) {
            EXPECT_EQ(selected, 0) << g.name << ": one option at a time";
            selected = k;
        }
    }
    return selected;
}

int SliderOf(const Group& g) {
    return static_cast<int>(SendMessageA(Control(g.slider), TBM_GETPOS, 0, 0));
}

void PressUpDown(const Group& g, bool up) {
    NMUPDOWN press{};
    press.hdr.hwndFrom = Control(g.upDown);
    press.hdr.idFrom = static_cast<UINT_PTR>(g.upDown);
    press.hdr.code = UDN_DELTAPOS;
    press.iDelta = up ? 1 : -1;
    SendMessageA(GetParent(Control(g.upDown)), WM_NOTIFY, g.upDown, reinterpret_cast<LPARAM>(&press));
}

void MoveSlider(const Group& g, int position) {
    SendMessageA(Control(g.slider), TBM_SETPOS, TRUE, position);
    SendMessageA(GetParent(Control(g.slider)), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(Control(g.slider)));
}

TEST_F(SettingsEdits, TypingSelectsTheBandWithItsDescription) {
    struct Case {
        const char* text;
        int option;
        int description;
    };
    const Case cases[] = {{"65", 3, 192}, {"66", 3, 191}, {"79", 3, 191},  {"80", 2, 190},
                          {"89", 2, 190}, {"90", 1, 189}, {"100", 1, 189}, {"2", 3, 192}};
    for (const Group& g : kGroups) {
        for (const Case& c : cases) {
            Type(g.text, c.text);
            EXPECT_EQ(SliderOf(g), std::stoi(c.text)) << g.name << " " << c.text;
            EXPECT_EQ(SelectedOption(g), c.option) << g.name << " " << c.text;
            EXPECT_EQ(Text(g.description), LoadResText(c.description)) << g.name << " " << c.text;
        }
    }
}

TEST_F(SettingsEdits, ValuesOutsideTheSliderAndOneLeaveTheGroupAsItWas) {
    for (const Group& g : kGroups) {
        Type(g.text, "85");
        for (const char* text : {"0", "101", "abc", "1"}) {
            Type(g.text, text);
            EXPECT_EQ(SelectedOption(g), 2) << g.name << " " << text;
            EXPECT_EQ(Text(g.description), LoadResText(190)) << g.name << " " << text;
            // 1 is on the slider; the others never reach it.
            EXPECT_EQ(SliderOf(g), std::string(text) == "1" ? 1 : 85) << g.name << " " << text;
        }
    }
}

TEST_F(SettingsEdits, SliderAndUpDownPutTheirValueIntoTheBox) {
    for (const Group& g : kGroups) {
        MoveSlider(g, 72);
        EXPECT_EQ(Text(g.text), "72") << g.name;
        EXPECT_EQ(SelectedOption(g), 3) << g.name;
        MoveSlider(g, 1);
        EXPECT_EQ(Text(g.text), "1") << g.name;
        EXPECT_EQ(SelectedOption(g), 4) << g.name << ": the slider at 1 is Exclusive";
        EXPECT_EQ(Text(g.description), LoadResText(193)) << g.name;

        PressUpDown(g, false);
        EXPECT_EQ(Text(g.text), "1") << g.name << ": never below 1";
        PressUpDown(g, true);
        EXPECT_EQ(Text(g.text), "2") << g.name;
        EXPECT_EQ(SliderOf(g), 2) << g.name;
        Type(g.text, "100");
        PressUpDown(g, true);
        EXPECT_EQ(Text(g.text), "100") << g.name << ": never above 100";
        Type(g.text, "99.6");
        PressUpDown(g, true);
        EXPECT_EQ(Text(g.text), "100") << g.name;
        Type(g.text, "1.4");
        PressUpDown(g, false);
        EXPECT_EQ(Text(g.text), "1") << g.name;
    }
}

TEST_F(SettingsEdits, OptionsShowTheirDescriptionAndPutTheirPresetOnFocus) {
    for (const Group& g : kGroups) {
        ShowPageOf(g.text);
        SetFocus(Control(g.firstOption + 1));
        EXPECT_EQ(Text(g.text), "80") << g.name;
        EXPECT_EQ(SelectedOption(g), 2) << g.name;
        Click(g.firstOption + 3);
        EXPECT_EQ(Text(g.text), "1") << g.name;
        EXPECT_EQ(Text(g.description), LoadResText(193)) << g.name;
    }
}

TEST_F(SettingsEdits, LeavingAThresholdBoxAtOneSelectsExclusive) {
    const Group& g = kGroups[0];
    ShowPageOf(g.text);
    SetFocus(Control(g.text));
    Type(g.text, "1");
    EXPECT_EQ(SelectedOption(g), 3) << "still the loaded band while typing";
    SetFocus(Control(IDC_sldMsgModThreshold));
    EXPECT_EQ(SelectedOption(g), 4);
    EXPECT_EQ(Text(g.description), LoadResText(193));
}

// ---- Field checks and the focus.

TEST_F(SettingsEdits, ARefusedBoxKeepsTheFocusAndTheClickThatLeftItDoesNotAct) {
    struct Case {
        int box;
        const char* text;
        const char* message;
        const char* title;
    };
    const Case cases[] = {
        {IDC_txtMaxWordEntries, "", "Please enter a numeric value.", "Brindlecote Varnholt"},
        {IDC_txtMaxWordEntries, "99999999999", "Please enter a numeric value.", "Brindlecote Varnholt"},
        {IDC_txtProxyPort, "abc", "Please enter a numeric value.", "Proxy Port"},
        {IDC_txtInPort, "70000", "Please enter a numeric value.", "Inbound Listening Port"},
        {IDC_txtMsgModThreshold, "abc", "Please enter a numeric value.", "Spam Flagging Threshold"},
        {IDC_txtMsgModThreshold, "101", "Please enter a value from 1 to 100.", "Spam Flagging Threshold"},
        {IDC_txtSubjModThreshold, "", "Please enter a value from 1 to 100.", "Subject Modification Threshold"},
    };
    for (const Case& c : cases) {
        LoadWindow(kSeed);
        ShowPageOf(c.box);
        SetFocus(Control(c.box));
        Type(c.box, c.text);
        ASSERT_TRUE(ApplyEnabled());
        // The press on Apply takes the focus from the box first.
        Click(IDC_cmdOK);
        Pump();
        ASSERT_EQ(boxes.size(), 1u) << c.title << " " << c.text;
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].title, c.title);
        EXPECT_EQ(GetFocus(), Control(c.box)) << c.title << " " << c.text;
        EXPECT_EQ(SavedConf(), kSeed) << "Apply did not run";
        EXPECT_TRUE(modMain::gRestartNeeded);
    }
}

// A box refused at Apply may sit on a page the user is not on: its node is
// selected and its page shown before it takes the focus.
TEST_F(SettingsEdits, ARefusedBoxOnAnotherPageIsShownWithItsNode) {
    const struct {
        const char* line;
        int box;
        const char* node;
    } cases[] = {
        {"max_word_entries=abc\r\n", IDC_txtMaxWordEntries, "WordTraining"},
        {"rbl_timeout=\r\n", IDC_txtRBLTimeout, "RBLExpert"},
    };
    for (const auto& c : cases) {
        const std::string conf = std::string(kSeed) + c.line;
        LoadWindow(conf);
        Form().Show();
        Pump();
        ASSERT_FALSE(IsWindowVisible(GetParent(Control(c.box)))) << c.line;
        Choose(IDC_cmbOEScanFrequency, 0);
        Click(IDC_cmdOK);
        Pump();
        ASSERT_EQ(boxes.size(), 1u) << c.line;
        EXPECT_EQ(boxes[0].text, "Please enter a numeric value.");
        EXPECT_EQ(Form().SelectedKey(), c.node) << c.line;
        EXPECT_TRUE(IsWindowVisible(GetParent(Control(c.box)))) << c.line;
        EXPECT_EQ(GetFocus(), Control(c.box)) << c.line;
        EXPECT_EQ(SavedConf(), conf) << "nothing saved";
    }
}

// Requests take the proxy as last applied, on and off again.
TEST_F(SettingsEdits, RequestsFollowTheProxySettingAtEveryApply) {
    modMain::gUseProxy = true;
    LoadWindow(kSeed);
    EXPECT_FALSE(modMain::gUseProxy) << "the file says no";

    SetNode("ProxySupport", true);
    Type(IDC_txtProxyServer, "proxy.example");
    Click(IDC_cmdOK);
    EXPECT_TRUE(modMain::gUseProxy);
    EXPECT_EQ(modMain::gProxyServer, "proxy.example");

    SetNode("ProxySupport", false);
    Choose(IDC_cmbOEScanFrequency, 1);
    Click(IDC_cmdOK);
    EXPECT_FALSE(modMain::gUseProxy);
    EXPECT_NE(SavedConf().find("use_proxy_server=no\r\n"), std::string::npos) << SavedConf();
}

// Closing the window drops its unsaved edits; a refused value in a box is
// one of them, and once the window is going there is nothing to fix it in,
// so no field message shows, whether the box has the focus or not.
TEST_F(SettingsEdits, ClosingWithARefusedValueShowsNoFieldMessage) {
    const auto closeBox = [] { SendMessageA(Form().Window(), WM_CLOSE, 0, 0); };
    // Cancel's command as the keyboard gives it, with the focus left where it is.
    const auto cancel = [] {
        SendMessageA(Form().Window(), WM_COMMAND, MAKEWPARAM(IDC_cmdCancel, BN_CLICKED),
                     reinterpret_cast<LPARAM>(Control(IDC_cmdCancel)));
    };
    const auto focus = [](int id) { return [id] { SetFocus(Control(id)); }; };
    const struct {
        const char* name;
        int box;
        std::function<void()> before;
        std::size_t boxesBefore;
        std::function<void()> close;
    } cases[] = {
        {"focus in the port box", IDC_txtInPort, focus(IDC_txtInPort), 0, closeBox},
        {"focus in a threshold box", IDC_txtMsgModThreshold, focus(IDC_txtMsgModThreshold), 0, closeBox},
        {"focus elsewhere", IDC_txtInPort, [] { SetFocus(Form().mTreeHwnd); }, 0, closeBox},
        {"after a refused Apply", IDC_txtInPort,
         [] {
             SetFocus(Control(IDC_txtInPort));
             Click(IDC_cmdOK);
         },
         1, closeBox},
        {"Cancel from the keyboard", IDC_txtInPort, focus(IDC_txtInPort), 0, cancel},
    };
    for (const auto& c : cases) {
        LoadWindow(kSeed);
        ShowPageOf(c.box);
        Type(c.box, "abc");
        c.before();
        Pump();
        ASSERT_EQ(boxes.size(), c.boxesBefore) << c.name;
        c.close();
        Pump();
        EXPECT_EQ(boxes.size(), c.boxesBefore) << c.name << ": " << (boxes.empty() ? "" : boxes.back().text);
        EXPECT_EQ(Form().Window(), nullptr) << c.name;
        EXPECT_EQ(SavedConf(), kSeed) << c.name;
    }
}

TEST_F(SettingsEdits, LeavingTheListeningPortWritesItsWholeAbsoluteValue) {
    const std::pair<const char*, const char*> cases[] = {{"-110", "110"}, {"24.5", "24"}, {"110.6", "111"}};
    ShowPageOf(IDC_txtInPort);
    for (const auto& [typed, shown] : cases) {
        SetFocus(Control(IDC_txtInPort));
        Type(IDC_txtInPort, typed);
        SetFocus(Control(IDC_cmdOK));
        EXPECT_EQ(Text(IDC_txtInPort), shown) << typed;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsEdits, FolderNamesMustDifferWithoutRegardToCase) {
    ShowPageOf(IDC_txtOEBlockFolderName);
    Type(IDC_txtOEApproveFolderName, "Brindlecote");
    SetFocus(Control(IDC_txtOEBlockFolderName));
    Type(IDC_txtOEBlockFolderName, "BRINDLECOTE");
    SetFocus(Control(IDC_cmdOK));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, LoadResText(301));
    EXPECT_EQ(GetFocus(), Control(IDC_cmdOK)) << "the focus moves on";

    boxes.clear();
    SetFocus(Control(IDC_txtOEBlockFolderName));
    Type(IDC_txtOEBlockFolderName, "");
    SetFocus(Control(IDC_cmdOK));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SettingsEdits, SaveChecksTheProxyOnlyWhileItIsOn) {
    Type(IDC_txtProxyPort, "abc");
    Click(IDC_cmdOK);
    EXPECT_TRUE(boxes.empty());
    EXPECT_NE(SavedConf().find("proxy_port=abc\r\n"), std::string::npos);

    SetNode("ProxySupport", true);
    modMain::gRestartNeeded = true;
    Click(IDC_cmdOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Proxy Port");

    boxes.clear();
    Type(IDC_txtProxyPort, "8080");
    Type(IDC_txtProxyServer, "");
    Click(IDC_cmdOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter your proxy server.");
    EXPECT_EQ(boxes[0].title, "Proxy Server");
    EXPECT_EQ(SavedConf().find("proxy_port=8080"), std::string::npos) << "nothing saved";
}

}  // namespace
