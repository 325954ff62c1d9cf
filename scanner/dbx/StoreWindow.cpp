#include "StoreWindow.h"

#include <algorithm>

#include "ObjectError.h"

namespace {

// Windows start on a page of the file, as the system's cache holds it.
constexpr std::int64_t kPage = 4096;

}  // namespace

StoreWindow::StoreWindow(std::unique_ptr<StoreFile> file)
    : file_(std::move(file)), size_(static_cast<std::int64_t>(file_->size())) {}

StoreWindow::StoreWindow(std::string_view bytes) : bytes_(bytes), size_(static_cast<std::int64_t>(bytes.size())) {}

bool StoreWindow::inside(std::int64_t offset, std::int64_t count) const {
    return offset >= 0 && count >= 1 && count <= size_ && offset <= size_ - count;
}

bool StoreWindow::read(std::int64_t offset, std::int64_t count, std::span<const std::uint8_t>& into) {
    if (!inside(offset, count)) {
        return false;
    }
    const char* from = nullptr;
    if (!file_) {
        from = bytes_.data() + offset;
    } else if (count > kWindowSize) {
        large_.resize(static_cast<std::size_t>(count));
        if (readFile(offset, count, large_.data()) != count) {
            return false;
        }
        from = large_.data();
    } else if (fill(offset, count)) {
        from = at(offset);
    } else {
        return false;
    }
    into = std::span(reinterpret_cast<const std::uint8_t*>(from), static_cast<std::size_t>(count));
    return true;
}

bool StoreWindow::appendTo(std::int64_t offset, std::int64_t count, std::string& text) {
    if (!inside(offset, count)) {
        return false;
    }
    if (!file_) {
        text.append(bytes_.data() + offset, static_cast<std::size_t>(count));
        return true;
    }
    if (count <= kWindowSize) {
        if (!fill(offset, count)) {
            return false;
        }
        text.append(at(offset), static_cast<std::size_t>(count));
        return true;
    }
    const std::size_t old = text.size();
    text.resize(old + static_cast<std::size_t>(count));
    if (readFile(offset, count, text.data() + old) != count) {
        text.resize(old);
        return false;
    }
    return true;
}

bool StoreWindow::fill(std::int64_t offset, std::int64_t count) {
    if (offset >= start_ && offset + count <= start_ + length_) {
        return true;
    }
    if (!window_) {
        window_ = std::make_unique<char[]>(static_cast<std::size_t>(kWindowSize));
    }
    // The reader goes through a store in either direction: its records come
    // in the reverse of index order, each text's blocks forward. A window
    // placed after the last one starts at the request; one placed before it
    // keeps an eighth of itself after the request, for the text that follows.
    std::int64_t start = offset < start_ ? std::max<std::int64_t>(0, offset - kWindowSize * 7 / 8) : offset;
    start -= start % kPage;
    if (offset + count > start + kWindowSize) {
        start = offset;
    }
    // The window holds what the file gave: less than asked for where the
    // file has been cut shorter since it was opened.
    start_ = start;
    length_ = readFile(start, std::min(kWindowSize, size_ - start), window_.get());
    return offset + count <= start_ + length_;
}

std::int64_t StoreWindow::readFile(std::int64_t offset, std::int64_t count, char* into) const {
    try {
        return static_cast<std::int64_t>(
            file_->readAt(static_cast<std::uint64_t>(offset), into, static_cast<std::size_t>(count)));
    } catch (const ObjectError&) {
        return 0;
    }
}

const char* StoreWindow::at(std::int64_t offset) const {
    return window_.get() + (offset - start_);
}
