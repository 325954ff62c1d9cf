#pragma once
#include <cstdint>
#include <optional>
#include <string>

// When the periodic mail-store scan is due, from the time of the last scan
// (the registry value LastOEScan) and the scan frequency in minutes.
namespace ScanSchedule {

struct ClockTime {
    int year, month, day, hour, minute, second;
};

// The one form LastOEScan is written in: "YYYY-MM-DD HH:MM:SS", the same on
// every machine whatever its regional settings.
std::string Format(const ClockTime& time);

// Reads that form; nothing for any other text or an impossible date.
std::optional<ClockTime> Parse(const std::string& text);

// Minute boundaries of the clock crossed from one time to the other
// (10:00:59 to 10:01:00 counts 1); negative when `to` lies before `from`.
std::int64_t MinuteBoundaries(const ClockTime& from, const ClockTime& to);

// The daily scan, and the value older files store for it.
constexpr std::int64_t kDailyMinutes = 1440;
constexpr std::int64_t kOlderDailyValue = 3600;

// The frequency in minutes: a whole number, or the daily scan for "3600" and
// for any value that is not one (as the settings window shows them).
std::int64_t FrequencyMinutes(const std::string& frequency);

// Due when no readable last scan is known, when the last scan lies in the
// future (a clock set back must not stop the scans), or when more minute
// boundaries than the frequency have passed since.
bool IsDue(const std::optional<ClockTime>& lastScan, const std::string& frequency, const ClockTime& now);

}  // namespace ScanSchedule
