#pragma once
#include <cstdint>
#include <string>

class StoreWindow;

// The chain of blocks that holds one message's text in a store: each block a
// 16-byte head (data length at 0x08, next block at 0x0C, 0 ending the chain)
// followed by its data. The chain is walked twice, once to measure and once
// to gather, so that the text is built straight from the store's bytes with
// one allocation.
namespace BlockChain {

constexpr std::int64_t kHeadSize = 16;

struct Walk {
    // True when the chain ends at 0 with every block inside the store.
    bool sound = false;
    std::int64_t bytes = 0;
    std::int64_t blocks = 0;
};

// Follows the chain from first without copying. A chain that loops, leaves
// the store, holds a block of no data or more blocks or bytes than the store
// can hold is not sound. A loop is found within three times the number of
// distinct blocks on the chain, with no memory beyond two offsets, so any
// store costs time in proportion to its size.
Walk Measure(StoreWindow& store, std::int64_t first);

// The text of a chain that Measure found sound; false, with text "", when the
// store no longer holds that chain (its file changed underneath).
bool Gather(StoreWindow& store, std::int64_t first, const Walk& walk, std::string& text);

}  // namespace BlockChain
