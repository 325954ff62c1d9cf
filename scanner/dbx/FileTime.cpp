#include "FileTime.h"

#include <cstdio>

#include "CivilDate.h"

namespace {

constexpr std::uint64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kSecondsPerDay = 86400;
// Days from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kDaysTo1970 = 134774;
constexpr int kLastYear = 9999;

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
            month = static_cast<unsigned>(date.month);
            day = static_cast<unsigned>(date.day);
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
