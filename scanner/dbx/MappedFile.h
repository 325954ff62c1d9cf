#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A file opened for reading in binary, shared with other readers and writers
// (the mail client may hold its stores open while we read them), whose bytes
// are read in place through a read-only view of the whole file: the system's
// file cache is the only copy. Failures raise ObjectError: 53 ("File not
// found") when the file is missing, 75 otherwise.
class MappedFile {
public:
    explicit MappedFile(const std::string& path);
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // The file's length in bytes.
    std::uint64_t size() const;

    // Maps the whole file, once; its bytes stay valid while this object lives.
    std::string_view map();

private:
    std::string path_;
    std::intptr_t handle_;
    std::intptr_t mapping_ = 0;
    const char* view_ = nullptr;
    std::uint64_t mapped_ = 0;
};
