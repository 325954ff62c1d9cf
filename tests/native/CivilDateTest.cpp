#include "CivilDate.h"

#include <gtest/gtest.h>

namespace {

struct KnownDate {
    std::int64_t days;
    CivilDate date;
};

// Dates where the calendar's rules meet: the epoch, the file-time origin,
// leap days of a century year that is (2000) and is not (1900) a leap year,
// the last day the store dates can show, and a date before year 0.
const KnownDate kKnownDates[] = {
    {0, {1970, 1, 1}},     {-1, {1969, 12, 31}},    {-134774, {1601, 1, 1}}, {11016, {2000, 2, 29}},
    {11017, {2000, 3, 1}}, {-25508, {1900, 3, 1}},  {-25509, {1900, 2, 28}}, {2932896, {9999, 12, 31}},
    {-719528, {0, 1, 1}},  {-719529, {-1, 12, 31}},
};

TEST(CivilDate, KnownDatesConvertBothWays) {
    for (const KnownDate& known : kKnownDates) {
        const CivilDate& d = known.date;
        EXPECT_EQ(DaysFromCivil(d.year, d.month, d.day), known.days) << d.year << "-" << d.month << "-" << d.day;
        const CivilDate back = CivilFromDays(known.days);
        EXPECT_EQ(back.year, d.year) << known.days;
        EXPECT_EQ(back.month, d.month) << known.days;
        EXPECT_EQ(back.day, d.day) << known.days;
    }
}

TEST(CivilDate, EveryDayOfFourCenturiesFollowsTheDayBefore) {
    CivilDate expected{1800, 1, 1};
    for (std::int64_t days = DaysFromCivil(1800, 1, 1); days < DaysFromCivil(2200, 1, 1); ++days) {
        const CivilDate date = CivilFromDays(days);
        ASSERT_TRUE(date.year == expected.year && date.month == expected.month && date.day == expected.day)
            << "day " << days;
        ASSERT_EQ(DaysFromCivil(date.year, date.month, date.day), days);
        if (++expected.day > DaysInMonth(expected.year, expected.month)) {
            expected.day = 1;
            if (++expected.month > 12) {
                expected.month = 1;
                ++expected.year;
            }
        }
    }
}

TEST(CivilDate, FebruaryFollowsTheLeapYearRules) {
    const struct {
        std::int64_t year;
        int days;
    } cases[] = {{2023, 28}, {2024, 29}, {1900, 28}, {2000, 29}, {2100, 28}, {2400, 29}};
    for (const auto& c : cases) {
        EXPECT_EQ(DaysInMonth(c.year, 2), c.days) << c.year;
    }
    EXPECT_EQ(DaysInMonth(2023, 1), 31);
    EXPECT_EQ(DaysInMonth(2023, 4), 30);
    EXPECT_EQ(DaysInMonth(2023, 12), 31);
}

}  // namespace
