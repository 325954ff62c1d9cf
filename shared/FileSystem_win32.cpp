#include <windows.h>

#include "FileSystem.h"
#include "ModuleFileName.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace FileSystem {

namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' ')) {
        message.pop_back();
    }
    return message;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const DWORD code = GetLastError();
    const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    throw ObjectError(missing ? 53 : 75, "FileSystem", what + " " + path + ": " + SystemMessage(code));
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    bool ok() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

}  // namespace

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadWholeFile(const std::string& path) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.ok()) {
        Fail("Cannot open", path);
    }
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
            Fail("Cannot read", path);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, got);
    }
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    // A hidden or system file refuses CREATE_ALWAYS with plain attributes, so
    // an existing file is emptied in place instead of being created anew.
    Handle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    if (!file.ok()) {
        Fail("Cannot create", path);
    }
    DWORD written = 0;
    if (!SetEndOfFile(file.get()) ||
        (!bytes.empty() && (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
                            written != bytes.size())) ||
        !FlushFileBuffers(file.get())) {
        Fail("Cannot write", path);
    }
}

void AtomicReplace(const std::string& from, const std::string& to) {
    // A reader that opened the file without FILE_SHARE_DELETE (the daemon,
    // an editor) holds the replace off only for as long as it reads.
    constexpr int kAttempts = 50;
    constexpr DWORD kPauseMilliseconds = 20;
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return;
        }
        const DWORD code = GetLastError();
        if (attempt == kAttempts || (code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED)) {
            SetLastError(code);
            Fail("Cannot replace", to);
        }
        Sleep(kPauseMilliseconds);
    }
}

void DeleteFileIfPresent(const std::string& path) {
    if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND &&
        GetLastError() != ERROR_PATH_NOT_FOUND) {
        Fail("Cannot delete", path);
    }
}

std::vector<std::string> FileNamesStartingWith(const std::string& directory, const std::string& prefix) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((directory + "\\" + prefix + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
            return names;
        }
        Fail("Cannot list", directory);
    }
    do {
        // The pattern also matches short 8.3 names, so the long name is checked.
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            TextEqual(std::string_view(found.cFileName).substr(0, prefix.size()), prefix)) {
            names.emplace_back(found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    const DWORD code = GetLastError();
    FindClose(search);
    if (code != ERROR_NO_MORE_FILES) {
        SetLastError(code);
        Fail("Cannot list", directory);
    }
    return names;
}

std::string ProgramDirectory() {
    const std::string full = ModuleFileName();
    return full.substr(0, full.find_last_of('\\'));
}

}  // namespace FileSystem
