#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "ConfFixture.h"
#include "KXProxyConf.h"
#include "ProgramTitle.h"

namespace {

using Entries = std::vector<std::string>;

// The keys Load fills in when the file lacks them.
const std::pair<const char*, const char*> kDefaults[] = {
    {"full_training_weight", "no"},
    {"spam_timeout", "5"},
    {"enable_rules", "yes"},
    {"extended_rules", "no"},
    {"extended_rules2", "no"},
    {"enable_word_training", "yes"},
    {"max_word_entries", "50000"},
    {"min_training", "100"},
    {"rbl_multi_hit", "no"},
    {"rbl_timeout", "5"},
    {"rbl_max_ips", "4"},
    {"rbl_threshold", "1:99"},
    {"auto_training_threshold", "20:80"},
    {"netcheck_threshold", "1:99"},
    {"spam_flag_threshold", "90"},
    {"spam_subject_threshold", "90"},
    {"spam_reject_threshold", "90"},
    {"enable_fingerprint_cache", "no"},
    {"training_write_buffer", "100"},
    {"add_scoring_summary", "no"},
};

class KXProxyConfTest : public ConfFixture {
protected:
    // The object the console makes: program directory = the scratch directory.
    std::unique_ptr<KXProxyConf> Loaded(const std::string& text) {
        WriteFile("conf/brindlecote.conf", text);
        auto conf = std::make_unique<KXProxyConf>(Dir());
        conf->ConfigurationFile(PathOf("conf/brindlecote.conf"));
        conf->Load();
        return conf;
    }
    std::string Saved() { return ReadFile("conf/brindlecote.conf"); }
    // The value of the key's line in the saved file; nullopt when it has none.
    std::optional<std::string> SavedLine(const std::string& key) {
        const std::string text = "\r\n" + Saved();
        const auto at = text.find("\r\n" + key + "=");
        if (at == std::string::npos) {
            return std::nullopt;
        }
        const auto start = at + 3 + key.size();
        return text.substr(start, text.find("\r\n", start) - start);
    }
};

// The eight lists of plain entries, by their operations.
struct PlainList {
    const char* key;
    Entries (KXProxyConf::*get)();
    std::int16_t (KXProxyConf::*add)(const std::string&);
    bool (KXProxyConf::*exists)(const std::string&);
    void (KXProxyConf::*remove)(const std::string&);
    void (KXProxyConf::*clear)();
};

const PlainList kPlainLists[] = {
    {"approved_ip_list", &KXProxyConf::Get_Approved_IPs, &KXProxyConf::AddApprovedIP, &KXProxyConf::ApprovedIPExists,
     &KXProxyConf::RemoveApprovedIP, &KXProxyConf::ClearApprovedIPs},
    {"blocked_ip_list", &KXProxyConf::Get_Blocked_IPs, &KXProxyConf::AddBlockedIP, &KXProxyConf::BlockedIPExists,
     &KXProxyConf::RemoveBlockedIP, &KXProxyConf::ClearBlockedIPs},
    {"ignored_ip_list", &KXProxyConf::Get_Ignored_IPs, &KXProxyConf::AddIgnoredIP, &KXProxyConf::IgnoredIPExists,
     &KXProxyConf::RemoveIgnoredIP, &KXProxyConf::ClearIgnoredIPs},
    {"rbl_list", &KXProxyConf::Get_RBL_List, &KXProxyConf::AddRBL, &KXProxyConf::RBLExists, &KXProxyConf::RemoveRBL,
     &KXProxyConf::ClearRBLList},
    {"available_rbl_list", &KXProxyConf::Get_Available_RBL_List, &KXProxyConf::AddAvailableRBL,
     &KXProxyConf::AvailableRBLExists, &KXProxyConf::RemoveAvailableRBL, &KXProxyConf::ClearAvailableRBLList},
    {"blocked_country_list", &KXProxyConf::Get_Blocked_Country_List, &KXProxyConf::AddBlockedCountry,
     &KXProxyConf::BlockedCountryExists, &KXProxyConf::RemoveBlockedCountry, &KXProxyConf::ClearBlockedCountryList},
    {"home_country_list", &KXProxyConf::Get_Ignored_Country_List, &KXProxyConf::AddIgnoredCountry,
     &KXProxyConf::IgnoredCountryExists, &KXProxyConf::RemoveIgnoredCountry, &KXProxyConf::ClearIgnoredCountryList},
    {"blocked_charset_list", &KXProxyConf::Get_Blocked_Charset_List, &KXProxyConf::AddBlockedCharset,
     &KXProxyConf::BlockedCharsetExists, &KXProxyConf::RemoveBlockedCharset, &KXProxyConf::ClearBlockedCharsetList},
};

void ClearAll(KXProxyConf& conf) {
    for (const PlainList& list : kPlainLists) {
        (conf.*list.clear)();
    }
    for (const std::string& server : conf.Get_Outgoing_Servers()) {
        conf.RemoveOutgoingServer(server);
    }
}

std::vector<std::string> Texts(const std::vector<Variant>& values) {
    std::vector<std::string> texts;
    for (const Variant& value : values) {
        texts.push_back(value.ToText());
    }
    return texts;
}

// ---- The file and its default

TEST_F(KXProxyConfTest, AMissingFileIsCopiedFromTheDefault) {
    WriteFile("conf/default_brindlecote.conf", "listen_port=9999\r\n");
    KXProxyConf conf(Dir());
    EXPECT_FALSE(conf.UseDefaultConf());
    conf.ConfigurationFile(PathOf("conf/brindlecote.conf"));
    EXPECT_TRUE(conf.UseDefaultConf());
    EXPECT_EQ(Saved(), "listen_port=9999\r\n");
    conf.Load();
    EXPECT_EQ(conf.GetValue("listen_port"), Variant("9999"));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(KXProxyConfTest, AnExistingFileIsNeverReplacedByTheDefault) {
    WriteFile("conf/default_brindlecote.conf", "listen_port=9999\r\n");
    WriteFile("conf/brindlecote.conf", "");
    KXProxyConf conf(Dir());
    conf.ConfigurationFile(PathOf("conf/brindlecote.conf"));
    EXPECT_FALSE(conf.UseDefaultConf());
    EXPECT_EQ(Saved(), "");
}

TEST_F(KXProxyConfTest, WithoutEitherFileTheUserIsToldAndDefaultsServe) {
    KXProxyConf conf(Dir());
    conf.ConfigurationFile(PathOf("conf/brindlecote.conf"));
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, "Can not find default_brindlecote.conf");
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(boxes_[0].title, ProgramTitle());
    EXPECT_FALSE(conf.UseDefaultConf());
    EXPECT_FALSE(conf.FileExists(PathOf("conf/brindlecote.conf")));

    conf.Load();
    EXPECT_EQ(conf.GetValue("min_training"), Variant("100"));
    EXPECT_EQ(conf.Get_Available_RBL_List().size(), 8u);
    ASSERT_TRUE(conf.Save());
    EXPECT_EQ(SavedLine("min_training"), "100");
}

// ---- Defaults

TEST_F(KXProxyConfTest, MissingKeysGetTheirDefaultsInMemoryOnly) {
    const auto conf = Loaded("# nothing yet\r\n");
    for (const auto& [key, value] : kDefaults) {
        EXPECT_EQ(conf->GetValue(key), Variant(value)) << key;
    }
    EXPECT_TRUE(conf->GetValue("listen_port").IsEmpty());
    EXPECT_EQ(Saved(), "# nothing yet\r\n");
}

TEST_F(KXProxyConfTest, AKeyWithAnEmptyValueKeepsItUntilSaveDropsIt) {
    auto conf = Loaded("spam_timeout=\r\nmin_training=7\r\n");
    EXPECT_EQ(conf->GetValue("spam_timeout"), Variant(""));
    EXPECT_EQ(conf->GetValue("min_training"), Variant("7"));
    ASSERT_TRUE(conf->Save());
    EXPECT_EQ(SavedLine("spam_timeout"), std::nullopt);

    KXProxyConf again(Dir());
    again.ConfigurationFile(PathOf("conf/brindlecote.conf"));
    again.Load();
    EXPECT_EQ(again.GetValue("spam_timeout"), Variant("5"));
}

TEST_F(KXProxyConfTest, ExtendedRulesMissingSetsBothRuleKeysToNo) {
    struct Case {
        const char* text;
        const char* extended;
        std::optional<std::string> extended2;
    };
    const Case cases[] = {
        {"extended_rules2=yes\r\n", "no", "no"},
        {"", "no", "no"},
        {"extended_rules=yes\r\nextended_rules2=yes\r\n", "yes", "yes"},
        {"extended_rules=yes\r\n", "yes", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto conf = Loaded(c.text);
        EXPECT_EQ(conf->GetValue("extended_rules"), Variant(c.extended)) << c.text;
        const Variant second = conf->GetValue("extended_rules2");
        EXPECT_EQ(second.IsEmpty() ? std::nullopt : std::optional(second.ToText()), c.extended2) << c.text;
    }
}

TEST_F(KXProxyConfTest, AvailableZonesFallBackToTheEightDefaults) {
    const Entries defaults = Loaded("")->Get_Available_RBL_List();
    ASSERT_EQ(defaults.size(), 8u);
    EXPECT_EQ(Loaded("available_rbl_list=\r\n")->Get_Available_RBL_List(), defaults);
    EXPECT_EQ(Loaded("available_rbl_list=only.example\r\n")->Get_Available_RBL_List(), Entries{"only.example"});
    EXPECT_TRUE(Loaded("")->Get_RBL_List().empty());
}

// ---- Lists in the file

TEST_F(KXProxyConfTest, EachListIsReadFromItsOwnKey) {
    std::string text = "outgoing_server=smtp.example\r\n";
    for (const PlainList& list : kPlainLists) {
        text += std::string(list.key) + "=" + list.key + "-b," + list.key + "-a\r\n";
    }
    const auto conf = Loaded(text);
    EXPECT_EQ(conf->Get_Outgoing_Servers(), Entries{"smtp.example:25"});
    for (const PlainList& list : kPlainLists) {
        EXPECT_EQ(((*conf).*list.get)(), (Entries{std::string(list.key) + "-a", std::string(list.key) + "-b"}))
            << list.key;
    }
}

TEST_F(KXProxyConfTest, ListValuesSplitAtCommasAndSaveSortedWithoutEmptyEntries) {
    struct Case {
        const char* value;
        Entries loaded;
        std::optional<std::string> saved;
    };
    const Case cases[] = {
        {" 10.0.0.2 , 10.0.0.1,10.0.0.3 ", {"10.0.0.1", "10.0.0.2", "10.0.0.3"}, "10.0.0.1,10.0.0.2,10.0.0.3"},
        {" 10.0.0.1 ", {" 10.0.0.1 "}, " 10.0.0.1 "},
        {"b,,a", {"", "a", "b"}, "a,b"},
        {"a,", {"", "a"}, "a"},
        {",", {"", ""}, std::nullopt},
        {"   ", {}, std::nullopt},
        {"B,a,b", {"a", "B", "b"}, "a,B,b"},
    };
    for (const Case& c : cases) {
        const auto conf = Loaded(std::string("approved_ip_list=") + c.value + "\r\n");
        EXPECT_EQ(conf->Get_Approved_IPs(), c.loaded) << c.value;
        ASSERT_TRUE(conf->Save());
        EXPECT_EQ(SavedLine("approved_ip_list"), c.saved) << c.value;
    }
}

TEST_F(KXProxyConfTest, OutgoingServersAreHostAndPortWithPort25ByDefault) {
    struct Case {
        const char* value;
        Entries servers;
        Entries ports;
        std::optional<std::string> saved;
    };
    const Case cases[] = {
        {"mail.b.example,mail.a.example:587",
         {"mail.a.example:587", "mail.b.example:25"},
         {"587", "25"},
         "mail.a.example:587,mail.b.example:25"},
        // A part without a host is no server: no ":25" entry appears.
        {"a,,b", {"a:25", "b:25"}, {"25", "25"}, "a:25,b:25"},
        {":110, c ,", {"c:25"}, {"25"}, "c:25"},
        {",", {}, {}, std::nullopt},
        {"h:", {"h:"}, {""}, "h:"},
        {"h:1:2", {"h:1:2"}, {"1:2"}, "h:1:2"},
    };
    for (const Case& c : cases) {
        const auto conf = Loaded(std::string("outgoing_server=") + c.value + "\r\n");
        EXPECT_EQ(conf->Get_Outgoing_Servers(), c.servers) << c.value;
        EXPECT_EQ(Texts(conf->Get_Outgoing_Ports()), c.ports) << c.value;
        ASSERT_TRUE(conf->Save());
        EXPECT_EQ(SavedLine("outgoing_server"), c.saved) << c.value;
    }
}

// ---- The operations of each list

TEST_F(KXProxyConfTest, EveryPlainListAddsTestsRemovesAndClearsItsOwnEntries) {
    for (const PlainList& list : kPlainLists) {
        SCOPED_TRACE(list.key);
        auto conf = Loaded("");
        KXProxyConf& c = *conf;
        ClearAll(c);

        EXPECT_EQ((c.*list.add)("Entry"), KXProxyConf::kAdded);
        EXPECT_EQ((c.*list.add)("entry"), KXProxyConf::kEntryPresent);
        EXPECT_EQ((c.*list.add)("   "), KXProxyConf::kEntryEmpty);
        EXPECT_EQ((c.*list.add)(""), KXProxyConf::kEntryEmpty);
        EXPECT_EQ((c.*list.add)("x,y"), KXProxyConf::kEntryHasSeparator);
        EXPECT_EQ((c.*list.add)(" spaced "), KXProxyConf::kAdded);
        EXPECT_TRUE((c.*list.exists)("ENTRY"));
        EXPECT_FALSE((c.*list.exists)("x,y"));
        EXPECT_FALSE((c.*list.exists)("spaced"));
        EXPECT_EQ((c.*list.get)(), (Entries{" spaced ", "Entry"}));

        // Only this list holds anything, and Save writes it under its own key.
        for (const PlainList& other : kPlainLists) {
            if (&other != &list) {
                EXPECT_TRUE((c.*other.get)().empty()) << other.key;
            }
        }
        ASSERT_TRUE(c.Save());
        EXPECT_EQ(SavedLine(list.key), " spaced ,Entry");
        EXPECT_EQ(SavedLine("outgoing_server"), std::nullopt);
        for (const PlainList& other : kPlainLists) {
            if (&other != &list) {
                EXPECT_EQ(SavedLine(other.key), std::nullopt) << other.key;
            }
        }

        (c.*list.remove)("absent");
        (c.*list.remove)("ENTRY");
        EXPECT_EQ((c.*list.get)(), Entries{" spaced "});
        (c.*list.clear)();
        EXPECT_TRUE((c.*list.get)().empty());
        ASSERT_TRUE(c.Save());
        EXPECT_EQ(SavedLine(list.key), std::nullopt);
    }
}

TEST_F(KXProxyConfTest, OutgoingServersAddTestAndRemoveWholeEntries) {
    auto conf = Loaded("");
    struct Case {
        const char* host;
        const char* port;
        std::int16_t result;
    };
    const Case cases[] = {
        {"mail.x.example", "", KXProxyConf::kAdded},
        {"MAIL.X.EXAMPLE", "25", KXProxyConf::kEntryPresent},
        {"  ", "110", KXProxyConf::kEntryEmpty},
        {"mail.y.example", "  ", KXProxyConf::kAdded},
        {"mail,z", "25", KXProxyConf::kEntryHasSeparator},
        {"mail.z", "1,2", KXProxyConf::kEntryHasSeparator},
        {"mail.z", "110", KXProxyConf::kAdded},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(conf->AddOutgoingServer(c.host, c.port), c.result) << c.host << " " << c.port;
    }
    EXPECT_EQ(conf->Get_Outgoing_Servers(), (Entries{"mail.x.example:25", "mail.y.example:25", "mail.z:110"}));
    EXPECT_EQ(Texts(conf->Get_Outgoing_Ports()), (Entries{"25", "25", "110"}));
    EXPECT_TRUE(conf->OutgoingServerExists("Mail.X.example", "25"));
    EXPECT_FALSE(conf->OutgoingServerExists("mail.x.example", ""));

    conf->RemoveOutgoingServer("mail.x.example");
    EXPECT_EQ(conf->Get_Outgoing_Servers().size(), 3u);
    conf->RemoveOutgoingServer("mail.x.example:25");
    EXPECT_EQ(conf->Get_Outgoing_Servers(), (Entries{"mail.y.example:25", "mail.z:110"}));
}

TEST_F(KXProxyConfTest, WriteValueReachesTheFileButNotMemory) {
    auto conf = Loaded("# c\r\nlisten_port=8110\r\n");
    ASSERT_TRUE(conf->WriteValue("listen_port", "9000"));
    EXPECT_EQ(Saved(), "# c\r\nlisten_port=9000\r\n");
    EXPECT_EQ(conf->GetValue("listen_port"), Variant("8110"));
    conf->SetValue("listen_port", "9001");
    EXPECT_EQ(conf->GetValue("listen_port"), Variant("9001"));
}

// ---- The default file shipped beside the programs

TEST_F(KXProxyConfTest, ShippedDefaultNamesEveryKeyWithCrLfLineEnds) {
    const std::string text = FileSystem::ReadWholeFile(SHIPPED_DEFAULT_CONF);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare LF at " << i;
        } else if (text[i] == '\r') {
            ASSERT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "bare CR at " << i;
        }
    }

    Conf conf;
    conf.ConfigFile(SHIPPED_DEFAULT_CONF);
    conf.Load();
    for (const PlainList& list : kPlainLists) {
        EXPECT_TRUE(conf.KeyExists(list.key)) << list.key;
    }
    for (const auto& [key, value] : kDefaults) {
        EXPECT_TRUE(conf.KeyExists(key)) << key;
    }
    // The other keys the settings window reads and writes.
    const char* const windowKeys[] = {
        "enable_upgrade_notification",
        "listen_port",
        "ruleupdate",
        "netcheck",
        "spam_subject",
        "spam_flag",
        "oe_spam",
        "oe_spam_threshold",
        "spam_timeout_value",
        "use_proxy_server",
        "restrict_to_me",
        "enable_oe_plugin",
        "oe_scan",
        "oe_save_scanned_addresses",
        "oe_scan_frequency",
        "proxy_server",
        "proxy_port",
        "dbg_verbose_level",
    };
    for (const char* key : windowKeys) {
        EXPECT_TRUE(conf.KeyExists(key)) << key;
    }
}

TEST_F(KXProxyConfTest, ShippedDefaultHoldsTheDefaultsAndLosesOnlyEmptyLinesOnSave) {
    const std::string text = FileSystem::ReadWholeFile(SHIPPED_DEFAULT_CONF);
    const Entries zones = Loaded("")->Get_Available_RBL_List();
    const auto shipped = Loaded(text);
    for (const auto& [key, value] : kDefaults) {
        EXPECT_EQ(shipped->GetValue(key), Variant(value)) << key;
    }
    EXPECT_EQ(shipped->Get_Available_RBL_List(), zones);

    // Only the lines of empty values go: an empty setting has no line once saved.
    std::string expected;
    for (const std::string& line : FileSystem::SplitLines(text)) {
        if (line.empty() || line.back() != '=') {
            expected += line + "\r\n";
        }
    }
    ASSERT_TRUE(shipped->Save());
    EXPECT_EQ(Saved(), expected);
}

}  // namespace
