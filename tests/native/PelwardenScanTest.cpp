#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "CDbx.h"
#include "Conf.h"
#include "ConfSamples.h"
#include "DbxWriter.h"
#include "FileList.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "NotTextFiles.h"
#include "ObjectError.h"
#include "modPelwardenMain.h"

namespace {

using namespace modPelwardenMain;

// Records every engine call as a line; knows the senders it is told it knows.
class RecordingEngine : public Fendrake {
public:
    RecordingEngine(std::vector<std::string>& calls, std::set<std::string> knownSenders, int failOnMessage)
        : calls_(calls), known_(std::move(knownSenders)), failOnMessage_(failOnMessage) {}

    std::int32_t KX_constructor(const std::string& product, const std::string& confDir) override {
        calls_.push_back("constructor " + product + " " + confDir);
        return 7;
    }
    void KX_initialize(std::int32_t handle) override { calls_.push_back("initialize " + std::to_string(handle)); }
    void KX_getSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t& found) override {
        calls_.push_back("getSpamAddrFrom " + std::to_string(handle) + " " + address);
        found = known_.count(address) != 0 ? 1 : 0;
    }
    void KX_addSpamAddrFrom(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) override {
        calls_.push_back(Line("addSpamAddrFrom", handle, address, a, b));
    }
    void KX_addSpamAddrTo(std::int32_t handle, std::string& address, std::int32_t a, std::int32_t b) override {
        calls_.push_back(Line("addSpamAddrTo", handle, address, a, b));
    }
    void KX_addMessage2(std::int32_t handle, const std::string& text, std::int32_t weight, std::int32_t flag) override {
        if (++messages_ == failOnMessage_) {
            throw ObjectError(49, "fendrake.dll", "Bad DLL calling convention");
        }
        calls_.push_back(Line("addMessage2", handle, text, weight, flag));
    }
    void KX_getOption(std::int32_t handle, const std::string& name, std::string& buffer, std::int32_t& size) override {
        calls_.push_back("getOption " + std::to_string(handle) + " " + name + " " + std::to_string(buffer.size()) +
                         " " + std::to_string(size));
        const auto text = options.find(name);
        if (text != options.end()) {
            buffer.replace(0, text->second.size(), text->second);
        }
    }
    void KX_destructor(std::int32_t handle) override { calls_.push_back("destructor " + std::to_string(handle)); }

    std::map<std::string, std::string> options;

private:
    static std::string Line(const char* call, std::int32_t handle, const std::string& text, std::int32_t a,
                            std::int32_t b) {
        return std::string(call) + " " + std::to_string(handle) + " " + text + " " + std::to_string(a) + " " +
               std::to_string(b);
    }

    std::vector<std::string>& calls_;
    std::set<std::string> known_;
    int failOnMessage_;
    int messages_ = 0;
};

// 2026-03-10 10:00:00 UTC.
constexpr std::int64_t kNow = 1773136800;

std::uint64_t FileTimeOf(std::int64_t unixSeconds) {
    return static_cast<std::uint64_t>(unixSeconds + 11644473600LL) * 10000000ULL;
}

struct Mail {
    std::int32_t id;
    std::int64_t secondsAgo;  // < 0: no date at all
    std::string from;
    std::string to;
};

// A program folder of its own with conf and a store folder, the engine and
// the clock in place, and the log, status lines and boxes recorded.
class PelwardenScan : public ::testing::Test {
protected:
    void SetUp() override {
        static int serial = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        dir_ = std::filesystem::temp_directory_path() /
               ("pelwarden" + std::to_string(stamp % 100000000) + "_" + std::to_string(++serial));
        std::filesystem::create_directories(dir_ / "conf");
        std::filesystem::create_directories(dir_ / "store");
        SetProgramFolder(dir_.string());
        gStoreRoot = (dir_ / "store").string() + "/";
        gEngine = 7;
        gDebugLevel = 0;
        UseEngine({}, 0);
        SetClock([] { return kNow; });
        SetSwitchReader([this](const std::string& name) { return switches_[name]; });
        LogTrap::SetWriter([this](const std::string& line) { log_.push_back(line); });
        ScanState::SetStatusWriter([this](const std::string& line) { status_.push_back(line); });
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box.title);
            return MsgBoxResult::OK;
        });
    }

    void TearDown() override {
        SetEngine(nullptr);
        SetClock(nullptr);
        SetSwitchReader(nullptr);
        SetProgramFolder("");
        LogTrap::SetWriter(nullptr);
        ScanState::SetStatusWriter(nullptr);
        SetMsgBoxResponder(nullptr);
        SetTotalWriter(nullptr);
        gStoreRoot.clear();
        gEngine = 0;
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    RecordingEngine& UseEngine(std::set<std::string> knownSenders, int failOnMessage) {
        auto engine = std::make_unique<RecordingEngine>(calls_, std::move(knownSenders), failOnMessage);
        RecordingEngine& used = *engine;
        SetEngine(std::move(engine));
        return used;
    }

    std::string StorePath(const std::string& name) const { return gStoreRoot + name; }

    std::string WriteStore(const std::string& name, const std::vector<Mail>& mails) const {
        DbxWriter writer(DbxWriter::Kind::Messages);
        for (const Mail& mail : mails) {
            std::vector<DbxWriter::Field> fields = {DbxWriter::Text(0x0E, mail.from), DbxWriter::Text(0x14, mail.to)};
            if (mail.secondsAgo >= 0) {
                fields.push_back(DbxWriter::Date(0x12, FileTimeOf(kNow - mail.secondsAgo)));
            }
            writer.Add(DbxWriter::Message(mail.id, fields, "text " + std::to_string(mail.id)));
        }
        writer.Save(StorePath(name));
        return StorePath(name);
    }

    std::string Conf(const std::string& file) const { return FileSystem::ReadWholeFile(ConfPath(file)); }
    bool ConfExists(const std::string& file) const { return FileSystem::FileExists(ConfPath(file)); }

    bool LogStartsWith(const std::string& start) const {
        for (const std::string& line : log_) {
            if (line.rfind(start, 0) == 0) {
                return true;
            }
        }
        return false;
    }

    std::filesystem::path dir_;
    std::map<std::string, std::string> switches_;
    std::vector<std::string> calls_;
    std::vector<std::string> log_;
    std::vector<std::string> status_;
    std::vector<std::string> boxes_;
};

TEST_F(PelwardenScan, InboxFeedsTodaysNewMessagesWithTheirSenders) {
    UseEngine({"known@host.org"}, 0);
    PreviousFrom(WriteStore("Inbox.dbx", {{3, 60, "Jane@Example.COM; <bob@host.org>", "me@home"},
                                          {5, 2 * 86400, "old@host.org", "me@home"}}));
    EXPECT_EQ(calls_, std::vector<std::string>({
                          "getSpamAddrFrom 7 jane@example.com",
                          "addSpamAddrFrom 7 jane@example.com 1 -1",
                          "getSpamAddrFrom 7 bob@host.org",
                          "addSpamAddrFrom 7 bob@host.org 1 -1",
                          "addMessage2 7 text 3 -100 0",
                      }));
    EXPECT_EQ(Conf("oeinbox"), "3\r\n");

    // A known sender is only looked up; an empty part still goes to the
    // engine; the id of a message gone from the store stays recorded.
    calls_.clear();
    PreviousFrom(WriteStore("Inbox.dbx", {{4, 3600, "known@host.org;;x@y", "me@home"}}));
    EXPECT_EQ(calls_, std::vector<std::string>({
                          "getSpamAddrFrom 7 known@host.org",
                          "getSpamAddrFrom 7 ",
                          "addSpamAddrFrom 7  1 -1",
                          "getSpamAddrFrom 7 x@y",
                          "addSpamAddrFrom 7 x@y 1 -1",
                          "addMessage2 7 text 4 -100 0",
                      }));
    EXPECT_EQ(Conf("oeinbox"), "3\r\n4\r\n");
}

TEST_F(PelwardenScan, ASecondInboxScanFeedsNothingAndKeepsTheSeenIds) {
    const std::string inbox = WriteStore("Inbox.dbx", {{12, 60, "a@b", ""}, {2, 60, "c@d", ""}});
    PreviousFrom(inbox);
    EXPECT_EQ(Conf("oeinbox"), "2\r\n12\r\n");
    calls_.clear();
    PreviousFrom(inbox);
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Conf("oeinbox"), "2\r\n12\r\n");
}

TEST_F(PelwardenScan, InboxTakesMessagesByHourBoundariesInUtc) {
    // Now is 10:00; 10:59 yesterday lies 24 boundaries back, 11:00 yesterday 23.
    const std::string inbox = WriteStore(
        "Inbox.dbx",
        {{1, 23 * 3600 + 60, "a@b", ""}, {2, 23 * 3600, "c@d", ""}, {3, -1, "no@date", ""}, {4, 0, "e@f", ""}});
    PreviousFrom(inbox);
    EXPECT_EQ(Conf("oeinbox"), "2\r\n4\r\n");
    EXPECT_TRUE(boxes_.empty());
    EXPECT_FALSE(LogStartsWith("PreviousFrom() Error "));
}

TEST_F(PelwardenScan, InboxTakesAMessageDatedAhead) {
    DbxWriter writer(DbxWriter::Kind::Messages);
    writer.Add(DbxWriter::Message(9, {DbxWriter::Date(0x12, FileTimeOf(kNow + 5 * 86400))}, "ahead"));
    writer.Save(StorePath("Inbox.dbx"));
    PreviousFrom(StorePath("Inbox.dbx"));
    EXPECT_EQ(Conf("oeinbox"), "9\r\n");
}

TEST_F(PelwardenScan, SentItemsFeedsEveryNewMessageWithItsRecipients) {
    FileSystem::WriteWholeFile(ConfPath("oesent"), "8\r\n");
    UseEngine({"a@b"}, 0);
    ScanNewSentEmails(
        WriteStore("Sent Items.dbx", {{8, 60, "me@home", "seen@host"}, {6, 30 * 86400, "me@home", "A@B;<C@D>"}}));
    EXPECT_EQ(calls_, std::vector<std::string>({
                          "addSpamAddrTo 7 a@b 1 -1",
                          "addSpamAddrTo 7 c@d 1 -1",
                          "addMessage2 7 text 6 -120 0",
                      }));
    EXPECT_EQ(Conf("oesent"), "6\r\n8\r\n");
}

TEST_F(PelwardenScan, SentItemsFeedsAMessageWithoutRecipientsOrDate) {
    ScanNewSentEmails(WriteStore("Sent Items.dbx", {{7, -1, "me@home", ""}}));
    EXPECT_EQ(calls_, std::vector<std::string>({"addMessage2 7 text 7 -120 0"}));
    EXPECT_EQ(Conf("oesent"), "7\r\n");
}

TEST_F(PelwardenScan, AnEmptyStoreEmptiesItsSeenFile) {
    FileSystem::WriteWholeFile(ConfPath("oesent"), "1\r\n2\r\n");
    ScanNewSentEmails(WriteStore("Sent Items.dbx", {}));
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Conf("oesent"), "");
}

TEST_F(PelwardenScan, ASwitchThatIsOffSkipsItsScan) {
    switches_["OEScanInbox"] = " 1";
    switches_["OEScanSent"] = "0";
    PreviousFrom(WriteStore("Inbox.dbx", {{1, 60, "a@b", ""}}));
    ScanNewSentEmails(WriteStore("Sent Items.dbx", {{1, 60, "", "a@b"}}));
    EXPECT_TRUE(calls_.empty());
    EXPECT_FALSE(ConfExists("oeinbox"));
    EXPECT_FALSE(ConfExists("oesent"));
}

TEST_F(PelwardenScan, AStoreThatCannotBeOpenedLeavesTheSeenFileAlone) {
    FileSystem::WriteWholeFile(ConfPath("oeinbox"), "5\r\n");
    FileSystem::WriteWholeFile(ConfPath("oesent"), "6\r\n");
    PreviousFrom(StorePath("missing.dbx"));
    ScanNewSentEmails(gStoreRoot);
    const std::string missing = "Unable to open Inbox: " + StorePath("missing.dbx") + " is missing.";
    EXPECT_EQ(status_, std::vector<std::string>({missing, "Unable to open Sent Items folder."}));
    EXPECT_TRUE(LogStartsWith(missing));
    EXPECT_TRUE(LogStartsWith("Unable to open Sent Items folder."));
    EXPECT_EQ(Conf("oeinbox"), "5\r\n");
    EXPECT_EQ(Conf("oesent"), "6\r\n");
    EXPECT_TRUE(calls_.empty());
}

// A store the reader will not load is not a damaged file: one status line
// and one log line name the cause and the store's size, and nothing blames
// the file.
TEST_F(PelwardenScan, ARefusedOrMissingStoreIsReportedOnceWithItsCause) {
    const std::string inbox = WriteStore("Inbox.dbx", {{1, 60, "a@b", ""}});
    const auto size = std::to_string(std::filesystem::file_size(inbox));
    struct Case {
        const char* name;
        void (*scan)(const std::string& path);
        std::int64_t scanLimit;
        std::string path;
        std::string line;
    };
    const Case cases[] = {
        {"over the scan limit", PreviousFrom, 100, inbox,
         "Unable to open Inbox: " + inbox + " larger than scan limit. (" + size + " bytes, limit 100 bytes)"},
        {"missing", PreviousFrom, 0, StorePath("gone.dbx"),
         "Unable to open Inbox: " + StorePath("gone.dbx") + " is missing."},
        {"Sent Items missing", ScanNewSentEmails, 0, StorePath("gone.dbx"),
         "Unable to open Sent Items folder. " + StorePath("gone.dbx") + " is missing."},
    };
    for (const Case& c : cases) {
        ScanState::gScanLimit = c.scanLimit;
        status_.clear();
        log_.clear();
        c.scan(c.path);
        EXPECT_EQ(status_, std::vector<std::string>{c.line}) << c.name;
        EXPECT_EQ(log_, std::vector<std::string>{c.line}) << c.name;
    }
    ScanState::gScanLimit = 0;
    EXPECT_TRUE(calls_.empty());
}

// The two scans: what each reads, where it records what it fed, the name
// it logs under and the weight it trains with.
const struct StoreScan {
    void (*scan)(const std::string&);
    const char* store;
    const char* seenFile;
    const char* procedure;
    const char* weight;
} kStoreScans[] = {
    {PreviousFrom, "Inbox.dbx", "oeinbox", "PreviousFrom", "-100"},
    {ScanNewSentEmails, "Sent Items.dbx", "oesent", "ScanNewSentEmails", "-120"},
};

// The engine fails on the second message: only the message fed is recorded,
// and the next run feeds the other one.
TEST_F(PelwardenScan, AScanEndedByAnErrorRecordsOnlyWhatItFed) {
    const auto fedId = [this](const char* weight) {
        std::string ids;
        for (const char* id : {"1", "2"}) {
            const std::string call = std::string("addMessage2 7 text ") + id + " " + weight + " 0";
            if (std::find(calls_.begin(), calls_.end(), call) != calls_.end()) {
                ids += id;
            }
        }
        return ids;
    };
    for (const StoreScan& c : kStoreScans) {
        const std::string store = WriteStore(c.store, {{1, 60, "a@b", "c@d"}, {2, 60, "e@f", "g@h"}});
        calls_.clear();
        UseEngine({}, 2);
        c.scan(store);
        EXPECT_TRUE(LogStartsWith(std::string(c.procedure) + "() Error 49 : Bad DLL calling convention")) << c.store;
        const std::string fed = fedId(c.weight);
        ASSERT_EQ(fed.size(), 1u) << c.store;
        EXPECT_EQ(Conf(c.seenFile), fed + "\r\n") << c.store;

        calls_.clear();
        UseEngine({}, 0);
        c.scan(store);
        EXPECT_EQ(fedId(c.weight), fed == "1" ? "2" : "1") << c.store;
        EXPECT_EQ(Conf(c.seenFile), "1\r\n2\r\n") << c.store;
    }
}

TEST_F(PelwardenScan, AMessageWhoseTextCannotBeReadIsNeitherFedNorRecorded) {
    for (const StoreScan& c : kStoreScans) {
        DbxWriter writer(DbxWriter::Kind::Messages);
        const auto add = [&](std::int32_t id, const std::string& text) {
            writer.Add(DbxWriter::Message(
                id,
                {DbxWriter::Text(0x0E, "s" + std::to_string(id) + "@b"),
                 DbxWriter::Text(0x14, "r" + std::to_string(id) + "@d"), DbxWriter::Date(0x12, FileTimeOf(kNow))},
                text));
        };
        add(1, "text 1");
        add(2, "text 2");
        add(3, "text 3");
        add(4, "text 4");
        add(5, "");  // really empty: no text to read, and nothing wrong with that
        DbxWriter::Image image = writer.Build();
        const auto blockOf = [&](std::int32_t id) { return image.blocks[static_cast<std::size_t>(id - 1)][0]; };
        image.PutLong(blockOf(2) + DbxWriter::kBlockNextAt, static_cast<std::int32_t>(blockOf(2)));  // loops
        image.PutLong(blockOf(3) + DbxWriter::kBlockNextAt, 0x7FFFFFF0);                             // leaves the file
        image.PutInteger(blockOf(4) + DbxWriter::kBlockLengthAt, 0);  // a block of no data
        FileSystem::WriteWholeFile(StorePath(c.store), image.bytes);
        calls_.clear();
        log_.clear();
        c.scan(StorePath(c.store));

        std::vector<std::string> fed;
        for (const std::string& call : calls_) {
            if (call.rfind("addMessage2", 0) == 0) {
                fed.push_back(call);
            }
        }
        const std::string weight = std::string(" ") + c.weight + " 0";
        std::sort(fed.begin(), fed.end());
        EXPECT_EQ(fed, std::vector<std::string>({"addMessage2 7 " + weight, "addMessage2 7 text 1" + weight}))
            << c.store;
        for (const std::string& call : calls_) {
            for (const char* skipped : {"2@", "3@", "4@"}) {
                EXPECT_EQ(call.find(skipped), std::string::npos) << c.store << ": " << call;
            }
        }
        EXPECT_EQ(Conf(c.seenFile), "1\r\n5\r\n") << c.store;
        EXPECT_EQ(std::count(log_.begin(), log_.end(),
                             std::string(c.procedure) +
                                 " : 3 messages skipped, their text could not be read: " + StorePath(c.store)),
                  1)
            << c.store;

        // Once the store is whole again, the skipped messages are trained.
        writer = DbxWriter(DbxWriter::Kind::Messages);
        for (std::int32_t id : {1, 2, 3, 4, 5}) {
            add(id, id == 5 ? "" : "text " + std::to_string(id));
        }
        writer.Save(StorePath(c.store));
        calls_.clear();
        c.scan(StorePath(c.store));
        EXPECT_EQ(std::count_if(calls_.begin(), calls_.end(),
                                [](const std::string& call) { return call.rfind("addMessage2", 0) == 0; }),
                  3)
            << c.store;
        EXPECT_EQ(Conf(c.seenFile), "1\r\n2\r\n3\r\n4\r\n5\r\n") << c.store;
    }
}

TEST_F(PelwardenScan, ABadLineInTheSeenFileIsSkippedAndTheOtherIdsKept) {
    FileSystem::WriteWholeFile(ConfPath("oeinbox"), "1\r\nnot a number\r\n3\r\n");
    PreviousFrom(WriteStore("Inbox.dbx", {{1, 60, "a@b", ""}, {2, 60, "c@d", ""}, {3, 60, "e@f", ""}}));
    EXPECT_EQ(boxes_, std::vector<std::string>({"LoadList Error"}));
    EXPECT_EQ(calls_.back(), "addMessage2 7 text 2 -100 0");
    EXPECT_EQ(Conf("oeinbox"), "1\r\n2\r\n3\r\n");
}

// A seen-id file that cannot be read as text tells nothing of what was fed
// and cannot take the new ids: a scan over it would feed every message again
// at each run. The scan feeds nothing, leaves the file as it is and says why.
TEST_F(PelwardenScan, ASeenFileThatIsNotTextStopsItsScanAndIsLeftAsItIs) {
    const ConfSamples::Sample samples[] = {
        NotTextFiles::Sample(NotTextFiles::kRandomBytes),
        {"the ids saved as UTF-16", "\xFF\xFE" + ConfSamples::Utf16("1\r\n2\r\n", false)},
    };
    for (const StoreScan& s : kStoreScans) {
        const std::string store = WriteStore(s.store, {{1, 60, "a@b", "c@d"}, {2, 60, "e@f", "g@h"}});
        for (const ConfSamples::Sample& sample : samples) {
            FileSystem::WriteWholeFile(ConfPath(s.seenFile), sample.bytes);
            for (int run = 1; run <= 2; ++run) {
                calls_.clear();
                log_.clear();
                s.scan(store);
                EXPECT_EQ(calls_, std::vector<std::string>{}) << s.seenFile << ", " << sample.name << ", run " << run;
                EXPECT_EQ(log_, std::vector<std::string>{std::string(s.procedure) + "() Error " +
                                                         std::to_string(FileList::kListNotText) + " : " +
                                                         Conf::NotTextReason(ConfPath(s.seenFile)) +
                                                         ", so no message was fed. The file was left as it was."})
                    << s.seenFile << ", " << sample.name;
                EXPECT_TRUE(Conf(s.seenFile) == sample.bytes) << s.seenFile << ", " << sample.name;
            }
        }
    }
    EXPECT_EQ(boxes_, std::vector<std::string>{});
}

// Ids that cannot be recorded would be fed again at every run: a seen-id
// file that cannot be written (here a folder of its name) stops its scan
// before anything is fed, and each run says so once.
TEST_F(PelwardenScan, ASeenFileThatCannotBeWrittenStopsItsScanBeforeAnythingIsFed) {
    for (const StoreScan& s : kStoreScans) {
        const std::string store = WriteStore(s.store, {{1, 60, "a@b", "c@d"}});
        const std::filesystem::path folder = dir_ / "conf" / s.seenFile;
        std::filesystem::create_directories(folder);
        for (int run = 1; run <= 2; ++run) {
            calls_.clear();
            log_.clear();
            s.scan(store);
            EXPECT_EQ(calls_, std::vector<std::string>{}) << s.seenFile << ", run " << run;
            ASSERT_EQ(log_.size(), 1u) << s.seenFile << ", run " << run;
            EXPECT_EQ(log_[0].rfind(std::string(s.procedure) + "() Error 75 : ", 0), 0u) << log_[0];
        }
        EXPECT_TRUE(std::filesystem::is_directory(folder)) << s.seenFile;
    }
}

TEST_F(PelwardenScan, DetailLevelLogsTheStoreScanned) {
    gDebugLevel = 8;
    const std::string inbox = WriteStore("Inbox.dbx", {});
    PreviousFrom(inbox);
    ScanNewSentEmails(inbox);
    gDebugLevel = 0;
    EXPECT_TRUE(LogStartsWith("PreviousFrom : dbx_file = " + inbox));
    EXPECT_TRUE(LogStartsWith("ScanNewSentEmails : dbx_file = " + inbox));
}

class FolderLookup : public PelwardenScan {
protected:
    void WriteFolders(const std::vector<std::pair<std::string, std::string>>& folders) {
        DbxWriter writer(DbxWriter::Kind::Folders);
        std::int32_t id = 1;
        for (const auto& [name, file] : folders) {
            writer.Add(DbxWriter::Folder(id++, 0, name, file));
        }
        writer.Save(StorePath("Folders.dbx"));
    }
};

TEST_F(FolderLookup, TakesTheFirstFolderWhoseFileBeginsWithItsName) {
    WriteFolders({{"Outbox", "Outbox.dbx"},
                  {"Inbox", "Posteingang.dbx"},
                  {"INBOX", "inbox (2).dbx"},
                  {"Inbox", "Inbox.dbx"},
                  {"Sent Items", "Sent Items.dbx"}});
    // Of the two that match, the one the folder store lists first.
    CDbx folders;
    ASSERT_TRUE(folders.openFile(StorePath("Folders.dbx"), false));
    std::string first;
    for (const auto& folder : folders.Folders()) {
        if (first.empty() && (folder->FileName() == "inbox (2).dbx" || folder->FileName() == "Inbox.dbx")) {
            first = folder->FileName();
        }
    }
    EXPECT_EQ(GetFolderFilename("inbox"), first);
    EXPECT_EQ(GetFolderFilename("sent items"), "Sent Items.dbx");
    EXPECT_EQ(GetFolderFilename("drafts"), "");
    EXPECT_TRUE(status_.empty());
}

TEST_F(FolderLookup, AnInboxStoredUnderAnotherNameIsNotFound) {
    WriteFolders({{"Inbox", "Posteingang.dbx"}});
    EXPECT_EQ(GetFolderFilename("inbox"), "");
}

TEST_F(FolderLookup, AMissingFolderStoreIsReported) {
    EXPECT_EQ(GetFolderFilename("inbox"), "");
    const std::string folders = gStoreRoot + "Folders.dbx";
    const std::string line = "Unable to open " + folders + ": " + folders + " is missing.";
    EXPECT_EQ(status_, std::vector<std::string>{line});
    EXPECT_EQ(log_, std::vector<std::string>{line});
}

TEST_F(PelwardenScan, TrainingTotalsAreWrittenOnlyWhenTheEngineGivesNumbers) {
    const struct {
        const char* spam;
        const char* ham;
        std::vector<std::string> written;
    } cases[] = {
        {"12", "34", {"ham_training=34", "spam_training=12"}},
        {"not a number", "7", {"ham_training=7"}},
        {"5", "", {"spam_training=5"}},
        {"", "", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> written;
        SetTotalWriter([&](const std::string& name, std::int32_t total) {
            written.push_back(name + "=" + std::to_string(total));
        });
        calls_.clear();
        RecordingEngine& engine = UseEngine({}, 0);
        engine.options = {{"wordtraining_totalspam", c.spam}, {"wordtraining_totalham", c.ham}};
        SaveTrainingTotals();
        EXPECT_EQ(written, c.written) << c.spam << " / " << c.ham;
        EXPECT_EQ(calls_, std::vector<std::string>(
                              {"getOption 7 wordtraining_totalspam 20 20", "getOption 7 wordtraining_totalham 20 20"}));
    }
}

TEST(ScanLimitBytes, TakesMegabytesInSixtyFourBits) {
    EXPECT_EQ(ScanLimitBytes(""), 0);
    EXPECT_EQ(ScanLimitBytes("100"), 104857600);
    EXPECT_EQ(ScanLimitBytes(" 2048 "), 2147483648LL);
    EXPECT_EQ(ScanLimitBytes("2147483647"), 2147483647LL * 1048576);
    for (const char* text : {"abc", "12MB", "2147483648", " ", "1.5"}) {
        EXPECT_THROW(ScanLimitBytes(text), ObjectError) << text;
    }
}

}  // namespace
