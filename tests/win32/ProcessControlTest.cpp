#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <vector>

#include "FileSystem.h"
#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "modKillProcess.h"
#include "modMain.h"
#include "modShellExecute.h"

namespace {

// The stand-ins run from a program directory of this test's own, where
// they leave their records.
const ProgramLayout& Programs() {
    return ProgramLayout::Shared("process_control", {"Launcher.exe", "kxvarnhupdate.exe"});
}

// Copies of the launcher stand-in under other names, in a folder of their own.
class ProcessSearch : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        modMain::gPlatformId = GetParam();
        folder_ = FileSystem::ProgramDirectory() + "\\process_search";
        CreateDirectoryA(folder_.c_str(), nullptr);
        CreateDirectoryA((folder_ + "\\launcher").c_str(), nullptr);
    }
    void TearDown() override { modMain::gPlatformId = 0; }

    std::unique_ptr<ChildProcess> StartAs(const std::string& relativePath) {
        const std::string path = folder_ + "\\" + relativePath;
        CopyFileA(DistPath("Launcher.exe").c_str(), path.c_str(), FALSE);
        auto child = std::make_unique<ChildProcess>(path, "");
        EXPECT_TRUE(child->Started()) << path;
        return child;
    }

    std::string folder_;
};

TEST_P(ProcessSearch, FindsTheProgramByItsBaseNameAndTheLastMatchWins) {
    auto decoy1 = StartAs("prelauncher.exe");
    auto decoy2 = StartAs("launcher\\other.exe");
    // The search sees each decoy under its own name before it is asked for
    // a name only their paths hold.
    const std::pair<const char*, const ChildProcess*> decoys[] = {{"prelauncher", decoy1.get()},
                                                                  {"other", decoy2.get()}};
    for (const auto& [name, decoy] : decoys) {
        std::uint32_t seen = 0;
        EXPECT_TRUE(WaitUntil([&] { return modMain::IsProcessRunning(name, seen); }, 10000)) << name;
        EXPECT_EQ(seen, decoy->Id()) << name;
    }
    std::uint32_t id = 0;
    EXPECT_FALSE(modMain::IsProcessRunning("launcher", id));
    EXPECT_EQ(id, 0u) << "an id is only set on a match";

    std::vector<std::unique_ptr<ChildProcess>> launchers;
    std::set<std::uint32_t> ids;
    for (int i = 0; i < 3; ++i) {
        launchers.push_back(StartAs("LAUNCHER.exe"));
    }
    for (auto& launcher : launchers) {
        ids.insert(launcher->Id());
    }
    for (const char* name : {"launcher", "Launcher", "launcher.exe"}) {
        id = 0;
        EXPECT_TRUE(modMain::IsProcessRunning(name, id)) << name;
        EXPECT_TRUE(ids.count(id)) << name;
        EXPECT_NE(id, decoy1->Id());
        EXPECT_NE(id, decoy2->Id());
    }
}

// More processes than the first id buffer holds are all seen.
TEST_P(ProcessSearch, SeesEveryProcessWhateverTheirNumber) {
    std::vector<std::unique_ptr<ChildProcess>> many;
    for (int i = 0; i < 6; ++i) {
        many.push_back(StartAs("many" + std::to_string(i) + ".exe"));
    }
    for (int i = 0; i < 6; ++i) {
        std::uint32_t id = 0;
        EXPECT_TRUE(modMain::IsProcessRunning("many" + std::to_string(i), id));
        EXPECT_EQ(id, many[i]->Id());
    }
}

INSTANTIATE_TEST_SUITE_P(BothPlatformFamilies, ProcessSearch,
                         ::testing::Values(VER_PLATFORM_WIN32_WINDOWS, VER_PLATFORM_WIN32_NT));

TEST(KillProcess, EndsARunningProcessAndRefusesAnAbsentOne) {
    ChildProcess launcher(Programs().Path("Launcher.exe"), "");
    ASSERT_TRUE(launcher.Running());
    EXPECT_TRUE(modKillProcess::KillProcess(launcher.Id()));
    EXPECT_TRUE(launcher.WaitForExit(5000));
    EXPECT_FALSE(modKillProcess::KillProcess(0xFFFFFFF0u)) << "no such process";
}

TEST(WaitForProcessExit, TellsEndedFromStillRunning) {
    ChildProcess launcher(Programs().Path("Launcher.exe"), "");
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(modKillProcess::WaitForProcessExit(launcher.Id(), 300));
    EXPECT_GE(GetTickCount64() - start, 250u);

    ChildProcess updater(Programs().Path("kxvarnhupdate.exe"), "");
    EXPECT_TRUE(modKillProcess::WaitForProcessExit(updater.Id(), 10000));

    launcher.Kill();
    EXPECT_TRUE(modKillProcess::WaitForProcessExit(launcher.Id(), 0)) << "a process that is gone has ended";
}

TEST(ShellOpen, StartsTheProgramWithItsParametersAndDirectory) {
    const std::string updater = Programs().Path("kxvarnhupdate.exe");
    DeleteFileA(RecordOf(updater).c_str());
    const std::string directory = updater.substr(0, updater.find_last_of('\\'));
    EXPECT_GT(modShellExecute::ShellOpen("kxvarnhupdate.exe", "1", directory), 32);
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(RecordOf(updater)).find("args 1") != std::string::npos; }, 10000));
    EXPECT_LE(modShellExecute::ShellOpen("no_such_program.exe", "", directory), 32);
}

}  // namespace

namespace {

// Wine reports the Windows 9x platform to a program whose Windows version is
// set to "win98"; the probe then searches through the process snapshot.
TEST(PlatformFamilies, EachFamilyFindsTheLauncherThroughItsOwnEnumeration) {
    const std::string probe = FileSystem::ProgramDirectory() + "\\platform_probe.exe";
    const std::string record = FileSystem::ProgramDirectory() + "\\platform_probe.record";
    const char appKey[] = "Software\\Wine\\AppDefaults\\platform_probe.exe";
    ChildProcess launcher(Programs().Path("Launcher.exe"), "");
    for (const char* version : {"win98", ""}) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, appKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        if (*version) {
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), 6);
        } else {
            RegDeleteValueA(key, "Version");
        }
        RegCloseKey(key);
        DeleteFileA(record.c_str());
        ChildProcess run(probe, "launcher");
        ASSERT_TRUE(run.WaitForExit(20000));
        const std::string expected =
            std::string("platform=") + (*version ? "1" : "2") + " found=1 id=" + std::to_string(launcher.Id());
        EXPECT_EQ(ReadWholeFile(record), expected) << (*version ? version : "default");
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, appKey);
}

}  // namespace
