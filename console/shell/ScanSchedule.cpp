#include "ScanSchedule.h"

#include <cstdio>
#include <cstdlib>

#include "CivilDate.h"
#include "TextCompare.h"

namespace ScanSchedule {

namespace {

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
