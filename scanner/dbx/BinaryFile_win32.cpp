#include <windows.h>

#include <algorithm>

#include "BinaryFile.h"
#include "ObjectError.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const DWORD code = GetLastError();
    const bool missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    throw ObjectError(missing ? 53 : 75, "BinaryFile",
                      what + " " + path + ": system error " + std::to_string(code));
}

}  // namespace

BinaryFile::BinaryFile(const std::string& path)
    : path_(path),
      handle_(reinterpret_cast<std::intptr_t>(CreateFileA(path.c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (AsHandle(handle_) == INVALID_HANDLE_VALUE) {
        Fail("Cannot open", path_);
    }
}

BinaryFile::~BinaryFile() { CloseHandle(AsHandle(handle_)); }

std::uint64_t BinaryFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(handle_), &size)) {
        Fail("Cannot measure", path_);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::uint64_t BinaryFile::read(char* into, std::uint64_t count) {
    // ReadFile takes 32-bit counts, so a large file is read in pieces.
    constexpr std::uint64_t kPiece = 1u << 30;
    std::uint64_t done = 0;
    while (done < count) {
        const DWORD want = static_cast<DWORD>(std::min(kPiece, count - done));
        DWORD got = 0;
        if (!ReadFile(AsHandle(handle_), into + done, want, &got, nullptr)) {
            Fail("Cannot read", path_);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}
