#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

#include "FileSystem.h"
#include "MsgBox.h"
#include "ObjectError.h"

// The error the call raises; a test failure when it raises none.
template <class Call>
ObjectError RaisedBy(Call&& call) {
    try {
        call();
    } catch (const ObjectError& error) {
        return error;
    }
    ADD_FAILURE() << "no ObjectError was raised";
    return ObjectError(0, "", "");
}

// A directory of its own for each test, and a responder that records every
// message box instead of showing it.
class ListFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() /
               ("lst" + std::to_string(stamp % 100000000) + "_" + std::to_string(++serial));
        std::filesystem::create_directories(dir_);
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box);
            return MsgBoxResult::OK;
        });
    }

    void TearDown() override {
        SetMsgBoxResponder(nullptr);
        ReleaseUnreadable();
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        FileSystem::WriteWholeFile(PathOf(name), bytes);
    }
    std::string Read(const std::string& name) const { return FileSystem::ReadWholeFile(PathOf(name)); }
    bool Present(const std::string& name) const { return std::filesystem::exists(dir_ / name); }
    // The temporary files a save left in the directory, whoever named them.
    std::vector<std::string> TemporaryFiles() const {
        std::vector<std::string> names;
        for (const auto& file : std::filesystem::directory_iterator(dir_)) {
            if (file.path().extension() == ".tmp") {
                names.push_back(file.path().filename().string());
            }
        }
        return names;
    }

    // Puts a file at the name that is there but cannot be read: a socket
    // natively (root reads any plain file), a file opened without sharing
    // on Windows.
    void MakeUnreadable(const std::string& name) {
#ifdef _WIN32
        locked_ =
            CreateFileA(PathOf(name).c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(locked_, INVALID_HANDLE_VALUE);
#else
        const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(fd, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = PathOf(name);
        ASSERT_LT(path.size(), sizeof address.sun_path);
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        close(fd);
        ASSERT_EQ(bound, 0);
#endif
        unreadable_ = name;
    }

    // Makes the file made by MakeUnreadable an ordinary file again.
    void ReleaseUnreadable() {
#ifdef _WIN32
        if (locked_ != INVALID_HANDLE_VALUE) {
            CloseHandle(locked_);
            locked_ = INVALID_HANDLE_VALUE;
        }
#else
        if (!unreadable_.empty()) {
            std::filesystem::remove(dir_ / unreadable_);
        }
#endif
        unreadable_.clear();
    }

    std::filesystem::path dir_;
    std::vector<MsgBoxRequest> boxes_;

private:
    std::string unreadable_;
#ifdef _WIN32
    HANDLE locked_ = INVALID_HANDLE_VALUE;
#endif
};
