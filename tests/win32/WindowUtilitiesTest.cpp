#include <gtest/gtest.h>
#include <windows.h>

#include "FileSystem.h"
#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "modBringForeground.h"
#include "modFileAttributes.h"

namespace {

HWND MakeWindow(const char* title, DWORD exStyle = 0, HWND owner = nullptr, const char* windowClass = "#32770") {
    HWND window = CreateWindowExA(exStyle, windowClass, title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

TEST(FindPreviousInstanceWindow, FindsOnlyVisibleApplicationDialogsWithTheWholeTitle) {
    HWND hidden = CreateWindowExA(0, "#32770", "Brindlecote Varnholt", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND tool = MakeWindow("Brindlecote Varnholt", WS_EX_TOOLWINDOW);
    HWND other = MakeWindow("Something else");
    HWND longer = MakeWindow("Brindlecote Varnholt Desktop Client");
    HWND inside = MakeWindow("Settings - Brindlecote Varnholt");
    HWND notDialog = MakeWindow("Brindlecote Varnholt", 0, nullptr, "STATIC");
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, nullptr);

    HWND console = MakeWindow("Brindlecote Varnholt");
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, console);

    HWND owned = MakeWindow("Brindlecote Varnholt", WS_EX_APPWINDOW, other);
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_TRUE(modBringForeground::gPrevInstanceWindow == console || modBringForeground::gPrevInstanceWindow == owned);

    for (HWND w : {owned, console, notDialog, inside, longer, other, tool, hidden}) {
        DestroyWindow(w);
    }
}

// The scanner's status window carries the product's name in its caption.
TEST(FindPreviousInstanceWindow, PassesOverTheScannersStatusWindow) {
    const ProgramLayout layout("previous_instance", {"Pelwarden.exe", "fendrake.dll"});
    ChildProcess scanner(layout.Path("Pelwarden.exe"), "-show");
    ASSERT_TRUE(scanner.Started());
    HWND status = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            status = FindWindowA("#32770", "Brindlecote Varnholt Desktop Client");
            return status != nullptr && IsWindowVisible(status);
        },
        20000));
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, nullptr);

    HWND console = MakeWindow("Brindlecote Varnholt");
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, console);
    DestroyWindow(console);
    scanner.Kill();
}

TEST(ForceForegroundWindow, RestoresAMinimisedWindowAndLogsTheResult) {
    const std::string log = FileSystem::ProgramDirectory() + "\\console.txt";
    DeleteFileA(log.c_str());
    HWND first = MakeWindow("first");
    HWND window = MakeWindow("minimised");
    ShowWindow(window, SW_MINIMIZE);
    SetForegroundWindow(first);
    ASSERT_TRUE(IsIconic(window));
    modBringForeground::ForceForegroundWindow(window);
    EXPECT_FALSE(IsIconic(window));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_NE(ReadWholeFile(log).find(" : lReturn = "), std::string::npos);
    DestroyWindow(window);
    DestroyWindow(first);
}

TEST(GetFileDateTime, ChangesWithEveryRewriteAndIsZeroForAMissingFile) {
    const std::string path = FileSystem::ProgramDirectory() + "\\stamp.tmp";
    DeleteFileA(path.c_str());
    EXPECT_EQ(modFileAttributes::GetFileDateTime(path), 0u);
    FileSystem::WriteWholeFile(path, "one");
    const std::uint64_t first = modFileAttributes::GetFileDateTime(path);
    EXPECT_NE(first, 0u);
    EXPECT_EQ(modFileAttributes::GetFileDateTime(path), first);
    Sleep(20);
    FileSystem::WriteWholeFile(path, "two");
    EXPECT_NE(modFileAttributes::GetFileDateTime(path), first) << "a rewrite within the same second is a change";
    DeleteFileA(path.c_str());
}

}  // namespace
