#pragma once
#include <cstdint>
#include <string>

// A point in time as the mail stores keep it: a count of 100-nanosecond
// units since 1601-01-01 00:00:00 UTC.
class FileTime {
public:
    FileTime() = default;
    explicit FileTime(std::uint64_t ticks) : ticks_(ticks) {}

    std::uint64_t Ticks() const { return ticks_; }

    // "yyyy-mm-dd hh:mm:ss" in UTC, with no shift to local time. A count the
    // calendar cannot show (the sign bit set, or a year past 9999, which the
    // four-digit year has no room for) gives "0000-00-00 00:00:00".
    std::string ToText() const;

private:
    std::uint64_t ticks_ = 0;
};
