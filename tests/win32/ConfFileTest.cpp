#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <random>
#include <string>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "MsgBox.h"
#include "ProcessDriver.h"

namespace {

class ConfFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("conf-file-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir_ / "conf");
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box.text);
            return MsgBoxResult::OK;
        });
    }
    void TearDown() override {
        SetMsgBoxResponder({});
        std::filesystem::remove_all(dir_);
    }
    std::string PathOf(const std::string& name) const { return (dir_ / name).make_preferred().string(); }

    // The file as ConfSaveLoop writes the version, from a file of its own.
    std::string VersionText(int version) {
        const std::string path = PathOf("version" + std::to_string(version) + ".conf");
        ChildProcess saver(TestBinPath("ConfSaveLoop.exe"), "\"" + path + "\" once " + std::to_string(version));
        DWORD code = 1;
        EXPECT_TRUE(saver.WaitForExit(60000, &code));
        EXPECT_EQ(code, 0u);
        return FileSystem::ReadWholeFile(path);
    }

    std::filesystem::path dir_;
    std::vector<std::string> boxes_;
};

// The file's size and last-write time, to see a save reach it.
std::pair<ULONGLONG, ULONGLONG> Stamp(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return {(ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

// Kills the saver the moment the file starts to change.
void KillWhenTheFileChanges(ChildProcess& saver, const std::string& path) {
    const auto before = Stamp(path);
    const ULONGLONG deadline = GetTickCount64() + 60000;
    while (Stamp(path) == before && GetTickCount64() < deadline) {
        Sleep(0);
    }
    saver.Kill();
}

// Each round kills the saver at another moment: after a varying wait, or as
// soon as the file starts to change. Whatever the saver was doing, the file
// is one version or the other, whole.
TEST_F(ConfFileTest, ASaveKilledHalfWayLeavesOneWholeVersion) {
    const std::string versions[2] = {VersionText(0), VersionText(1)};
    ASSERT_GT(versions[0].size(), 1000000u);
    ASSERT_NE(versions[0], versions[1]);
    const std::string target = PathOf("target.conf");
    for (int round = 0; round < 20; ++round) {
        FileSystem::WriteWholeFile(target, versions[0]);
        FileSystem::DeleteFileIfPresent(target + ".ready");
        ChildProcess saver(TestBinPath("ConfSaveLoop.exe"), "\"" + target + "\" loop");
        ASSERT_TRUE(saver.Started());
        ASSERT_TRUE(WaitUntil([&] { return FileSystem::FileExists(target + ".ready"); }, 60000));
        if (round % 2 == 0) {
            Sleep(static_cast<DWORD>(round * 37 % 200));
            EXPECT_TRUE(saver.Running()) << "round " << round;
            saver.Kill();
        } else {
            KillWhenTheFileChanges(saver, target);
        }

        const std::string found = FileSystem::ReadWholeFile(target);
        EXPECT_TRUE(found == versions[0] || found == versions[1])
            << "round " << round << ": " << found.size() << " bytes";
    }
}

// A hidden or system file is still the user's configuration: the default is
// never copied over it, and it loads and saves like any other.
TEST_F(ConfFileTest, AHiddenOrSystemConfigurationIsKept) {
    const std::string path = PathOf("conf\\brindlecote.conf");
    FileSystem::WriteWholeFile(PathOf("conf\\default_brindlecote.conf"), "listen_port=1\r\n");
    for (DWORD attributes : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                             DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
        SCOPED_TRACE(attributes);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        FileSystem::WriteWholeFile(path, "listen_port=2\r\n");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));

        KXProxyConf conf(dir_.string());
        EXPECT_TRUE(conf.FileExists(path));
        conf.ConfigurationFile(path);
        EXPECT_FALSE(conf.UseDefaultConf());
        conf.Load();
        EXPECT_EQ(conf.GetValue("listen_port"), Variant("2"));

        conf.SetValue("listen_port", "3");
        ASSERT_TRUE(conf.Save());
        KXProxyConf again(dir_.string());
        again.ConfigurationFile(path);
        again.Load();
        EXPECT_EQ(again.GetValue("listen_port"), Variant("3"));
    }
    EXPECT_TRUE(boxes_.empty());
}

}  // namespace
