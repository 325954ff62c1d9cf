#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "RegOp.h"
#include "Resources.h"
#include "SavedRegistryValue.h"
#include "ScanSchedule.h"
#include "SettingsWindowFixture.h"
#include "modIPHostname.h"
#include "modService.h"

namespace {

// The stand-ins run from a program directory of this test's own, where
// they leave their records.
const ProgramLayout& Programs() {
    return ProgramLayout::Shared("window_daemon", {"kx_daemon.exe"});
}

constexpr ScanSchedule::ClockTime kScanNow{2026, 3, 10, 10, 45, 0};

const char kSeed[] = "listen_port=8110\r\nspam_timeout=5\r\nspam_timeout_value=5\r\nenable_oe_plugin=yes\r\n";

std::string ServiceState() {
    return modService::ServiceStatusText("BrindlecoteVarnholt", modIPHostname::GetLocalHostName());
}

std::string LastOEScan() {
    RegOp registry;
    registry.root(HKEY_LOCAL_MACHINE);
    registry.key(LoadResText(386));
    return registry.Value("LastOEScan").ToText();
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// The daemon stand-in installed as the service for each test.
class DaemonService : public SettingsWindow {
protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        DeleteFileA(RecordOf(Programs().Path("kx_daemon.exe")).c_str());
        RunDaemon("-install");
        LoadWindow(kSeed);
    }
    void TearDown() override {
        modService::ServiceStop("BrindlecoteVarnholt", modIPHostname::GetLocalHostName());
        WaitUntil([] { return ServiceState() == "Service Is Stopped"; }, 20000);
        RunDaemon("-uninstall");
        SettingsWindow::TearDown();
    }
    static void RunDaemon(const char* argument) {
        ChildProcess daemon(Programs().Path("kx_daemon.exe"), argument);
        ASSERT_TRUE(daemon.WaitForExit(20000));
    }
    static std::string Record() { return ReadWholeFile(RecordOf(Programs().Path("kx_daemon.exe"))); }
};

TEST_F(DaemonService, StartStopStartsAndStopsTheServiceAndShowsItsRealState) {
    EXPECT_EQ(Text(IDC_cmdStartStop), "Start Brindlecote");
    Click(IDC_cmdStartStop);
    EXPECT_EQ(ServiceState(), "Service Is Running");
    EXPECT_EQ(Text(IDC_cmdStartStop), "Stop Brindlecote");
    EXPECT_EQ(Count(Record(), "start service"), 1);

    Click(IDC_cmdStartStop);
    EXPECT_EQ(ServiceState(), "Service Is Stopped") << "the stop was waited for";
    EXPECT_EQ(Text(IDC_cmdStartStop), "Start Brindlecote");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Varnholt Client service has been stopped.");
    EXPECT_EQ(boxes[0].style, MsgBoxStyle::Information);
    EXPECT_EQ(boxes[0].title, "Brindlecote Admin Console") << "the program's title";
}

TEST_F(DaemonService, ApplyRestartsARunningDaemonForARestartWorthyEditOnly) {
    Click(IDC_cmdStartStop);
    ASSERT_EQ(ServiceState(), "Service Is Running");

    Choose(IDC_cmbOEScanFrequency, 0);
    Click(IDC_cmdOK);
    EXPECT_EQ(Count(Record(), "start service"), 1) << "the scan frequency needs no restart";

    Click(IDC_chkRBLMultiHit);
    Click(IDC_cmdOK);
    EXPECT_TRUE(WaitUntil([&] { return Count(Record(), "start service") == 2; }, 10000)) << Record();
    EXPECT_TRUE(WaitUntil([] { return ServiceState() == "Service Is Running"; }, 10000));
    EXPECT_NE(SavedConf().find("rbl_multi_hit=yes\r\n"), std::string::npos);
}

TEST_F(DaemonService, ApplyLeavesAStoppedDaemonStopped) {
    Click(IDC_chkRBLMultiHit);
    Click(IDC_cmdOK);
    EXPECT_EQ(ServiceState(), "Service Is Stopped");
    EXPECT_EQ(Record().find("start service"), std::string::npos);
}

TEST_F(DaemonService, ScanNowSavesStartsTheDaemonAndTheScannerAndNotesTheTime) {
    CopyFileA(DistPath("Launcher.exe").c_str(), ProgramPath("Pelwarden.exe").c_str(), FALSE);
    const SavedRegistryValue lastScan("Software\\Tessavane Varnholt Desktop Client", "LastOEScan");
    lastScan.SetText("2026-03-10 10:15:00");
    const std::string before = LastOEScan();
    const FixedClock clock(kScanNow);
    Choose(IDC_cmbOEScanFrequency, 0);
    Click(IDC_cmdOEScanNow);
    EXPECT_EQ(ServiceState(), "Service Is Running");
    EXPECT_EQ(Text(IDC_cmdStartStop), "Stop Brindlecote");
    std::uint32_t scanner = 0;
    EXPECT_TRUE(WaitUntil([&] { return modMain::IsProcessRunning("pelwarden", scanner); }, 10000));
    EXPECT_NE(LastOEScan(), before);
    EXPECT_FALSE(LastOEScan().empty());
    EXPECT_EQ(LastOEScan(), ScanSchedule::Format(kScanNow));
    EXPECT_NE(SavedConf().find("oe_scan_frequency=30\r\n"), std::string::npos);
    EndProcessesNamed("Pelwarden.exe");
}

// A LastOEScan of another type once raised an error out of the window
// procedure; the scan goes ahead and the time is stored as text.
TEST_F(DaemonService, ScanNowOverALastOEScanOfAnotherTypeScansAndTheWindowGoesOn) {
    CopyFileA(DistPath("Launcher.exe").c_str(), ProgramPath("Pelwarden.exe").c_str(), FALSE);
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, LoadResText(386).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const DWORD number = 1;
    RegSetValueExA(key, "LastOEScan", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    EXPECT_NO_THROW(Click(IDC_cmdOEScanNow));
    std::uint32_t scanner = 0;
    EXPECT_TRUE(WaitUntil([&] { return modMain::IsProcessRunning("pelwarden", scanner); }, 10000));
    DWORD type = REG_NONE;
    RegQueryValueExA(key, "LastOEScan", nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_TRUE(ScanSchedule::Parse(LastOEScan())) << LastOEScan();
    EXPECT_TRUE(IsWindow(Form().Window()));
    for (const std::string& line : logLines) {
        EXPECT_EQ(line.find("cmdOEScanNow_Click()"), std::string::npos) << line;
    }
    EndProcessesNamed("Pelwarden.exe");
}

TEST_F(DaemonService, ScanNowWithARefusedFieldStartsNothing) {
    CopyFileA(DistPath("Launcher.exe").c_str(), ProgramPath("Pelwarden.exe").c_str(), FALSE);
    const std::string before = LastOEScan();
    Type(IDC_txtInPort, "x");
    Click(IDC_cmdOEScanNow);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "Inbound Listening Port");
    EXPECT_EQ(ServiceState(), "Service Is Stopped");
    std::uint32_t scanner = 0;
    EXPECT_FALSE(modMain::IsProcessRunning("pelwarden", scanner));
    EXPECT_EQ(LastOEScan(), before);
}

// Windows 9x: the daemon is a process of the program directory.
class DaemonProcess : public SettingsWindow {
protected:
    void SetUp() override {
        SettingsWindow::SetUp();
        modMain::gPlatformId = 1;
        ASSERT_TRUE(CopyFileA(DistPath("kx_daemon.exe").c_str(), ProgramPath("kxvarnholt.exe").c_str(), FALSE));
        DeleteFileA(RecordOf(ProgramPath("kxvarnholt.exe")).c_str());
        LoadWindow(kSeed);
    }
    void TearDown() override {
        EndProcessesNamed("kxvarnholt.exe");
        SettingsWindow::TearDown();
        modMain::gPlatformId = 2;
    }
    static bool Running() {
        std::uint32_t id = 0;
        return modMain::IsProcessRunning("kxvarnholt", id);
    }
};

TEST_F(DaemonProcess, StartStopRunsTheProcessOnTheConfDirectoryAndEndsIt) {
    EXPECT_EQ(Text(IDC_cmdStartStop), "Start Brindlecote");
    Click(IDC_cmdStartStop);
    EXPECT_TRUE(Running());
    EXPECT_EQ(Text(IDC_cmdStartStop), "Stop Brindlecote");
    const std::string record = ReadWholeFile(RecordOf(ProgramPath("kxvarnholt.exe")));
    EXPECT_NE(record.find("conf=" + FileSystem::ProgramDirectory() + "\\conf"), std::string::npos) << record;

    Click(IDC_cmdStartStop);
    EXPECT_FALSE(Running());
    EXPECT_EQ(Text(IDC_cmdStartStop), "Start Brindlecote");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The Varnholt Client service has been stopped.");
    EXPECT_EQ(boxes[0].title, "Brindlecote Admin Console");
}

}  // namespace
