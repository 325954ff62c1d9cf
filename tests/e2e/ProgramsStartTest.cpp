#include <gtest/gtest.h>
#include <windows.h>

#include "ProcessDriver.h"

namespace {

TEST(Programs, ConsoleShowsItsWindowAndClosesOnRequest) {
    ChildProcess admin(DistPath("Admin.exe"), "");
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowA(nullptr, "Brindlecote Varnholt")) != nullptr; },
                          15000));
    // Found between its creation and its showing, it becomes visible soon after.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    PostMessageA(window, WM_CLOSE, 0, 0);
    DWORD code = 1;
    EXPECT_TRUE(admin.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
}

TEST(Programs, ScannerAndWizardStartAndEnd) {
    for (const char* program : {"Pelwarden.exe", "Wizard.exe"}) {
        ChildProcess process(DistPath(program), "");
        ASSERT_TRUE(process.Started()) << program;
        DWORD code = 1;
        EXPECT_TRUE(process.WaitForExit(15000, &code)) << program;
        EXPECT_EQ(code, 0u) << program;
    }
}

}  // namespace
