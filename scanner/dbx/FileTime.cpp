#include "FileTime.h"

#include <cstdio>

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDaysTo1970 = 134774;
constexpr int kLastYear = 9999;

struct CivilDate {
    std::int64_t year;
    unsigned month;
    unsigned day;
};

// The proleptic Gregorian date of a count of days since 1970-01-01.
CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    const std::int64_t year = static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

}  // namespace

std::string FileTime::ToText() const {
    std::int64_t year = 0;
    unsigned month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (ticks_ <= static_cast<std::uint64_t>(INT64_MAX)) {
        const auto seconds = static_cast<std::int64_t>(ticks_ / kTicksPerSecond);
        const CivilDate date = CivilFromDays(seconds / kSecondsPerDay - kDaysTo1970);
        if (date.year <= kLastYear) {
            const auto ofDay = static_cast<unsigned>(seconds % kSecondsPerDay);
            year = date.year;
            month = date.month;
            day = date.day;
            hour = ofDay / 3600;
            minute = ofDay / 60 % 60;
            second = ofDay % 60;
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u %02u:%02u:%02u", static_cast<int>(year), month, day, hour, minute,
                  second);
    return text;
}
