#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "ObjectError.h"
#include "StoreFile.h"

namespace {

// The portable lane reads the programs' Windows paths with "/" for "\".
std::string Local(std::string path) {
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

[[noreturn]] void Fail(int code, const std::string& what, const std::string& path) {
    if (code == ENOENT) {
        throw ObjectError(53, "StoreFile", "File not found " + path);
    }
    throw ObjectError(75, "StoreFile", what + " " + path + ": " + std::strerror(code));
}

}  // namespace

// Non-blocking, so that a pipe or device under the name cannot stall the open.
StoreFile::StoreFile(const std::string& path) : path_(path), handle_(open(Local(path).c_str(), O_RDONLY | O_NONBLOCK)) {
    if (handle_ < 0) {
        Fail(errno, "Cannot open", path_);
    }
    // Windows refuses to open a folder as a file; so do we.
    struct stat info {};
    const int code = fstat(static_cast<int>(handle_), &info) != 0 ? errno : (S_ISREG(info.st_mode) ? 0 : EISDIR);
    if (code != 0) {
        close(static_cast<int>(handle_));
        Fail(code, "Cannot open", path_);
    }
}

StoreFile::~StoreFile() {
    if (view_) {
        munmap(const_cast<char*>(view_), mapped_);
    }
    close(static_cast<int>(handle_));
}

std::uint64_t StoreFile::size() const {
    struct stat info {};
    if (fstat(static_cast<int>(handle_), &info) != 0) {
        Fail(errno, "Cannot measure", path_);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::size_t StoreFile::readAt(std::uint64_t offset, char* into, std::size_t count) const {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            pread(static_cast<int>(handle_), into + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            Fail(errno, "Cannot read", path_);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

// The portable lane is where the tests run; a store cut shorter by another
// process while it is mapped would end the process there (on Windows the
// system refuses to cut a mapped file).
std::string_view StoreFile::map() {
    if (!view_) {
        const std::uint64_t length = size();
        // An empty file has nothing to map (and mmap refuses a length of 0).
        if (length == 0) {
            return {};
        }
        void* view = mmap(nullptr, length, PROT_READ, MAP_SHARED, static_cast<int>(handle_), 0);
        if (view == MAP_FAILED) {
            Fail(errno, "Cannot map", path_);
        }
        view_ = static_cast<const char*>(view);
        mapped_ = length;
    }
    return {view_, static_cast<std::size_t>(mapped_)};
}
