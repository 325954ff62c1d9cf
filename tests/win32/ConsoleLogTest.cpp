#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <regex>

#include "ConsoleLog.h"
#include "FileSystem.h"
#include "ProcessDriver.h"
#include "modFileVersionInfo.h"
#include "modMain.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Beside(const std::string& name) {
    return FileSystem::ProgramDirectory() + "\\" + name;
}

class ConsoleLog : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(LogPath().c_str());
        modMain::gDebugMode = false;
    }
    void TearDown() override { modMain::gDebugMode = false; }
    static std::string LogPath() { return Beside("console.txt"); }
};

TEST_F(ConsoleLog, AppendsDatedLinesEndedByCrLf) {
    modMain::WriteConsoleLog("first");
    modMain::WriteConsoleLog("second");
    const std::string log = ReadWholeFile(LogPath());
    const auto lines = FileSystem::SplitLines(log);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(EndsWith(lines[0], " : first"));
    EXPECT_GT(lines[0].size(), std::string(" : first").size() + 8) << "a date and time come first";
    EXPECT_EQ(log.substr(log.size() - 2), "\r\n");
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 2);
}

TEST_F(ConsoleLog, DebugOnlyLinesNeedTheDebugSwitch) {
    modMain::WriteConsoleLog("hidden detail", true);
    EXPECT_FALSE(FileSystem::FileExists(LogPath()));
    modMain::gDebugMode = true;
    modMain::WriteConsoleLog("shown detail", true);
    EXPECT_NE(ReadWholeFile(LogPath()).find(" : shown detail\r\n"), std::string::npos);
}

TEST_F(ConsoleLog, StartsAfreshOnlyOnceOver50000Bytes) {
    FileSystem::WriteWholeFile(LogPath(), std::string(50000, 'x'));
    modMain::WriteConsoleLog("kept");
    const std::string kept = ReadWholeFile(LogPath());
    EXPECT_EQ(kept.substr(0, 50000), std::string(50000, 'x'));
    EXPECT_NE(kept.find(" : kept\r\n"), std::string::npos);

    FileSystem::WriteWholeFile(LogPath(), std::string(50001, 'x'));
    modMain::WriteConsoleLog("fresh");
    const std::string fresh = ReadWholeFile(LogPath());
    EXPECT_EQ(fresh.find('x'), std::string::npos);
    EXPECT_EQ(FileSystem::SplitLines(fresh).size(), 1u);
}

TEST_F(ConsoleLog, TheScannersLinesNeverShortenTheLog) {
    FileSystem::WriteWholeFile(LogPath(), std::string(50001, 'x'));
    ::ConsoleLog::Append("scanned");
    const std::string log = ReadWholeFile(LogPath());
    EXPECT_EQ(log.substr(0, 50001), std::string(50001, 'x'));
    EXPECT_TRUE(EndsWith(log, " : scanned\r\n"));
}

TEST_F(ConsoleLog, ALockedLogCostsTheLineNotTheCaller) {
    HANDLE lock =
        CreateFileA(LogPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_NO_THROW(modMain::WriteConsoleLog("lost"));
    CloseHandle(lock);
    modMain::WriteConsoleLog("after");
    const std::string log = ReadWholeFile(LogPath());
    EXPECT_EQ(log.find("lost"), std::string::npos);
    EXPECT_NE(log.find(" : after"), std::string::npos);
}

TEST(FileExists, CountsOnlyPlainFiles) {
    const std::string plain = Beside("plain.tmp");
    const std::string hidden = Beside("hidden.tmp");
    FileSystem::WriteWholeFile(plain, "x");
    FileSystem::WriteWholeFile(hidden, "x");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(modMain::FileExists(plain));
    EXPECT_FALSE(modMain::FileExists(hidden));
    EXPECT_FALSE(modMain::FileExists(FileSystem::ProgramDirectory()));
    EXPECT_FALSE(modMain::FileExists(Beside("absent.tmp")));
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(plain.c_str());
    DeleteFileA(hidden.c_str());
}

TEST(VersionReport, ListsEachFileByItsVersionOrAsNotFound) {
    const std::string report = Beside("report.txt");
    DeleteFileA(report.c_str());
    // Two fixtures carry the version records 3,1,12,2 and 4,0,0,0.
    ASSERT_TRUE(CopyFileA(Beside("version_fixture_3_1_12_2.exe").c_str(), Beside("kx_daemon.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(Beside("version_fixture_4_0_0_0.exe").c_str(), Beside("launcher.exe").c_str(), FALSE));
    DeleteFileA(Beside("Quelspan32.dll").c_str());

    modMain::WriteVersionReport();
    modMain::WriteVersionReport();

    const auto lines = FileSystem::SplitLines(ReadWholeFile(report));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_TRUE(EndsWith(lines[0], " : Varnholt OE File Versions"));
    EXPECT_TRUE(std::regex_match(lines[1], std::regex("admin\\.exe : [0-9]+\\.[0-9]+\\.[0-9]+"))) << lines[1];
    EXPECT_EQ(lines[2], "kx_daemon.exe : 3.01.12.02");
    EXPECT_EQ(lines[3], "Quelspan32.dll not found");
    EXPECT_EQ(lines[4], "launcher.exe : 4.00.0000");
    // The engine is looked for in the system directory only.
    EXPECT_EQ(lines[5].rfind("fendrake.dll", 0), 0u);
    EXPECT_TRUE(EndsWith(lines[6], " : Varnholt OE File Versions"));

    DeleteFileA(Beside("kx_daemon.exe").c_str());
    DeleteFileA(Beside("launcher.exe").c_str());
}

TEST(VersionReport, AFileWithoutVersionGivesAnEmptyVersion) {
    const std::string plain = Beside("no_version.tmp");
    FileSystem::WriteWholeFile(plain, "not a program");
    EXPECT_EQ(modFileVersionInfo::GetFileVersion(plain), "");
    DeleteFileA(plain.c_str());
}

}  // namespace
