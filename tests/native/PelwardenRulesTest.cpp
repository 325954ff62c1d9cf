#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "modPelwardenMain.h"

namespace {

using namespace modPelwardenMain;

TEST(FormatEmail, TrimsLowerCasesAndDropsOnePairOfBrackets) {
    const struct {
        const char* address;
        const char* expected;
    } cases[] = {
        {"  Jane.Doe@Example.COM  ", "jane.doe@example.com"},
        {" <Bob@Host.org>", "bob@host.org"},
        {"<<double@host.org>>", "<double@host.org>"},
        {"<", ""},
        {"<>", ""},
        {">", ""},
        {"   ", ""},
        {"<open@host.org", "open@host.org"},
        {"close@host.org>", "close@host.org"},
        {"a <b@c.d>", "a <b@c.d"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatEmail(c.address), c.expected) << c.address;
    }
}

TEST(SplitAddresses, SplitsAtEverySemicolonAndKeepsEmptyParts) {
    EXPECT_TRUE(SplitAddresses("").empty());
    EXPECT_EQ(SplitAddresses("a@b"), std::vector<std::string>({"a@b"}));
    EXPECT_EQ(SplitAddresses("A@B; <c@d>"), std::vector<std::string>({"A@B", " <c@d>"}));
    EXPECT_EQ(SplitAddresses("a@b;;c@d"), std::vector<std::string>({"a@b", "", "c@d"}));
    EXPECT_EQ(SplitAddresses(";"), std::vector<std::string>({"", ""}));
}

TEST(BlockedSenderAddresses, EachLineAndEachStringOfAValueIsOneSenderAndNoControlByteIsKept) {
    using Addresses = std::vector<std::string>;
    const struct {
        const char* name;
        std::string value;
        Addresses expected;
    } cases[] = {
        {"one sender", " <Spammer@Bad.Example> ", {"spammer@bad.example"}},
        {"nothing", "", {}},
        {"the strings of a REG_MULTI_SZ", std::string("Multi1@X\0<multi2@y>\0", 20), {"multi1@x", "multi2@y"}},
        {"lines", "a@b\r\nc@d\ne@f\rg@h", {"a@b", "c@d", "e@f", "g@h"}},
        {"empty lines and strings", std::string("\r\n\0 \0a@b\r\n", 10), {"a@b"}},
        {"control bytes", "x\x01y@z\ta@b\x7F", {}},
        {"bytes above 127", "\xE9t\xE9@caf\xE9.example", {"\xE9t\xE9@caf\xE9.example"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BlockedSenderAddresses(c.value), c.expected) << c.name;
    }
}

// 2026-03-10 10:00:00 UTC in seconds since 1970.
constexpr std::int64_t kTenOClock = 1773136800;

TEST(HourBoundaries, CountsHourBoundariesNotElapsedHours) {
    const struct {
        const char* date;
        std::int64_t expected;
    } cases[] = {
        {"2026-03-09 10:59:59", 24},  // under 24 hours ago, yet 24 boundaries
        {"2026-03-09 11:00:00", 23},  {"2026-03-10 10:00:00", 0},
        {"2026-03-10 09:59:59", 1},   {"2026-03-10 12:30:00", -2},     // ahead of now
        {"2026-03-01 10:00:00", 216}, {"2024-02-29 10:00:00", 17760},  // a leap day
    };
    for (const auto& c : cases) {
        const auto hours = HourBoundaries(c.date, kTenOClock);
        ASSERT_TRUE(hours.has_value()) << c.date;
        EXPECT_EQ(*hours, c.expected) << c.date;
    }
}

TEST(HourBoundaries, AnythingButAStoreDateIsNoDate) {
    for (const char* text :
         {"", "0000-00-00 00:00:00", "2026-02-30 10:00:00", "2026-13-01 10:00:00", "2026-03-10 24:00:00",
          "2026-03-10 10:00", "not a date at all!!", "2026-03-10 10:00:00x"}) {
        EXPECT_FALSE(HourBoundaries(text, kTenOClock).has_value()) << text;
    }
}

TEST(WithinLastDay, ComparesWithTheClockInUtc) {
    SetClock([] { return kTenOClock; });
    EXPECT_TRUE(WithinLastDay("2026-03-09 11:00:00"));
    EXPECT_FALSE(WithinLastDay("2026-03-09 10:59:59"));
    EXPECT_TRUE(WithinLastDay("2027-01-01 00:00:00"));
    EXPECT_FALSE(WithinLastDay(""));
    SetClock(nullptr);
}

TEST(ScanSwitchOn, BlankOrExactlyOneTurnsAScanOn) {
    const struct {
        const char* value;
        bool on;
    } cases[] = {
        {"", true}, {"   ", true}, {"1", true}, {" 1", false}, {"1 ", false}, {"0", false}, {"yes", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ScanSwitchOn(c.value), c.on) << "'" << c.value << "'";
    }
}

TEST(LeadingNumber, TakesTheLeadingDecimalNumberOfAnEngineText) {
    EXPECT_EQ(LeadingNumber("1234"), 1234);
    EXPECT_EQ(LeadingNumber(std::string("77\0\0\0\0", 6)), 77);
    EXPECT_EQ(LeadingNumber("42 words"), 42);
    EXPECT_EQ(LeadingNumber(" 8"), 8);
    EXPECT_EQ(LeadingNumber("-3"), -3);
    EXPECT_EQ(LeadingNumber("2147483647"), 2147483647);
    for (const std::string& text :
         {std::string(20, '\0'), std::string(""), std::string("abc"), std::string("2147483648"), std::string("- 1")}) {
        EXPECT_FALSE(LeadingNumber(text).has_value()) << text;
    }
}

}  // namespace
