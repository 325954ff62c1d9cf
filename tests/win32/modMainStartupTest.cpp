// The console's start-up run in the test's own process, over a seeded
// configuration file in the conf directory beside the test.
#include <algorithm>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "ConfSamples.h"
#include "ModalDialogDriver.h"
#include "NotTextFiles.h"
#include "ProcessDriver.h"
#include "SavedRegistryKey.h"
#include "SavedRegistryValue.h"
#include "SettingsWindowFixture.h"
#include "frmNewRelease.h"
#include "frmNewReleaseIds.h"

namespace {

const char kOEKey[] = "Software\\Microsoft\\Outlook Express";
const char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kSenderDialogKey[] = "Software\\Quenmark\\OE_Plugin\\";
// Keeps the start-up from opening the launcher and the daemon, which the
// test's directory does not hold.
const char kPluginOff[] = "enable_oe_plugin=no\r\n";

std::string ConsoleLog() {
    return ReadWholeFile(ProgramPath("console.txt"));
}

std::optional<std::string> RegistryText(const char* key, const char* name) {
    char text[1024] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}

bool ValueThere(HKEY root, const char* key, const char* name) {
    return RegGetValueA(root, key, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// Recorders stand in for the launcher, the daemon and the scanner while the
// guard lives.
class RecordingPrograms {
public:
    RecordingPrograms() {
        for (const char* name : kNames) {
            CopyFileA(TestBinPath("StartRecorder.exe").c_str(), ProgramPath(std::string(name) + ".exe").c_str(), FALSE);
        }
        Forget();
    }
    RecordingPrograms(const RecordingPrograms&) = delete;
    RecordingPrograms& operator=(const RecordingPrograms&) = delete;
    ~RecordingPrograms() {
        for (const char* name : kNames) {
            DeleteFileA(ProgramPath(std::string(name) + ".exe").c_str());
        }
        Forget();
    }
    // The programs started since the last call, by name. The start-up opens
    // them before it returns, so once none runs no record can come later.
    std::vector<std::string> Started() {
        EXPECT_TRUE(
            WaitUntil([] {
                int running = 0;
                for (const char* name : kNames) {
                    running += ProcessesNamed(std::string(name) + ".exe");
                }
                return running == 0;
            }, 10000));
        std::vector<std::string> started;
        for (const char* name : kNames) {
            if (!ReadWholeFile(ProgramPath(std::string(name) + ".record")).empty()) {
                started.emplace_back(name);
            }
        }
        Forget();
        return started;
    }

private:
    static void Forget() {
        for (const char* name : kNames) {
            DeleteFileA(ProgramPath(std::string(name) + ".record").c_str());
        }
    }
    static constexpr const char* kNames[] = {"Launcher", "kx_daemon", "Pelwarden"};
};

class ConsoleStartup : public SettingsWindow {
protected:
    void TearDown() override {
        CloseWindow();
        modMain::gDebugMode = false;
        SettingsWindow::TearDown();
    }

    // The whole start-up over that configuration file, with a fresh log.
    void Start(const std::string& conf) {
        CloseWindow();
        ClearRecords();
        Seed(conf);
        modMain::Main();
        ASSERT_NE(Form().Window(), nullptr) << ConsoleLog();
    }
};

// With -debug, every numbered step of the object set-up is in the log, in
// order, so the log shows how far a failed set-up got.
TEST_F(ConsoleStartup, DebugLogNumbersEveryStepOfTheObjectSetUp) {
    modMain::gDebugMode = true;
    Start(kPluginOff);
    std::vector<std::string> steps;
    const std::regex step(R"( : (\d+)\r?$)");
    for (const std::string& line : FileSystem::SplitLines(ConsoleLog())) {
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
        const std::string log = ConsoleLog();
        EXPECT_EQ(log.find("Main() : Error"), std::string::npos) << log;
        EXPECT_NE(log.find(" : Loaded Startup Form"), std::string::npos) << c.value;
        // From level 8 on, the settings load writes its checkpoints.
        EXPECT_EQ(log.find(" : NetCheck\r\n") != std::string::npos, c.level >= 8) << c.value;
    }
}

// An install run of a mail client of version 5 or later records once that
// the account wizard has had its turn, when the window is cancelled.
TEST_F(ConsoleStartup, CancelAfterAnInstallRunMarksTheAccountWizardAsRun) {
    SavedRegistryValue ran(kProductKey, "RanOEWizard");
    struct Case {
        bool install;
        int oeVersion;
        const char* before;
        std::optional<std::string> after;
        bool marks;
    };
    const Case cases[] = {
        {true, 6, nullptr, "1", true},
        {true, 5, "0", "1", true},
        {true, 4, nullptr, std::nullopt, false},
        {false, 6, nullptr, std::nullopt, false},
        {true, 6, "1", "1", false},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.install ? "install" : "plain") + " OE " + std::to_string(c.oeVersion);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, "RanOEWizard");
        if (c.before) {
            ran.SetText(c.before);
        }
        LoadWindow(kPluginOff);
        modMain::gInstallMode = c.install;
        modMain::gOEMajorVersion = c.oeVersion;
        Click(IDC_cmdCancel);
        Pump();
        EXPECT_EQ(RegistryText(kProductKey, "RanOEWizard"), c.after) << name;
        // Marked once, the install run is over for the rest of the session.
        EXPECT_EQ(modMain::gInstallMode, c.install && !c.marks) << name;
    }
    modMain::gInstallMode = false;
}

// The first run, whose file has no plug-in setting yet, starts the plug-in
// launcher with Windows from then on; a file that says "no" does not.
TEST_F(ConsoleStartup, TheFirstRunPutsTheLauncherIntoTheRunKey) {
    SavedRegistryValue run(kRunKey, "OE_Plugin_Startup");
    LoadWindow("listen_port=8110\r\n");
    EXPECT_EQ(RegistryText(kRunKey, "OE_Plugin_Startup"),
              std::string("\"").append(FileSystem::ProgramDirectory()) + "\\Launcher.exe\"");

    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup");
    LoadWindow(kPluginOff);
    EXPECT_EQ(RegistryText(kRunKey, "OE_Plugin_Startup"), std::nullopt);
}

// A save that does not reach the file keeps the edits marked and says so.
TEST_F(ConsoleStartup, AFailedWriteSettingsKeepsApplyAvailable) {
    LoadWindow(std::string(kPluginOff) + "listen_port=8110\r\n");
    const std::string before = SavedConf();
    CreateDirectoryA(ConfPath("brindlecote.conf.tmp").c_str(), nullptr);
    Type(IDC_txtInPort, "8111");
    Click(IDC_cmdOK);
    RemoveDirectoryA(ConfPath("brindlecote.conf.tmp").c_str());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Debug SaveSettings");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(modMain::gSettingsChanged);
    EXPECT_EQ(SavedConf(), before);
    EXPECT_TRUE(std::any_of(logLines.begin(), logLines.end(), [](const std::string& line) {
        return line.rfind("Conf.Save() Error 75 : ", 0) == 0;
    })) << testing::PrintToString(logLines);
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

// What the console holds of a file it could not read are defaults, not the
// user's settings: it starts no program and writes no registry value on
// their strength, and Apply and OK say the file cannot be read, whatever the
// boxes hold.
TEST_F(ConsoleStartup, SettingsThatCannotBeReadAreNotActedOn) {
    RecordingPrograms programs;
    SavedRegistryValue run(kRunKey, "OE_Plugin_Startup");
    SavedRegistryValue usingOE(kProductKey, "UsingOE");
    SavedRegistryValue senderDialog(kSenderDialogKey, "showsenderdialog", HKEY_CURRENT_USER);
    // The same start-up over a file it can read starts both.
    Start("listen_port=8110\r\n");
    EXPECT_EQ(programs.Started(), (std::vector<std::string>{"Launcher", "kx_daemon"}));

    // Real files first: random bytes, unlike the samples holding
    // enable_oe_plugin=no, would start both.
    std::vector<ConfSamples::Sample> samples;
    for (const char* file :
         {NotTextFiles::kRandomBytes, NotTextFiles::kGzip, NotTextFiles::kBitmap, NotTextFiles::kProgram}) {
        samples.push_back(NotTextFiles::Sample(file));
    }
    for (ConfSamples::Sample& sample : ConfSamples::NotText("listen_port=8110\r\nenable_oe_plugin=no\r\n")) {
        samples.push_back(std::move(sample));
    }
    for (const ConfSamples::Sample& sample : samples) {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup");
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kSenderDialogKey, "showsenderdialog");
        usingOE.SetText("1");
        Start(sample.bytes);
        EXPECT_TRUE(programs.Started().empty()) << sample.name;
        EXPECT_FALSE(Form().ScanTimerEnabled()) << sample.name << ": the scan would start the scanner";
        EXPECT_FALSE(ValueThere(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup")) << sample.name;
        EXPECT_FALSE(ValueThere(HKEY_CURRENT_USER, kSenderDialogKey, "showsenderdialog")) << sample.name;
        EXPECT_EQ(RegistryText(kProductKey, "UsingOE"), "1") << sample.name << ": the request is not lost";

        for (int button : {IDC_cmdOK, IDC_cmdOK2, IDC_cmdOEScanNow}) {
            ClearRecords();
            Choose(IDC_cmbOEScanFrequency, 0);
            Click(button);
            ASSERT_EQ(boxes.size(), 1u) << sample.name;
            EXPECT_NE(boxes[0].text.find(ConfPath("brindlecote.conf") + " cannot be read as text"), std::string::npos)
                << sample.name << ": " << boxes[0].text;
            EXPECT_TRUE(ApplyEnabled()) << sample.name;
            EXPECT_TRUE(IsWindow(Form().Window())) << sample.name << ": OK keeps the window";
        }
        EXPECT_TRUE(programs.Started().empty()) << sample.name << ": Scan Now starts no scanner";
        EXPECT_TRUE(SavedConf() == sample.bytes) << sample.name;
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
    const std::string log = ConsoleLog();
    EXPECT_NE(log.find(" : " + ConfPath("brindlecote.conf") + " does not exist\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("Loaded Startup Form"), std::string::npos) << log;
    EXPECT_FALSE(FileSystem::FileExists(ConfPath("brindlecote.conf"))) << "nothing is written";
}

// A form still shown when the main window unloads goes with it: the release
// notice, which the window's load shows with no owner, among them.
TEST_F(ConsoleStartup, TheReleaseNoticeIsUnloadedWithTheMainWindow) {
    LoadWindow(kPluginOff);
    bool shownAfterClose = true;
    ModalDialogDriver driver(IDC_chkIgnore, [&](HWND notice) {
        SendMessageA(Form().Window(), WM_CLOSE, 0, 0);
        shownAfterClose = IsWindow(notice) && IsWindowVisible(notice);
    });
    frmNewRelease notice;
    notice.ReleaseVersion("9.9.9");
    notice.Show();
    ASSERT_TRUE(driver.Ran());
    EXPECT_FALSE(shownAfterClose);
    EXPECT_FALSE(driver.LeftOpen());
    EXPECT_EQ(Form().Window(), nullptr);
    EXPECT_NE(ConsoleLog().find(" : Application End"), std::string::npos);
}

}  // namespace
