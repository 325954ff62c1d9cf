#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "FileSystem.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace FileSystem {

namespace {

std::string Local(const std::string& path) {
    std::string local = path;
    for (char& c : local) {
        if (c == '\\') {
            c = '/';
        }
    }
    return local;
}

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    const int code = errno;
    throw ObjectError(code == ENOENT ? 53 : 75, "FileSystem", what + " " + path + ": " + std::strerror(code));
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

bool FileExists(const std::string& path) {
    struct stat info {};
    return stat(Local(path).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

std::string ReadWholeFile(const std::string& path) {
    Descriptor file(open(Local(path).c_str(), O_RDONLY));
    if (file.get() < 0) {
        Fail("Cannot open", path);
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(file.get(), buffer, sizeof buffer);
        if (got < 0) {
            Fail("Cannot read", path);
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    Descriptor file(open(Local(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    if (file.get() < 0) {
        Fail("Cannot create", path);
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(file.get(), bytes.data() + done, bytes.size() - done);
        if (wrote < 0) {
            Fail("Cannot write", path);
        }
        done += static_cast<size_t>(wrote);
    }
    if (fsync(file.get()) != 0) {
        Fail("Cannot write", path);
    }
}

void AtomicReplace(const std::string& from, const std::string& to) {
    if (std::rename(Local(from).c_str(), Local(to).c_str()) != 0) {
        Fail("Cannot replace", to);
    }
}

void DeleteFileIfPresent(const std::string& path) {
    if (unlink(Local(path).c_str()) != 0 && errno != ENOENT) {
        Fail("Cannot delete", path);
    }
}

std::vector<std::string> FileNamesStartingWith(const std::string& directory, const std::string& prefix) {
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator file(Local(directory), error), end; !error && file != end;
         file.increment(error)) {
        const std::string name = file->path().filename().string();
        std::error_code unknown;
        if (!file->is_directory(unknown) && TextEqual(std::string_view(name).substr(0, prefix.size()), prefix)) {
            names.push_back(name);
        }
    }
    if (error && error != std::errc::no_such_file_or_directory) {
        errno = error.value();
        Fail("Cannot list", directory);
    }
    return names;
}

std::string ProgramDirectory() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

}  // namespace FileSystem
