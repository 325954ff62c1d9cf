#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DbxStoreFixture.h"
#include "MemoryStatus.h"
#include "StoreWindow.h"

namespace {

using W = DbxWriter;
using Ids = std::vector<std::int32_t>;

constexpr std::int32_t kBadFile = CDbx::dbxErrBadFile;

TEST_F(DbxStoreTest, ReadsEveryFieldOfAMessage) {
    W writer(W::Kind::Messages);
    writer.Add(
        W::Message(42,
                   {W::Byte(0x01, 0x81), W::Text(0x05, "orig subject"), W::Text(0x07, "<id@host>"),
                    W::Text(0x08, "subject"), W::Text(0x0A, "<parent@host>"), W::Text(0x0C, "pop.host"),
                    W::Text(0x0D, "Sender Name"), W::Text(0x0E, "a@x.org;b@y.org"), W::Date(0x12, 127414585890000000),
                    W::Text(0x13, "Recipient Name"), W::Text(0x14, "c@z.org"), W::Text(0x1A, "Account"),
                    W::Text(0x1B, "00000002"), W::Text(0x09, "ignored"), W::Direct(0x90, 77)},
                   "the text"));
    const W::Image image = writer.Build();
    ASSERT_TRUE(Open(image));

    EXPECT_EQ(dbx_.ErrNo(), "0");
    EXPECT_EQ(dbx_.FileType(), CDbx::dbxTypeEmail);
    EXPECT_EQ(dbx_.FileName(), PathOf("store.dbx"));
    EXPECT_EQ(dbx_.IndexCount(), 1);
    EXPECT_EQ(dbx_.Folders().Count(), 0);
    ASSERT_EQ(dbx_.EMails().Count(), 1);
    const auto email = dbx_.EMails().item("m_42");
    EXPECT_EQ(email->Id(), 42);
    EXPECT_EQ(email->ItemType(), 0);
    EXPECT_EQ(email->Flag(), 0x81);
    EXPECT_EQ(email->OrigSubject(), "orig subject");
    EXPECT_EQ(email->MessageID(), "<id@host>");
    EXPECT_EQ(email->Subject(), "subject");
    EXPECT_EQ(email->ParentMessageID(), "<parent@host>");
    EXPECT_EQ(email->FetchServer(), "pop.host");
    EXPECT_EQ(email->SenderName(), "Sender Name");
    EXPECT_EQ(email->SenderEMail(), "a@x.org;b@y.org");
    EXPECT_EQ(email->MailDate(), "2004-10-05 14:03:09");
    EXPECT_EQ(email->RecipientName(), "Recipient Name");
    EXPECT_EQ(email->RecipientEMail(), "c@z.org");
    EXPECT_EQ(email->accountname(), "Account");
    EXPECT_EQ(email->AccountNumber(), "00000002");
    EXPECT_EQ(email->DataOffset(), image.blocks[0][0]);
    EXPECT_EQ(email->Body(), "");
    EXPECT_EQ(dbx_.getBody(email->DataOffset()), "the text");
    EXPECT_EQ(dbx_.ErrNo(), "0");
}

TEST_F(DbxStoreTest, ReadsTheFoldersOfAFolderStore) {
    W writer(W::Kind::Folders);
    writer.Add(W::Folder(1, 0, "Local Folders", ""));
    writer.Add(W::Folder(4, 1, "Inbox", "Inbox.dbx"));
    writer.Add(W::Folder(5, 1, "Sent Items", "Sent Items.dbx"));
    ASSERT_TRUE(Open(writer.Build(), true));

    EXPECT_EQ(dbx_.FileType(), CDbx::dbxTypeFolder);
    EXPECT_EQ(dbx_.EMails().Count(), 0);
    ASSERT_EQ(dbx_.Folders().Count(), 3);
    // The collection holds the items in the reverse of the index's order.
    const auto sent = dbx_.Folders().item(1);
    EXPECT_EQ(sent->name(), "Sent Items");
    EXPECT_EQ(sent->FileName(), "Sent Items.dbx");
    EXPECT_EQ(sent->Id(), 5);
    EXPECT_EQ(sent->ParentId(), 1);
    EXPECT_EQ(sent->ItemType(), 2);
    EXPECT_EQ(sent->Number(), 0);
    EXPECT_EQ(dbx_.Folders().item("F_4")->name(), "Inbox");
    EXPECT_EQ(dbx_.Folders().item(3)->FileName(), "");
}

TEST_F(DbxStoreTest, CollectionsHoldTheItemsInReverseIndexOrderOverEveryTreeShape) {
    for (const std::size_t perNode : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{32}}) {
        CDbx dbx;
        const W::Image image = MessagesNumbered(200, perNode).Build();
        ASSERT_TRUE(dbx.openFile(Save(image.bytes), false)) << perNode;
        Ids ids;
        for (const auto& email : dbx.EMails()) {
            ids.push_back(email->Id());
        }
        Ids expected;
        for (std::int32_t id = 200; id >= 1; --id) {
            expected.push_back(id);
        }
        EXPECT_EQ(ids, expected) << perNode;
        EXPECT_EQ(dbx.EMails().item("M_17")->Subject(), "subject 17") << perNode;
    }
}

TEST_F(DbxStoreTest, AStoreWithoutItemsOpensEmptyWhateverItsRootHolds) {
    for (const std::int32_t root : {0, -1, 0x7FFFFFFF, 0x100}) {
        CDbx dbx;
        W::Image image = W(W::Kind::Messages).Build();
        image.PutLong(W::kRootNodeAt, root);
        EXPECT_TRUE(dbx.openFile(Save(image.bytes), true)) << root;
        EXPECT_EQ(dbx.EMails().Count(), 0);
        EXPECT_EQ(dbx.IndexCount(), 0);
        EXPECT_EQ(dbx.ErrNo(), "0");
    }
}

TEST_F(DbxStoreTest, TheSignatureDecidesTheStoreType) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::int64_t, std::uint32_t>> changes;  // to a folder store's signature
        bool opens;
        std::int32_t type;  // -1: not looked at
    };
    const Case cases[] = {
        {"folder store", {}, true, CDbx::dbxTypeFolder},
        {"message store", {{4, 0x6F74FDC5}}, true, CDbx::dbxTypeEmail},
        {"folder store, third part wrong", {{8, 0x11D1E367}}, false, CDbx::dbxTypeVoid},
        {"folder store, fourth part wrong", {{12, 0}}, false, CDbx::dbxTypeVoid},
        {"message store, fourth part wrong", {{4, 0x6F74FDC5}, {12, 0}}, false, -1},
        {"first part wrong", {{0, 0xFE12ADCE}}, false, -1},
        {"second part unknown", {{4, 0x6F74FDC7}}, false, -1},
    };
    for (const Case& c : cases) {
        W writer(W::Kind::Folders);
        writer.Add(W::Folder(1, 0, "Inbox", "Inbox.dbx"));
        W::Image image = writer.Build();
        for (const auto& [at, value] : c.changes) {
            image.PutLong(at, static_cast<std::int32_t>(value));
        }
        CDbx dbx;
        log_.clear();
        const std::string path = Save(image.bytes, "sig.dbx");
        EXPECT_EQ(dbx.openFile(path, false), c.opens) << c.name;
        if (c.type >= 0) {
            EXPECT_EQ(dbx.FileType(), c.type) << c.name;
        }
        if (c.opens) {
            EXPECT_EQ(dbx.FileName(), path) << c.name;
            EXPECT_EQ(dbx.ErrNo(), "0") << c.name;
        } else {
            EXPECT_EQ(dbx.FileName(), "") << c.name;
            EXPECT_EQ(dbx.ErrNo(), "1") << c.name;
            EXPECT_EQ(dbx.EMails().Count() + dbx.Folders().Count(), 0) << c.name;
            EXPECT_TRUE(LoggedOpenError(kBadFile)) << c.name;
        }
    }
}

TEST_F(DbxStoreTest, DetailLinesAreWrittenOnlyAboveLevelSeven) {
    const std::string path = Save(MessagesNumbered(2).Build().bytes);
    ScanState::gDebugLevel = 7;
    ASSERT_TRUE(CDbx().openFile(path, false));
    EXPECT_TRUE(log_.empty());

    ScanState::gDebugLevel = 8;
    ASSERT_TRUE(CDbx().openFile(path, false));
    const std::vector<std::string> expected = {"Len(signature) = 16", "sig(0) = 207", "Done with CopyMemory",
                                               "dbxTypeEmail",        "getIndexes",   "No Exceptions"};
    std::vector<std::string> mine;
    for (const std::string& line : log_) {
        for (const std::string& wanted : expected) {
            if (line == wanted) {
                mine.push_back(line);
            }
        }
    }
    EXPECT_EQ(mine, expected);
}

TEST_F(DbxStoreTest, DetailLinesNameTheStoreTypeFound) {
    ScanState::gDebugLevel = 8;
    W writer(W::Kind::Folders);
    W::Image folders = writer.Build();
    ASSERT_TRUE(CDbx().openFile(Save(folders.bytes, "folders.dbx"), false));
    EXPECT_TRUE(Logged("dbxTypeFolder"));

    folders.PutLong(8, 0);
    EXPECT_FALSE(CDbx().openFile(Save(folders.bytes, "void.dbx"), false));
    EXPECT_TRUE(Logged("dbxTypeVoid"));

    folders.PutLong(0, 0);
    EXPECT_FALSE(CDbx().openFile(Save(folders.bytes, "bad.dbx"), false));
    EXPECT_TRUE(Logged("dbxErrBadFile"));
}

TEST_F(DbxStoreTest, TheLaterOfTwoEntriesForTheSameValueWins) {
    struct Case {
        const char* name;
        std::vector<W::Field> fields;
        std::int32_t dataOffset;
        std::int32_t flag;
        const char* subject;
    };
    const Case cases[] = {
        {"0x04 then 0x84", {W::Long(0x04, 1000), W::Direct(0x84, 2000)}, 2000, 0, ""},
        {"0x84 then 0x04", {W::Direct(0x84, 2000), W::Long(0x04, 1000)}, 1000, 0, ""},
        {"0x01 then 0x81", {W::Byte(0x01, 3), W::Direct(0x81, 4)}, -1, 4, ""},
        {"0x81 then 0x01", {W::Direct(0x81, 4), W::Byte(0x01, 3)}, -1, 3, ""},
        {"subject twice", {W::Text(0x08, "first"), W::Text(0x08, "second")}, -1, 0, "second"},
    };
    for (const Case& c : cases) {
        W writer(W::Kind::Messages);
        writer.Add(W::Message(1, c.fields, ""));
        CDbx dbx;
        ASSERT_TRUE(dbx.openFile(Save(writer.Build().bytes), false)) << c.name;
        const auto email = dbx.EMails().item("M_1");
        EXPECT_EQ(email->DataOffset(), c.dataOffset) << c.name;
        EXPECT_EQ(email->Flag(), c.flag) << c.name;
        EXPECT_EQ(email->Subject(), c.subject) << c.name;
    }
}

TEST_F(DbxStoreTest, TextFieldsEndAtTheirZeroByteOrTheEndOfTheData) {
    W writer(W::Kind::Messages);
    // The table's positions count from its end: the first value starts at 0.
    writer.Add(W::Message(1,
                          {W::Raw(0x08, std::string("subject\0rest", 12)), W::At(0x0D, 8), W::At(0x0E, 7),
                           W::At(0x13, 500), W::Raw(0x14, "no end")},
                          ""));
    ASSERT_TRUE(Open(writer.Build()));
    const auto email = dbx_.EMails().item("M_1");
    EXPECT_EQ(email->Subject(), "subject");
    EXPECT_EQ(email->SenderName(), "restno end");
    EXPECT_EQ(email->SenderEMail(), "");
    EXPECT_EQ(email->RecipientName(), "");
    EXPECT_EQ(email->RecipientEMail(), "no end");
}

TEST_F(DbxStoreTest, TextsPassEveryByteValueUnchanged) {
    std::string bytes;
    for (int c = 1; c < 256; ++c) {
        bytes += static_cast<char>(c);
    }
    W writer(W::Kind::Messages);
    writer.Add(W::Message(1, {W::Text(0x08, bytes)}, bytes + std::string(1, '\0') + bytes));
    ASSERT_TRUE(Open(writer.Build(), true));
    const auto email = dbx_.EMails().item("M_1");
    EXPECT_EQ(email->Subject(), bytes);
    EXPECT_EQ(email->Body(), bytes + std::string(1, '\0') + bytes);
}

TEST_F(DbxStoreTest, AMessageTextIsItsBlocksInChainOrder) {
    const std::string text = std::string(512, 'a') + std::string(512, 'b') + std::string(100, 'c');
    W writer(W::Kind::Messages);
    writer.Add(W::Message(1, {}, text));
    writer.Add(W::Message(2, {}, "short"));
    writer.Add(W::Message(3, {}, ""));
    const W::Image image = writer.Build();
    ASSERT_EQ(image.blocks[0].size(), 3u);
    ASSERT_TRUE(Open(image, true));

    EXPECT_EQ(dbx_.EMails().item("M_1")->Body(), text);
    EXPECT_EQ(dbx_.EMails().item("M_1")->Body().size(), 1124u);
    EXPECT_EQ(dbx_.EMails().item("M_2")->Body(), "short");
    EXPECT_EQ(dbx_.EMails().item("M_3")->Body(), "");
    EXPECT_EQ(dbx_.EMails().item("M_3")->DataOffset(), -1);
    EXPECT_EQ(dbx_.getBody(static_cast<std::int32_t>(image.blocks[0][1])), text.substr(512));
}

TEST_F(DbxStoreTest, GetBodyOfNoTextGivesAnEmptyText) {
    ASSERT_TRUE(Open(MessagesNumbered(1).Build()));
    EXPECT_EQ(dbx_.getBody(0), "");
    EXPECT_EQ(dbx_.ErrNo(), "0");
    EXPECT_EQ(dbx_.getBody(-1), "");
    EXPECT_EQ(dbx_.ErrNo(), "7");

    CDbx unopened;
    EXPECT_EQ(unopened.getBody(0x100), "");
    EXPECT_EQ(unopened.ErrNo(), "7");
}

TEST_F(DbxStoreTest, TwoItemsWithTheSameIdFailTheOpenAndKeepWhatWasRead) {
    W writer(W::Kind::Messages);
    writer.Add(W::Message(5, {W::Text(0x08, "first in the index")}, ""));
    writer.Add(W::Message(5, {W::Text(0x08, "last in the index")}, ""));
    writer.Add(W::Message(6, {}, ""));
    ASSERT_FALSE(Open(writer.Build()));
    EXPECT_EQ(dbx_.ErrNo(), "1");
    EXPECT_TRUE(LoggedOpenError(457));
    EXPECT_EQ(MessageIds(), (Ids{6, 5}));
    EXPECT_EQ(dbx_.EMails().item("M_5")->Subject(), "last in the index");
}

TEST_F(DbxStoreTest, AFileThatCannotBeLoadedFailsTheOpen) {
    const std::string tooShort = MessagesNumbered(1).Build().bytes.substr(0, 231);
    // A store that is missing or refused is no bad file: the open logs
    // nothing and leaves the cause to its caller.
    struct Case {
        const char* name;
        std::string path;
        std::string failure;
    };
    ScanState::gScanLimit = 1000;
    const std::string large = Save(std::string(1001, 'x'), "large.dbx");
    const Case cases[] = {
        {"missing", PathOf("missing.dbx"), PathOf("missing.dbx") + " is missing."},
        {"over the scan limit", large, large + " larger than scan limit. (1001 bytes, limit 1000 bytes)"},
        {"bare folder path", dir_.string() + "\\", ""},
        {"empty", Save("", "empty.dbx"), ""},
        {"signature cut short", Save(tooShort.substr(0, 15), "sig15.dbx"), ""},
        {"header cut short", Save(tooShort, "head231.dbx"), ""},
    };
    for (const Case& c : cases) {
        CDbx dbx;
        log_.clear();
        EXPECT_FALSE(dbx.openFile(c.path, false)) << c.name;
        EXPECT_EQ(dbx.ErrNo(), "1") << c.name;
        EXPECT_EQ(dbx.LoadFailure(), c.failure) << c.name;
        if (c.failure.empty()) {
            EXPECT_TRUE(LoggedOpenError(kBadFile)) << c.name;
        } else {
            EXPECT_TRUE(log_.empty()) << c.name;
        }
    }
}

// The reader keeps its window and the records, and the texts only when it
// is asked to: the memory rule asks for no more than that.
TEST_F(DbxStoreTest, WithoutScanLimitFreeMemoryMustHoldWhatTheReaderKeeps) {
    const std::string store = Save(MessagesNumbered(3).Build().bytes);
    const auto size = static_cast<std::uint64_t>(std::filesystem::file_size(store));
    const std::uint64_t records = StoreWindow::kWindowSize + size / 4;
    struct Case {
        bool bodies;
        std::uint64_t available;
        bool opens;
    };
    const Case cases[] = {
        {false, records, true},       {false, records - 1, false},       {false, 0, false},
        {true, size + records, true}, {true, size + records - 1, false}, {true, records, false},
    };
    for (const Case& c : cases) {
        MemoryStatus::SetProbe([&] { return c.available; });
        CDbx dbx;
        EXPECT_EQ(dbx.openFile(store, c.bodies), c.opens) << c.bodies << " " << c.available;
        const std::string refusal = "Insufficient physical memory available to scan " + store + " (" +
                                    std::to_string(size) + " bytes, " + std::to_string(c.available) +
                                    " bytes available)";
        EXPECT_EQ(dbx.LoadFailure(), c.opens ? "" : refusal) << c.bodies << " " << c.available;
    }
    MemoryStatus::SetProbe({});
    EXPECT_TRUE(log_.empty());
}

// A store read from its file, through the reader's window, gives what the
// same bytes give in memory: texts of many blocks that run across the
// window's edges, and a record larger than the window.
TEST_F(DbxStoreTest, AStoreReadThroughItsWindowReadsAsItsBytesInMemory) {
    W writer(W::Kind::Messages);
    const std::string longSubject(StoreWindow::kWindowSize + 1000, 's');
    std::vector<std::string> texts;
    for (std::int32_t id = 1; id <= 12; ++id) {
        texts.push_back(std::string(static_cast<std::size_t>(40000 * id), static_cast<char>('a' + id)));
        const std::string subject = id == 5 ? longSubject : "subject " + std::to_string(id);
        writer.Add(W::Message(id, {W::Text(0x08, subject)}, texts.back(), id % 2 ? 512 : 32000));
    }
    const W::Image image = writer.Build();
    ASSERT_GT(image.bytes.size(), 4u * StoreWindow::kWindowSize);
    ASSERT_TRUE(Open(image));
    CDbx memory;
    ASSERT_TRUE(memory.openBytes(image.bytes, true));
    ASSERT_EQ(dbx_.EMails().Count(), 12);
    for (std::int32_t id = 1; id <= 12; ++id) {
        const std::string key = "M_" + std::to_string(id);
        const auto email = dbx_.EMails().item(key);
        EXPECT_EQ(email->Subject(), id == 5 ? longSubject : "subject " + std::to_string(id)) << id;
        EXPECT_EQ(email->Subject(), memory.EMails().item(key)->Subject()) << id;
        EXPECT_TRUE(dbx_.getBody(email->DataOffset()) == texts[static_cast<std::size_t>(id - 1)]) << id;
        EXPECT_TRUE(memory.EMails().item(key)->Body() == texts[static_cast<std::size_t>(id - 1)]) << id;
    }
}

// Stores grow to 2 GiB: one whose index, records and texts lie past 1.5 GiB
// reads whole. The file is sparse, so it takes almost no disk space where
// the file system has holes; elsewhere it would take all of it.
TEST_F(DbxStoreTest, AStoreOfOneAndAHalfGiBReadsWhole) {
    const std::int64_t start = std::int64_t{3} << 29;
    if (std::filesystem::space(dir_).available < static_cast<std::uintmax_t>(start)) {
        GTEST_SKIP() << "a store of 1.5 GiB needs that much free disk space where files cannot be sparse";
    }
    ScanState::gScanLimit = std::int64_t{2} << 30;
    W writer = MessagesNumbered(3);
    writer.StartAt(start);
    writer.Save(PathOf("large.dbx"));
    ASSERT_TRUE(dbx_.openFile(PathOf("large.dbx"), true));
    EXPECT_EQ(MessageIds(), (Ids{3, 2, 1}));
    EXPECT_GT(dbx_.EMails().item("M_2")->DataOffset(), start);
    EXPECT_EQ(dbx_.EMails().item("M_2")->Body(), "text of message 2");
    EXPECT_EQ(dbx_.getBody(dbx_.EMails().item("M_3")->DataOffset()), "text of message 3");
}

TEST_F(DbxStoreTest, EntriesBeyondTheItemCountAreDropped) {
    // Slots are filled from the last down in index order, so the first
    // entries of the index are the ones kept.
    W::Image image = MessagesNumbered(5, 2).Build();
    image.PutLong(W::kItemCountAt, 3);
    ASSERT_TRUE(Open(image));
    EXPECT_EQ(dbx_.IndexCount(), 3);
    EXPECT_EQ(MessageIds(), (Ids{3, 2, 1}));
}

TEST_F(DbxStoreTest, FewerEntriesThanTheItemCountFailTheOpen) {
    W::Image image = MessagesNumbered(3).Build();
    image.PutLong(W::kItemCountAt, 4);
    EXPECT_FALSE(Open(image));
    EXPECT_EQ(dbx_.ErrNo(), "1");
    EXPECT_EQ(dbx_.IndexCount(), 4);
    // The unfilled slot reads the item at offset 0, the file header.
    EXPECT_TRUE(LoggedOpenError(kObjectErrorBase + 0x207));
    EXPECT_EQ(MessageIds(), Ids{});
}

}  // namespace
