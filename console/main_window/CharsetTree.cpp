#include "CharsetTree.h"

#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"

const std::array<CharsetTree::Node, CharsetTree::kNodeCount> CharsetTree::kNodes = {{
    {"ChineseSimplified_Group", kStrChineseSimplifiedGroup, -1},
    {"ChineseTraditional_Group", kStrChineseTraditionalGroup, -1},
    {"Cyrillic_Group", kStrCyrillicGroup, -1},
    {"Japanese_Group", kStrJapaneseGroup, -1},
    {"Korean_Group", kStrKoreanGroup, -1},
    {"Thai_Group", kStrThaiGroup, -1},
    {"cp-936", 0, 0},
    {"euc-cn", 0, 0},
    {"gb2312", 0, 0},
    {"hz-gb-2312", 0, 0},
    {"x-mac-chinesesimp", 0, 0},
    {"big5", 0, 1},
    {"cp-932", 0, 1},
    {"cp-950", 0, 1},
    {"euc-tw", 0, 1},
    {"x-mac-chinesetrad", 0, 1},
    {"koi8-r", 0, 2},
    {"koi8", 0, 2},
    {"euc-jp", 0, 3},
    {"iso-2022-jp", 0, 3},
    {"shift_jis", 0, 3},
    {"x-mac-japanese", 0, 3},
    {"euc-kr", 0, 4},
    {"iso-2022-kr", 0, 4},
    {"ks_c_5601-1987", 0, 4},
    {"x-mac-korean", 0, 4},
    {"tis-620", 0, 5},
}};

std::string CharsetTree::Text(int index) {
    return IsGroup(index) ? LoadResText(kNodes[index].textId) : kNodes[index].key;
}

std::vector<std::string> CharsetTree::UnknownEntries(const std::vector<std::string>& stored) {
    std::vector<std::string> unknown;
    for (const std::string& entry : stored) {
        bool known = false;
        for (int i = kGroupCount; i < kNodeCount && !known; ++i) {
            known = TextCompare(entry, kNodes[i].key) == 0;
        }
        if (!known) {
            unknown.push_back(entry);
        }
    }
    return unknown;
}

void CharsetTree::NodeCheck(int index, bool checked) {
    checked_[index] = checked;
    const int group = IsGroup(index) ? index : kNodes[index].group;
    if (IsGroup(index)) {
        for (int i = kGroupCount; i < kNodeCount; ++i) {
            if (kNodes[i].group == group) {
                checked_[i] = checked;
            }
        }
    }
    UpdateGroup(group);
}

void CharsetTree::SetAll(bool checked) {
    checked_.fill(checked);
}

void CharsetTree::Load(const std::function<bool(const std::string& charset)>& listed) {
    for (int i = kGroupCount; i < kNodeCount; ++i) {
        checked_[i] = listed(kNodes[i].key);
    }
    // Only once every charset is loaded, so no group follows marks that the
    // load has not reached yet.
    for (int group = 0; group < kGroupCount; ++group) {
        UpdateGroup(group);
    }
}

void CharsetTree::UpdateGroup(int group) {
    bool all = true;
    for (int i = kGroupCount; i < kNodeCount; ++i) {
        all = all && (kNodes[i].group != group || checked_[i]);
    }
    checked_[group] = all;
}

std::vector<std::string> CharsetTree::CheckedCharsets() const {
    std::vector<std::string> names;
    for (int i = kGroupCount; i < kNodeCount; ++i) {
        if (checked_[i]) {
            names.push_back(kNodes[i].key);
        }
    }
    return names;
}
