#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

// A file opened for reading in binary, shared with other readers and writers
// (the mail client may hold its stores open while we read them) and with its
// renaming or deletion (as when the client compacts a folder). Its bytes are
// read either by positioned reads, which share no file position, or in place
// through a read-only view of the whole file. Failures raise ObjectError: 53
// ("File not found") when the file is missing, 75 otherwise.
class StoreFile {
public:
    explicit StoreFile(const std::string& path);
    ~StoreFile();
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    // The memory a caller needs, in bytes, to read a file of `size` bytes.
    using Needs = std::uint64_t (*)(std::uint64_t size);

    // The store at path, opened to be read whole: within ScanState::gScanLimit,
    // or, without a limit, when free physical memory is at least needs(size);
    // at most 2147483647 bytes, as content lengths are 32-bit. Nothing, with
    // failure "", for a path ending in "\"; nothing, with the cause, the path
    // and the size in failure, for a store missing or refused (no log line:
    // the caller reports it once). Other failures raise.
    static std::unique_ptr<StoreFile> openWithin(const std::string& path, Needs needs, std::string& failure);

    // The file's length in bytes.
    std::uint64_t size() const;

    // Reads count bytes at offset into `into`; the bytes read, fewer only
    // where the file ends first.
    std::size_t readAt(std::uint64_t offset, char* into, std::size_t count) const;

    // Maps the whole file, once; its bytes stay valid while this object lives.
    std::string_view map();

private:
    std::string path_;
    std::intptr_t handle_;
    std::intptr_t mapping_ = 0;
    const char* view_ = nullptr;
    std::uint64_t mapped_ = 0;
};
