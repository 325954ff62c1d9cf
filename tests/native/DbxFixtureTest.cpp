#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "DbxStoreFixture.h"
#include "SharedFixtures.h"

// The real stores of a mail client's identity in the shared fixtures.
namespace {

const std::string kFixtures = FIXTURES_DIR;

std::string FixturePath(const std::string& name) {
    return kFixtures + "/" + name;
}

bool FixturesPresent() {
    return FileSystem::FileExists(FixturePath("Folders.dbx"));
}

TEST_F(DbxStoreTest, ReadsTheFolderListOfTheRealFolderStore) {
    REQUIRE_SHARED_FIXTURE(FixturesPresent(), kFixtures);
    ASSERT_TRUE(dbx_.openFile(FixturePath("Folders.dbx"), false));
    EXPECT_EQ(dbx_.FileType(), CDbx::dbxTypeFolder);
    EXPECT_EQ(dbx_.EMails().Count(), 0);

    struct Folder {
        std::int32_t id;
        std::int32_t parentId;
        std::string name;
        std::string fileName;
    };
    const std::vector<Folder> expected = {
        {9, 0, "Hotmail", ""},       {8, 1, "Drafts", ""},           {7, 1, "Deleted Items", ""},
        {6, 1, "Sent Items", ""},    {5, 1, "Outbox", "Outbox.dbx"}, {4, 1, "Inbox", "Inbox.dbx"},
        {1, 0, "Local Folders", ""}, {0, 0, "Outlook Express", ""},
    };
    std::vector<Folder> read;
    for (const auto& folder : dbx_.Folders()) {
        read.push_back({folder->Id(), folder->ParentId(), folder->name(), folder->FileName()});
    }
    ASSERT_EQ(read.size(), expected.size());
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].id, expected[i].id) << i;
        EXPECT_EQ(read[i].parentId, expected[i].parentId) << i;
        EXPECT_EQ(read[i].name, expected[i].name) << i;
        EXPECT_EQ(read[i].fileName, expected[i].fileName) << i;
    }
    // Every store file the folder list names is there and is a message store.
    for (const auto& folder : dbx_.Folders()) {
        if (!folder->FileName().empty()) {
            CDbx store;
            EXPECT_TRUE(store.openFile(FixturePath(folder->FileName()), false)) << folder->FileName();
            EXPECT_EQ(store.FileType(), CDbx::dbxTypeEmail) << folder->FileName();
        }
    }
}

TEST_F(DbxStoreTest, TellsTheStoresOfTheFixtureApart) {
    REQUIRE_SHARED_FIXTURE(FixturesPresent(), kFixtures);
    CDbx outbox;
    EXPECT_TRUE(outbox.openFile(FixturePath("Outbox.dbx"), true));
    EXPECT_EQ(outbox.EMails().Count(), 0);
    // Offline.dbx is a store of another kind, with a signature of its own.
    CDbx offline;
    EXPECT_FALSE(offline.openFile(FixturePath("Offline.dbx"), false));
    EXPECT_TRUE(LoggedOpenError(CDbx::dbxErrBadFile));
}

#ifndef _WIN32

// What undbx makes of one message: the .eml file's bytes, its subject and
// sender lines, and the time it gives the file (the message's date).
struct Extracted {
    std::string text;
    std::string subject;
    std::string from;
    std::string date;
};

std::string HeaderLine(const std::string& text, const std::string& name) {
    for (const std::string& line : FileSystem::SplitLines(text.substr(0, text.find("\r\n\r\n")))) {
        if (line.rfind(name, 0) == 0) {
            return line.substr(name.size());
        }
    }
    return "";
}

std::vector<Extracted> Undbx(const std::string& store, const std::filesystem::path& into) {
    const std::string command = "undbx --safe-mode \"" + store + "\" \"" + into.string() + "\" >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<Extracted> messages;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(into)) {
        if (entry.path().extension() != ".eml") {
            continue;
        }
        Extracted message;
        message.text = FileSystem::ReadWholeFile(entry.path().string());
        message.subject = HeaderLine(message.text, "Subject: ");
        message.from = HeaderLine(message.text, "From: ");
        struct stat info {};
        stat(entry.path().c_str(), &info);
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S", std::gmtime(&info.st_mtime));
        message.date = date;
        messages.push_back(message);
    }
    return messages;
}

TEST_F(DbxStoreTest, ReadsTheMessagesOfTheRealInboxAsUndbxDoes) {
    REQUIRE_SHARED_FIXTURE(FixturesPresent(), kFixtures);
    if (std::system("undbx --version >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "undbx is not installed";
    }
    const std::vector<Extracted> extracted = Undbx(FixturePath("Inbox.dbx"), dir_ / "undbx");
    ASSERT_FALSE(extracted.empty());

    ASSERT_TRUE(dbx_.openFile(FixturePath("Inbox.dbx"), true));
    ASSERT_EQ(dbx_.EMails().Count(), static_cast<std::int32_t>(extracted.size()));
    for (const Extracted& message : extracted) {
        std::shared_ptr<CEmail> found;
        for (const auto& email : dbx_.EMails()) {
            if (email->Body() == message.text) {
                found = email;
            }
        }
        ASSERT_TRUE(found) << "no message with the text of \"" << message.subject << "\"";
        EXPECT_EQ(dbx_.getBody(found->DataOffset()), message.text);
        EXPECT_EQ(found->Subject(), message.subject);
        EXPECT_EQ(found->MailDate(), message.date);
        EXPECT_NE(message.from.find(found->SenderName()), std::string::npos) << message.from;
        EXPECT_NE(message.from.find(found->SenderEMail()), std::string::npos) << message.from;
        EXPECT_FALSE(found->SenderEMail().empty());
        EXPECT_EQ(dbx_.EMails().item("M_" + std::to_string(found->Id())), found);
    }
}

#endif

}  // namespace
