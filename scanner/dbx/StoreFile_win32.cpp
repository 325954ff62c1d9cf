#include <windows.h>

#include <algorithm>

#include "ObjectError.h"
#include "StoreFile.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
        throw ObjectError(53, "StoreFile", "File not found " + path);
    }
    throw ObjectError(75, "StoreFile", what + " " + path + ": system error " + std::to_string(code));
}

}  // namespace

// The file stays open for a whole scan, so the mail client may also rename
// or delete the store meanwhile (as it does when it compacts a folder).
StoreFile::StoreFile(const std::string& path)
    : path_(path),
      handle_(reinterpret_cast<std::intptr_t>(CreateFileA(path.c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (AsHandle(handle_) == INVALID_HANDLE_VALUE) {
        Fail("Cannot open", path_);
    }
}

StoreFile::~StoreFile() {
    if (view_) {
        UnmapViewOfFile(view_);
    }
    if (mapping_) {
        CloseHandle(AsHandle(mapping_));
    }
    CloseHandle(AsHandle(handle_));
}

std::uint64_t StoreFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(handle_), &size)) {
        Fail("Cannot measure", path_);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

// The offset goes with each read, so no file position is shared; reads run
// in pieces that a DWORD can count.
std::size_t StoreFile::readAt(std::uint64_t offset, char* into, std::size_t count) const {
    constexpr std::size_t kPiece = std::size_t{1} << 30;
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED at{};
        const std::uint64_t from = offset + done;
        at.Offset = static_cast<DWORD>(from);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD got = 0;
        const auto piece = static_cast<DWORD>(std::min(count - done, kPiece));
        if (!ReadFile(AsHandle(handle_), into + done, piece, &got, &at)) {
            if (GetLastError() == ERROR_HANDLE_EOF) {
                break;
            }
            Fail("Cannot read", path_);
        }
        if (got == 0) {
            break;
        }
        done += got;
    }
    return done;
}

std::string_view StoreFile::map() {
    if (!view_) {
        const std::uint64_t length = size();
        // An empty file cannot be mapped; it has nothing to read either.
        if (length == 0) {
            return {};
        }
        // The whole file as it is now; while the view is mapped the system
        // will not let another process cut the file shorter.
        // Mapped at the length measured: should the file have been cut
        // shorter meanwhile, the mapping fails instead of giving a view that
        // ends early.
        HANDLE mapping = CreateFileMappingA(AsHandle(handle_), nullptr, PAGE_READONLY, static_cast<DWORD>(length >> 32),
                                            static_cast<DWORD>(length), nullptr);
        if (!mapping) {
            Fail("Cannot map", path_);
        }
        mapping_ = reinterpret_cast<std::intptr_t>(mapping);
        const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, static_cast<SIZE_T>(length));
        if (!view) {
            Fail("Cannot map", path_);
        }
        view_ = static_cast<const char*>(view);
        mapped_ = length;
    }
    return {view_, static_cast<std::size_t>(mapped_)};
}
