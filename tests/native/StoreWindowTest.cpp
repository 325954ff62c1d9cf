#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>

#include "DbxStoreFixture.h"
#include "StoreWindow.h"

namespace {

constexpr std::int64_t kWindow = StoreWindow::kWindowSize;

// Bytes that differ from their neighbours, so that a read from the wrong
// place shows.
std::string Pattern(std::int64_t size) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        bytes[k] = static_cast<char>((k * 7 + k / 251) % 256);
    }
    return bytes;
}

class StoreWindowTest : public DbxStoreTest {
protected:
    const std::string bytes_ = Pattern(3 * kWindow + 123);

    StoreWindow OverFile() { return StoreWindow(std::make_unique<StoreFile>(Save(bytes_))); }

    // What read and appendTo give for one request, or "failed".
    static std::string Read(StoreWindow& window, std::int64_t offset, std::int64_t count) {
        std::span<const std::uint8_t> into;
        if (!window.read(offset, count, into)) {
            return "failed";
        }
        return std::string(reinterpret_cast<const char*>(into.data()), into.size());
    }
    static std::string Append(StoreWindow& window, std::int64_t offset, std::int64_t count) {
        std::string text = "before";
        if (!window.appendTo(offset, count, text)) {
            return text == "before" ? "failed" : "failed, and changed the text";
        }
        return text.substr(6);
    }
};

// One window in turn: requests inside the last window, across its edge,
// larger than a window, backwards, and the whole store.
TEST_F(StoreWindowTest, FileAndMemoryGiveTheBytesOfEveryRequestInTurn) {
    struct Request {
        std::int64_t offset;
        std::int64_t count;
    };
    const std::int64_t size = static_cast<std::int64_t>(bytes_.size());
    const Request requests[] = {
        {0, 1},
        {100, 16},
        {kWindow - 1, 2},
        {4095, kWindow},
        {kWindow + 4097, 5},
        {kWindow + 5, kWindow + 10},
        {7, 3},
        {size - 1, 1},
        {size - kWindow, kWindow},
        {2 * kWindow - 8, 16},
        {0, size},
        {12, 4},
    };
    StoreWindow file = OverFile();
    StoreWindow memory(bytes_);
    ASSERT_EQ(file.size(), size);
    for (const Request& r : requests) {
        const std::string expected =
            bytes_.substr(static_cast<std::size_t>(r.offset), static_cast<std::size_t>(r.count));
        EXPECT_TRUE(Read(file, r.offset, r.count) == expected) << r.offset << "+" << r.count;
        EXPECT_TRUE(Read(memory, r.offset, r.count) == expected) << r.offset << "+" << r.count;
        EXPECT_TRUE(Append(file, r.offset, r.count) == expected) << r.offset << "+" << r.count;
        EXPECT_TRUE(Append(memory, r.offset, r.count) == expected) << r.offset << "+" << r.count;
    }
}

TEST_F(StoreWindowTest, RequestsOutsideTheStoreFailAndLeaveTheTextAlone) {
    struct Request {
        std::int64_t offset;
        std::int64_t count;
    };
    const std::int64_t size = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    const Request requests[] = {{-1, 1},       {0, 0},    {5, -1},   {size, 1},   {size - 1, 2},
                                {0, size + 1}, {most, 1}, {1, most}, {most, most}};
    StoreWindow file = OverFile();
    StoreWindow memory(bytes_);
    StoreWindow none;
    for (const Request& r : requests) {
        for (StoreWindow* window : {&file, &memory, &none}) {
            EXPECT_EQ(Read(*window, r.offset, r.count), "failed") << r.offset << "+" << r.count;
            EXPECT_EQ(Append(*window, r.offset, r.count), "failed") << r.offset << "+" << r.count;
        }
    }
    EXPECT_EQ(Read(none, 0, 1), "failed");
}

// Another process may cut the store shorter while it is read: what is gone
// fails, whether it lay in the window or beyond, and what is left reads.
TEST_F(StoreWindowTest, AFileCutShorterWhileOpenFailsOnlyItsMissingBytes) {
    StoreWindow file = OverFile();
    ASSERT_EQ(Read(file, 2 * kWindow, 16), bytes_.substr(2 * kWindow, 16));
    std::filesystem::resize_file(PathOf("store.dbx"), 2 * kWindow + 8);

    EXPECT_EQ(Read(file, 3 * kWindow, 16), "failed");
    EXPECT_EQ(Append(file, kWindow, kWindow + 100), "failed");
    EXPECT_EQ(Read(file, 2 * kWindow, 16), "failed");
    EXPECT_EQ(Read(file, 2 * kWindow, 8), bytes_.substr(2 * kWindow, 8));
    EXPECT_EQ(Append(file, 10, kWindow + 10), bytes_.substr(10, kWindow + 10));
}

}  // namespace
