#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CharsetTree.h"

namespace {

int IndexOf(const std::string& key) {
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        if (key == CharsetTree::kNodes[i].key) {
            return i;
        }
    }
    ADD_FAILURE() << "no node " << key;
    return 0;
}

std::vector<std::string> CheckedKeys(const CharsetTree& tree) {
    std::vector<std::string> keys;
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        if (tree.Checked(i)) {
            keys.push_back(CharsetTree::kNodes[i].key);
        }
    }
    return keys;
}

CharsetTree Loaded(const std::set<std::string>& list) {
    CharsetTree tree;
    tree.Load([&list](const std::string& charset) { return list.count(charset) > 0; });
    return tree;
}

TEST(CharsetTree, HoldsSixGroupsAndTheirCharsetsInTreeOrder) {
    std::vector<std::string> texts;
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        texts.push_back(CharsetTree::Text(i));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Chinese Simplified",
                                               "Chinese Traditional",
                                               "Cyrillic",
                                               "Japanese",
                                               "Korean",
                                               "Thai",
                                               "cp-936",
                                               "euc-cn",
                                               "gb2312",
                                               "hz-gb-2312",
                                               "x-mac-chinesesimp",
                                               "big5",
                                               "cp-932",
                                               "cp-950",
                                               "euc-tw",
                                               "x-mac-chinesetrad",
                                               "koi8-r",
                                               "koi8",
                                               "euc-jp",
                                               "iso-2022-jp",
                                               "shift_jis",
                                               "x-mac-japanese",
                                               "euc-kr",
                                               "iso-2022-kr",
                                               "ks_c_5601-1987",
                                               "x-mac-korean",
                                               "tis-620"}));
    EXPECT_EQ(CharsetTree::kNodes[IndexOf("koi8")].group, IndexOf("Cyrillic_Group"));
    EXPECT_EQ(CharsetTree::kNodes[IndexOf("tis-620")].group, IndexOf("Thai_Group"));
}

TEST(CharsetTree, UserChecksPropagateBetweenGroupAndCharsets) {
    struct Step {
        const char* node;
        bool checked;
    };
    struct Case {
        const char* what;
        std::vector<Step> steps;
        std::vector<std::string> checked;
    };
    const Case cases[] = {
        {"a group checks its charsets",
         {{"ChineseTraditional_Group", true}},
         {"ChineseTraditional_Group", "big5", "cp-932", "cp-950", "euc-tw", "x-mac-chinesetrad"}},
        {"unchecking one charset unchecks the group only",
         {{"ChineseSimplified_Group", true}, {"gb2312", false}},
         {"cp-936", "euc-cn", "hz-gb-2312", "x-mac-chinesesimp"}},
        {"the last charset checks its group", {{"koi8-r", true}, {"koi8", true}}, {"Cyrillic_Group", "koi8-r", "koi8"}},
        {"one charset alone leaves the group", {{"euc-kr", true}}, {"euc-kr"}},
        {"a group's only charset", {{"tis-620", true}}, {"Thai_Group", "tis-620"}},
        {"unchecking a group clears its charsets, not the others",
         {{"Japanese_Group", true}, {"Thai_Group", true}, {"Japanese_Group", false}},
         {"Thai_Group", "tis-620"}},
    };
    for (const Case& c : cases) {
        CharsetTree tree;
        for (const Step& step : c.steps) {
            tree.NodeCheck(IndexOf(step.node), step.checked);
        }
        EXPECT_EQ(CheckedKeys(tree), c.checked) << c.what;
    }
}

TEST(CharsetTree, LoadSetsGroupsFromAllOfTheirCharsets) {
    struct Case {
        std::set<std::string> list;
        std::vector<std::string> checked;
    };
    const Case cases[] = {
        {{}, {}},
        {{"koi8-r", "koi8"}, {"Cyrillic_Group", "koi8-r", "koi8"}},
        {{"euc-kr"}, {"euc-kr"}},
        // A group's text on the list marks nothing: groups follow their charsets.
        {{"Cyrillic", "koi8"}, {"koi8"}},
        {{"cp-936", "euc-cn", "gb2312", "hz-gb-2312"}, {"cp-936", "euc-cn", "gb2312", "hz-gb-2312"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckedKeys(Loaded(c.list)), c.checked);
    }
}

TEST(CharsetTree, ResetAfterCheckAllLeavesNoGroupCheckedWhoseCharsetsAreNot) {
    CharsetTree tree;
    tree.SetAll(true);
    ASSERT_EQ(CheckedKeys(tree).size(), 27u);
    // Only the first charset of each group is on the stored list.
    tree.Load([](const std::string& charset) {
        return charset == "cp-936" || charset == "big5" || charset == "koi8-r" || charset == "euc-jp" ||
               charset == "euc-kr";
    });
    EXPECT_EQ(CheckedKeys(tree), (std::vector<std::string>{"cp-936", "big5", "koi8-r", "euc-jp", "euc-kr"}));
    tree.SetAll(false);
    EXPECT_TRUE(CheckedKeys(tree).empty());
}

TEST(CharsetTree, SavesCheckedCharsetsInTreeOrderAndNeverGroups) {
    CharsetTree tree;
    tree.NodeCheck(IndexOf("Thai_Group"), true);
    tree.NodeCheck(IndexOf("koi8"), true);
    tree.NodeCheck(IndexOf("cp-936"), true);
    EXPECT_EQ(tree.CheckedCharsets(), (std::vector<std::string>{"cp-936", "koi8", "tis-620"}));
    tree.SetAll(true);
    EXPECT_EQ(tree.CheckedCharsets().size(), 21u);
}

TEST(CharsetTree, KeepsAsideStoredEntriesThatAreNoCharsetNode) {
    EXPECT_EQ(CharsetTree::UnknownEntries({"koi8", "KOI8-R", "utf-7", "Cyrillic", "koi8-u", ""}),
              (std::vector<std::string>{"utf-7", "Cyrillic", "koi8-u", ""}));
    EXPECT_TRUE(CharsetTree::UnknownEntries({"tis-620", "Big5"}).empty());
}

}  // namespace
