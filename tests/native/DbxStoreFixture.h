#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "CDbx.h"
#include "DbxWriter.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "ScanState.h"

// A directory of its own for each test's stores, and the log lines the
// reader writes, recorded instead of written to a file.
class DbxStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() /
               ("dbx" + std::to_string(stamp % 100000000) + "_" + std::to_string(++serial));
        std::filesystem::create_directories(dir_);
        LogTrap::SetWriter([this](const std::string& line) { log_.push_back(line); });
        ScanState::gDebugLevel = 0;
        ScanState::gScanLimit = 0;
    }

    void TearDown() override {
        LogTrap::SetWriter(nullptr);
        ScanState::gDebugLevel = 0;
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Save(const std::string& bytes, const std::string& name = "store.dbx") const {
        FileSystem::WriteWholeFile(PathOf(name), bytes);
        return PathOf(name);
    }

    // Opens the image as a store file; the reader stays for the test to look at.
    bool Open(const DbxWriter::Image& image, bool bodies = false) { return dbx_.openFile(Save(image.bytes), bodies); }

    // The Ids of the messages in collection order.
    std::vector<std::int32_t> MessageIds() {
        std::vector<std::int32_t> ids;
        for (const auto& email : dbx_.EMails()) {
            ids.push_back(email->Id());
        }
        return ids;
    }

    bool Logged(const std::string& line) const {
        for (const std::string& logged : log_) {
            if (logged == line) {
                return true;
            }
        }
        return false;
    }

    // The line openFile logs when it fails with that error number.
    static std::string OpenErrorStart(std::int32_t number) {
        return "openFile() Error " + std::to_string(number) + " : ";
    }

    bool LoggedOpenError(std::int32_t number) const {
        for (const std::string& logged : log_) {
            if (logged.rfind(OpenErrorStart(number), 0) == 0) {
                return true;
            }
        }
        return false;
    }

    std::filesystem::path dir_;
    std::vector<std::string> log_;
    CDbx dbx_;
};

// Little message stores of numbered messages.
inline DbxWriter MessagesNumbered(std::int32_t count, std::size_t entriesPerNode = 32) {
    DbxWriter writer(DbxWriter::Kind::Messages);
    writer.EntriesPerNode(entriesPerNode);
    for (std::int32_t id = 1; id <= count; ++id) {
        writer.Add(DbxWriter::Message(id, {DbxWriter::Text(0x08, "subject " + std::to_string(id))},
                                      "text of message " + std::to_string(id)));
    }
    return writer;
}
