#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ThresholdRules.h"

namespace {

using ThresholdRules::UpDownKind;

TEST(ThresholdRules, TypedValuesSelectTheirBandAtTheEdges) {
    struct Case {
        int value;
        int option;  // 0: nothing selected
        int description;
    };
    const Case cases[] = {
        {0, 0, 0},    {1, 0, 0},    {2, 3, 192},  {65, 3, 192},  {66, 3, 191}, {79, 3, 191},
        {80, 2, 190}, {89, 2, 190}, {90, 1, 189}, {100, 1, 189}, {101, 0, 0},  {-5, 0, 0},
    };
    for (const Case& c : cases) {
        const auto band = ThresholdRules::ChangeBand(c.value);
        EXPECT_EQ(band ? band->option : 0, c.option) << c.value;
        EXPECT_EQ(band ? band->description : 0, c.description) << c.value;
    }
}

TEST(ThresholdRules, LoadedValuesSelectOptionFourForOne) {
    const std::pair<int, int> cases[] = {{1, 4},  {2, 3},   {79, 3}, {80, 2}, {89, 2},
                                         {90, 1}, {100, 1}, {0, 0},  {101, 0}};
    for (const auto& [value, option] : cases) {
        EXPECT_EQ(ThresholdRules::LoadOption(value), option) << value;
    }
}

TEST(ThresholdRules, OptionsCarryTheirPresetsAndDescriptions) {
    const struct {
        int option;
        const char* preset;
        int description;
    } cases[] = {{1, "90", 189}, {2, "80", 190}, {3, "70", 191}, {4, "1", 193}};
    for (const auto& c : cases) {
        EXPECT_EQ(ThresholdRules::OptionPreset(c.option), c.preset);
        EXPECT_EQ(ThresholdRules::OptionDescription(c.option), c.description);
    }
}

TEST(ThresholdRules, UpDownsStepWithinOneToHundredAtBothEnds) {
    struct Case {
        UpDownKind kind;
        const char* text;
        bool up;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        // Both ends of every variant.
        {UpDownKind::Flag, "1", false, "1"},
        {UpDownKind::Flag, "100", true, "100"},
        {UpDownKind::MailClient, "1", false, "1"},
        {UpDownKind::MailClient, "100", true, "100"},
        {UpDownKind::Subject, "1", false, "1"},
        {UpDownKind::Subject, "100", true, "100"},
        // Fractions near the ends never give 0 or 101.
        {UpDownKind::Flag, "1.4", false, "1"},
        {UpDownKind::MailClient, "1.4", false, "1"},
        {UpDownKind::Subject, "1.4", false, "1"},
        {UpDownKind::Flag, "99.6", true, "100"},
        {UpDownKind::MailClient, "99.6", true, "100"},
        {UpDownKind::Subject, "99.6", true, "100"},
        // Ordinary steps, halves to the even whole number.
        {UpDownKind::Flag, "50", true, "51"},
        {UpDownKind::Subject, "50", false, "49"},
        {UpDownKind::MailClient, "2.5", true, "3"},
        {UpDownKind::MailClient, "3.5", false, "3"},
        // Values outside the range come back into it.
        {UpDownKind::Flag, "0", true, "1"},
        {UpDownKind::Subject, "250", false, "100"},
        // No number, or too large for 16 bits: nothing changes.
        {UpDownKind::Flag, "abc", true, std::nullopt},
        {UpDownKind::Subject, "", false, std::nullopt},
        {UpDownKind::MailClient, "40000", false, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ThresholdRules::Step(c.kind, c.text, c.up), c.expected)
            << static_cast<int>(c.kind) << " " << c.text << (c.up ? " up" : " down");
    }
}

TEST(ThresholdRules, RangeCheckRoundsBeforeComparing) {
    const std::pair<const char*, bool> cases[] = {{"1", true},   {"100", true},   {"0", false},     {"101", false},
                                                  {"0.6", true}, {"100.5", true}, {"100.6", false}, {"x", false},
                                                  {"", false},   {"-1", false}};
    for (const auto& [text, inRange] : cases) {
        EXPECT_EQ(ThresholdRules::InRange(text), inRange) << text;
    }
}

}  // namespace
