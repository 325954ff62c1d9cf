#include <windows.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "FileLock.h"
#include "FileSystem.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

// One name for one file however it is spelt: the full path, in capitals
// (file names are compared without case), hashed so that a long path still
// makes a valid mutex name.
std::string MutexName(const std::string& path) {
    std::vector<char> full(MAX_PATH);
    DWORD length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length >= full.size()) {
        full.resize(length + 1);
        length = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    std::string name = length > 0 && length < full.size() ? std::string(full.data(), length) : path;
    CharUpperBuffA(name.data(), static_cast<DWORD>(name.size()));
    std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : name) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::string("Brindlecote Varnholt file ") + hex;
}

constexpr std::string_view kTemporaryEnding = ".tmp";

std::string TemporaryPathOf(const std::string& path, DWORD processId) {
    return path + "." + std::to_string(processId) + std::string(kTemporaryEnding);
}

// A process that cannot be looked at (another user's) is taken for running.
bool ProcessRunning(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) {
        return GetLastError() != ERROR_INVALID_PARAMETER;
    }
    DWORD code = 0;
    const bool running = !GetExitCodeProcess(process, &code) || code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

// The process whose temporary file of the list this is, when the name is
// one that OwnTemporaryPath gives; a name no writer makes has none.
std::optional<DWORD> WriterOf(const std::string& listName, const std::string& fileName) {
    if (fileName.size() <= listName.size() + 1 + kTemporaryEnding.size()) {
        return std::nullopt;
    }
    const char* first = fileName.data() + listName.size() + 1;
    const char* last = fileName.data() + fileName.size() - kTemporaryEnding.size();
    DWORD processId = 0;
    const auto [end, error] = std::from_chars(first, last, processId);
    // Spelt back, the number also rules out leading zeros.
    if (error != std::errc() || end != last || !TextEqual(fileName, TemporaryPathOf(listName, processId))) {
        return std::nullopt;
    }
    return processId;
}

// A writer killed between writing its temporary file and putting it in
// place leaves that file for good; the next writer of the list deletes those
// of writers that have ended. An id a new process has taken since keeps its
// file: a leftover may stay, a live writer's file never goes. The start-up's
// copy into place uses the list's name and ".tmp" alone, which names no
// writer to ask about, so it is left to that copy (the next start makes it
// again). What cannot be listed or deleted now is left for a later writer.
void RemoveFilesOfEndedWriters(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string listName = path.substr(slash + 1);
    std::vector<std::string> names;
    try {
        names = FileSystem::FileNamesStartingWith(directory, listName + ".");
    } catch (const ObjectError&) {
        return;
    }
    for (const std::string& name : names) {
        const std::optional<DWORD> writer = WriterOf(listName, name);
        if (!writer || ProcessRunning(*writer)) {
            continue;
        }
        try {
            FileSystem::DeleteFileIfPresent(directory + "\\" + name);
        } catch (const ObjectError&) {
            // Held open or refused for now: a later writer tries again.
        }
    }
}

}  // namespace

FileLock::FileLock(const std::string& path) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, MutexName(path).c_str());
    if (mutex == nullptr) {
        throw ObjectError(75, "FileLock",
                          "Cannot lock " + path + " for a change: error " + std::to_string(GetLastError()));
    }
    // An owner that ended without letting go leaves the file whole (it is
    // only ever replaced in one step), so an abandoned lock is simply ours.
    const DWORD waited = WaitForSingleObject(mutex, kWaitMilliseconds);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
        CloseHandle(mutex);
        throw ObjectError(75, "FileLock",
                          "Cannot change " + path + ": another program has been changing it for more than " +
                              std::to_string(kWaitMilliseconds / 1000) + " seconds. Please try again later.");
    }
    mutex_ = mutex;
    // A constructor that fails keeps no lock.
    try {
        RemoveFilesOfEndedWriters(path);
    } catch (...) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
        throw;
    }
}

FileLock::~FileLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

std::string FileLock::OwnTemporaryPath(const std::string& path) {
    return TemporaryPathOf(path, GetCurrentProcessId());
}
