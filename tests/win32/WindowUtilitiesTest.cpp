#include <gtest/gtest.h>
#include <windows.h>

#include "FileSystem.h"
#include "ProcessDriver.h"
#include "modBringForeground.h"
#include "modFileAttributes.h"

namespace {

HWND MakeWindow(const char* title, DWORD exStyle = 0, HWND owner = nullptr) {
    HWND window = CreateWindowExA(exStyle, "STATIC", title, WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, owner, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

TEST(FindPreviousInstanceWindow, FindsOnlyVisibleApplicationWindowsWithTheTitle) {
    HWND hidden = CreateWindowExA(0, "STATIC", "Brindlecote Varnholt hidden", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    HWND tool = MakeWindow("Brindlecote Varnholt tool", WS_EX_TOOLWINDOW);
    HWND other = MakeWindow("Something else");
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, nullptr);

    HWND console = MakeWindow("Settings - Brindlecote Varnholt");
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_EQ(modBringForeground::gPrevInstanceWindow, console);

    HWND owned = MakeWindow("Brindlecote Varnholt owned", WS_EX_APPWINDOW, other);
    modBringForeground::FindPreviousInstanceWindow();
    EXPECT_TRUE(modBringForeground::gPrevInstanceWindow == console ||
                modBringForeground::gPrevInstanceWindow == owned);

    for (HWND w : {owned, console, other, tool, hidden}) {
        DestroyWindow(w);
    }
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
