#include "RegOp.h"
#include "Resources.h"
#include "SavedRegistryValue.h"
#include "SettingsWindowFixture.h"
#include "TextCompare.h"

namespace {

// Every key the window shows, with comments and an order of its own.
const char kSeed[] =
    "# Brindlecote daemon settings\r\n"
    "listen_port=8110\r\n"
    "enable_upgrade_notification=yes\r\n"
    "ruleupdate=86400\r\n"
    "netcheck=yes\r\n"
    "\r\n"
    "# thresholds\r\n"
    "spam_subject=0\r\n"
    "spam_subject_threshold=85\r\n"
    "spam_flag=70\r\n"
    "spam_flag_threshold=70\r\n"
    "oe_spam=95\r\n"
    "oe_spam_threshold=95\r\n"
    "spam_timeout=7\r\n"
    "spam_timeout_value=7\r\n"
    "use_proxy_server=no\r\n"
    "restrict_to_me=yes\r\n"
    "enable_oe_plugin=yes\r\n"
    "oe_scan=no\r\n"
    "oe_save_scanned_addresses=yes\r\n"
    "oe_scan_frequency=60\r\n"
    "proxy_server=proxy.example.com\r\n"
    "proxy_port=3128\r\n"
    "enable_word_training=no\r\n"
    "max_word_entries=40000\r\n"
    "min_training=150\r\n"
    "enable_rules=yes\r\n"
    "extended_rules=yes\r\n"
    "extended_rules2=yes\r\n"
    "rbl_multi_hit=no\r\n"
    "rbl_timeout=6\r\n"
    "rbl_max_ips=3\r\n"
    "rbl_threshold=2:98\r\n"
    "auto_training_threshold=25:75\r\n"
    "netcheck_threshold=3:97\r\n"
    "add_scoring_summary=yes\r\n"
    "full_training_weight=yes\r\n"
    "spam_reject_threshold=90\r\n"
    "enable_fingerprint_cache=no\r\n"
    "training_write_buffer=100\r\n"
    "approved_ip_list=10.0.0.1\r\n"
    "available_rbl_list=bl.example.org,zen.example.org\r\n"
    "rbl_list=zen.example.org\r\n";

std::string Replaced(std::string text, const std::vector<std::pair<std::string, std::string>>& lines) {
    for (const auto& [from, to] : lines) {
        const auto at = text.find(from + "\r\n");
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

class SettingsLoadSave : public SettingsWindow {};

TEST_F(SettingsLoadSave, LoadShowsEveryKeyInItsControl) {
    LoadWindow(kSeed);
    const std::pair<int, const char*> texts[] = {
        {IDC_txtInPort, "8110"},
        {IDC_txtSubjModThreshold, "85"},
        {IDC_txtMsgModThreshold, "70"},
        {IDC_txtOESpamThreshold, "95"},
        {IDC_txtMaxTimeoutSpamChk, "7"},
        {IDC_txtProxyServer, "proxy.example.com"},
        {IDC_txtProxyPort, "3128"},
        {IDC_txtMaxWordEntries, "40000"},
        {IDC_txtMinTraining, "150"},
        {IDC_txtRBLTimeout, "6"},
        {IDC_txtMaxRBLIPs, "3"},
        {IDC_txtMinRBLThreshold, "2"},
        {IDC_txtMaxRBLThreshold, "98"},
        {IDC_txtMinAutoTrainingThreshold, "25"},
        {IDC_txtMaxAutoTrainingThreshold, "75"},
        {IDC_txtMinNetcheckThreshold, "3"},
        {IDC_txtMaxNetcheckThreshold, "97"},
    };
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(Text(id), text) << id;
    }
    const std::pair<const char*, bool> nodes[] = {
        {"NotificationUpgrades", true},
        {"RuleUpdate", true},
        {"Netcheck", true},
        {"SubjectModification", false},
        {"SpamFlagging", true},
        {"OESpamThreshold", true},
        {"ScoringTimeout", true},
        {"ProxySupport", false},
        {"EnableOEPlugin", true},
        {"ScanOE", false},
        {"WordTraining", false},
        {"EnableRules", true},
    };
    for (const auto& [key, on] : nodes) {
        EXPECT_EQ(NodeOn(key), on) << key;
    }
    const std::pair<int, bool> checks[] = {
        {IDC_chkDoNotRemoveScanned, true},
        {IDC_chkEnableExtendedRules, true},
        {IDC_chkRBLMultiHit, false},
        {IDC_chkAddScoringSummary, true},
        {IDC_optHighTrainingWeight, true},
        {IDC_optLowTrainingWeight, false},
        {IDC_optSubjMod2, true},
        {IDC_optFlag3, true},
        {IDC_optOESpamThresholdMod1, true},
    };
    for (const auto& [id, checked] : checks) {
        EXPECT_EQ(Checked(id), checked) << id;
    }
    EXPECT_EQ(ComboIndex(IDC_cmbRuleUpdFreq), 2);
    EXPECT_EQ(ComboIndex(IDC_cmbOEScanFrequency), 1);
    EXPECT_EQ(SendMessageA(Control(IDC_sldSubjModThreshold), TBM_GETPOS, 0, 0), 85);
    EXPECT_FALSE(ApplyEnabled()) << "loading is no edit";
    EXPECT_FALSE(modMain::gSettingsChanged || modMain::gRestartNeeded);
}

TEST_F(SettingsLoadSave, ApplyRewritesEveryKeyKeepingCommentsOrderAndTheFilesOwnKeys) {
    LoadWindow(kSeed);
    Type(IDC_txtInPort, "9110");
    SetNode("RuleUpdate", false);
    SetNode("SubjectModification", true);
    Type(IDC_txtSubjModThreshold, "88");
    SetNode("SpamFlagging", false);
    SetNode("ScoringTimeout", false);
    Click(IDC_chkDoNotRemoveScanned);
    Choose(IDC_cmbOEScanFrequency, 2);
    Type(IDC_txtMaxRBLThreshold, "96");
    Click(IDC_optLowTrainingWeight);
    SetNode("ScanOE", true);
    Click(IDC_cmdOK);

    const std::string expected = Replaced(kSeed, {
                                                     {"listen_port=8110", "listen_port=9110"},
                                                     {"ruleupdate=86400", "ruleupdate=0"},
                                                     {"spam_subject=0", "spam_subject=88"},
                                                     {"spam_subject_threshold=85", "spam_subject_threshold=88"},
                                                     {"spam_flag=70", "spam_flag=0"},
                                                     {"spam_timeout=7", "spam_timeout=0"},
                                                     {"oe_scan=no", "oe_scan=yes"},
                                                     {"oe_save_scanned_addresses=yes", "oe_save_scanned_addresses=no"},
                                                     {"oe_scan_frequency=60", "oe_scan_frequency=1440"},
                                                     {"rbl_threshold=2:98", "rbl_threshold=2:96"},
                                                     {"full_training_weight=yes", "full_training_weight=no"},
                                                 });
    EXPECT_EQ(SavedConf(), expected);
    EXPECT_FALSE(ApplyEnabled());
    EXPECT_FALSE(modMain::gSettingsChanged || modMain::gRestartNeeded);
}

TEST_F(SettingsLoadSave, ASecondApplyWithoutEditsWritesTheSameFile) {
    LoadWindow(kSeed);
    SetNode("Netcheck", true);
    modMain::gRestartNeeded = true;
    Click(IDC_cmdOK);
    const std::string first = SavedConf();
    EXPECT_EQ(first, kSeed) << "every control shows what it saves";
}

// The file has no lock and Apply writes every setting the window holds: what
// another program wrote meanwhile to one of them is written over, and the
// window goes on showing what the file now holds.
TEST_F(SettingsLoadSave, ApplyWritesWhatTheWindowShowsOverWhatAnotherProgramWroteMeanwhile) {
    const struct {
        const char* name;
        // The user's edits after the other program's write.
        std::vector<std::pair<int, std::string>> typed;
        std::string saved;
    } cases[] = {
        {"another setting edited", {{IDC_txtRBLTimeout, "9"}}, Replaced(kSeed, {{"rbl_timeout=6", "rbl_timeout=9"}})},
        {"the port typed away and back", {{IDC_txtInPort, "8111"}, {IDC_txtInPort, "8110"}}, kSeed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoadWindow(kSeed);
        FileSystem::WriteWholeFile(ConfPath("brindlecote.conf"),
                                   Replaced(kSeed, {{"listen_port=8110", "listen_port=8123"}}));
        for (const auto& [id, text] : c.typed) {
            Type(id, text);
        }
        Click(IDC_cmdOK);
        EXPECT_EQ(SavedConf(), c.saved);
        EXPECT_NE(SavedConf().find("\r\nlisten_port=" + Text(IDC_txtInPort) + "\r\n"), std::string::npos)
            << "the window shows what the file holds";
    }
}

// Keys another program removed after the load are written again, at the end
// in key order, as keys the file lacks are; the kept restrict_to_me among
// them with the value it had.
TEST_F(SettingsLoadSave, ApplyWritesAgainTheKeysAnotherProgramRemovedMeanwhile) {
    LoadWindow(kSeed);
    const std::string removed =
        Replaced(kSeed, {
                            {"restrict_to_me=yes\r\nenable_oe_plugin=yes", "enable_oe_plugin=yes"},
                            {"proxy_server=proxy.example.com\r\nproxy_port=3128", "proxy_port=3128"},
                        });
    FileSystem::WriteWholeFile(ConfPath("brindlecote.conf"), removed);
    Type(IDC_txtRBLTimeout, "9");
    Click(IDC_cmdOK);
    EXPECT_EQ(SavedConf(), Replaced(removed, {{"rbl_timeout=6", "rbl_timeout=9"}}) +
                               "proxy_server=proxy.example.com\r\nrestrict_to_me=yes\r\n");
}

TEST_F(SettingsLoadSave, ValuesThatCannotBeShownAreLoggedShownAsDefaultsAndLoadingGoesOn) {
    LoadWindow(
        "ruleupdate=hourly\r\n"
        "spam_flag_threshold=high\r\n"
        "rbl_threshold=5\r\n"
        "auto_training_threshold=30:70\r\n"
        "add_scoring_summary=yes\r\n"
        "full_training_weight=yes\r\n");
    int errorLines = 0;
    for (const std::string& line : logLines) {
        errorLines += line.rfind("PopulateForm() Error 13 ", 0) == 0;
    }
    EXPECT_EQ(errorLines, 3);
    EXPECT_FALSE(NodeOn("RuleUpdate"));
    EXPECT_EQ(Text(IDC_txtMsgModThreshold), "90");
    EXPECT_EQ(Text(IDC_txtMinRBLThreshold), "1");
    EXPECT_EQ(Text(IDC_txtMaxRBLThreshold), "99");
    EXPECT_EQ(Text(IDC_txtMinAutoTrainingThreshold), "30") << "keys after the bad one still load";
    EXPECT_TRUE(Checked(IDC_chkAddScoringSummary));
    EXPECT_TRUE(Checked(IDC_optHighTrainingWeight));
}

TEST_F(SettingsLoadSave, AMegabyteOfDigitsIsRefusedNamingItsSettingAndTheWindowOpens) {
    const std::string digits = "8110" + std::string(1 << 20, '1');
    const std::string conf = "listen_port=" + digits + "\r\nruleupdate=" + digits +
                             "\r\nspam_flag_threshold=" + digits + "\r\nrbl_threshold=" + digits + ":" + digits +
                             "\r\n";
    LoadWindow(conf);
    std::vector<std::string> errorLines;
    for (const std::string& line : logLines) {
        if (line.rfind("PopulateForm() Error 13 ", 0) == 0) {
            errorLines.push_back(line);
        }
    }
    std::vector<std::string> expected;
    for (const char* key : {"listen_port", "ruleupdate", "spam_flag_threshold", "rbl_threshold"}) {
        expected.push_back(std::string("PopulateForm() Error 13 ") + key +
                           ": Type mismatch: 1048580 characters, too long for a number");
    }
    EXPECT_EQ(errorLines, expected);
    EXPECT_EQ(Text(IDC_txtInPort), "");
    EXPECT_EQ(Text(IDC_txtMsgModThreshold), "90");
    EXPECT_EQ(Text(IDC_txtMinRBLThreshold), "1");

    modMain::gRestartNeeded = true;
    Click(IDC_cmdOK);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please enter a numeric value.");
    EXPECT_EQ(boxes[0].title, "Inbound Listening Port");
    const std::string saved = SavedConf();
    EXPECT_NE(saved.find(conf), std::string::npos) << "a refused value saves nothing";
}

// A megabyte in a box's setting: the window opens without it, logs the key
// (not the value), and Apply or OK keep the file's value until the user
// types into that box.
TEST_F(SettingsLoadSave, AMegabyteInATextBoxIsRefusedByKeyAndKeptUntilTheBoxIsEdited) {
    const std::string digits(1 << 20, '1');
    struct Case {
        const char* seeded;  // the seed's line of the key
        const char* key;
        int box;
        const char* shown;  // what the box shows instead
        const char* refusal;
        bool asksForNumber;  // a number box that must hold one to save
        const char* typed;
        const char* savedTyped;
    };
    const Case cases[] = {
        {"proxy_server=proxy.example.com", "proxy_server", IDC_txtProxyServer, "",
         "1048576 characters, too long for a host name", false, "proxy.example.net", "proxy_server=proxy.example.net"},
        {"proxy_port=3128", "proxy_port", IDC_txtProxyPort, "", "1048576 characters, too long for a number", false,
         "8080", "proxy_port=8080"},
        {"rbl_threshold=2:98", "rbl_threshold", IDC_txtMinRBLThreshold, "1",
         "1048576 characters, too long for a number", false, "3", "rbl_threshold=3:99"},
        {"max_word_entries=40000", "max_word_entries", IDC_txtMaxWordEntries, "",
         "1048576 characters, too long for a number", true, "50000", "max_word_entries=50000"},
    };
    const auto boxTexts = [this] {
        std::string texts;
        for (const MsgBoxRequest& box : boxes) {
            texts += box.title + ": " + box.text + "\n";
        }
        return texts;
    };
    for (const Case& c : cases) {
        const std::string line =
            std::string(c.key) + "=" + digits + (std::string(c.key) == "rbl_threshold" ? ":98" : "");
        const std::string conf = Replaced(kSeed, {{c.seeded, line}});
        for (int button : {IDC_cmdOK, IDC_cmdOK2}) {
            LoadWindow(conf);
            std::vector<std::string> errorLines;
            for (const std::string& logged : logLines) {
                if (logged.rfind("PopulateForm() Error ", 0) == 0) {
                    errorLines.push_back(logged);
                }
            }
            EXPECT_EQ(errorLines, std::vector<std::string>{"PopulateForm() Error 13 " + std::string(c.key) +
                                                           ": Type mismatch: " + c.refusal})
                << c.key;
            EXPECT_EQ(Text(c.box), c.shown) << c.key;

            Type(IDC_txtMinTraining, "120");
            Click(button);
            // Compared whole, not shown: a megabyte would bury the message.
            if (c.asksForNumber) {
                EXPECT_EQ(boxTexts(), "Brindlecote Varnholt: Please enter a numeric value.\n") << c.key;
                EXPECT_TRUE(SavedConf() == conf) << c.key << ": nothing is saved";
            } else {
                EXPECT_EQ(boxTexts(), "") << c.key;
                EXPECT_TRUE(SavedConf() == Replaced(conf, {{"min_training=150", "min_training=120"}}))
                    << c.key << ": the refused value is kept, the edit saved";
            }
        }
        LoadWindow(conf);
        Type(c.box, c.typed);
        Click(IDC_cmdOK);
        EXPECT_TRUE(SavedConf() == Replaced(conf, {{line, c.savedTyped}}))
            << c.key << ": what the user typed replaces it";
    }
}

// The user cannot type more into a box than its value may hold.
TEST_F(SettingsLoadSave, ABoxTakesNoMoreThanItsValueMayHold) {
    LoadWindow("listen_port=8110\r\n");
    const std::string pasted(300, '7');
    for (const auto& [box, longest] : std::vector<std::pair<int, std::size_t>>{{IDC_txtProxyServer, 255},
                                                                               {IDC_txtInPort, 64},
                                                                               {IDC_txtMaxRBLThreshold, 64},
                                                                               {IDC_txtMsgModThreshold, 64}}) {
        SendMessageA(Control(box), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        SendMessageA(Control(box), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        EXPECT_EQ(Text(box), pasted.substr(0, longest)) << box;
    }
}

TEST_F(SettingsLoadSave, FirstRunDefaultsForTheMailClientThresholdAndTheConfirmationSetting) {
    // Taken away for the test and put back afterwards, so no choice of the
    // test is left behind in the prefix.
    const std::string senderDialogKey = LoadResText(418);
    const SavedRegistryValue senderDialog(senderDialogKey.c_str(), "showsenderdialog", HKEY_CURRENT_USER);
    LoadWindow("listen_port=110\r\nspam_subject_threshold=70\r\nspam_timeout=6\r\nspam_timeout_value=\r\n");
    EXPECT_EQ(Text(IDC_txtMaxTimeoutSpamChk), "6") << "an empty value shows the timeout";
    EXPECT_EQ(Text(IDC_txtOESpamThreshold), "70");
    EXPECT_TRUE(NodeOn("OESpamThreshold"));
    const std::string file = SavedConf();
    EXPECT_NE(file.find("oe_spam_threshold=70\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("oe_spam=70\r\n"), std::string::npos) << file;
    EXPECT_TRUE(NodeOn("ConfirmBA"));
    EXPECT_TRUE(NodeOn("EnableOEPlugin")) << "an absent plug-in setting is on";
    RegOp registry;
    registry.root(HKEY_CURRENT_USER);
    registry.key(LoadResText(418));
    EXPECT_EQ(registry.Value("showsenderdialog").ToText(), "1");

    SetNode("ConfirmBA", false);
    SetNode("ScoringTimeout", true);
    Type(IDC_txtMaxTimeoutSpamChk, "0");
    Click(IDC_cmdOK);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(Text(IDC_txtMaxTimeoutSpamChk), "5");
    const std::string saved = SavedConf();
    EXPECT_NE(saved.find("spam_timeout=5\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("spam_timeout_value=5\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("enable_oe_plugin=yes\r\n"), std::string::npos) << saved;
    RegOp after;
    after.root(HKEY_CURRENT_USER);
    after.key(LoadResText(418));
    EXPECT_EQ(after.Value("showsenderdialog").ToText(), "0");
}

TEST_F(SettingsLoadSave, ListBoxesAndZonesAreWrittenBack) {
    LoadWindow(kSeed);
    HWND ips = Control(IDC_lstApprovedIPs);
    ASSERT_EQ(SendMessageA(ips, LB_GETCOUNT, 0, 0), 1) << "the IP list page loaded the list";
    SendMessageA(ips, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("192.168.1.0/24"));
    HWND zones = Control(IDC_lstRBLs);
    ASSERT_EQ(ListView_GetItemCount(zones), 2);
    for (int i = 0; i < 2; ++i) {
        ListView_SetCheckState(zones, i, TRUE);
    }
    modMain::gRestartNeeded = true;
    Click(IDC_cmdOK);
    const std::string saved = SavedConf();
    EXPECT_NE(saved.find("approved_ip_list=10.0.0.1,192.168.1.0/24\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("rbl_list=bl.example.org,zen.example.org\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("available_rbl_list=bl.example.org,zen.example.org\r\n"), std::string::npos) << saved;
}

TEST_F(SettingsLoadSave, CharsetAndCountryMarksAreWrittenBack) {
    LoadWindow("listen_port=110\r\nblocked_charset_list=gb2312\r\n");
    HWND countries = Control(IDC_lstBlockedCountries);
    LVFINDINFOA find{};
    find.flags = LVFI_STRING;
    find.psz = "France";
    const int france = ListView_FindItem(countries, -1, &find);
    ASSERT_GE(france, 0);
    ListView_SetCheckState(countries, france, TRUE);
    modMain::gRestartNeeded = true;
    Click(IDC_cmdOK);
    std::string saved = SavedConf();
    EXPECT_NE(saved.find("blocked_charset_list=gb2312\r\n"), std::string::npos) << saved;
    EXPECT_NE(LowerCase(saved).find("blocked_country_list=fr\r\n"), std::string::npos) << saved;

    Click(IDC_cmdBlockCharsetsUncheckAll);
    Click(IDC_cmdOK);
    saved = SavedConf();
    EXPECT_EQ(saved.find("blocked_charset_list"), std::string::npos) << "an empty list has no line: " << saved;
}

}  // namespace
