#include "BlockChain.h"

#include <cstring>

#include "StoreWindow.h"

namespace BlockChain {

namespace {

constexpr std::int64_t kLengthAt = 0x08;
constexpr std::int64_t kNextAt = 0x0C;

struct Block {
    std::int64_t data;
    std::int64_t length;
    std::int64_t next;
};

// The block at `at` when its head and data lie inside the store and it holds
// at least one byte. In 64 bits, so that offsets near the 32-bit limit cannot
// wrap round into the store.
bool ReadBlock(StoreWindow& store, std::int64_t at, Block& block) {
    std::span<const std::uint8_t> head;
    if (!store.read(at, kHeadSize, head)) {
        return false;
    }
    const auto length = static_cast<std::int16_t>(head[kLengthAt] | head[kLengthAt + 1] << 8);
    std::int32_t next = 0;
    std::memcpy(&next, head.data() + kNextAt, sizeof next);  // the stores are little-endian, as is every target
    block = {at + kHeadSize, length, next};
    return length > 0 && block.data + length <= store.size();
}

}  // namespace

Walk Measure(StoreWindow& store, std::int64_t first) {
    const std::int64_t size = store.size();
    // Every block takes its head and at least one byte of data.
    const std::int64_t mostBlocks = size / (kHeadSize + 1);
    Walk walk;
    // Brent's loop finding: the chain has looped when it comes back to the
    // marked block; the mark moves on after 1, 2, 4, ... blocks.
    std::int64_t mark = first;
    std::int64_t power = 1;
    std::int64_t sinceMark = 0;
    Block block{};
    for (std::int64_t at = first; at != 0; at = block.next) {
        if (++walk.blocks > mostBlocks || !ReadBlock(store, at, block)) {
            return walk;
        }
        walk.bytes += block.length;
        if (walk.bytes > size || block.next == mark) {
            return walk;
        }
        if (++sinceMark == power) {
            mark = block.next;
            power *= 2;
            sinceMark = 0;
        }
    }
    walk.sound = true;
    return walk;
}

bool Gather(StoreWindow& store, std::int64_t first, const Walk& walk, std::string& text) {
    text.clear();
    text.reserve(static_cast<std::size_t>(walk.bytes));
    Block block{};
    std::int64_t at = first;
    for (std::int64_t k = 0; k < walk.blocks; ++k, at = block.next) {
        if (!ReadBlock(store, at, block) || static_cast<std::int64_t>(text.size()) + block.length > walk.bytes ||
            !store.appendTo(block.data, block.length, text)) {
            text.clear();
            return false;
        }
    }
    if (at != 0 || static_cast<std::int64_t>(text.size()) != walk.bytes) {
        text.clear();
        return false;
    }
    return true;
}

}  // namespace BlockChain
