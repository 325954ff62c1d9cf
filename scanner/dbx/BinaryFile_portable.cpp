#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "BinaryFile.h"
#include "ObjectError.h"

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
    throw ObjectError(code == ENOENT ? 53 : 75, "BinaryFile", what + " " + path + ": " + std::strerror(code));
}

}  // namespace

// Non-blocking, so that a pipe or device under the name cannot stall the open.
BinaryFile::BinaryFile(const std::string& path)
    : path_(path), handle_(open(Local(path).c_str(), O_RDONLY | O_NONBLOCK)) {
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

BinaryFile::~BinaryFile() { close(static_cast<int>(handle_)); }

std::uint64_t BinaryFile::size() const {
    struct stat info {};
    if (fstat(static_cast<int>(handle_), &info) != 0) {
        Fail(errno, "Cannot measure", path_);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::uint64_t BinaryFile::read(char* into, std::uint64_t count) {
    std::uint64_t done = 0;
    while (done < count) {
        const ssize_t got = pread(static_cast<int>(handle_), into + done, count - done, static_cast<off_t>(done));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(errno, "Cannot read", path_);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::uint64_t>(got);
    }
    return done;
}
