#include <gtest/gtest.h>
#include <windows.h>

#include "ProcessDriver.h"
#include "ProgramLayout.h"

namespace {

// Each program runs from a program directory of the test's own, so that its
// logs and configuration never land where the user runs the programs.
TEST(Programs, ConsoleShowsItsWindowAndClosesOnRequest) {
    const ProgramLayout layout("programs_console", {"Admin.exe", "Launcher.exe", "kx_daemon.exe"});
    ChildProcess admin(layout.Path("Admin.exe"), "");
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = ConsoleWindowOf(admin.Id())) != nullptr; }, 15000));
    // Found between its creation and its showing, it becomes visible soon after.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 30000));
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(admin.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    // The console started the launcher and the daemon on its own.
    EndProcessesNamed("Launcher.exe");
    EndProcessesNamed("kx_daemon.exe");
}

// The wizard stays up until its user closes it: WizardRunTest drives it.
TEST(Programs, ScannerStartsAndEnds) {
    const ProgramLayout layout("programs_scanner", {"Pelwarden.exe", "fendrake.dll"});
    ChildProcess process(layout.Path("Pelwarden.exe"), "");
    ASSERT_TRUE(process.Started());
    DWORD code = 1;
    EXPECT_TRUE(process.WaitForExit(15000, &code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
