#include "SortedList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ListTestFixture.h"
#include "LongestNumber.h"

namespace {

const std::int32_t kKeyInvalid = static_cast<std::int32_t>(0x80040001u);
const std::int32_t kSortModeFailure = static_cast<std::int32_t>(0x80040003u);
const char kKeyInvalidText[] = "Key Invalid: Text keys are invalid when SortMode is Numeric";

SortedList ListOf(std::int32_t mode, const std::vector<std::string>& keys) {
    SortedList list;
    list.SortMode(mode);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        list.Add(keys[i], static_cast<std::int32_t>(i));
    }
    return list;
}

std::vector<std::int32_t> IntegerItems(SortedList& list) {
    std::vector<std::int32_t> items;
    for (const Variant& item : list.Items()) {
        items.push_back(item.Integer());
    }
    return items;
}

// Numbers 0..n-1 as keys, in a scrambled order.
std::vector<std::string> ScrambledNumbers(int n) {
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i) {
        keys.push_back(std::to_string((i * 7919) % n));
    }
    return keys;
}

std::vector<std::string> NumbersUpTo(int n) {
    std::vector<std::string> keys;
    for (int i = 0; i < n; ++i) {
        keys.push_back(std::to_string(i));
    }
    return keys;
}

TEST(SortedList, EmptyListAnswersWithoutRecords) {
    for (std::int32_t mode : {SortedList::kNumeric, SortedList::kText}) {
        SortedList list;
        list.SortMode(mode);
        EXPECT_EQ(list.Count(), 0);
        EXPECT_TRUE(list.Items().empty());
        EXPECT_TRUE(list.keys().empty());
        EXPECT_EQ(list.GetTop(), Variant(std::int32_t{0}));
        EXPECT_TRUE(list.item("5").IsEmpty());
        EXPECT_FALSE(list.Exists("5"));
        list.RemoveTop();
        list.Remove("5");
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(list.Capacity(), 0);
    }
}

TEST(SortedList, KeysComeBackInTheOrderOfTheMode) {
    struct Case {
        std::int32_t mode;
        std::vector<std::string> added;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {SortedList::kText, {"b", "A", "c"}, {"A", "b", "c"}},
        {SortedList::kText, {"10", "9", "100"}, {"10", "100", "9"}},
        {SortedList::kText, {"\xC9x", "\xE9w"}, {"\xE9w", "\xC9x"}},
        {SortedList::kNumeric, {"10", "9", "100"}, {"9", "10", "100"}},
        {SortedList::kNumeric, {"1e1", " 2 ", "-1.5", "0"}, {"-1.5", "0", " 2 ", "1e1"}},
    };
    for (const Case& c : cases) {
        SortedList list = ListOf(c.mode, c.added);
        EXPECT_EQ(list.keys(), c.expected) << c.added.front();
        EXPECT_EQ(list.Count(), static_cast<std::int32_t>(c.expected.size()));
    }
}

TEST(SortedList, LongAndShortListsSortAlike) {
    for (int n : {15, 16, 30, 1000}) {
        SortedList list = ListOf(SortedList::kNumeric, ScrambledNumbers(n));
        EXPECT_EQ(list.keys(), NumbersUpTo(n)) << n;
    }
}

TEST(SortedList, ItemsFollowTheirKeys) {
    SortedList list = ListOf(SortedList::kText, {"c", "a", "b"});
    EXPECT_EQ(IntegerItems(list), (std::vector<std::int32_t>{1, 2, 0}));
    EXPECT_EQ(list.item("B"), Variant(std::int32_t{2}));
    list.SetItem("C", Variant("changed"));
    EXPECT_EQ(list.item("c"), Variant("changed"));
    list.SetItem("absent", Variant("x"));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_FALSE(list.Exists("absent"));
}

TEST(SortedList, TextModeIgnoresLetterCase) {
    SortedList list = ListOf(SortedList::kText, {"b", "A"});
    EXPECT_TRUE(list.Exists("B"));
    EXPECT_TRUE(list.Exists("a"));
    EXPECT_FALSE(list.Exists("c"));
    list.Remove("B");
    EXPECT_EQ(list.keys(), std::vector<std::string>{"A"});
}

TEST(SortedList, NumericModeRefusesKeysThatAreNoNumbers) {
    const std::string refused[] = {"abc", "", "  ", "12abc", "1,5", "inf", "nan", std::string("12\0x", 4)};
    for (const std::string& key : refused) {
        SortedList list = ListOf(SortedList::kNumeric, {"7"});
        ObjectError added = RaisedBy([&] { list.Add(key, std::int32_t{1}); });
        EXPECT_EQ(added.Number(), kKeyInvalid) << key;
        EXPECT_EQ(added.Description(), kKeyInvalidText);
        ObjectError looked = RaisedBy([&] { list.Exists(key); });
        EXPECT_EQ(looked.Number(), kKeyInvalid) << key;
        EXPECT_EQ(looked.Description(), kKeyInvalidText);
        EXPECT_EQ(list.Count(), 1) << key;
        EXPECT_EQ(list.keys(), std::vector<std::string>{"7"});
    }
}

TEST(SortedList, NumericModeRefusesAKeyTooLongToBeANumber) {
    SortedList list = ListOf(SortedList::kNumeric, {"7"});
    const std::string longest = std::string(kLongestNumber - 1, '0') + "8";
    list.Add("  " + longest + "  ", std::int32_t{1});
    EXPECT_EQ(list.keys(), (std::vector<std::string>{"7", "  " + longest + "  "}));
    const std::string megabyte = std::string(1 << 20, '0') + "9";
    EXPECT_EQ(RaisedBy([&] { list.Add(megabyte, std::int32_t{2}); }).Number(), kKeyInvalid);
    EXPECT_EQ(RaisedBy([&] { list.Exists(megabyte); }).Number(), kKeyInvalid);
    EXPECT_EQ(list.Count(), 2);
}

TEST(SortedList, NumericLookupsOfWordsFindNothing) {
    SortedList list = ListOf(SortedList::kNumeric, {"7"});
    EXPECT_TRUE(list.item("abc").IsEmpty());
    list.Remove("abc");
    list.SetItem("abc", Variant("x"));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.item("7"), Variant(std::int32_t{0}));
}

TEST(SortedList, SortModeChangesOnlyWhileEmpty) {
    SortedList list = ListOf(SortedList::kNumeric, {"7"});
    ObjectError error = RaisedBy([&] { list.SortMode(SortedList::kText); });
    EXPECT_EQ(error.Number(), kSortModeFailure);
    EXPECT_EQ(error.Description(), "SortMode Failure: You cannot change the SortMode unless the list is empty.");
    EXPECT_EQ(list.SortMode(), SortedList::kNumeric);
    EXPECT_EQ(list.Count(), 1);

    list.Clear();
    list.SortMode(SortedList::kText);
    EXPECT_EQ(list.SortMode(), SortedList::kText);
    list.Add("word", std::int32_t{1});
    EXPECT_TRUE(list.Exists("WORD"));
}

TEST(SortedList, ModeChangeAfterRemovingEverythingForgetsTheOldRecords) {
    SortedList list = ListOf(SortedList::kText, {"b", "a"});
    list.Remove("a");
    list.Remove("b");
    list.SortMode(SortedList::kNumeric);
    list.Add("5", std::int32_t{9});
    EXPECT_EQ(list.keys(), std::vector<std::string>{"5"});
    EXPECT_EQ(list.item("5"), Variant(std::int32_t{9}));
    EXPECT_EQ(list.Used(), 1);
}

TEST(SortedList, ClearKeepsTheMode) {
    SortedList list = ListOf(SortedList::kText, {"b", "a"});
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Used(), 0);
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.SortMode(), SortedList::kText);
    EXPECT_TRUE(list.keys().empty());
}

TEST(SortedList, CapacityGrowsByATenthAndAtLeastTen) {
    SortedList list;
    std::vector<std::int32_t> capacities;
    for (int i = 0; i < 250; ++i) {
        list.Add(std::to_string(i), std::int32_t{0});
        if (capacities.empty() || capacities.back() != list.Capacity()) {
            capacities.push_back(list.Capacity());
        }
        if (i == 9) {
            EXPECT_EQ(list.Capacity(), 10);
        }
    }
    // 195 / 10 and 215 / 10 are exact halves: they go to the even neighbour.
    const std::vector<std::int32_t> expected{10,  20,  30,  40,  50,  60,  70,  80,  90,  100,
                                             110, 121, 133, 146, 161, 177, 195, 215, 237, 261};
    EXPECT_EQ(capacities, expected);
}

TEST(SortedList, AListOf200LiveRecordsGrowsBy20) {
    SortedList list = ListOf(SortedList::kNumeric, NumbersUpTo(215));
    ASSERT_EQ(list.Capacity(), 215);
    for (int i = 0; i < 15; ++i) {
        list.Remove(std::to_string(i * 10));
    }
    ASSERT_EQ(list.Count(), 200);
    list.Add("1000", std::int32_t{0});
    EXPECT_EQ(list.Capacity(), 235);
}

TEST(SortedList, RemovalMarksAndALookupCompacts) {
    SortedList list = ListOf(SortedList::kNumeric, NumbersUpTo(100));
    ASSERT_EQ(list.Capacity(), 100);
    for (int i = 0; i < 20; ++i) {
        list.Remove(std::to_string(i * 5));
    }
    EXPECT_EQ(list.Count(), 80);
    EXPECT_EQ(list.Used(), 100);
    EXPECT_EQ(list.keys().size(), 80u);

    // Meeting a deleted record squeezes the list; 80 live records are not yet
    // below the threshold of 80 set when it grew to 100, so it keeps its size.
    EXPECT_FALSE(list.Exists("5"));
    EXPECT_EQ(list.Used(), 80);
    EXPECT_EQ(list.Capacity(), 100);

    list.Remove("1");
    EXPECT_FALSE(list.Exists("1"));
    EXPECT_EQ(list.Used(), 79);
    EXPECT_EQ(list.Capacity(), 89);

    std::vector<std::string> expected;
    for (int i = 0; i < 100; ++i) {
        if (i % 5 != 0 && i != 1) {
            expected.push_back(std::to_string(i));
        }
    }
    EXPECT_EQ(list.keys(), expected);
    EXPECT_EQ(list.Count(), 79);
}

TEST(SortedList, RemovingAnAbsentKeyChangesNothing) {
    SortedList list = ListOf(SortedList::kText, {"a", "b"});
    list.Remove("c");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.keys(), (std::vector<std::string>{"a", "b"}));
}

TEST(SortedList, RemoveReleasesAnObjectItem) {
    auto object = std::make_shared<int>(5);
    SortedList list;
    list.SortMode(SortedList::kText);
    list.Add("o", Variant(Variant::Object(object)));
    list.Add("p", Variant(Variant::Object(object)));
    EXPECT_EQ(object.use_count(), 3);
    EXPECT_EQ(list.item("o").ObjectRef(), object);
    list.Remove("o");
    EXPECT_EQ(object.use_count(), 2);
    list.Clear();
    EXPECT_EQ(object.use_count(), 1);
}

TEST(SortedList, TopIsTheSmallestLiveRecord) {
    SortedList list = ListOf(SortedList::kNumeric, ScrambledNumbers(25));
    list.Remove("0");
    std::vector<std::string> removed;
    for (int i = 1; i < 25; ++i) {
        const std::vector<std::string> keys = list.keys();
        EXPECT_EQ(list.GetTop(), list.item(keys.front()));
        EXPECT_EQ(list.Count(), 25 - i);
        removed.push_back(keys.front());
        list.RemoveTop();
    }
    std::vector<std::string> expected = NumbersUpTo(25);
    expected.erase(expected.begin());
    EXPECT_EQ(removed, expected);

    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.GetTop(), Variant(std::int32_t{0}));
    list.RemoveTop();
    list.RemoveTop();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.Items().empty());
}

TEST(SortedList, EqualKeysKeepTheirInsertionOrder) {
    SortedList list;
    list.SortMode(SortedList::kText);
    list.Add("k", std::int32_t{1});
    list.Add("m", std::int32_t{9});
    list.Add("K", std::int32_t{2});
    list.Add("k", std::int32_t{3});
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.keys(), (std::vector<std::string>{"k", "K", "k", "m"}));
    EXPECT_EQ(IntegerItems(list), (std::vector<std::int32_t>{1, 2, 3, 9}));
    EXPECT_EQ(list.item("K"), Variant(std::int32_t{1}));

    list.SetItem("k", std::int32_t{10});
    EXPECT_EQ(IntegerItems(list), (std::vector<std::int32_t>{10, 2, 3, 9}));
    list.Remove("k");
    EXPECT_EQ(list.item("k"), Variant(std::int32_t{2}));
    list.RemoveTop();
    EXPECT_EQ(list.GetTop(), Variant(std::int32_t{3}));
}

TEST(SortedList, ManyEqualKeysAddedTogetherKeepTheirOrder) {
    // Short runs of appends are sorted in place, long ones with a buffer.
    for (std::int32_t n : {33, 34, 300}) {
        SortedList list;
        list.SortMode(SortedList::kText);
        const char* keys[] = {"y", "x", "X"};
        std::vector<std::int32_t> expectedX;
        std::vector<std::int32_t> expectedY;
        for (std::int32_t i = 0; i < n; ++i) {
            list.Add(keys[i % 3], i);
            (i % 3 == 0 ? expectedY : expectedX).push_back(i);
        }
        std::vector<std::int32_t> expected = expectedX;
        expected.insert(expected.end(), expectedY.begin(), expectedY.end());
        EXPECT_EQ(IntegerItems(list), expected) << n;
    }
}

TEST(SortedList, AnEqualKeyAddedAfterASortComesAfterTheSortedOne) {
    SortedList list;
    for (const std::string& key : ScrambledNumbers(500)) {
        list.Add(key, std::stoi(key));
    }
    ASSERT_TRUE(list.Exists("250"));
    list.Add("250", std::int32_t{-1});
    EXPECT_EQ(list.item("250"), Variant(std::int32_t{250}));
    // Reading in order merges the new record in, behind the older one.
    const std::vector<std::int32_t> items = IntegerItems(list);
    EXPECT_EQ(items[250], 250);
    EXPECT_EQ(items[251], -1);
    EXPECT_EQ(list.item("250"), Variant(std::int32_t{250}));
    list.Remove("250");
    EXPECT_EQ(list.item("250"), Variant(std::int32_t{-1}));
    EXPECT_EQ(list.Count(), 500);
    EXPECT_EQ(list.keys(), NumbersUpTo(500));
}

TEST(SortedList, LookupsFindRecordsInTheSortedPartAndInTheNewTail) {
    SortedList list;
    for (int i = 0; i < 2000; i += 2) {
        list.Add(std::to_string(i), i);
    }
    ASSERT_TRUE(list.Exists("1000"));

    // A few appends stay unsorted for a while; lookups must see them.
    for (int i : {1999, 1, 777}) {
        list.Add(std::to_string(i), i);
    }
    EXPECT_TRUE(list.Exists("1"));
    EXPECT_EQ(list.item("777"), Variant(std::int32_t{777}));
    EXPECT_TRUE(list.Exists("1998"));
    EXPECT_FALSE(list.Exists("3"));
    list.Remove("1999");
    EXPECT_FALSE(list.Exists("1999"));
    EXPECT_EQ(list.Count(), 1002);

    // A deleted record in the sorted part, the live one of the same key new.
    list.Remove("10");
    list.Add("10", std::int32_t{-10});
    EXPECT_EQ(list.item("10"), Variant(std::int32_t{-10}));

    // Enough appends to be merged in at the next lookup.
    for (int i = 3; i < 400; i += 2) {
        if (i != 777) {
            list.Add(std::to_string(i), i);
        }
    }
    EXPECT_TRUE(list.Exists("399"));
    EXPECT_EQ(list.item("10"), Variant(std::int32_t{-10}));
    const std::vector<std::string> keys = list.keys();
    EXPECT_EQ(keys.size(), static_cast<std::size_t>(list.Count()));
    EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end(),
                               [](const std::string& a, const std::string& b) { return std::stod(a) < std::stod(b); }));
    EXPECT_EQ(keys.front(), "0");
    EXPECT_EQ(keys[1], "1");
    EXPECT_EQ(keys.back(), "1998");
}

}  // namespace
