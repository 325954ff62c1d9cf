#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "ProcessDriver.h"
#include "ProgramLayout.h"

namespace {

bool RecordHas(const std::string& program, const std::string& text) {
    return ReadWholeFile(RecordOf(program)).find(text) != std::string::npos;
}

// Each stand-in runs from a program directory of the test's own, where it
// leaves its record.
class StandIns : public ::testing::Test {
protected:
    std::string LaidOut(const std::string& name, const std::string& program) {
        layout_ = std::make_unique<ProgramLayout>(name, std::vector<std::string>{program});
        return layout_->Path(program);
    }

    std::unique_ptr<ProgramLayout> layout_;
};

DWORD ServiceState(SC_HANDLE service) {
    SERVICE_STATUS status{};
    return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

TEST_F(StandIns, DaemonRunsAsAServiceAndStopsOnTheStopControl) {
    const std::string daemon = LaidOut("standin_service", "kx_daemon.exe");
    DWORD code = 1;
    ChildProcess install(daemon, "-install");
    ASSERT_TRUE(install.WaitForExit(20000, &code));
    ASSERT_EQ(code, 0u) << ReadWholeFile(RecordOf(daemon));

    SC_HANDLE manager = OpenSCManagerA(nullptr, "ServicesActive", SC_MANAGER_CONNECT);
    ASSERT_NE(manager, nullptr);
    SC_HANDLE service = OpenServiceA(manager, "BrindlecoteVarnholt", SERVICE_ALL_ACCESS);
    ASSERT_NE(service, nullptr);
    ASSERT_TRUE(StartServiceA(service, 0, nullptr));
    EXPECT_TRUE(WaitUntil([&] { return ServiceState(service) == SERVICE_RUNNING; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return RecordHas(daemon, "start service conf="); }, 5000));
    EXPECT_TRUE(RecordHas(daemon, "start service conf=" + layout_->Path("conf\\brindlecote.conf")));

    SERVICE_STATUS status{};
    EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_TRUE(WaitUntil([&] { return ServiceState(service) == SERVICE_STOPPED; }, 20000));
    EXPECT_TRUE(WaitUntil([&] { return RecordHas(daemon, "stop service"); }, 5000));
    CloseServiceHandle(service);

    ChildProcess uninstall(daemon, "-uninstall");
    ASSERT_TRUE(uninstall.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(OpenServiceA(manager, "BrindlecoteVarnholt", SERVICE_QUERY_STATUS), nullptr);
    CloseServiceHandle(manager);
}

TEST_F(StandIns, Windows9xDaemonRunsAsAProcessWithItsConfDirectory) {
    const std::string daemon = LaidOut("standin_process", "kxvarnholt.exe");
    ChildProcess process(daemon, " -D \"C:\\some conf\"");
    ASSERT_TRUE(process.Started());
    EXPECT_TRUE(
        WaitUntil([&] { return RecordHas(daemon, "start process conf=C:\\some conf\\brindlecote.conf"); }, 10000));
    EXPECT_TRUE(process.Running());
    process.Kill();
    EXPECT_FALSE(process.Running());
}

TEST_F(StandIns, LauncherStaysUpUntilEnded) {
    const std::string launcher = LaidOut("standin_launcher", "Launcher.exe");
    ChildProcess process(launcher, "1");
    EXPECT_TRUE(WaitUntil([&] { return RecordHas(launcher, "start 1"); }, 10000));
    // Still up after its start: it takes a message posted now.
    EXPECT_TRUE(PostThreadMessageA(process.ThreadId(), WM_APP, 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return RecordHas(launcher, "message " + std::to_string(WM_APP)); }, 10000));
    EXPECT_TRUE(process.Running());
}

TEST_F(StandIns, UpdaterRecordsItsArgumentsAndEnds) {
    const std::string updater = LaidOut("standin_updater", "kxvarnhupdate.exe");
    ChildProcess process(updater, "1");
    DWORD code = 1;
    ASSERT_TRUE(process.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(RecordHas(updater, "args 1"));
}

TEST_F(StandIns, MailClientWindowRecordsReloadAndCloseMessages) {
    layout_ = std::make_unique<ProgramLayout>("standin_mail_client", std::vector<std::string>{});
    layout_->AddTestProgram("msimn.exe");
    const std::string client = layout_->Path("msimn.exe");
    ChildProcess process(client, "");
    HWND window = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (window = FindWindowA("Outlook Express Browser Class", nullptr)) != nullptr; }, 10000));
    for (const char* name : {"KX_ENGINE_RELOAD", "KX_BALIIST_RELOAD"}) {
        SendMessageA(window, RegisterWindowMessageA(name), 0, 0);
        EXPECT_TRUE(RecordHas(client, std::string(" ") + name + " 0 0")) << name;
    }
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(process.WaitForExit(10000));
    EXPECT_TRUE(RecordHas(client, "0x0010 WM_CLOSE 0 0"));
}

}  // namespace
