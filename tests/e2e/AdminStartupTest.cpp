#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProcessDriver.h"
#include "ProgramLayout.h"

namespace {

const char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";
const std::vector<std::string> kPrograms = {"Admin.exe", "Launcher.exe", "kx_daemon.exe"};

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class AdminStartup : public ::testing::Test {
protected:
    void SetUp() override {
        // The console starts the launcher only when none runs: end any that
        // an earlier test left behind.
        EndProcessesNamed("Launcher.exe");
        EndProcessesNamed("kx_daemon.exe");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, "UsingOE");
    }

    // Starts the console and waits for its window; closes it at the end.
    HWND Start(ChildProcess& admin) {
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (window = ConsoleWindowOf(admin.Id())) != nullptr; }, 30000));
        // Start-up is over once its last line is in the log.
        EXPECT_TRUE(WaitUntil(
            [&] { return layout_->Read("console.txt").find("Loaded Startup Form") != std::string::npos; }, 30000));
        return window;
    }
    void Close(ChildProcess& admin, HWND window) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(admin.WaitForExit(20000));
        EXPECT_NE(layout_->Read("console.txt").find(" : Application End"), std::string::npos);
    }

    std::unique_ptr<ProgramLayout> layout_;
};

TEST_F(AdminStartup, FirstStartCopiesTheDefaultAndStartsLauncherAndDaemon) {
    layout_ = std::make_unique<ProgramLayout>("first_start", kPrograms);
    ChildProcess admin(layout_->Path("Admin.exe"), "");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(layout_->Read("conf\\brindlecote.conf"), layout_->Read("conf\\default_brindlecote.conf"));
    EXPECT_TRUE(
        WaitUntil([&] { return layout_->Read("Launcher.record").find("start 1") != std::string::npos; }, 10000));
    EXPECT_TRUE(WaitUntil(
        [&] {
            return layout_->Read("kx_daemon.record").find("start process conf=" + layout_->Path("conf")) !=
                   std::string::npos;
        },
        10000));
    const std::string log = layout_->Read("console.txt");
    EXPECT_LT(log.find(" : Admin Console Startup"), log.find(" : Start Main Form Load"));
    EXPECT_LT(log.find(" : Finished Loading Main Form"), log.find(" : Loaded Startup Form"));
    EXPECT_NE(layout_->Read("report.txt").find(" : Varnholt OE File Versions"), std::string::npos);
    Close(admin, window);
    EndProcessesNamed("Launcher.exe");
    EndProcessesNamed("kx_daemon.exe");
}

TEST_F(AdminStartup, HiddenStartShowsNothingAndThePluginOptionOffStartsNothing) {
    layout_ = std::make_unique<ProgramLayout>("hidden_start", kPrograms);
    layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=no\r\noe_scan=no\r\n");
    ChildProcess admin(layout_->Path("Admin.exe"), "-hide");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    // Start-up is over: a program it started would be running by now.
    EXPECT_EQ(ProcessesNamed("Launcher.exe"), 0);
    EXPECT_EQ(ProcessesNamed("kx_daemon.exe"), 0);
    EXPECT_FALSE(layout_->Exists("Launcher.record"));
    EXPECT_FALSE(layout_->Exists("kx_daemon.record"));
    Close(admin, window);
}

TEST_F(AdminStartup, OldListsMoveToTheirNewNamesWithoutOverwritingNewerOnes) {
    layout_ = std::make_unique<ProgramLayout>("migration", std::vector<std::string>{"Admin.exe"});
    layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=no\r\n");
    layout_->Write("conf\\approvedsenders", "old@example.com\r\n");
    layout_->Write("conf\\approvedsenders.kxbak", "older backup\r\n");
    layout_->Write("conf\\blockedsenders", "old-spam@example.com\r\n");
    layout_->Write("conf\\blocked_senders", "newer@example.com\r\n");
    ChildProcess admin(layout_->Path("Admin.exe"), "-debug");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(layout_->Read("conf\\approved_senders"), "old@example.com\r\n");
    EXPECT_EQ(layout_->Read("conf\\approvedsenders.kxbak"), "old@example.com\r\n");
    EXPECT_FALSE(layout_->Exists("conf\\approvedsenders"));
    EXPECT_EQ(layout_->Read("conf\\blocked_senders"), "newer@example.com\r\n") << "a newer list stays";
    EXPECT_EQ(layout_->Read("conf\\blockedsenders.kxbak"), "old-spam@example.com\r\n");
    const std::string log = layout_->Read("console.txt");
    EXPECT_NE(log.find(" : 4\r\n"), std::string::npos);
    EXPECT_NE(log.find(" : 26\r\n"), std::string::npos) << "the set-up ran to its end";
    Close(admin, window);
}

TEST_F(AdminStartup, ASecondConsoleBringsTheFirstForwardAndEnds) {
    layout_ = std::make_unique<ProgramLayout>("second_instance", std::vector<std::string>{"Admin.exe"});
    layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=no\r\n");
    ChildProcess first(layout_->Path("Admin.exe"), "");
    HWND window = Start(first);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_MINIMIZE);

    ChildProcess second(layout_->Path("Admin.exe"), "");
    DWORD code = 1;
    EXPECT_TRUE(second.WaitForExit(20000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window); }, 5000)) << "the first is restored";
    const std::string log = layout_->Read("console.txt");
    EXPECT_EQ(Count(log, " : Admin Console Startup"), 1);
    EXPECT_NE(log.find(" : lReturn = "), std::string::npos);
    Close(first, window);
}

TEST_F(AdminStartup, UsingOETurnsTheScanOnOnce) {
    layout_ = std::make_unique<ProgramLayout>("using_oe", std::vector<std::string>{"Admin.exe"});
    layout_->Write("conf\\brindlecote.conf", "# settings\r\nenable_oe_plugin=no\r\noe_scan=no\r\n");
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    RegSetValueExA(key, "UsingOE", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    ChildProcess admin(layout_->Path("Admin.exe"), "");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    const std::string conf = layout_->Read("conf\\brindlecote.conf");
    EXPECT_EQ(conf.rfind("# settings\r\nenable_oe_plugin=no\r\noe_scan=yes\r\n", 0), 0u) << conf;
    EXPECT_NE(RegQueryValueExA(key, "UsingOE", nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    RegCloseKey(key);
    Close(admin, window);
}

TEST_F(AdminStartup, HiddenStartWithThePluginOnStartsLauncherAndDaemon) {
    layout_ = std::make_unique<ProgramLayout>("hidden_plugin_on", kPrograms);
    layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=yes\r\noe_scan=no\r\n");
    ChildProcess admin(layout_->Path("Admin.exe"), "-hide");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_TRUE(
        WaitUntil([&] { return layout_->Read("Launcher.record").find("start 1") != std::string::npos; }, 10000));
    EXPECT_TRUE(WaitUntil(
        [&] { return layout_->Read("kx_daemon.record").find("start process conf=") != std::string::npos; }, 10000));
    Close(admin, window);
    EndProcessesNamed("Launcher.exe");
    EndProcessesNamed("kx_daemon.exe");
}

DWORD ServiceState(const char* name) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, name, SERVICE_QUERY_STATUS) : nullptr;
    SERVICE_STATUS status{};
    const DWORD state = service && QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
    if (service) {
        CloseServiceHandle(service);
    }
    if (manager) {
        CloseServiceHandle(manager);
    }
    return state;
}

bool RunDaemon(const ProgramLayout& layout, const std::string& argument) {
    ChildProcess daemon(layout.Path("kx_daemon.exe"), argument);
    DWORD code = 1;
    return daemon.WaitForExit(20000, &code) && code == 0;
}

// An install run restarts a running daemon service before the window loads,
// so the daemon reads the configuration the installer left.
TEST_F(AdminStartup, AnInstallRunStopsTheDaemonAndStartsItAgain) {
    layout_ = std::make_unique<ProgramLayout>("install_run", kPrograms);
    layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=no\r\noe_scan=no\r\n");
    ASSERT_TRUE(RunDaemon(*layout_, "-install"));
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = OpenServiceA(manager, "BrindlecoteVarnholt", SERVICE_START);
    ASSERT_NE(service, nullptr);
    ASSERT_TRUE(StartServiceA(service, 0, nullptr));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    ASSERT_TRUE(WaitUntil([] { return ServiceState("BrindlecoteVarnholt") == SERVICE_RUNNING; }, 20000));

    ChildProcess admin(layout_->Path("Admin.exe"), "-install");
    HWND window = Start(admin);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([] { return ServiceState("BrindlecoteVarnholt") == SERVICE_RUNNING; }, 20000));
    const std::string record = layout_->Read("kx_daemon.record");
    const std::string start = "start service conf=" + layout_->Path("conf\\brindlecote.conf");
    const auto first = record.find(start);
    const auto stop = record.find("stop service");
    ASSERT_NE(first, std::string::npos) << record;
    ASSERT_NE(stop, std::string::npos) << record;
    EXPECT_LT(first, stop) << record;
    EXPECT_NE(record.find(start, stop), std::string::npos) << "started again after the stop: " << record;
    Close(admin, window);

    SC_HANDLE cleanupManager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE running = OpenServiceA(cleanupManager, "BrindlecoteVarnholt", SERVICE_STOP);
    SERVICE_STATUS status{};
    ControlService(running, SERVICE_CONTROL_STOP, &status);
    CloseServiceHandle(running);
    CloseServiceHandle(cleanupManager);
    WaitUntil([] { return ServiceState("BrindlecoteVarnholt") == SERVICE_STOPPED; }, 20000);
    EXPECT_TRUE(RunDaemon(*layout_, "-uninstall"));
}

bool Present(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Starts the console and kills it the moment its copy into `target` begins
// (the temporary file or the file itself appears).
void KillWhileCopying(const ProgramLayout& layout, const std::string& target) {
    ChildProcess admin(layout.Path("Admin.exe"), "-hide");
    const std::string path = layout.Path(target);
    const ULONGLONG deadline = GetTickCount64() + 30000;
    while (!Present(path) && !Present(path + ".tmp") && GetTickCount64() < deadline) {
    }
    admin.Kill();
}

// The console's boxes carry its own title, set by the program at its start:
// with neither configuration file, the first box says the default is missing.
TEST_F(AdminStartup, TheConsolesBoxesCarryItsOwnTitle) {
    layout_ = std::make_unique<ProgramLayout>("box_title", kPrograms);
    DeleteFileA(layout_->Path("conf\\default_brindlecote.conf").c_str());
    ChildProcess admin(layout_->Path("Admin.exe"), "-hide");
    HWND box = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            box = TopWindowOf(admin.Id(), "Brindlecote Admin Console", [](HWND window) {
                char name[16] = "";
                GetClassNameA(window, name, sizeof name);
                return std::string(name) == "#32770";
            });
            return box != nullptr;
        },
        30000));
    ASSERT_NE(box, nullptr) << "no box titled with string 102";
    std::vector<std::string> texts;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) -> BOOL {
            char text[256] = "";
            GetWindowTextA(child, text, sizeof text);
            reinterpret_cast<std::vector<std::string>*>(found)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Can not find default_brindlecote.conf"), texts.end());
    admin.Kill();
    EndProcessesNamed("Launcher.exe");
    EndProcessesNamed("kx_daemon.exe");
}

// A console killed while it copies the default configuration or an old list
// into place leaves the file whole or not there at all, never torn: a torn
// one would be taken for the real file at every later start.
TEST_F(AdminStartup, ACopyIntoPlaceCutShortLeavesNoTornFile) {
    struct Case {
        const char* name;
        const char* from;
        const char* to;
    };
    const Case cases[] = {
        {"killed_default_copy", "conf\\default_brindlecote.conf", "conf\\brindlecote.conf"},
        {"killed_list_migration", "conf\\approvedsenders", "conf\\approved_senders"},
    };
    // Large enough that a copy takes a while.
    std::string content = "enable_oe_plugin=no\r\noe_scan=no\r\n";
    while (content.size() < (16u << 20)) {
        content += "# filler@example.com, a line long enough to keep the copy busy for a while\r\n";
    }
    for (const Case& c : cases) {
        layout_ = std::make_unique<ProgramLayout>(c.name, std::vector<std::string>{"Admin.exe"});
        for (int round = 0; round < 3; ++round) {
            DeleteFileA(layout_->Path(c.to).c_str());
            if (std::string(c.to) != "conf\\brindlecote.conf") {
                layout_->Write("conf\\brindlecote.conf", "enable_oe_plugin=no\r\noe_scan=no\r\n");
            }
            layout_->Write(c.from, content);
            KillWhileCopying(*layout_, c.to);
            if (layout_->Exists(c.to)) {
                const std::string left = layout_->Read(c.to);
                EXPECT_TRUE(left == content)
                    << c.name << " round " << round << ": " << left.size() << " of " << content.size() << " bytes";
            }
        }
        // The next start that is not cut short finishes the copy.
        DeleteFileA(layout_->Path("console.txt").c_str());
        DeleteFileA(layout_->Path(c.to).c_str());
        layout_->Write(c.from, content);
        ChildProcess admin(layout_->Path("Admin.exe"), "-hide");
        HWND window = Start(admin);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(layout_->Read(c.to).rfind(content, 0), 0u) << c.name;
        Close(admin, window);
    }
}

}  // namespace
