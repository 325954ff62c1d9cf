#pragma once
#include <cstdint>

// Dates of the proleptic Gregorian calendar as counts of days since
// 1970-01-01, the arithmetic behind every stored date and time stamp.
struct CivilDate {
    std::int64_t year;
    int month;  // 1 to 12
    int day;    // 1 to 31
};

// Days from 1970-01-01 to the date (negative before it).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);

// The date that many days after (or before) 1970-01-01.
CivilDate CivilFromDays(std::int64_t days);

// Days of the month (1 to 12) in that year.
int DaysInMonth(std::int64_t year, int month);
