#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "ObjectError.h"
#include "SettingsMapping.h"

namespace {

namespace M = SettingsMapping;

TEST(SettingsMapping, RowsAreWrittenInTheirOrderWithNoKeyTwice) {
    std::size_t count = 0;
    const M::Row* rows = M::Rows(count);
    ASSERT_EQ(count, 33u);
    EXPECT_STREQ(rows[0].key, "listen_port");
    EXPECT_STREQ(rows[count - 1].key, "full_training_weight");
    std::set<std::string> keys;
    for (std::size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(keys.insert(rows[i].key).second) << rows[i].key;
    }
}

TEST(SettingsMapping, RowsThatCanFailToShowHaveAShowableFallback) {
    std::size_t count = 0;
    const M::Row* rows = M::Rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        const M::Row& row = rows[i];
        if (row.kind == M::RowKind::Range) {
            EXPECT_NO_THROW(M::SplitRange(row.fallback)) << row.key;
        }
        if (row.kind == M::RowKind::Threshold) {
            EXPECT_EQ(M::ThresholdWhole(row.fallback), 90) << row.key;
        }
    }
}

// A row missing a control its kind reads would save an empty text.
TEST(SettingsMapping, EveryRowNamesWhatItsKindReads) {
    std::size_t count = 0;
    const M::Row* rows = M::Rows(count);
    for (std::size_t i = 0; i < count; ++i) {
        const M::Row& row = rows[i];
        bool node = false, control = false, second = false;
        switch (row.kind) {
            case M::RowKind::Text:
            case M::RowKind::Number:
            case M::RowKind::Threshold:
            case M::RowKind::CheckBox:
            case M::RowKind::ScanFrequency:
                control = true;
                break;
            case M::RowKind::Range:
            case M::RowKind::TrainingWeight:
                control = second = true;
                break;
            case M::RowKind::FlagNode:
            case M::RowKind::RegistrySwitch:
            case M::RowKind::Kept:
                node = true;
                break;
            case M::RowKind::PositiveSwitch:
            case M::RowKind::BooleanSwitch:
            case M::RowKind::TimeoutSwitch:
                node = second = true;
                break;
            case M::RowKind::RuleUpdate:
                node = control = true;
                break;
        }
        EXPECT_EQ(*row.node != '\0', node) << row.key;
        EXPECT_EQ(row.control != 0, control) << row.key;
        EXPECT_EQ(row.second != 0, second) << row.key;
    }
}

TEST(SettingsMapping, FlagsAreOnOnlyForExactlyYes) {
    const std::pair<const char*, bool> cases[] = {
        {"yes", true}, {"Yes", false}, {"YES", false}, {"", false}, {"1", false}};
    for (const auto& [value, on] : cases) {
        EXPECT_EQ(M::FlagOn(value), on) << value;
    }
    EXPECT_EQ(M::FlagText(true), "yes");
    EXPECT_EQ(M::FlagText(false), "no");
}

TEST(SettingsMapping, ThresholdSwitchesReadNumbers) {
    struct Case {
        const char* value;
        bool positive;
        bool boolean;
    };
    const Case cases[] = {{"85", true, true},   {"0", false, false},   {"", false, false},   {"-3", false, true},
                          {"yes", false, true}, {"True", false, true}, {"no", false, false}, {"0.0", false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(M::PositiveSwitchOn(c.value), c.positive) << c.value;
        EXPECT_EQ(M::BooleanSwitchOn(c.value), c.boolean) << c.value;
    }
}

TEST(SettingsMapping, RuleUpdateBothWays) {
    const std::pair<const char*, std::optional<int>> loads[] = {
        {"", std::nullopt}, {"0", std::nullopt}, {"900", 0},     {"3600", 1},
        {"86400", 2},       {"604800", 3},       {"2592000", 4}, {"120", 0},
    };
    for (const auto& [value, index] : loads) {
        EXPECT_EQ(M::RuleUpdateIndex(value), index) << value;
    }
    EXPECT_THROW(M::RuleUpdateIndex("hourly"), ObjectError);
    EXPECT_THROW(M::RuleUpdateIndex("99999999999"), ObjectError);

    const char* const saves[] = {"900", "3600", "86400", "604800", "2592000"};
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(M::RuleUpdateValue(true, index), saves[index]);
        EXPECT_EQ(M::RuleUpdateIndex(saves[index]), index) << "reads back";
    }
    EXPECT_EQ(M::RuleUpdateValue(false, 3), "0");
    EXPECT_EQ(M::RuleUpdateValue(true, -1), std::nullopt) << "no item selected";
}

TEST(SettingsMapping, ScanFrequencyStoresTheDayAsMinutesAndReadsBothDayValues) {
    const std::pair<const char*, int> loads[] = {{"30", 0}, {"60", 1}, {"1440", 2}, {"3600", 2}, {"", 2}, {"45", 2}};
    for (const auto& [value, index] : loads) {
        EXPECT_EQ(M::ScanFrequencyIndex(value), index) << value;
    }
    EXPECT_EQ(M::ScanFrequencyValue(0), "30");
    EXPECT_EQ(M::ScanFrequencyValue(1), "60");
    EXPECT_EQ(M::ScanFrequencyValue(2), "1440");
    EXPECT_EQ(M::ScanFrequencyValue(-1), std::nullopt);
}

TEST(SettingsMapping, RangesSplitAtTheFirstColonsAndRefuseNone) {
    EXPECT_EQ(M::SplitRange("20:80"), std::make_pair(std::string("20"), std::string("80")));
    EXPECT_EQ(M::SplitRange("1:99:5"), std::make_pair(std::string("1"), std::string("99")));
    EXPECT_EQ(M::SplitRange(":"), std::make_pair(std::string(), std::string()));
    EXPECT_THROW(M::SplitRange("5"), ObjectError);
    EXPECT_EQ(M::JoinRange("3", "97"), "3:97");
}

TEST(SettingsMapping, ScoringTimeout) {
    EXPECT_EQ(M::TimeoutShown("", "7"), "7");
    EXPECT_EQ(M::TimeoutShown("12", "7"), "12");
    EXPECT_EQ(M::TimeoutToSave(""), "5");
    EXPECT_EQ(M::TimeoutToSave("0"), "5");
    EXPECT_EQ(M::TimeoutToSave("9"), "9");
}

TEST(SettingsMapping, ThresholdTextsThatCannotBeShownRaise) {
    EXPECT_EQ(M::ThresholdWhole("85"), 85);
    EXPECT_EQ(M::ThresholdWhole("84.5"), 84);
    EXPECT_THROW(M::ThresholdWhole("high"), ObjectError);
    EXPECT_THROW(M::ThresholdWhole(""), ObjectError);
}

TEST(SettingsMapping, AMegabyteValueIsRefusedAndDescribedNotCopied) {
    const std::string megabyte = "8110" + std::string(1 << 20, '1');
    try {
        M::RuleUpdateIndex(megabyte);
        ADD_FAILURE() << "a megabyte of digits is no interval";
    } catch (const ObjectError& error) {
        EXPECT_EQ(error.Number(), 13);
        EXPECT_EQ(error.Description(), "Type mismatch: 1048580 characters, too long for a number");
    }
    EXPECT_THROW(M::ThresholdWhole(megabyte), ObjectError);
    EXPECT_FALSE(M::PositiveSwitchOn(megabyte));
    EXPECT_FALSE(M::BooleanSwitchOn(megabyte));
}

// A host name of up to 255 characters is shown as stored; a longer one is
// refused by its length, without its text.
TEST(SettingsMapping, AHostNameLongerThanAnyIsRefused) {
    const std::string longest(255, 'h');
    EXPECT_EQ(M::HostNameShown(longest), longest);
    EXPECT_EQ(M::HostNameShown(""), "");
    for (const std::string& tooLong : {longest + "h", std::string(1 << 20, '1')}) {
        try {
            M::HostNameShown(tooLong);
            ADD_FAILURE() << tooLong.size() << " characters are no host name";
        } catch (const ObjectError& error) {
            EXPECT_EQ(error.Number(), 13);
            EXPECT_EQ(error.Description(),
                      "Type mismatch: " + std::to_string(tooLong.size()) + " characters, too long for a host name");
        }
    }
}

TEST(SettingsMapping, SenderDialogAndTrainingWeight) {
    EXPECT_TRUE(M::SenderDialogOn("1"));
    EXPECT_TRUE(M::SenderDialogOn("")) << "first run";
    EXPECT_FALSE(M::SenderDialogOn("0"));
    EXPECT_TRUE(M::HighTrainingWeight("yes"));
    EXPECT_FALSE(M::HighTrainingWeight("no"));
    EXPECT_FALSE(M::HighTrainingWeight(""));
    EXPECT_EQ(M::TrainingWeightText(true), "no");
    EXPECT_EQ(M::TrainingWeightText(false), "yes");
}

}  // namespace
