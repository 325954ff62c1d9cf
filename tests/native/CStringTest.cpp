#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "CString.h"
#include "ConfFixture.h"
#include "MemoryStatus.h"
#include "ObjectError.h"
#include "ScanState.h"

namespace {

constexpr std::int32_t kIndexOutOfBounds = static_cast<std::int32_t>(0x80040200u);

CString Of(const std::string& text) {
    CString s;
    s.append(text);
    return s;
}

// Every byte value, repeated up to the given size.
std::string AllBytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>(i % 256);
    }
    return bytes;
}

std::vector<std::uint8_t> AsBytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// ---------------------------------------------------------------- growth

TEST(CStringGrowth, NewObjectIsEmptyWithDefaultCapacity) {
    const CString s;
    EXPECT_EQ(s.length(), 0);
    EXPECT_EQ(s.getCapacity(), 4096);
    EXPECT_EQ(s.toString(), "");
}

TEST(CStringGrowth, CapacityGrowsByFourUntilAboveTheNewLength) {
    struct Case {
        std::vector<std::size_t> appends;
        std::int32_t capacity;
    };
    const Case cases[] = {
        {{4096}, 4096},        {{4097}, 16384}, {{4096, 1}, 16384}, {{16383}, 16384},       {{16384}, 65536},
        {{3000, 2000}, 16384}, {{0}, 4096},     {{70000}, 262144},  {{4096, 12288}, 65536},
    };
    for (const Case& c : cases) {
        CString s;
        std::string expected;
        for (std::size_t n : c.appends) {
            const std::string piece(n, static_cast<char>('a' + expected.size() % 26));
            s.append(piece);
            expected += piece;
        }
        EXPECT_EQ(s.getCapacity(), c.capacity) << "after " << expected.size() << " characters";
        EXPECT_EQ(s.length(), static_cast<std::int32_t>(expected.size()));
        EXPECT_EQ(s.toString(), expected);
    }
}

TEST(CStringGrowth, SetCapacityOnlyRaisesAndGrowthStartsFromIt) {
    CString s;
    s.setCapacity(100);
    EXPECT_EQ(s.getCapacity(), 4096);
    s.setCapacity(-1);
    EXPECT_EQ(s.getCapacity(), 4096);
    s.append("keep");
    s.setCapacity(5000);
    EXPECT_EQ(s.getCapacity(), 5000);
    EXPECT_EQ(s.toString(), "keep");
    s.append(std::string(4997, 'x'));
    EXPECT_EQ(s.getCapacity(), 20000);
    EXPECT_EQ(s.length(), 5001);
}

TEST(CStringGrowth, ClearEmptiesAndRestoresDefaultCapacity) {
    CString s;
    s.append(std::string(20000, 'x'));
    ASSERT_EQ(s.getCapacity(), 65536);
    s.Clear();
    EXPECT_EQ(s.length(), 0);
    EXPECT_EQ(s.getCapacity(), 4096);
    s.append("ab");
    EXPECT_EQ(s.toString(), "ab");
}

TEST(CStringGrowth, BinaryBytesAreKept) {
    const std::string bytes = AllBytes(600) + std::string("\0\0tail\0", 7);
    const CString s = Of(bytes);
    EXPECT_EQ(s.length(), static_cast<std::int32_t>(bytes.size()));
    EXPECT_EQ(s.toString(), bytes);
    EXPECT_EQ(s.toCharArray(), AsBytes(bytes));
}

// ---------------------------------------------------------- new objects

TEST(CStringNewObjects, ReplaceWorksLeftToRightWithoutOverlap) {
    struct Case {
        const char* content;
        const char* oldChar;
        const char* newChar;
        const char* result;
    };
    const Case cases[] = {
        {"a.b.c", ".", "--", "a--b--c"}, {"aaaa", "aa", "b", "bb"}, {"aaa", "aa", "b", "ba"},
        {"ab", "a", "aa", "aab"},        {"abc", "x", "y", "abc"},  {"abc", "", "y", "abc"},
        {"abcabc", "abc", "", ""},       {"", "a", "b", ""},        {"Aa", "a", "b", "Ab"},
    };
    for (const Case& c : cases) {
        const CString original = Of(c.content);
        EXPECT_EQ(original.replace(c.oldChar, c.newChar).toString(), c.result)
            << c.content << " / " << c.oldChar << " / " << c.newChar;
        EXPECT_EQ(original.toString(), c.content);
    }
}

TEST(CStringNewObjects, CaseTrimAndSubStringLeaveTheOriginal) {
    const CString s = Of("  Abc \xC0\xE9\x8A\xFF\xDF\t ");
    EXPECT_EQ(s.toLowerCase().toString(), "  abc \xE0\xE9\x9A\xFF\xDF\t ");
    EXPECT_EQ(s.toUpperCase().toString(), "  ABC \xC0\xC9\x8A\x9F\xDF\t ");
    EXPECT_EQ(s.trim().toString(), "Abc \xC0\xE9\x8A\xFF\xDF\t");
    EXPECT_EQ(s.subString(3, 5).toString(), "Abc");
    EXPECT_EQ(s.subString(7).toString(), "\xC0\xE9\x8A\xFF\xDF\t ");
    EXPECT_EQ(s.toString(), "  Abc \xC0\xE9\x8A\xFF\xDF\t ");
    EXPECT_EQ(Of("    ").trim().toString(), "");
}

TEST(CStringNewObjects, ValueOfWritesTheNumbersText) {
    struct Case {
        CString value;
        const char* text;
    };
    const Case cases[] = {
        {CString::valueOfBool(true), "True"},
        {CString::valueOfBool(false), "False"},
        {CString::valueOfLong(INT32_MIN), "-2147483648"},
        {CString::valueOfLong(0), "0"},
        {CString::valueOfInt(-32768), "-32768"},
        {CString::valueOfInt(32767), "32767"},
        {CString::valueOfDouble(0.5), "0.5"},
        {CString::valueOfDouble(-2.25), "-2.25"},
        {CString::valueOfDouble(1.0 / 3), "0.333333333333333"},
        {CString::valueOfDouble(123456789012345.0), "123456789012345"},
        {CString::valueOfDouble(1e20), "1E+20"},
        {CString::valueOfDouble(0.00001), "1E-05"},
        {CString::valueOfDouble(0), "0"},
        {CString::valueOfSingle(0.1f), "0.1"},
        {CString::valueOfSingle(1.0f / 3), "0.3333333"},
        {CString::valueOfSingle(3.4028235e38f), "3.402823E+38"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.toString(), c.text);
    }
}

// ------------------------------------------------------------ extraction

TEST(CStringExtraction, CharAtIsEmptyOutsideTheContent) {
    const CString s = Of("abc");
    const std::pair<std::int32_t, const char*> cases[] = {
        {1, "a"}, {3, "c"}, {0, ""}, {4, ""}, {-5, ""}, {INT32_MAX, ""}, {INT32_MIN, ""},
    };
    for (const auto& [index, text] : cases) {
        EXPECT_EQ(s.charAt(index), text) << index;
    }
    EXPECT_EQ(CString().charAt(1), "");
}

TEST(CStringExtraction, SubStringVBCutsAtTheEndAndNeverReadsOutside) {
    const CString s = Of("abcdef");
    struct Case {
        std::int32_t begin;
        std::optional<std::int32_t> end;
        const char* text;
    };
    const Case cases[] = {
        {3, std::nullopt, "cdef"},
        {3, 4, "cd"},
        {4, 3, ""},
        {0, 3, ""},
        {1, 100, "abcdef"},
        {6, 6, "f"},
        {7, std::nullopt, ""},
        {7, 9, ""},
        {-1, 2, ""},
        {2, INT32_MAX, "bcdef"},
        {INT32_MAX, INT32_MAX, ""},
        {INT32_MIN, INT32_MAX, ""},
        {1, INT32_MIN, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s.subStringVB(c.begin, c.end), c.text) << c.begin << ".." << c.end.value_or(-99);
        EXPECT_EQ(s.subString(c.begin, c.end).toString(), c.text);
    }
}

TEST(CStringExtraction, SearchesGiveOneBasedPositionsOrMinusOne) {
    const CString s = Of("abcabc");
    struct Case {
        std::string what;
        std::int32_t first;
        std::int32_t last;
    };
    const Case cases[] = {
        {"x", -1, -1}, {"b", 2, 5}, {"abc", 1, 4}, {"cabc", 3, 3}, {"abcabcd", -1, -1}, {"", 1, 7},
    };
    for (const Case& c : cases) {
        const CString what = Of(c.what);
        EXPECT_EQ(s.indexOfVB(c.what), c.first) << c.what;
        EXPECT_EQ(s.lastIndexOfVB(c.what), c.last) << c.what;
        EXPECT_EQ(s.indexOf(&what), c.first) << c.what;
        EXPECT_EQ(s.lastIndexOf(&what), c.last) << c.what;
    }
    EXPECT_EQ(s.indexOf(nullptr), -1);
    EXPECT_EQ(s.lastIndexOf(nullptr), -1);
    EXPECT_EQ(Of(std::string("a\0b\0", 4)).lastIndexOfVB(std::string_view("\0", 1)), 4);
}

TEST(CStringExtraction, HashCodeSumsWithoutWrapping) {
    struct Case {
        std::string content;
        double hash;
    };
    const Case cases[] = {
        {"", 0},
        {"a", 97},
        {"ab", 97 * 31 + 98},
        {"hello", 99162322},
        {"\xFF", 255},
        // 122 x (31^7 - 1) / 30: beyond 32 bits, so a wrapping sum would differ.
        {"zzzzzzz", 111884630714.0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Of(c.content).hashCode(), c.hash) << c.content;
    }
}

// ------------------------------------------------------------- comparison

TEST(CStringComparison, EqualityExactAndIgnoringCase) {
    struct Case {
        const char* a;
        const char* b;
        bool equal;
        bool equalIgnoringCase;
    };
    const Case cases[] = {
        {"abc", "abc", true, true},    {"abc", "ABC", false, true},  {"abc", "abd", false, false},
        {"abc", "ab", false, false},   {"", "", true, true},         {"\xC0\x8A", "\xE0\x9A", false, true},
        {"\x9F", "\xFF", false, true}, {"\xDF", "SS", false, false},
    };
    for (const Case& c : cases) {
        const CString a = Of(c.a);
        const CString b = Of(c.b);
        EXPECT_EQ(a.equals(&b), c.equal) << c.a << " " << c.b;
        EXPECT_EQ(a.equalsVB(c.b), c.equal) << c.a << " " << c.b;
        EXPECT_EQ(a.equalsIgnoreCase(&b), c.equalIgnoringCase) << c.a << " " << c.b;
        EXPECT_EQ(a.equalsIgnoreCaseVB(c.b), c.equalIgnoringCase) << c.a << " " << c.b;
    }
    const CString s = Of("abc");
    EXPECT_FALSE(s.equals(nullptr));
    EXPECT_FALSE(s.equalsIgnoreCase(nullptr));
}

TEST(CStringComparison, CompareToInCharacterCodeOrder) {
    struct Case {
        const char* a;
        const char* b;
        std::int32_t exact;
        std::int32_t ignoringCase;
    };
    const Case cases[] = {
        {"a", "b", -1, -1}, {"b", "a", 1, 1},  {"a", "a", 0, 0},    {"a", "ab", -1, -1}, {"ab", "a", 1, 1},
        {"B", "a", -1, 1},  {"A", "a", -1, 0}, {"\x80", "a", 1, 1}, {"", "", 0, 0},      {"\xC9", "\xE9", -1, 0},
    };
    for (const Case& c : cases) {
        const CString a = Of(c.a);
        const CString b = Of(c.b);
        EXPECT_EQ(a.compareTo(&b), c.exact) << c.a << " " << c.b;
        EXPECT_EQ(a.compareToIgnoreCase(&b), c.ignoringCase) << c.a << " " << c.b;
    }
    EXPECT_EQ(Of("a").compareTo(nullptr), -1);
    EXPECT_EQ(Of("a").compareToIgnoreCase(nullptr), -1);
}

TEST(CStringComparison, StartsAndEndsWith) {
    const CString s = Of("abcdef");
    struct Case {
        const char* piece;
        bool starts;
        bool ends;
    };
    const Case cases[] = {
        {"", true, true},      {"abc", true, false},      {"def", false, true},      {"abcdef", true, true},
        {"ABC", false, false}, {"abcdefg", false, false}, {"zabcdef", false, false},
    };
    for (const Case& c : cases) {
        const CString piece = Of(c.piece);
        EXPECT_EQ(s.startsWithVB(c.piece), c.starts) << c.piece;
        EXPECT_EQ(s.startsWith(&piece), c.starts) << c.piece;
        EXPECT_EQ(s.endsWithVB(c.piece), c.ends) << c.piece;
        EXPECT_EQ(s.endsWith(&piece), c.ends) << c.piece;
    }
    EXPECT_FALSE(s.startsWith(nullptr));
    EXPECT_FALSE(s.endsWith(nullptr));
}

TEST(CStringComparison, RegionMatchesComparesTheRegions) {
    const CString s = Of("Hello World");
    const CString other = Of("say hello world");
    struct Case {
        bool ignoreCase;
        std::int32_t toffset;
        std::int32_t ooffset;
        std::int32_t length;
        bool match;
    };
    const Case cases[] = {
        {false, 1, 5, 11, false}, {true, 1, 5, 11, true}, {false, 2, 6, 4, true},   {false, 7, 11, 5, false},
        {true, 7, 11, 5, true},   {false, 3, 1, 0, true}, {false, 11, 15, 1, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(s.regionMatches(c.ignoreCase, c.toffset, &other, c.ooffset, c.length), c.match)
            << c.toffset << " " << c.ooffset << " " << c.length;
    }
    const CString same = Of("Hello World");
    EXPECT_TRUE(s.regionMatches(false, 1, &same, 1, s.length()));
}

TEST(CStringComparison, RegionMatchesRaisesForNothingAndForRegionsOutside) {
    const CString s = Of("abcdef");
    const CString other = Of("abc");
    struct Case {
        const CString* other;
        std::int32_t toffset;
        std::int32_t ooffset;
        std::int32_t length;
        const char* description;
    };
    const Case cases[] = {
        {nullptr, 0, 0, 1, "NullPointer Exeption"},
        {&other, 0, 1, 1, "Index out of bounds"},
        {&other, 1, 0, 1, "Index out of bounds"},
        {&other, 6, 1, 2, "Index out of bounds"},
        {&other, 1, 2, 3, "Index out of bounds"},
        {&other, 1, 1, -1, "Index out of bounds"},
        {&other, INT32_MAX, 1, INT32_MAX, "Index out of bounds"},
        {&other, 2, INT32_MAX, 2, "Index out of bounds"},
    };
    for (const Case& c : cases) {
        try {
            s.regionMatches(false, c.toffset, c.other, c.ooffset, c.length);
            ADD_FAILURE() << "no error for " << c.toffset << " " << c.ooffset << " " << c.length;
        } catch (const ObjectError& error) {
            EXPECT_EQ(error.Number(), kIndexOutOfBounds);
            EXPECT_EQ(error.Source(), "CString::regionMatches()");
            EXPECT_EQ(error.Description(), c.description);
        }
    }
}

// ---------------------------------------------------- getBytes and files

// A scratch directory, the log and status lines, and the scanner settings
// and memory figure put back after each test.
class CStringFiles : public ConfFixture {
protected:
    void SetUp() override {
        ConfFixture::SetUp();
        ScanState::SetStatusWriter([this](const std::string& text) { status_.push_back(text); });
    }
    void TearDown() override {
        ScanState::SetStatusWriter({});
        ScanState::gDebugLevel = 0;
        ScanState::gScanLimit = 0;
        MemoryStatus::SetProbe({});
        ConfFixture::TearDown();
    }
    // A file of the given size without writing its bytes (sparse).
    std::string SizedFile(const std::string& name, std::uintmax_t size) {
        WriteFile(name, "");
        std::filesystem::resize_file(PathOf(name), size);
        return PathOf(name);
    }
    // The memory figure the load rule sees.
    static void AvailableMemory(std::uint64_t bytes) {
        MemoryStatus::SetProbe([bytes] { return bytes; });
    }

    std::vector<std::string> status_;
};

TEST_F(CStringFiles, GetBytesCopiesInclusiveRangesAndRefusesOthers) {
    const std::string bytes = AllBytes(4096);
    WriteFile("store.dbx", bytes);
    CString s;
    s.loadBinary(PathOf("store.dbx"));
    ASSERT_EQ(s.length(), 4096);

    std::vector<std::uint8_t> dst;
    ASSERT_TRUE(s.getBytes(1, 16, dst));
    EXPECT_EQ(dst, AsBytes(bytes.substr(0, 16)));
    ASSERT_TRUE(s.getBytes(4096, 4096, dst));
    EXPECT_EQ(dst, std::vector<std::uint8_t>{0xFF});
    ASSERT_TRUE(s.getBytes(129, 132, dst));
    EXPECT_EQ(dst, (std::vector<std::uint8_t>{0x80, 0x81, 0x82, 0x83}));
    EXPECT_TRUE(log_.empty());

    const std::pair<std::int32_t, std::int32_t> refused[] = {
        {0, 16}, {-3, 2}, {5, 4}, {1, 4097}, {4097, 4097}, {INT32_MIN, INT32_MAX}, {2, INT32_MAX},
    };
    for (const auto& [begin, end] : refused) {
        log_.clear();
        const std::vector<std::uint8_t> before = {1, 2, 3};
        dst = before;
        EXPECT_FALSE(s.getBytes(begin, end, dst)) << begin << ".." << end;
        EXPECT_EQ(dst, before);
        EXPECT_EQ(log_, std::vector<std::string>{"CString::getBytes Error -2147220992 : Index out of bounds"});
    }
    EXPECT_FALSE(CString().getBytes(1, 1, dst));
}

TEST_F(CStringFiles, LoadReadsTheWholeTextAndClearsOnFailure) {
    const std::string text = "line one\r\nline two\n\xE9t\xE9\r\n";
    WriteFile("text.txt", text);
    CString s = Of("old content");
    s.load(PathOf("text.txt"));
    EXPECT_EQ(s.toString(), text);

    s.load(PathOf("missing.txt"));
    EXPECT_EQ(s.length(), 0);
    EXPECT_EQ(s.getCapacity(), 4096);
    EXPECT_TRUE(log_.empty());
}

TEST_F(CStringFiles, LoadBinaryAndSaveRoundTripEveryByte) {
    const std::string bytes = AllBytes(70000) + std::string("\0\0\r\n\x1A\0", 6);
    WriteFile("in.bin", bytes);
    CString s;
    s.loadBinary(PathOf("in.bin"));
    EXPECT_EQ(s.toString(), bytes);
    EXPECT_EQ(s.getCapacity(), 262144);
    ASSERT_TRUE(s.save(PathOf("out.bin")));
    EXPECT_EQ(ReadFile("out.bin"), bytes);
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(status_.empty());
}

// A loaded file is read in place; a change works on a copy of its own.
TEST_F(CStringFiles, ChangingALoadedFileLeavesTheFileAlone) {
    const std::string bytes = AllBytes(5000);
    WriteFile("in.bin", bytes);
    CString s;
    s.loadBinary(PathOf("in.bin"));
    s.append("more");
    EXPECT_EQ(s.toString(), bytes + "more");
    EXPECT_EQ(s.getCapacity(), 16384);
    EXPECT_EQ(ReadFile("in.bin"), bytes);
    s.Clear();
    EXPECT_EQ(s.length(), 0);
    EXPECT_EQ(ReadFile("in.bin"), bytes);
}

TEST_F(CStringFiles, SaveOverALongerFileLeavesNoStaleTail) {
    WriteFile("out.txt", std::string(10000, 'o'));
    ASSERT_TRUE(Of("short").save(PathOf("out.txt")));
    EXPECT_EQ(ReadFile("out.txt"), "short");
    ASSERT_TRUE(CString().save(PathOf("out.txt")));
    EXPECT_EQ(ReadFile("out.txt"), "");
    EXPECT_FALSE(std::filesystem::exists(PathOf("out.txt.tmp")));
}

TEST_F(CStringFiles, SaveThatCannotWriteReportsFalseAndKeepsWhatWasThere) {
    EXPECT_FALSE(Of("x").save(PathOf("no-such-dir/out.txt")));
    std::filesystem::create_directories(PathOf("taken"));
    WriteFile("taken/keep.txt", "kept");
    EXPECT_FALSE(Of("x").save(PathOf("taken")));
    EXPECT_EQ(ReadFile("taken/keep.txt"), "kept");
    EXPECT_FALSE(std::filesystem::exists(PathOf("taken.tmp")));
}

TEST_F(CStringFiles, LoadBinaryOfAFolderPathLoadsNothingSilently) {
    CString s = Of("old");
    s.loadBinary(Dir() + "\\");
    EXPECT_EQ(s.length(), 0);
    EXPECT_TRUE(log_.empty());
    EXPECT_TRUE(status_.empty());
}

// A missing file is left to the caller to report, as missing; a file that
// cannot be read is an error of the load.
TEST_F(CStringFiles, LoadBinaryOfAMissingFileOrAFolderLeavesItEmpty) {
    struct Case {
        std::string path;
        std::string failure;
        std::vector<std::string> logStarts;
    };
    const Case cases[] = {
        {PathOf("missing.dbx"), PathOf("missing.dbx") + " is missing.", {}},
        {Dir(), "", {"loadBinary() Error 75 : "}},
    };
    for (const Case& c : cases) {
        log_.clear();
        CString s = Of("old");
        s.loadBinary(c.path);
        EXPECT_EQ(s.length(), 0) << c.path;
        EXPECT_EQ(s.loadFailure(), c.failure) << c.path;
        ASSERT_EQ(log_.size(), c.logStarts.size()) << c.path;
        for (std::size_t k = 0; k < log_.size(); ++k) {
            EXPECT_EQ(log_[k].rfind(c.logStarts[k], 0), 0u) << log_[k];
        }
    }
    EXPECT_TRUE(status_.empty());
}

TEST_F(CStringFiles, ScanLimitRefusesLargerStoresWithoutAskingForMemory) {
    ScanState::gScanLimit = 1048576;
    AvailableMemory(0);  // with a limit the memory rule does not apply
    const std::string big = SizedFile("big.dbx", 2000000);
    const std::string fits = SizedFile("fits.dbx", 1048576);

    CString s = Of("old");
    s.loadBinary(big);
    EXPECT_EQ(s.length(), 0);
    EXPECT_EQ(s.loadFailure(), big + " larger than scan limit. (2000000 bytes, limit 1048576 bytes)");
    // The caller reports the refusal, once.
    EXPECT_TRUE(status_.empty());
    EXPECT_TRUE(log_.empty());

    s.loadBinary(fits);
    EXPECT_EQ(s.length(), 1048576);
    EXPECT_EQ(s.loadFailure(), "");
    EXPECT_TRUE(status_.empty());
    EXPECT_TRUE(log_.empty());
}

// The store is mapped, not copied: free memory must hold it and the records
// read from it, a quarter more.
TEST_F(CStringFiles, WithoutScanLimitFreeMemoryMustHoldTheStoreAndAQuarter) {
    const std::uint64_t MiB = 1024 * 1024;
    const std::string store = SizedFile("store.dbx", MiB);
    struct Case {
        std::uint64_t available;
        bool loads;
    };
    // Figures beyond 32 bits must count in full: 4 GiB + 1 MiB is plenty,
    // though its low 32 bits are only 1 MiB.
    const Case cases[] = {
        {MiB + MiB / 4, true},    {MiB + MiB / 4 - 1, false}, {0, false},
        {4096 * MiB + MiB, true}, {3072 * MiB, true},         {64ull * 1024 * MiB, true},
    };
    for (const Case& c : cases) {
        AvailableMemory(c.available);
        CString s;
        s.loadBinary(store);
        EXPECT_EQ(s.length(), c.loads ? 1048576 : 0) << c.available;
        const std::string refusal = "Insufficient physical memory available to scan " + store + " (1048576 bytes, " +
                                    std::to_string(c.available) + " bytes available)";
        EXPECT_EQ(s.loadFailure(), c.loads ? "" : refusal) << c.available;
    }
    EXPECT_TRUE(status_.empty());
    EXPECT_TRUE(log_.empty());
}

TEST_F(CStringFiles, PlatformReportsSomeFreeMemory) {
    EXPECT_GT(MemoryStatus::AvailablePhysical(), 0u);
}

// Stores grow to 2 GiB; a content length is 32-bit, so one byte short of
// that is the largest that loads. Sparse files: no disk space is taken.
TEST_F(CStringFiles, StoresUpTo2GiBLoadWholeAndLargerOnesAreRefused) {
    ScanState::gScanLimit = std::int64_t{1} << 40;
    struct Case {
        std::uint64_t size;
        bool loads;
    };
    const Case cases[] = {{1u << 30, true}, {(1u << 31) - 1, true}, {1u << 31, false}};
    for (const Case& c : cases) {
        const std::string store = SizedFile("huge.dbx", c.size);
        CString s = Of("old");
        s.loadBinary(store);
        if (c.loads) {
            EXPECT_EQ(static_cast<std::uint64_t>(s.length()), c.size);
            EXPECT_GE(static_cast<std::uint64_t>(s.getCapacity()), c.size);
            EXPECT_EQ(s.charAt(s.length()), std::string(1, '\0'));
            EXPECT_EQ(s.loadFailure(), "");
        } else {
            EXPECT_EQ(s.length(), 0);
            EXPECT_EQ(s.loadFailure(), store +
                                           " larger than the largest store that can be scanned. (2147483648 bytes, "
                                           "at most 2147483647 bytes)");
        }
    }
    EXPECT_TRUE(log_.empty());
}

TEST_F(CStringFiles, DetailLevelLogsEachStepOfALoad) {
    WriteFile("store.dbx", AllBytes(4096));
    ScanState::gScanLimit = 10000;
    ScanState::gDebugLevel = 7;
    CString s;
    s.loadBinary(PathOf("store.dbx"));
    s.append("x");
    EXPECT_TRUE(log_.empty());

    ScanState::gDebugLevel = 8;
    s.loadBinary(PathOf("store.dbx"));
    s.append("x");
    EXPECT_EQ(log_, (std::vector<std::string>{"filesize = 4096", "CString::append", "Get file_handle",
                                              "End of loadBinary.  No Exceptions", "CString::append"}));
    EXPECT_EQ(s.length(), 4097);
}

}  // namespace
