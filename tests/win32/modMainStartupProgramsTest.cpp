// The console's start-up over a configuration file it cannot read: it
// starts none of the programs it would start over a file it can read. The
// launcher, the daemon and the scanner are recorders in the test's own
// directory, found by name like the stand-ins of other tests.
#include <string>
#include <utility>
#include <vector>

#include "ConfSamples.h"
#include "ConsoleStartupFixture.h"
#include "NotTextFiles.h"
#include "SavedRegistryValue.h"

namespace {

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
        EXPECT_TRUE(WaitUntil(
            [] {
                int running = 0;
                for (const char* name : kNames) {
                    running += ProcessesNamed(std::string(name) + ".exe");
                }
                return running == 0;
            },
            10000));
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

}  // namespace
