// Several programs writing one list file at once, by way of ListWriter.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include "AddressList.h"
#include "FileList.h"
#include "FileLock.h"
#include "FileSystem.h"
#include "ObjectError.h"
#include "ProcessDriver.h"

namespace {

class ListWriters : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() / ("list-writers-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string PathOf(const std::string& name) const { return (dir_ / name).make_preferred().string(); }

    std::filesystem::path dir_;
};

// The id of a process that has ended and whose id the system has freed, or
// 0 when it is not freed in time. ListWriter without its arguments ends at
// once; the id is kept while a handle to the process is open.
DWORD FreedProcessId() {
    DWORD freed = 0;
    {
        ChildProcess child(TestBinPath("ListWriter.exe"), "");
        if (!child.WaitForExit(30000)) {
            return 0;
        }
        freed = child.Id();
    }
    // Wine frees the id a moment after the last handle has gone.
    const bool gone = WaitUntil(
        [freed] {
            HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, freed);
            if (process != nullptr) {
                CloseHandle(process);
            }
            return process == nullptr;
        },
        30000);
    return gone ? freed : 0;
}

// How often each entry stands in the file.
std::map<std::string, int> Tally(const std::string& path) {
    std::map<std::string, int> tally;
    for (const std::string& entry : ListFileEntries(FileSystem::ReadWholeFile(path))) {
        ++tally[entry];
    }
    return tally;
}

// Two programs add a few hundred entries each to a long list, one change per
// entry, at the same time: every entry is in the file once, none is lost,
// and neither program is told of an error.
TEST_F(ListWriters, TwoProgramsAddingToOneListAtOnceLoseNothing) {
    const int kSeeded = 20000;
    const int kEach = 300;
    const std::string list = PathOf("blocked_senders");
    std::string seed;
    for (int n = 1; n <= kSeeded; ++n) {
        seed += "seeded" + std::to_string(n) + "@example.org\r\n";
    }
    FileSystem::WriteWholeFile(list, seed);

    const std::string arguments = std::string("\"").append(list).append("\" add ");
    const std::string count = std::to_string(kEach);
    ChildProcess first(TestBinPath("ListWriter.exe"), arguments + "first " + count);
    ChildProcess second(TestBinPath("ListWriter.exe"), arguments + "second " + count);
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(second.Started());
    DWORD firstCode = 1;
    DWORD secondCode = 1;
    ASSERT_TRUE(first.WaitForExit(240000, &firstCode));
    ASSERT_TRUE(second.WaitForExit(240000, &secondCode));
    EXPECT_EQ(firstCode, 0u) << "2: a change failed, 3: a box was shown";
    EXPECT_EQ(secondCode, 0u) << "2: a change failed, 3: a box was shown";

    const std::map<std::string, int> tally = Tally(list);
    int found = 0;
    for (const char* writer : {"first", "second"}) {
        for (int n = 1; n <= kEach; ++n) {
            const std::string entry = writer + std::to_string(n) + "@example.com";
            const auto at = tally.find(entry);
            const int times = at == tally.end() ? 0 : at->second;
            EXPECT_EQ(times, 1) << entry;
            found += times == 1;
        }
    }
    for (int n = 1; n <= kSeeded; ++n) {
        const auto at = tally.find("seeded" + std::to_string(n) + "@example.org");
        ASSERT_TRUE(at != tally.end() && at->second == 1) << "seeded entry " << n;
    }
    EXPECT_EQ(tally.size(), static_cast<std::size_t>(kSeeded + 2 * kEach));
    std::cout << "entries written " << 2 * kEach << ", found once " << found << ", list " << tally.size()
              << " entries\n";
    for (const auto& file : std::filesystem::directory_iterator(dir_)) {
        EXPECT_NE(file.path().extension(), ".tmp") << file.path();
    }
}

// A writer that cannot have the list in time gives up with a message that
// says why, and its entry is neither in the list nor in the file.
TEST_F(ListWriters, AWriterThatCannotHaveTheListInTimeChangesNothing) {
    const std::string list = PathOf("approved_senders");
    FileSystem::WriteWholeFile(list, "kept@example.org\r\n");
    const DWORD holding = FileLock::kWaitMilliseconds + 3000;
    ChildProcess holder(
        TestBinPath("ListWriter.exe"),
        std::string("\"").append(list).append("\" hold held@example.org ").append(std::to_string(holding)));
    ASSERT_TRUE(WaitUntil([&] { return FileSystem::FileExists(list + ".held"); }, 30000));
    AddressList waiting;
    waiting.FileLocation(list);
    waiting.Load();
    std::string refusal;
    try {
        waiting.Add("late@example.org");
    } catch (const ObjectError& error) {
        EXPECT_EQ(error.Number(), 75);
        refusal = error.Description();
    }
    EXPECT_EQ(refusal, "Cannot change " + list + ": another program has been changing it for more than " +
                           std::to_string(FileLock::kWaitMilliseconds / 1000) + " seconds. Please try again later.");
    EXPECT_FALSE(waiting.Exists("late@example.org"));
    DWORD code = 1;
    ASSERT_TRUE(holder.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FileSystem::ReadWholeFile(list), "held@example.org\r\nkept@example.org\r\n");
}

// A writer killed between writing its temporary file and putting it in
// place leaves that file behind. The next program to change the list deletes
// the temporary files of that list whose writers have ended, and no other.
TEST_F(ListWriters, TheTemporaryFilesOfEndedWritersGoWhenTheListIsNextChanged) {
    const std::string list = PathOf("blocked_senders");
    FileSystem::WriteWholeFile(list, "kept@example.org\r\n");
    // Started first, so that no process started later takes the id of the
    // one whose last handle is closed below.
    ChildProcess running(TestBinPath("ListWriter.exe"),
                         std::string("\"").append(PathOf("other_list")).append("\" hold x@example.org 120000"));
    // ListWriter without its arguments ends at once. The system keeps the id
    // of an ended process while a handle to it is open.
    ChildProcess ended(TestBinPath("ListWriter.exe"), "");
    ASSERT_TRUE(ended.WaitForExit(30000));
    const DWORD freed = FreedProcessId();
    ASSERT_NE(freed, 0u);
    ASSERT_TRUE(running.Running());
    const std::string endedId = std::to_string(ended.Id());
    struct Case {
        std::string name;
        bool removed;
        const char* what;
    };
    const Case cases[] = {
        {"blocked_senders." + std::to_string(freed) + ".tmp", true, "an ended writer's"},
        {"Blocked_Senders." + endedId + ".TMP", true, "an ended writer's still held open, letter case aside"},
        {"blocked_senders." + std::to_string(running.Id()) + ".tmp", false, "a running writer's"},
        {"blocked_senders.tmp", false, "the start-up copy's, which names no writer"},
        {"blocked_senders.0" + endedId + ".tmp", false, "no writer writes a leading zero"},
        {"blocked_senders." + endedId + "x.tmp", false, "not only digits"},
        {"blocked_senders." + endedId + "." + endedId + ".tmp", false, "two numbers"},
        {"blocked_senders..tmp", false, "no number"},
        {"blocked_senders.99999999999.tmp", false, "too large for a process id"},
        {"blocked_senders." + endedId + ".tmp.old", false, "another ending"},
        {"blocked_senders2." + endedId + ".tmp", false, "a longer name"},
        {"old.blocked_senders." + endedId + ".tmp", false, "a name before the list's"},
        {"approved_senders." + endedId + ".tmp", false, "another list's"},
    };
    for (const Case& c : cases) {
        FileSystem::WriteWholeFile(PathOf(c.name), "left@example.org\r\n");
    }

    AddressList writer;
    writer.FileLocation(list);
    writer.Load();
    writer.Add("new@example.org");

    for (const Case& c : cases) {
        EXPECT_EQ(FileSystem::FileExists(PathOf(c.name)), !c.removed) << c.name << ": " << c.what;
    }
    EXPECT_EQ(FileSystem::ReadWholeFile(list), "kept@example.org\r\nnew@example.org\r\n");
    EXPECT_TRUE(running.Running());
}

// A list that one program alone writes, saved without a change through
// Update (the scanner's seen messages), also clears what a killed run of
// that program left behind.
TEST_F(ListWriters, SavingAListWithoutUpdateAlsoClearsTheTemporaryFilesOfEndedWriters) {
    const std::string list = PathOf("oeinbox");
    FileSystem::WriteWholeFile(list, "7\r\n");
    const DWORD freed = FreedProcessId();
    ASSERT_NE(freed, 0u);
    const std::string left = PathOf("oeinbox." + std::to_string(freed) + ".tmp");
    FileSystem::WriteWholeFile(left, "");

    FileList seen;
    seen.FileLocation(list);
    seen.SortMode(SortedList::kNumeric);
    seen.Load();
    seen.Add("12");
    seen.Save();

    EXPECT_FALSE(FileSystem::FileExists(left));
    EXPECT_EQ(FileSystem::ReadWholeFile(list), "7\r\n12\r\n");
}

}  // namespace
