// Listing a directory's files by the start of their names, on the disk of
// each lane.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "ListTestFixture.h"

namespace {

using Names = std::vector<std::string>;

using FileSystemListing = ListFileTest;

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(FileSystemListing, FilesWhoseNamesBeginWithThePrefixLetterCaseAside) {
    for (const char* name : {"list", "list.1.tmp", "LIST.2.TMP", "list.tmp", "listing", "other.list.3.tmp"}) {
        Write(name, "");
    }
    std::filesystem::create_directory(dir_ / "list.4.tmp");

    EXPECT_EQ(Sorted(FileSystem::FileNamesStartingWith(dir_.string(), "list.")),
              (Names{"LIST.2.TMP", "list.1.tmp", "list.tmp"}))
        << "directories are left out";
    EXPECT_EQ(Sorted(FileSystem::FileNamesStartingWith(dir_.string(), "List")),
              (Names{"LIST.2.TMP", "list", "list.1.tmp", "list.tmp", "listing"}));
    EXPECT_EQ(FileSystem::FileNamesStartingWith(dir_.string(), "none"), Names{});
    EXPECT_EQ(FileSystem::FileNamesStartingWith((dir_ / "missing").string(), "list"), Names{})
        << "a directory that is not there holds no files";
}

}  // namespace
