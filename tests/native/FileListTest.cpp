#include "FileList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "ConfSamples.h"
#include "ListTestFixture.h"

namespace {

using Entries = std::vector<std::string>;

class FileListTest : public ListFileTest {
protected:
    FileList LoadedFrom(const std::string& name) {
        FileList list;
        list.FileLocation(PathOf(name));
        list.Load();
        return list;
    }
};

TEST_F(FileListTest, LoadsEachNonEmptyLineLowerCasedAndTrimmed) {
    struct Case {
        const char* name;
        std::string text;
        Entries expected;
    };
    const Case cases[] = {
        {"crlf", "Bob@Example.COM\r\n\r\n   \r\n  alice@x.org  \r\n", {"alice@x.org", "bob@example.com"}},
        {"lf", "b\na\n\nc\n", {"a", "b", "c"}},
        {"cr", "b\ra\r\rc", {"a", "b", "c"}},
        {"mixed", "d\r\nb\nc\ra", {"a", "b", "c", "d"}},
        {"repeats", "x@y\r\nX@Y\r\n", {"x@y", "x@y"}},
        {"tabs stay", "\tTab@x \r\n", {"\ttab@x"}},
        {"code page letters", "\xC4RGER@X\r\n", {"\xE4rger@x"}},
        {"empty", "", {}},
        {"blank lines only", "\r\n  \r\n\n", {}},
    };
    for (const Case& c : cases) {
        Write(c.name, c.text);
        FileList list = LoadedFrom(c.name);
        EXPECT_EQ(list.Items(), c.expected) << c.name;
        EXPECT_EQ(list.Count(), static_cast<std::int32_t>(c.expected.size())) << c.name;
    }
    EXPECT_TRUE(boxes_.empty());
}

// A byte-order mark in front of the file (Notepad's "UTF-8") is not part of
// the first entry. A save sorts the entries, so a mark kept in front would
// stick to whichever comes first for a reader that does not skip it: the
// file is written without one. Further on, the mark's bytes are an entry's.
TEST_F(FileListTest, AByteOrderMarkInFrontIsNoPartOfTheFirstEntry) {
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* name;
        std::string file;
        Entries entries;
        std::string saved;
    } cases[] = {
        {"a marked file",
         mark + "zed@spam.example\r\naaa@spam.example\r\n",
         {"aaa@spam.example", "zed@spam.example"},
         "aaa@spam.example\r\nzed@spam.example\r\n"},
        {"spaces and capitals after the mark",
         mark + "  Zed@Spam.Example \n",
         {"zed@spam.example"},
         "zed@spam.example\r\n"},
        {"the mark alone", mark, {}, ""},
        {"a mark further on", "b@x\r\n" + mark + "a@x\r\n", {"b@x", mark + "a@x"}, "b@x\r\n" + mark + "a@x\r\n"},
        // The entry keeps the second mark, so the file needs one in front.
        {"two marks", mark + mark + "a@x\r\n", {mark + "a@x"}, mark + mark + "a@x\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Write("list", c.file);
        FileList list = LoadedFrom("list");
        EXPECT_EQ(list.Items(), c.entries);
        for (const std::string& entry : c.entries) {
            EXPECT_TRUE(list.Exists(entry)) << entry;
        }
        list.Save();
        EXPECT_EQ(Read("list"), c.saved);
        EXPECT_EQ(LoadedFrom("list").Items(), c.entries);
        // The list matches the file it saved: catching up keeps what is unsaved.
        list.Add("unsaved@x");
        list.CatchUp();
        EXPECT_TRUE(list.Exists("unsaved@x"));
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListTest, LoadReplacesWhatWasInMemory) {
    Write("list", "b\r\n");
    FileList list;
    list.FileLocation(PathOf("list"));
    list.Add("old");
    list.Load();
    EXPECT_EQ(list.Items(), Entries{"b"});

    list.FileLocation(PathOf("missing"));
    list.Load();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListTest, PresenceAndRemovalIgnoreLetterCase) {
    Write("list", "a@x\r\nb@x\r\nb@x\r\n");
    FileList list = LoadedFrom("list");
    EXPECT_TRUE(list.Exists("A@X"));
    EXPECT_FALSE(list.Exists("c@x"));
    list.Remove("B@x");
    EXPECT_EQ(list.Items(), (Entries{"a@x", "b@x"}));
    list.Remove("absent");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\nb@x\r\n");
}

TEST_F(FileListTest, SaveWritesTheEntriesSortedWithCrLf) {
    Write("list", "Carol@x\r\n\r\nbob@x\n  ALICE@x  \rbob@x");
    FileList list = LoadedFrom("list");
    list.Add("Dave@X");
    list.Save();
    EXPECT_EQ(Read("list"), "alice@x\r\nbob@x\r\nbob@x\r\ncarol@x\r\nDave@X\r\n");
    EXPECT_FALSE(Present("list.tmp"));
    EXPECT_EQ(TemporaryFiles(), Entries{});
}

TEST_F(FileListTest, AnEmptyListSavesAnEmptyFile) {
    Write("list", "a\r\nb\r\n");
    FileList list = LoadedFrom("list");
    list.Clear();
    EXPECT_EQ(Read("list"), "a\r\nb\r\n");
    list.Save();
    EXPECT_EQ(Read("list"), "");
}

TEST_F(FileListTest, ABlankPathSavesToTheOwnFileAnyOtherExports) {
    Write("list", "a\r\n");
    FileList list = LoadedFrom("list");
    list.Add("b");
    list.Save("   ");
    EXPECT_EQ(Read("list"), "a\r\nb\r\n");

    list.Add("c");
    list.Save(PathOf("export"));
    EXPECT_EQ(Read("export"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(Read("list"), "a\r\nb\r\n");

    list.Save();
    EXPECT_EQ(Read("list"), "a\r\nb\r\nc\r\n");
}

TEST_F(FileListTest, ASaveThatCannotBeCompletedRaisesAndLeavesNoTemporaryFile) {
    FileList list;
    list.Add("a");

    EXPECT_EQ(RaisedBy([&] { list.Save(PathOf("no-such-dir/list")); }).Number(), 53);

    // The text can be written beside the target, but not put in its place.
    std::filesystem::create_directory(dir_ / "taken");
    RaisedBy([&] { list.Save(PathOf("taken")); });
    EXPECT_FALSE(Present("taken.tmp"));
    EXPECT_EQ(TemporaryFiles(), Entries{});
    EXPECT_TRUE(std::filesystem::is_directory(dir_ / "taken"));

    FileList unnamed;
    EXPECT_EQ(RaisedBy([&] { unnamed.Save(); }).Number(), 75);
    EXPECT_FALSE(Present(".tmp"));
}

TEST_F(FileListTest, ANumericListSkipsALineThatIsNoNumberAndSaysSoOnce) {
    Write("seen", "10\r\n9\r\nabc\r\n100\r\nxyz\r\n");
    FileList list;
    list.SortMode(SortedList::kNumeric);
    list.FileLocation(PathOf("seen"));
    list.Load();

    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].title, "LoadList Error");
    EXPECT_EQ(boxes_[0].text, "-2147221503:Key Invalid: Text keys are invalid when SortMode is Numeric");
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(list.Items(), (Entries{"9", "10", "100"}));

    // The save repairs the file: every number kept, the words dropped.
    list.Save();
    EXPECT_EQ(Read("seen"), "9\r\n10\r\n100\r\n");
}

TEST_F(FileListTest, TheSortModeChangesOnlyWhileTheListIsEmpty) {
    FileList list;
    list.Add("a");
    EXPECT_EQ(RaisedBy([&] { list.SortMode(SortedList::kNumeric); }).Number(), static_cast<std::int32_t>(0x80040003u));
    EXPECT_TRUE(list.Exists("A"));
    list.Clear();
    list.SortMode(SortedList::kNumeric);
    list.Add("2");
    list.Add("10");
    EXPECT_EQ(list.Items(), (Entries{"2", "10"}));
}

TEST_F(FileListTest, AFileThatCouldNotBeReadIsNeverSavedOver) {
    MakeUnreadable("list");
    FileList list;
    list.FileLocation(PathOf("list"));
    list.Load();
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].title, "LoadList Error");
    EXPECT_EQ(boxes_[0].text.substr(0, 3), "75:");
    EXPECT_EQ(boxes_[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(list.Count(), 0);

    list.Add("a");
    for (const std::string& own : {std::string(), std::string("  "), PathOf("list")}) {
        const ObjectError refused = RaisedBy([&] { list.Save(own); });
        EXPECT_EQ(refused.Number(), FileList::kListNotLoaded);
        EXPECT_EQ(refused.Number(), static_cast<std::int32_t>(0x80040101u));
        EXPECT_NE(refused.Description().find(PathOf("list")), std::string::npos) << refused.Description();
    }
    EXPECT_FALSE(Present("list.tmp"));
    EXPECT_EQ(TemporaryFiles(), Entries{});

    // An export does not touch the list file.
    list.Save(PathOf("export"));
    EXPECT_EQ(Read("export"), "a\r\n");

    ReleaseUnreadable();
    Write("list", "b\r\n");
    EXPECT_EQ(RaisedBy([&] { list.Save(); }).Number(), FileList::kListNotLoaded);
    EXPECT_EQ(Read("list"), "b\r\n");

    list.Load();
    EXPECT_EQ(boxes_.size(), 1u);
    list.Add("c");
    list.Save();
    EXPECT_EQ(Read("list"), "b\r\nc\r\n");
}

// A list file saved as Unicode, or one that is binary, would come back as
// split, lower-cased halves of its lines: it is never written over.
TEST_F(FileListTest, AFileThatCannotBeReadAsTextIsNeverWrittenOver) {
    using ConfSamples::Utf16;
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"UTF-16 with its mark", "\xFF\xFE" + Utf16("a@x\r\nB@x\r\n", false)},
        {"UTF-16 big-endian with its mark", "\xFE\xFF" + Utf16("a@x\r\nB@x\r\n", true)},
        {"64 KiB of random bytes", ConfSamples::BinaryBytes(65536)},
    };
    for (const auto& c : cases) {
        Write("list", c.bytes);
        FileList list = LoadedFrom("list");
        list.Add("new@x");
        for (const std::string& own : {std::string(), PathOf("list")}) {
            const ObjectError refused = RaisedBy([&] { list.Save(own); });
            EXPECT_EQ(refused.Number(), FileList::kListNotText) << c.name;
            EXPECT_NE(refused.Description().find(PathOf("list") + " cannot be read as text"), std::string::npos)
                << c.name << ": " << refused.Description();
        }
        EXPECT_EQ(RaisedBy([&] { list.Update([&] { list.Save(); }); }).Number(), FileList::kListNotText) << c.name;
        EXPECT_TRUE(Read("list") == c.bytes) << c.name << ": the file is as it was";
        EXPECT_EQ(TemporaryFiles(), Entries{}) << c.name;

        // An export writes another file, as text.
        list.Save(PathOf("export"));
        EXPECT_NE(Read("export").find("new@x\r\n"), std::string::npos) << c.name;
    }
    // Stray NULs in a text file do not make it binary.
    Write("list", std::string("a@x\r\nb\0@x\r\n", 11));
    FileList list = LoadedFrom("list");
    list.Add("c@x");
    list.Save();
    EXPECT_EQ(Read("list"), std::string("a@x\r\nb\0@x\r\nc@x\r\n", 16));
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListTest, NamingAnotherFileEndsTheRefusal) {
    MakeUnreadable("list");
    FileList list;
    list.FileLocation(PathOf("list"));
    list.Load();
    list.FileLocation(PathOf("other"));
    list.Add("a");
    list.Save();
    EXPECT_EQ(Read("other"), "a\r\n");
}

// Another program writes the file between the list's load and its next
// save; an unsaved entry shows whether the list was loaded again.
TEST_F(FileListTest, CatchUpReloadsOnlyAFileChangedSinceItWasLoadedOrSaved) {
    const struct {
        const char* name;
        const char* before;
        // nullptr: the file is taken away (unused when the list saves it).
        const char* after;
        bool savedBetween;
        Entries expected;
    } cases[] = {
        {"unchanged", "a@x\r\n", "a@x\r\n", false, {"a@x", "unsaved@x"}},
        {"rewritten", "a@x\r\n", "a@x\r\nb@x\r\n", false, {"a@x", "b@x"}},
        // Same length, written at once: a file time could miss it.
        {"same size", "a@x\r\n", "b@x\r\n", false, {"b@x"}},
        {"created", nullptr, "n@x\r\n", false, {"n@x"}},
        {"removed", "a@x\r\n", nullptr, false, {}},
        {"own save", "a@x\r\n", nullptr, true, {"a@x", "saved@x", "unsaved@x"}},
    };
    for (const auto& c : cases) {
        if (c.before != nullptr) {
            Write(c.name, c.before);
        }
        FileList list = LoadedFrom(c.name);
        if (c.savedBetween) {
            list.Add("saved@x");
            list.Save();
        } else if (c.after != nullptr) {
            Write(c.name, c.after);
        } else {
            std::filesystem::remove(PathOf(c.name));
        }
        list.Add("unsaved@x");
        list.CatchUp();
        EXPECT_EQ(list.Items(), c.expected) << c.name;
    }
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(FileListTest, ASaveAfterCatchingUpKeepsTheOtherProgramsEntries) {
    Write("list", "a@x\r\n");
    FileList list = LoadedFrom("list");
    Write("list", "a@x\r\nother@x\r\n");
    list.CatchUp();
    list.Add("mine@x");
    list.Save();
    EXPECT_EQ(Read("list"), "a@x\r\nmine@x\r\nother@x\r\n");
}

TEST_F(FileListTest, CatchUpAfterAFailedLoadLoadsAgainAndEndsTheRefusal) {
    MakeUnreadable("list");
    FileList list;
    list.FileLocation(PathOf("list"));
    list.Load();
    // Still unreadable: the caller hears of it before it saves.
    EXPECT_NE(RaisedBy([&] { list.CatchUp(); }).Number(), 0);
    ReleaseUnreadable();
    Write("list", "b\r\n");
    list.CatchUp();
    EXPECT_EQ(list.Items(), Entries{"b"});
    list.Add("c");
    list.Save();
    EXPECT_EQ(Read("list"), "b\r\nc\r\n");
    EXPECT_EQ(boxes_.size(), 1u);
}

#ifdef _WIN32
// A reader that opened the file without letting it be replaced (as the
// daemon may) holds a save off only until it closes the file.
TEST_F(FileListTest, ASaveWaitsBrieflyForAReaderThatHoldsTheFile) {
    Write("list", "a@x\r\n");
    FileList list = LoadedFrom("list");
    HANDLE reader = CreateFileA(PathOf("list").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    std::thread closer([reader] {
        Sleep(300);
        CloseHandle(reader);
    });
    list.Add("b@x");
    EXPECT_NO_THROW(list.Save());
    closer.join();
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\n");
    EXPECT_EQ(TemporaryFiles(), Entries{});
}

TEST_F(FileListTest, AHiddenSystemFileIsLoadedAndSavedInPlace) {
    Write("list", "b@x\r\na@x\r\n");
    ASSERT_TRUE(SetFileAttributesA(PathOf("list").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    FileList list = LoadedFrom("list");
    EXPECT_EQ(list.Items(), (Entries{"a@x", "b@x"}));
    list.Add("c@x");
    list.Save();
    EXPECT_EQ(Read("list"), "a@x\r\nb@x\r\nc@x\r\n");
    EXPECT_TRUE(boxes_.empty());
}
#endif

}  // namespace
