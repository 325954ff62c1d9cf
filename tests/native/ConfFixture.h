#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"

// A scratch directory of the test's own, and a record of the message boxes
// (answered OK) and log lines the code under test produced.
class ConfFixture : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("conf-test-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir_ / "conf");
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box);
            return MsgBoxResult::OK;
        });
        LogTrap::SetWriter([this](const std::string& line) { log_.push_back(line); });
    }

    void TearDown() override {
        SetMsgBoxResponder({});
        LogTrap::SetWriter({});
        std::filesystem::remove_all(dir_);
    }

    std::string Dir() const { return dir_.string(); }
    // A path inside the scratch directory ("conf/x" names a file in conf).
    std::string PathOf(const std::string& name) const { return (dir_ / name).make_preferred().string(); }
    void WriteFile(const std::string& name, const std::string& bytes) const {
        FileSystem::WriteWholeFile(PathOf(name), bytes);
    }
    std::string ReadFile(const std::string& name) const { return FileSystem::ReadWholeFile(PathOf(name)); }

    std::filesystem::path dir_;
    std::vector<MsgBoxRequest> boxes_;
    std::vector<std::string> log_;
};
