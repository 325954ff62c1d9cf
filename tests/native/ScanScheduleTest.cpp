#include <gtest/gtest.h>

#include "ScanSchedule.h"

namespace {

using ScanSchedule::ClockTime;

TEST(ScanSchedule, CountsMinuteBoundariesCrossed) {
    struct Case {
        ClockTime from;
        ClockTime to;
        std::int64_t boundaries;
    };
    const Case cases[] = {
        {{2026, 12, 10, 10, 0, 59}, {2026, 12, 10, 10, 1, 0}, 1},
        {{2026, 12, 10, 10, 0, 0}, {2026, 12, 10, 10, 0, 59}, 0},
        {{2026, 12, 31, 23, 59, 30}, {2027, 1, 1, 0, 0, 10}, 1},
        {{2024, 2, 28, 12, 0, 0}, {2024, 3, 1, 12, 0, 0}, 2 * 24 * 60},
        {{2026, 12, 10, 10, 30, 0}, {2026, 12, 10, 10, 0, 0}, -30},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScanSchedule::MinuteBoundaries(c.from, c.to), c.boundaries) << ScanSchedule::Format(c.from);
    }
}

TEST(ScanSchedule, IsDueOnlyPastTheFrequency) {
    const ClockTime now{2026, 12, 10, 12, 0, 0};
    struct Case {
        const char* lastScan;
        const char* frequency;
        bool due;
    };
    const Case cases[] = {
        {"2026-12-10 11:30:00", "30", false},  // exactly 30 boundaries: not yet
        {"2026-12-10 11:29:59", "30", true},   // 31
        {"2026-12-10 11:30:59", "30", false},
        {"2026-12-10 11:00:00", "60", false},
        {"2026-12-10 10:59:00", "60", true},
        {"2026-12-10 12:05:00", "30", true},     // in the future: the clock went back
        {"2026-12-09 12:00:00", "1440", false},  // daily: exactly a day
        {"2026-12-09 11:59:00", "1440", true},
        {"2026-12-09 12:00:00", "3600", false},  // older files' daily value
        {"2026-12-09 11:59:00", "3600", true},   // not 60 hours
        {"2026-12-09 12:00:00", "", false},      // unknown frequency counts as daily
        {"2026-12-09 11:59:00", "", true},
        {"2026-12-09 11:59:00", "soon", true},
        {"2026-12-09 11:59:00", "-5", true},
        {"2026-12-10 11:59:00", "0", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScanSchedule::IsDue(ScanSchedule::Parse(c.lastScan), c.frequency, now), c.due)
            << c.lastScan << " every " << c.frequency;
    }
    EXPECT_TRUE(ScanSchedule::IsDue(std::nullopt, "30", now));
}

TEST(ScanSchedule, ReadsOnlyItsOwnForm) {
    const ClockTime time{2026, 3, 4, 5, 6, 7};
    EXPECT_EQ(ScanSchedule::Format(time), "2026-03-04 05:06:07");
    const auto back = ScanSchedule::Parse(" 2026-03-04 05:06:07 ");
    ASSERT_TRUE(back);
    EXPECT_EQ(ScanSchedule::Format(*back), "2026-03-04 05:06:07");
    for (const char* text : {"", "12/10/2026 10:00:00 AM", "2026-02-30 00:00:00", "2026-12-10 24:00:00",
                             "2026-12-10 10:00:00 x", "2026-13-01 00:00:00"}) {
        EXPECT_FALSE(ScanSchedule::Parse(text)) << text;
    }
}

}  // namespace
