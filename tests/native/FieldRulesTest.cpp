#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "FieldRules.h"
#include "LongestNumber.h"
#include "NumberText.h"

namespace {

using FieldRules::FieldKind;

TEST(NumberText, ReadsSignedNumbersWithFractionsOnly) {
    const std::pair<const char*, std::optional<double>> cases[] = {
        {"12", 12.0},
        {" -3.5 ", -3.5},
        {"+7", 7.0},
        {".5", 0.5},
        {"5.", 5.0},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1e3", std::nullopt},
        {"12a", std::nullopt},
        {"1,000", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(NumberText::Parse(text), number) << text;
    }
}

TEST(NumberText, ATextTooLongToBeANumberIsRefusedWhateverItsDigits) {
    const std::string longest = std::string(kLongestNumber - 3, '0') + "110";
    const std::string megabyte = "8110" + std::string(1 << 20, '1');
    const std::pair<std::string, std::optional<double>> cases[] = {
        {longest, 110.0},
        {"  " + longest + "  ", 110.0},
        {"0" + longest, std::nullopt},
        {megabyte, std::nullopt},
        {"0." + std::string(1 << 20, '5'), std::nullopt},
    };
    for (const auto& [text, number] : cases) {
        EXPECT_EQ(NumberText::Parse(text), number) << text.size() << " characters";
    }
    EXPECT_FALSE(FieldRules::Acceptable(FieldKind::Port, megabyte));
}

TEST(NumberText, WholeValuesRoundHalvesToEvenAndRefuseWhatDoesNotFit) {
    EXPECT_EQ(NumberText::Whole32("24.5"), 24);
    EXPECT_EQ(NumberText::Whole32("25.5"), 26);
    EXPECT_EQ(NumberText::Whole32("110.6"), 111);
    EXPECT_EQ(NumberText::Whole32("2147483647"), 2147483647);
    EXPECT_EQ(NumberText::Whole32("2147483648"), std::nullopt);
    EXPECT_EQ(NumberText::Whole32("99999999999999999999"), std::nullopt);
    EXPECT_EQ(NumberText::Whole16("32767"), 32767);
    EXPECT_EQ(NumberText::Whole16("32768"), std::nullopt);
    EXPECT_EQ(NumberText::Whole16("-32768"), -32768);
}

TEST(FieldRules, KindsAcceptWhatTheirTypeCanHold) {
    struct Case {
        FieldKind kind;
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {FieldKind::Number, "0", true},    {FieldKind::Number, "-5", true},
        {FieldKind::Number, "2.75", true}, {FieldKind::Number, "", false},
        {FieldKind::Number, "abc", false}, {FieldKind::Number, "99999999999", true},
        {FieldKind::Count, "50000", true}, {FieldKind::Count, "99999999999", false},
        {FieldKind::Count, "x", false},    {FieldKind::Port, "110", true},
        {FieldKind::Port, "1", true},      {FieldKind::Port, "65535", true},
        {FieldKind::Port, "0", false},     {FieldKind::Port, "65536", false},
        {FieldKind::Port, "-110", false},  {FieldKind::Port, "9999999999", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FieldRules::Acceptable(c.kind, c.text), c.accepted) << static_cast<int>(c.kind) << " " << c.text;
    }
}

TEST(FieldRules, ListeningPortIsWrittenBackAsItsAbsoluteWholeValue) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"-110", "110"},
        {"24.5", "24"},
        {"110.6", "111"},
        {" 8110 ", "8110"},
        {"-2147483648", std::nullopt},
        {"3000000000", std::nullopt},
        {"x", std::nullopt},
    };
    for (const auto& [text, written] : cases) {
        EXPECT_EQ(FieldRules::AbsoluteWhole(text), written) << text;
    }
}

TEST(FieldRules, FolderNamesClashOnlyWhenBothAreGivenAndEqualInAnyCase) {
    EXPECT_TRUE(FieldRules::SameFolders("Spam", "sPAM"));
    EXPECT_FALSE(FieldRules::SameFolders("Spam", "Approved"));
    EXPECT_FALSE(FieldRules::SameFolders("", ""));
    EXPECT_FALSE(FieldRules::SameFolders("Spam", ""));
}

}  // namespace
