#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "StoreFile.h"

// The bytes of one store as the reader asks for them, "count bytes at
// offset": from an open file through one reused window, refilled by a
// positioned read when a request falls outside it, or from bytes already in
// memory. The file's pages are never mapped nor copied whole, so reading a
// store costs about what streaming it does. Every request is checked against
// the store in 64-bit arithmetic.
class StoreWindow {
public:
    // Large enough that a store read front to back is read in few calls,
    // small enough to stay in the processor's cache.
    static constexpr std::int64_t kWindowSize = 256 * 1024;

    // No store: every request fails.
    StoreWindow() = default;
    explicit StoreWindow(std::unique_ptr<StoreFile> file);
    // Bytes the caller keeps alive and unchanged while they are read.
    explicit StoreWindow(std::string_view bytes);

    // The store's length in bytes, as measured when it was opened.
    std::int64_t size() const { return size_; }

    // The count bytes at offset, valid until the next request; false when
    // any lies outside the store (or the file no longer holds them) or count
    // is less than 1.
    bool read(std::int64_t offset, std::int64_t count, std::span<const std::uint8_t>& into);

    // Appends the count bytes at offset to text, a request larger than the
    // window straight into it; false, with text as it was, where read fails.
    bool appendTo(std::int64_t offset, std::int64_t count, std::string& text);

private:
    bool inside(std::int64_t offset, std::int64_t count) const;
    // The window from offset on holds count bytes; false when the file
    // no longer holds them.
    bool fill(std::int64_t offset, std::int64_t count);
    const char* at(std::int64_t offset) const;
    // Up to count bytes of the file at offset into `into`: the bytes read,
    // fewer where the file ends, none when it cannot be read.
    std::int64_t readFile(std::int64_t offset, std::int64_t count, char* into) const;

    std::unique_ptr<StoreFile> file_;
    std::string_view bytes_;
    std::int64_t size_ = 0;
    // The window: the file's bytes from start_ on, length_ of them.
    std::unique_ptr<char[]> window_;
    std::int64_t start_ = 0;
    std::int64_t length_ = 0;
    // A request larger than the window.
    std::string large_;
};
