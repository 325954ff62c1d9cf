#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "FileLock.h"
#include "ObjectError.h"

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
}

FileLock::~FileLock() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

std::string FileLock::OwnTemporaryPath(const std::string& path) {
    return path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
}
