#include "FileTime.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(FileTimeTest, WritesTheStoredTimeAsUtcText) {
    struct Case {
        std::uint64_t ticks;
        const char* text;
    };
    const Case cases[] = {
        {0, "1601-01-01 00:00:00"},
        {9999999, "1601-01-01 00:00:00"},  // parts of a second are dropped
        {127414585890000000, "2004-10-05 14:03:09"},
        {127414585899999999, "2004-10-05 14:03:09"},
        {116444736000000000, "1970-01-01 00:00:00"},
        {125963423990000000, "2000-02-29 23:59:59"},
        {125963424000000000, "2000-03-01 00:00:00"},
        {94405824000000000 - 10000000, "1900-02-28 23:59:59"},  // 1900 has no leap day
        {0x24C85A5ED1C03FFF, "9999-12-31 23:59:59"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileTime(c.ticks).ToText(), c.text) << c.ticks;
        EXPECT_EQ(FileTime(c.ticks).Ticks(), c.ticks);
    }
}

TEST(FileTimeTest, ATimeTheCalendarCannotShowIsAllZeros) {
    for (const std::uint64_t ticks : {std::uint64_t{0x24C85A5ED1C04000}, std::uint64_t{0x7FFFFFFFFFFFFFFF},
                                      std::uint64_t{0x8000000000000000}, UINT64_MAX}) {
        EXPECT_EQ(FileTime(ticks).ToText(), "0000-00-00 00:00:00") << ticks;
    }
}

}  // namespace
