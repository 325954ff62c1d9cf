#pragma once
#include <cstdint>
#include <string>

// A file opened for reading in binary, shared with other readers and writers
// (the mail client may hold its stores open while we read them). Failures
// raise ObjectError: 53 when the file is missing, 75 otherwise.
class BinaryFile {
public:
    explicit BinaryFile(const std::string& path);
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // The file's length in bytes.
    std::uint64_t size() const;

    // Reads up to count bytes from the start into `into`; the number read
    // (fewer when the file has shrunk since it was measured).
    std::uint64_t read(char* into, std::uint64_t count);

private:
    std::string path_;
    std::intptr_t handle_;
};
