// The console's whole start-up (modMain::Main) run in the test's own
// process, over a seeded configuration file in the conf directory beside
// the test.
#include <algorithm>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "ConfSamples.h"
#include "ConsoleStartupFixture.h"
#include "SavedRegistryKey.h"
#include "SavedRegistryValue.h"

namespace {

// With -debug, every numbered step of the object set-up is in the log, in
// order, so the log shows how far a failed set-up got.
TEST_F(ConsoleStartup, DebugLogNumbersEveryStepOfTheObjectSetUp) {
    modMain::gDebugMode = true;
    Start(kPluginOff);
    std::vector<std::string> steps;
    const std::regex step(R"( : (\d+)\r?$)");
    for (const std::string& line : FileSystem::SplitLines(ConsoleLogText())) {
        std::smatch match;
        if (std::regex_search(line, match, step)) {
            steps.push_back(match[1]);
        }
    }
    const std::vector<std::string> expected = {"1",  "2",  "3",  "5",  "6",  "7",  "8",  "9",  "11", "12", "13", "14",
                                               "15", "16", "17", "18", "19", "20", "21", "22", "23", "24", "25", "26"};
    EXPECT_EQ(steps, expected);
}

TEST_F(ConsoleStartup, OEVersionIsTheFirstDigitOfMediaVer) {
    SavedRegistryValue mediaVer(kOEKey, "MediaVer");
    struct Case {
        std::optional<std::string> value;
        int version;
        bool errorLine;
    };
    const Case cases[] = {
        {"6,00,2900,5512", 6, false}, {"5,50,4133,2400", 5, false}, {"4,72,3110,0", 4, false}, {"", 5, false},
        {std::nullopt, 5, false},     {"x6,00", 5, true},
    };
    for (const Case& c : cases) {
        logLines.clear();
        if (c.value) {
            mediaVer.SetText(*c.value);
        } else {
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kOEKey, "MediaVer");
        }
        const std::string name = c.value.value_or("(none)");
        EXPECT_EQ(modMain::OEVersion(), c.version) << name;
        if (c.errorLine) {
            ASSERT_EQ(logLines.size(), 1u) << name;
            EXPECT_EQ(logLines[0], "OEVersion() Error 13 : Type mismatch");
        } else {
            EXPECT_TRUE(logLines.empty()) << name;
        }
    }
}

// The start-up reads the product's switches and the mail client's version;
// reading makes neither key.
TEST_F(ConsoleStartup, TheStartUpCreatesNoKeyItOnlyReads) {
    const SavedRegistryKey product(kProductKey);
    const SavedRegistryKey mailClient(kOEKey);
    Start(kPluginOff);
    for (const char* key : {kProductKey, kOEKey}) {
        EXPECT_FALSE(SavedRegistryKey::Present(key)) << key;
    }
}

TEST_F(ConsoleStartup, TheScanTimerRunsUnlessTheScanIsSwitchedOff) {
    struct Case {
        const char* line;
        bool timer;
    };
    const Case cases[] = {
        {"oe_scan=yes\r\n", true}, {"", true}, {"oe_scan=\r\n", true}, {"oe_scan=no\r\n", false},
        {"oe_scan=NO\r\n", false},
    };
    for (const Case& c : cases) {
        Start(std::string(kPluginOff) + c.line);
        EXPECT_EQ(Form().ScanTimerEnabled(), c.timer) << c.line;
        // The timer itself, not only the flag: killing it finds it there.
        EXPECT_EQ(KillTimer(Form().Window(), 1) != FALSE, c.timer) << c.line;
    }
}

// A debug level that is not a number counts as 0; the console still starts.
TEST_F(ConsoleStartup, AVerboseLevelThatIsNoNumberCountsAsNought) {
    struct Case {
        const char* value;
        int level;
    };
    const Case cases[] = {{"12", 12}, {"8", 8}, {"abc", 0}, {"8x", 0}, {"", 0}};
    for (const Case& c : cases) {
        Start(std::string(kPluginOff) + "dbg_verbose_level=" + c.value + "\r\n");
        EXPECT_EQ(modMain::gDebugVerboseLevel, c.level) << c.value;
        const std::string log = ConsoleLogText();
        EXPECT_EQ(log.find("Main() : Error"), std::string::npos) << log;
        EXPECT_NE(log.find(" : Loaded Startup Form"), std::string::npos) << c.value;
        // From level 8 on, the settings load writes its checkpoints.
        EXPECT_EQ(log.find(" : NetCheck\r\n") != std::string::npos, c.level >= 8) << c.value;
    }
}

// The start-up writes the mail client's threshold when the file lacks it,
// and Apply rewrites the file: neither may change a byte of the lines around.
TEST_F(ConsoleStartup, StartUpAndApplyKeepEveryLineTheyDoNotChange) {
    for (const ConfSamples::Sample& sample : ConfSamples::UntouchedLines(4 << 20)) {
        const std::string& lines = sample.bytes;
        const std::string settings = std::string(kPluginOff) + "spam_subject_threshold=70\r\n";
        Start(lines + "listen_port=8110\r\n" + lines + settings);
        const std::string started = SavedConf();
        const std::string kept = lines + "listen_port=8110\r\n" + lines + settings;
        EXPECT_TRUE(started == kept + "oe_spam_threshold=70\r\noe_spam=70\r\n")
            << sample.name << ": " << started.size() << " bytes, not " << kept.size() + 40;

        Type(IDC_txtInPort, "8111");
        Click(IDC_cmdOK);
        const std::string applied = SavedConf();
        const std::string changed = lines + "listen_port=8111\r\n" + lines + settings;
        EXPECT_TRUE(applied.rfind(changed, 0) == 0) << sample.name << ": " << applied.size() << " bytes";
        EXPECT_TRUE(boxes.empty()) << sample.name << ": " << boxes[0].text;
    }
}

// A file saved as Unicode, or binary, is left exactly as it was by
// the start-up and by every Apply; the user is told once.
TEST_F(ConsoleStartup, AFileThatIsNotTextIsLeftAloneThroughStartUpAndApply) {
    for (const ConfSamples::Sample& sample : ConfSamples::NotText("listen_port=8110\r\nenable_oe_plugin=no\r\n")) {
        Start(sample.bytes);
        EXPECT_TRUE(SavedConf() == sample.bytes) << sample.name;
        ASSERT_EQ(boxes.size(), 1u) << sample.name;
        EXPECT_NE(boxes[0].text.find(ConfPath("brindlecote.conf") + " cannot be read as text"), std::string::npos)
            << boxes[0].text;
        const auto refusals = [&](const char* procedure) {
            return std::count_if(logLines.begin(), logLines.end(), [&](const std::string& line) {
                return line.rfind(std::string(procedure) + " Error 75 : ", 0) == 0 &&
                       line.find("cannot be read as text") != std::string::npos;
            });
        };
        EXPECT_EQ(refusals("Conf.WriteValue()"), 2) << sample.name << testing::PrintToString(logLines);

        for (const char* port : {"8111", "8112"}) {
            Type(IDC_txtInPort, port);
            Click(IDC_cmdOK);
        }
        EXPECT_TRUE(SavedConf() == sample.bytes) << sample.name;
        // Each Apply says why it saves nothing, without trying to.
        EXPECT_EQ(refusals("Conf.Save()"), 0) << sample.name;
        ASSERT_EQ(boxes.size(), 3u) << sample.name;
        EXPECT_EQ(boxes[1].text, boxes[0].text);
        EXPECT_EQ(boxes[2].text, boxes[0].text);
        EXPECT_TRUE(ApplyEnabled());
    }
}

// With neither the configuration nor its default there is nothing to run
// on: the user is told, and the console ends without a window.
TEST_F(ConsoleStartup, WithoutAnyConfigurationTheStartUpEnds) {
    CloseWindow();
    ClearRecords();
    Seed(kPluginOff);
    DeleteFileA(ConfPath("brindlecote.conf").c_str());
    const std::string defaultConf = ConfPath("default_brindlecote.conf");
    const bool hadDefault = MoveFileA(defaultConf.c_str(), (defaultConf + ".away").c_str()) != FALSE;
    modMain::Main();
    if (hadDefault) {
        MoveFileA((defaultConf + ".away").c_str(), defaultConf.c_str());
    }
    EXPECT_EQ(Form().Window(), nullptr);
    ASSERT_EQ(boxes.size(), 2u) << testing::PrintToString(logLines);
    EXPECT_EQ(boxes[0].text, "Can not find default_brindlecote.conf");
    EXPECT_EQ(boxes[1].text, "Problem initializing objects");
    const std::string log = ConsoleLogText();
    EXPECT_NE(log.find(" : " + ConfPath("brindlecote.conf") + " does not exist\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Loaded Startup Form"), std::string::npos) << log;
    EXPECT_FALSE(FileSystem::FileExists(ConfPath("brindlecote.conf"))) << "nothing is written";
}

}  // namespace
