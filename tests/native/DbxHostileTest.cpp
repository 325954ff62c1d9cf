#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "DbxStoreFixture.h"

// Damaged and crafted stores: the reader must end each in a failed open or
// an empty text, never read outside the file, never walk without end.
namespace {

using W = DbxWriter;
using Ids = std::vector<std::int32_t>;

constexpr std::int32_t kBadFile = CDbx::dbxErrBadFile;
constexpr std::int32_t kItemHead = kObjectErrorBase + 0x203;
constexpr std::int32_t kItemData = kObjectErrorBase + 0x207;

// Three messages, 1 and 2 as separators of the root and 3 as the only entry
// of a child, hung wherever a case wants it.
W ThreeMessages() {
    W writer(W::Kind::Messages);
    for (std::int32_t id = 1; id <= 3; ++id) {
        writer.Add(W::Message(id, {}, "text " + std::to_string(id)));
    }
    return writer;
}

TEST_F(DbxStoreTest, IndexCyclesAndSharedSubtreesAreWalkedOnce) {
    struct Case {
        const char* name;
        std::vector<W::Node> nodes;
        Ids expected;
    };
    const Case cases[] = {
        {"root is its own first child", {{0, 1, {{0}, {1}, {2}}}}, {3, 2, 1}},
        {"entry leads back to the root", {{-1, 0, {{0, 0, 5}, {1}, {2}}}}, {3, 2, 1}},
        {"child leads back to its parent", {{-1, 0, {{0}, {1, 1, 1}}}, {0, 3, {{2, 0, 3}}}}, {3, 2, 1}},
        {"two entries share one child", {{-1, 0, {{0, 1, 1}, {1, 1, 1}}}, {-1, 0, {{2}}}}, {2, 3, 1}},
        {"head and entry share one child", {{1, 1, {{0, 1, 1}, {1}}}, {-1, 0, {{2}}}}, {2, 1, 3}},
    };
    for (const Case& c : cases) {
        W writer = ThreeMessages();
        writer.Index(c.nodes);
        CDbx dbx;
        ASSERT_TRUE(dbx.openFile(Save(writer.Build().bytes), true)) << c.name;
        Ids ids;
        for (const auto& email : dbx.EMails()) {
            ids.push_back(email->Id());
            EXPECT_EQ(email->Body(), "text " + std::to_string(email->Id())) << c.name;
        }
        EXPECT_EQ(ids, c.expected) << c.name;
    }
}

TEST_F(DbxStoreTest, AnIndexDeeperThanAnyRealOneIsCutOff) {
    // A chain of nodes, each the only child of the one before: walked
    // without a bound, it would run the stack out.
    const std::int32_t depth = 20000;
    W writer(W::Kind::Messages);
    std::vector<W::Node> nodes;
    for (std::int32_t n = 0; n < depth; ++n) {
        writer.Add(W::Message(n + 1, {}, ""));
        nodes.push_back({n + 1 < depth ? n + 1 : -1, n + 1 < depth ? 1 : 0, {{n}}});
    }
    writer.Index(nodes);
    ASSERT_FALSE(Open(writer.Build()));
    EXPECT_EQ(dbx_.ErrNo(), "1");
    EXPECT_EQ(dbx_.EMails().Count(), 0);
}

TEST_F(DbxStoreTest, AnItemCountTheFileHasNoRoomForIsABadFile) {
    for (const std::int32_t count : {0x7FFFFFFF, 0x10000000, -1, static_cast<std::int32_t>(0x80000000)}) {
        W::Image image = MessagesNumbered(3).Build();
        image.PutLong(W::kItemCountAt, count);
        CDbx dbx;
        log_.clear();
        EXPECT_FALSE(dbx.openFile(Save(image.bytes), false)) << count;
        EXPECT_TRUE(LoggedOpenError(kBadFile)) << count;
        EXPECT_EQ(dbx.EMails().Count(), 0) << count;
    }
}

TEST_F(DbxStoreTest, IndexNodesOutsideTheFileAreSkipped) {
    struct Case {
        const char* name;
        std::function<void(W::Image&)> damage;
        bool opens;
    };
    const Case cases[] = {
        {"root past the end", [](W::Image& i) { i.PutLong(W::kRootNodeAt, 0x7FFFFFF0); }, false},
        {"root negative", [](W::Image& i) { i.PutLong(W::kRootNodeAt, -24); }, false},
        {"root head runs past the end",
         [](W::Image& i) { i.PutLong(W::kRootNodeAt, static_cast<std::int32_t>(i.bytes.size()) - 23); }, false},
        {"root entries run past the end",
         [](W::Image& i) {
             // The root moved to the end of the file, where its entries stop.
             const std::int64_t end = static_cast<std::int64_t>(i.bytes.size());
             i.bytes += i.bytes.substr(static_cast<std::size_t>(i.nodes[0]),
                                       static_cast<std::size_t>(W::kNodeEntriesAt + 3 * W::kNodeEntrySize));
             i.PutLong(W::kRootNodeAt, static_cast<std::int32_t>(end));
             i.PutByte(end + W::kNodeEntryCountAt, 255);
         },
         true},
        {"child past the end",
         [](W::Image& i) {
             i.PutLong(i.nodes[0] + W::kNodeChildAt, 0x7FFFFFF0);
             i.PutLong(i.nodes[0] + W::kNodeChildCountAt, 7);
         },
         true},
        {"child negative",
         [](W::Image& i) {
             i.PutLong(i.nodes[0] + W::kNodeChildAt, -1);
             i.PutLong(i.nodes[0] + W::kNodeChildCountAt, 7);
         },
         true},
    };
    for (const Case& c : cases) {
        W::Image image = MessagesNumbered(3).Build();
        ASSERT_EQ(image.nodes.size(), 1u);
        c.damage(image);
        CDbx dbx;
        EXPECT_EQ(dbx.openFile(Save(image.bytes), false), c.opens) << c.name;
        if (c.opens) {
            Ids ids;
            for (const auto& email : dbx.EMails()) {
                ids.push_back(email->Id());
            }
            EXPECT_EQ(ids, (Ids{3, 2, 1})) << c.name;
        }
    }
}

TEST_F(DbxStoreTest, AnItemThatCannotBeReadFailsTheOpen) {
    struct Case {
        const char* name;
        std::function<void(W::Image&)> damage;
        std::int32_t number;
    };
    const auto lastItem = [](W::Image& i) { return i.items[2]; };
    // The root's first entry names item 3, the last one read.
    const auto firstEntry = [](W::Image& i) { return i.nodes[0] + W::kNodeEntriesAt; };
    const Case cases[] = {
        {"item offset past the end", [&](W::Image& i) { i.PutLong(firstEntry(i), 0x7FFFFFF8); }, kItemHead},
        {"item offset negative", [&](W::Image& i) { i.PutLong(firstEntry(i), -12); }, kItemHead},
        {"item head cut by the end",
         [&](W::Image& i) { i.PutLong(firstEntry(i), static_cast<std::int32_t>(i.bytes.size()) - 11); }, kItemHead},
        {"length past the end", [&](W::Image& i) { i.PutLong(lastItem(i) + W::kItemLengthAt, 0x7FFFFFFF); }, kItemData},
        {"length negative", [&](W::Image& i) { i.PutLong(lastItem(i) + W::kItemLengthAt, -4); }, kItemData},
        {"length 0", [&](W::Image& i) { i.PutLong(lastItem(i) + W::kItemLengthAt, 0); }, kItemData},
        {"field table longer than the data", [&](W::Image& i) { i.PutByte(lastItem(i) + W::kItemFieldCountAt, 200); },
         kItemData},
        {"file cut inside the item head",
         [&](W::Image& i) { i.bytes.resize(static_cast<std::size_t>(lastItem(i) + 6)); }, kItemHead},
        {"file cut inside the item data",
         [&](W::Image& i) { i.bytes.resize(static_cast<std::size_t>(lastItem(i) + W::kItemDataAt + 2)); }, kItemData},
    };
    for (const Case& c : cases) {
        // Items 1 and 2 first, the damaged item 3 last, with a flat index.
        W writer = ThreeMessages();
        writer.Index({{-1, 0, {{2}, {1}, {0}}}});
        W::Image image = writer.Build();
        c.damage(image);
        CDbx dbx;
        log_.clear();
        EXPECT_FALSE(dbx.openFile(Save(image.bytes), true)) << c.name;
        EXPECT_EQ(dbx.ErrNo(), "1") << c.name;
        EXPECT_TRUE(LoggedOpenError(c.number)) << c.name;
        // The items read before the damaged one stay.
        Ids ids;
        for (const auto& email : dbx.EMails()) {
            ids.push_back(email->Id());
        }
        EXPECT_EQ(ids, (Ids{1, 2})) << c.name;
    }
}

TEST_F(DbxStoreTest, AFieldMustLieWholeInsideItsRecord) {
    struct Case {
        const char* name;
        std::vector<W::Field> fields;
        bool opens;
    };
    // Each record holds 8 bytes of values after its table.
    const std::string eight = "12345678";
    const Case cases[] = {
        {"Long at the last four bytes", {W::Raw(0x09, eight), W::At(0x04, 4)}, true},
        {"Long running past the end", {W::Raw(0x09, eight), W::At(0x04, 5)}, false},
        {"Long past the end", {W::Raw(0x09, eight), W::At(0x04, 0xFFFFFF)}, false},
        {"date filling the data", {W::Raw(0x09, eight), W::At(0x12, 0)}, true},
        {"date running past the end", {W::Raw(0x09, eight), W::At(0x12, 1)}, false},
        {"Byte at the last byte", {W::Raw(0x09, eight), W::At(0x01, 7)}, true},
        {"Byte past the end", {W::Raw(0x09, eight), W::At(0x01, 8)}, false},
        {"text past the end is empty", {W::Raw(0x09, eight), W::At(0x08, 8)}, true},
    };
    for (const Case& c : cases) {
        W writer(W::Kind::Messages);
        W::Item item;
        item.fields = c.fields;
        writer.Add(item);
        CDbx dbx;
        log_.clear();
        EXPECT_EQ(dbx.openFile(Save(writer.Build().bytes), false), c.opens) << c.name;
        if (!c.opens) {
            EXPECT_TRUE(LoggedOpenError(kItemHead)) << c.name;
        }
    }
}

TEST_F(DbxStoreTest, ABrokenTextChainGivesAnEmptyText) {
    struct Case {
        const char* name;
        std::function<void(W::Image&)> damage;
    };
    const auto block = [](W::Image& i, std::size_t b) { return i.blocks[0].at(b); };
    const Case cases[] = {
        {"next block past the end", [&](W::Image& i) { i.PutLong(block(i, 2) + W::kBlockNextAt, 0x7FFFFFF0); }},
        {"next block negative", [&](W::Image& i) { i.PutLong(block(i, 1) + W::kBlockNextAt, -16); }},
        {"next block head cut by the end",
         [&](W::Image& i) {
             i.PutLong(block(i, 2) + W::kBlockNextAt, static_cast<std::int32_t>(i.bytes.size()) - 15);
         }},
        {"chain loops back to its start", [&](W::Image& i) { i.PutLong(block(i, 2) + W::kBlockNextAt, block(i, 0)); }},
        {"block leads to itself", [&](W::Image& i) { i.PutLong(block(i, 1) + W::kBlockNextAt, block(i, 1)); }},
        {"length 0", [&](W::Image& i) { i.PutInteger(block(i, 1) + W::kBlockLengthAt, 0); }},
        {"length negative", [&](W::Image& i) { i.PutInteger(block(i, 1) + W::kBlockLengthAt, -1); }},
        {"data past the end",
         [&](W::Image& i) {
             i.PutLong(block(i, 2) + W::kBlockNextAt, static_cast<std::int32_t>(i.bytes.size()) - 20);
         }},
        {"length past the end",
         [&](W::Image& i) {
             i.PutLong(block(i, 2) + W::kBlockNextAt, static_cast<std::int32_t>(i.bytes.size()) - 16 - 40);
         }},
    };
    for (const Case& c : cases) {
        W writer(W::Kind::Messages);
        writer.Add(W::Message(1, {}, std::string(300, 'x'), 100));
        writer.Add(W::Message(2, {}, "whole"));
        W::Image image = writer.Build();
        c.damage(image);
        CDbx dbx;
        ASSERT_TRUE(dbx.openFile(Save(image.bytes), true)) << c.name;
        const auto broken = dbx.EMails().item("M_1");
        EXPECT_EQ(broken->Body(), "") << c.name;
        EXPECT_EQ(dbx.getBody(broken->DataOffset()), "") << c.name;
        EXPECT_EQ(dbx.ErrNo(), "7") << c.name;
        EXPECT_EQ(dbx.EMails().item("M_2")->Body(), "whole") << c.name;
    }
}

TEST_F(DbxStoreTest, TextChainsOfOverlappingBlocksEndWithinTheFileSize) {
    // Block heads every 16 bytes, each claiming 32767 bytes of data that
    // run over the heads after it: followed to its end, the chain would copy
    // a thousand times more than the whole file holds.
    const std::int64_t heads = 2000;
    W writer(W::Kind::Messages);
    writer.Add(W::Message(1, {}, std::string(2 * 32767, 'y'), 32767));
    W::Image image = writer.Build();
    const std::int64_t first = image.blocks[0][0];
    for (std::int64_t k = 0; k < heads; ++k) {
        const std::int64_t at = first + 16 * k;
        image.PutInteger(at + W::kBlockLengthAt, 0x7FFF);
        image.PutLong(at + W::kBlockNextAt, k + 1 < heads ? static_cast<std::int32_t>(at + 16) : 0);
    }
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(dbx_.getBody(static_cast<std::int32_t>(first)), "");
    EXPECT_EQ(dbx_.ErrNo(), "7");
}

TEST_F(DbxStoreTest, AFolderFileNameThatIsAPathIsRefused) {
    struct Case {
        const char* fileName;
        const char* taken;
    };
    const Case cases[] = {
        {"Inbox.dbx", "Inbox.dbx"},
        {"Sent Items.dbx", "Sent Items.dbx"},
        {"..\\..\\boot.ini", ""},
        {"..", ""},
        {"inbox..dbx", ""},
        {"sub\\Inbox.dbx", ""},
        {"/etc/passwd", ""},
        {"C:Inbox.dbx", ""},
        {"\\\\server\\share\\Inbox.dbx", ""},
    };
    W writer(W::Kind::Folders);
    std::int32_t id = 0;
    for (const Case& c : cases) {
        writer.Add(W::Folder(++id, 1, "Inbox", c.fileName));
    }
    ASSERT_TRUE(Open(writer.Build()));
    id = 0;
    for (const Case& c : cases) {
        const auto folder = dbx_.Folders().item("F_" + std::to_string(++id));
        EXPECT_EQ(folder->FileName(), c.taken) << c.fileName;
        EXPECT_EQ(folder->name(), "Inbox") << c.fileName;
        EXPECT_EQ(folder->ParentId(), 1) << c.fileName;
    }
}

}  // namespace
