#include "ScanSchedule.h"

#include <cstdio>
#include <cstdlib>

#include "TextCompare.h"

namespace ScanSchedule {

namespace {

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = static_cast<int>(year - era * 400);
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::int64_t MinuteNumber(const ClockTime& t) {
    return (DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute;
}

}  // namespace

std::string Format(const ClockTime& time) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return text;
}

std::optional<ClockTime> Parse(const std::string& text) {
    ClockTime t{};
    int consumed = 0;
    const std::string trimmed = TrimSpaces(text);
    if (std::sscanf(trimmed.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%n", &t.year, &t.month, &t.day, &t.hour, &t.minute,
                    &t.second, &consumed) != 6 ||
        static_cast<std::size_t>(consumed) != trimmed.size()) {
        return std::nullopt;
    }
    if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59 || t.hour < 0 || t.minute < 0 || t.second < 0) {
        return std::nullopt;
    }
    return t;
}

std::int64_t MinuteBoundaries(const ClockTime& from, const ClockTime& to) {
    return MinuteNumber(to) - MinuteNumber(from);
}

std::int64_t FrequencyMinutes(const std::string& frequency) {
    const std::string trimmed = TrimSpaces(frequency);
    char* end = nullptr;
    const long long minutes = std::strtoll(trimmed.c_str(), &end, 10);
    // 3600 is how older files store the daily scan; what cannot be read
    // counts as daily too, as the settings window shows it.
    if (trimmed.empty() || *end != '\0' || minutes < 0 || minutes == kOlderDailyValue) {
        return kDailyMinutes;
    }
    return minutes;
}

bool IsDue(const std::optional<ClockTime>& lastScan, const std::string& frequency, const ClockTime& now) {
    if (!lastScan) {
        return true;
    }
    const std::int64_t elapsed = MinuteBoundaries(*lastScan, now);
    return elapsed < 0 || elapsed > FrequencyMinutes(frequency);
}

}  // namespace ScanSchedule
