#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "MsgBox.h"
#include "ProcessDriver.h"
#include "ScanSchedule.h"
#include "modKillProcess.h"
#include "modMain.h"

namespace {

const char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

void SetProductValue(const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void SetProductNumber(const char* name, DWORD number) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kProductKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(key);
}

void DeleteProductValue(const char* name) {
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, name);
}

// The local time `minutes` from now, in the stored form.
std::string MinutesFromNow(int minutes) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += static_cast<LONGLONG>(minutes) * 60 * 10000000LL;
    FILETIME shifted{t.LowPart, t.HighPart};
    FILETIME local{};
    SYSTEMTIME time{};
    FileTimeToLocalFileTime(&shifted, &local);
    FileTimeToSystemTime(&local, &time);
    return ScanSchedule::Format({time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond});
}

class ScanDue : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = FileSystem::ProgramDirectory() + "\\scan_due";
        CreateDirectoryA(dir_.c_str(), nullptr);
        CreateDirectoryA((dir_ + "\\conf").c_str(), nullptr);
        FileSystem::WriteWholeFile(dir_ + "\\conf\\brindlecote.conf", "oe_scan_frequency=30\r\n");
        modMain::gProxyConf = std::make_shared<KXProxyConf>(dir_);
        modMain::gProxyConf->ConfigurationFile(dir_ + "\\conf\\brindlecote.conf");
        modMain::gProxyConf->Load();
    }
    void TearDown() override {
        modMain::gProxyConf.reset();
        DeleteProductValue("LastOEScan");
    }
    std::string dir_;
};

TEST_F(ScanDue, FollowsTheStoredTimeAndTheFrequency) {
    DeleteProductValue("LastOEScan");
    EXPECT_TRUE(modMain::IsOEScanDue()) << "never scanned";
    SetProductValue("LastOEScan", "   ");
    EXPECT_TRUE(modMain::IsOEScanDue()) << "blank";
    SetProductValue("LastOEScan", MinutesFromNow(-10));
    EXPECT_FALSE(modMain::IsOEScanDue());
    SetProductValue("LastOEScan", MinutesFromNow(-45));
    EXPECT_TRUE(modMain::IsOEScanDue());
    SetProductValue("LastOEScan", MinutesFromNow(+120));
    EXPECT_TRUE(modMain::IsOEScanDue()) << "a time in the future";
    SetProductValue("LastOEScan", "not a date at all");
    EXPECT_TRUE(modMain::IsOEScanDue()) << "unreadable";
}

TEST_F(ScanDue, ReadsTheOlderRegionalForm) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char date[64] = "";
    char time[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
    SetProductValue("LastOEScan", std::string(date) + " " + time);
    EXPECT_FALSE(modMain::IsOEScanDue()) << date << " " << time;
}

TEST(LastOEScanText, IsTheLocaleFreeFormOfNow) {
    const auto stored = ScanSchedule::Parse(modMain::LastOEScanText());
    ASSERT_TRUE(stored);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_LE(std::llabs(ScanSchedule::MinuteBoundaries(
                  *stored, {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond})),
              1);
}

TEST(ProxyCredentials, AreTrimmedAndEmptyWhenAbsent) {
    SetProductValue("proxyServerUser", "  alice  ");
    DeleteProductValue("proxyServerPassword");
    modMain::gProxyPassword = "stale";
    modMain::LoadProxyCredentials();
    EXPECT_EQ(modMain::gProxyUser, "alice");
    EXPECT_EQ(modMain::gProxyPassword, "");
    DeleteProductValue("proxyServerUser");
}

TEST(TrainingCounts, ReadTextOrNumbersAndZeroWhenEmpty) {
    SetProductValue("ham_training", "42");
    SetProductNumber("spam_training", 7);
    std::int32_t ham = -1;
    std::int32_t spam = -1;
    modMain::GetTrainingCounts(ham, spam);
    EXPECT_EQ(ham, 42);
    EXPECT_EQ(spam, 7);
    SetProductValue("ham_training", "");
    DeleteProductValue("spam_training");
    modMain::GetTrainingCounts(ham, spam);
    EXPECT_EQ(ham, 0);
    EXPECT_EQ(spam, 0);
    DeleteProductValue("ham_training");
}

// The launcher stand-in beside this program, as the console has it.
class PluginStartup : public ::testing::Test {
protected:
    void SetUp() override {
        launcher_ = FileSystem::ProgramDirectory() + "\\Launcher.exe";
        ASSERT_TRUE(CopyFileA(DistPath("Launcher.exe").c_str(), launcher_.c_str(), FALSE) ||
                    FileSystem::FileExists(launcher_));
        DeleteFileA(RecordOf(launcher_).c_str());
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup");
        // A launcher left running by an earlier test would count as this one.
        EndProcessesNamed("Launcher.exe");
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box.text);
            return MsgBoxResult::OK;
        });
    }
    void TearDown() override {
        std::uint32_t id = 0;
        while (modMain::IsProcessRunning("launcher", id)) {
            modKillProcess::KillProcess(id);
            modKillProcess::WaitForProcessExit(id, 5000);
        }
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup");
        SetMsgBoxResponder(nullptr);
    }

    static std::string RunValue() {
        char text[1024] = "";
        DWORD size = sizeof text;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup", RRF_RT_REG_SZ, nullptr, text, &size) !=
            ERROR_SUCCESS) {
            return "(none)";
        }
        return text;
    }
    int Starts() const {
        const std::string record = ReadWholeFile(RecordOf(launcher_));
        int count = 0;
        for (auto at = record.find("start 1"); at != std::string::npos; at = record.find("start 1", at + 1)) {
            ++count;
        }
        return count;
    }
    bool LauncherRuns() const {
        std::uint32_t id = 0;
        return modMain::IsProcessRunning("launcher", id);
    }

    std::string launcher_;
    std::vector<std::string> boxes_;
};

TEST_F(PluginStartup, TurningItOnWritesTheRunEntryAndStartsTheLauncherOnce) {
    modMain::gOEPluginEnabled = true;
    modMain::ApplyOEPluginStartup();
    EXPECT_EQ(RunValue(), "\"" + launcher_ + "\"");
    EXPECT_TRUE(WaitUntil([&] { return Starts() == 1; }, 10000));
    EXPECT_TRUE(LauncherRuns());

    modMain::ApplyOEPluginStartup();
    // A second start would be running as soon as the call returns.
    EXPECT_EQ(ProcessesNamed("Launcher.exe"), 1) << "a running launcher is not started again";
    EXPECT_EQ(Starts(), 1);
    EXPECT_TRUE(boxes_.empty()) << "no mail client, no message";
}

TEST_F(PluginStartup, TurningItOffDeletesTheEntryAndEndsTheLauncher) {
    modMain::gOEPluginEnabled = true;
    modMain::ApplyOEPluginStartup();
    ASSERT_TRUE(WaitUntil([&] { return Starts() == 1; }, 10000));

    modMain::gOEPluginEnabled = false;
    modMain::ApplyOEPluginStartup();
    EXPECT_EQ(RunValue(), "(none)");
    EXPECT_TRUE(WaitUntil([&] { return !LauncherRuns(); }, 10000));

    modMain::ApplyOEPluginStartup();
    EXPECT_EQ(RunValue(), "(none)");
    EXPECT_EQ(Starts(), 1);
}

TEST_F(PluginStartup, ClosesTheMailClientFirst) {
    const std::string client = TestBinPath("msimn.exe");
    DeleteFileA(RecordOf(client).c_str());
    ChildProcess mailClient(client, "");
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("Outlook Express Browser Class", nullptr) != nullptr; }, 10000));
    modMain::gOEPluginEnabled = false;
    modMain::ApplyOEPluginStartup();
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_TRUE(mailClient.WaitForExit(10000));
    EXPECT_NE(ReadWholeFile(RecordOf(client)).find("WM_CLOSE"), std::string::npos);
}

}  // namespace
