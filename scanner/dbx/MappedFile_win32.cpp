#include <windows.h>

#include "MappedFile.h"
#include "ObjectError.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) {
        throw ObjectError(53, "MappedFile", "File not found " + path);
    }
    throw ObjectError(75, "MappedFile", what + " " + path + ": system error " + std::to_string(code));
}

}  // namespace

// The view stays open for a whole scan, so the mail client may also rename
// or delete the store meanwhile (as it does when it compacts a folder); the
// view keeps the bytes it was given.
MappedFile::MappedFile(const std::string& path)
    : path_(path),
      handle_(reinterpret_cast<std::intptr_t>(CreateFileA(path.c_str(), GENERIC_READ,
                                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                          nullptr,
                                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
    if (AsHandle(handle_) == INVALID_HANDLE_VALUE) {
        Fail("Cannot open", path_);
    }
}

MappedFile::~MappedFile() {
    if (view_) {
        UnmapViewOfFile(view_);
    }
    if (mapping_) {
        CloseHandle(AsHandle(mapping_));
    }
    CloseHandle(AsHandle(handle_));
}

std::uint64_t MappedFile::size() const {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(AsHandle(handle_), &size)) {
        Fail("Cannot measure", path_);
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::string_view MappedFile::map() {
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
