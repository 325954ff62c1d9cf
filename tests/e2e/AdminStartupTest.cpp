#include <gtest/gtest.h>
#include <windows.h>

#include <string>

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
        DeleteFileA(RecordOf(DistPath("Launcher.exe")).c_str());
    }

    // Starts the console and waits for its window; closes it at the end.
    HWND Start(ChildProcess& admin) {
        HWND window = nullptr;
        EXPECT_TRUE(WaitUntil([&] { return (window = ConsoleWindowOf(admin.Id())) != nullptr; }, 30000));
        // Start-up is over once its last line is in the log.
        EXPECT_TRUE(WaitUntil([&] { return layout_->Read("console.txt").find("Loaded Startup Form") !=
                                            std::string::npos; },
                              30000));
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
    EXPECT_TRUE(WaitUntil([&] { return layout_->Read("Launcher.record").find("start 1") != std::string::npos; },
                          10000));
    EXPECT_TRUE(WaitUntil([&] { return layout_->Read("kx_daemon.record").find("start process conf=" +
                                                                               layout_->Path("conf")) !=
                                        std::string::npos; },
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
    Sleep(1000);
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

}  // namespace
