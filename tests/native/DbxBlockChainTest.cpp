#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "BlockChain.h"
#include "DbxWriter.h"
#include "StoreWindow.h"

namespace {

using W = DbxWriter;

// A store whose first message's text is `blocks` blocks of 20 bytes, beside a
// second message far larger than that chain.
W::Image StoreWithChainOf(std::int32_t blocks) {
    W writer(W::Kind::Messages);
    writer.Add(W::Message(1, {}, std::string(20 * static_cast<std::size_t>(blocks), 'c'), 20));
    writer.Add(W::Message(2, {}, std::string(200000, 'o')));
    return writer.Build();
}

TEST(DbxBlockChain, ASoundChainIsMeasuredAndGatheredInChainOrder) {
    W writer(W::Kind::Messages);
    const std::string text = std::string(512, 'a') + std::string(512, 'b') + std::string(100, 'c');
    writer.Add(W::Message(1, {}, text));
    const W::Image image = writer.Build();
    const std::int64_t first = image.blocks[0][0];

    StoreWindow store(image.bytes);
    const BlockChain::Walk walk = BlockChain::Measure(store, first);
    EXPECT_TRUE(walk.sound);
    EXPECT_EQ(walk.bytes, 1124);
    EXPECT_EQ(walk.blocks, 3);
    std::string gathered = "old";
    ASSERT_TRUE(BlockChain::Gather(store, first, walk, gathered));
    EXPECT_EQ(gathered, text);
}

TEST(DbxBlockChain, NoChainIsASoundEmptyText) {
    const W::Image image = StoreWithChainOf(1);
    StoreWindow store(image.bytes);
    const BlockChain::Walk walk = BlockChain::Measure(store, 0);
    EXPECT_TRUE(walk.sound);
    EXPECT_EQ(walk.bytes, 0);
    EXPECT_EQ(walk.blocks, 0);
}

// A looping chain is given up soon after its first block comes round again,
// however large the rest of the store is.
TEST(DbxBlockChain, ALoopIsFoundWithinThreeTimesTheBlocksOnTheChain) {
    struct Case {
        std::int32_t blocks;
        std::int32_t backTo;
    };
    const Case cases[] = {{1, 0}, {2, 0}, {2, 1}, {50, 0}, {50, 49}, {1000, 500}, {1000, 1}};
    for (const Case& c : cases) {
        W::Image image = StoreWithChainOf(c.blocks);
        const auto& chain = image.blocks[0];
        image.PutLong(chain.back() + W::kBlockNextAt, static_cast<std::int32_t>(chain[c.backTo]));
        StoreWindow store(image.bytes);
        const BlockChain::Walk walk = BlockChain::Measure(store, chain[0]);
        EXPECT_FALSE(walk.sound) << c.blocks << " back to " << c.backTo;
        EXPECT_GE(walk.blocks, c.blocks) << c.blocks << " back to " << c.backTo;
        EXPECT_LE(walk.blocks, 3 * c.blocks) << c.blocks << " back to " << c.backTo;
    }
}

// Blocks whose heads overlap each other's data: the chain ends nowhere within
// the bytes it may hold, and is cut at the most blocks the store can hold.
TEST(DbxBlockChain, MoreBlocksThanTheStoreCanHoldEndTheWalk) {
    std::string store(17 * 100, '\0');
    for (std::int64_t at = 16; at + 16 < static_cast<std::int64_t>(store.size()); at += 16) {
        store[static_cast<std::size_t>(at + W::kBlockLengthAt)] = 1;
        const auto next = static_cast<std::uint32_t>(at + 16);
        for (int b = 0; b < 4; ++b) {
            store[static_cast<std::size_t>(at + W::kBlockNextAt + b)] = static_cast<char>(next >> (8 * b));
        }
    }
    StoreWindow window(store);
    const BlockChain::Walk walk = BlockChain::Measure(window, 16);
    EXPECT_FALSE(walk.sound);
    EXPECT_EQ(walk.blocks, 100 + 1);
}

TEST(DbxBlockChain, AChainChangedAfterItWasMeasuredGathersNothing) {
    W writer(W::Kind::Messages);
    writer.Add(W::Message(1, {}, std::string(1024, 't')));
    W::Image image = writer.Build();
    const std::int64_t first = image.blocks[0][0];
    StoreWindow store(image.bytes);
    const BlockChain::Walk walk = BlockChain::Measure(store, first);
    ASSERT_TRUE(walk.sound);

    const std::int64_t second = image.blocks[0][1];
    struct Case {
        const char* name;
        std::function<void(W::Image&)> change;
    };
    const Case cases[] = {
        {"a block grew", [&](W::Image& i) { i.PutInteger(second + W::kBlockLengthAt, 600); }},
        {"a block shrank", [&](W::Image& i) { i.PutInteger(second + W::kBlockLengthAt, 100); }},
        {"the chain goes on",
         [&](W::Image& i) { i.PutLong(second + W::kBlockNextAt, static_cast<std::int32_t>(first)); }},
        {"the chain ends early", [&](W::Image& i) { i.PutLong(first + W::kBlockNextAt, 0); }},
    };
    for (const Case& c : cases) {
        W::Image changed = image;
        c.change(changed);
        std::string text = "old";
        StoreWindow changedStore(changed.bytes);
        EXPECT_FALSE(BlockChain::Gather(changedStore, first, walk, text)) << c.name;
        EXPECT_EQ(text, "") << c.name;
    }
}

}  // namespace
