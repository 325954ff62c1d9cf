#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>

#include "CivilDate.h"
#include "FileList.h"
#include "ObjectError.h"
#include "TextCompare.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

namespace {

Clock& CurrentClock() {
    static Clock clock;
    return clock;
}

std::int64_t NowUtc() {
    if (CurrentClock()) {
        return CurrentClock()();
    }
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t FloorHours(std::int64_t seconds) {
    return (seconds >= 0 ? seconds : seconds - 3599) / 3600;
}

// The date as seconds since 1970 (UTC); none unless it is a real date and time.
std::optional<std::int64_t> StoreDateSeconds(const std::string& text) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    char rest = 0;
    if (text.size() != 19 || std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d%c", &year, &month, &day, &hour, &minute,
                                         &second, &rest) != 6) {
        return std::nullopt;
    }
    if (year < 100 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) {
        return std::nullopt;
    }
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

}  // namespace

void SetClock(Clock clock) {
    CurrentClock() = std::move(clock);
}

std::optional<std::int64_t> HourBoundaries(const std::string& mailDate, std::int64_t nowUtc) {
    const auto mail = StoreDateSeconds(mailDate);
    if (!mail) {
        return std::nullopt;
    }
    return FloorHours(nowUtc) - FloorHours(*mail);
}

// The Inbox takes a message when fewer than 24 hour boundaries lie between
// its date and now, both in UTC (the store keeps UTC).
bool WithinLastDay(const std::string& mailDate) {
    const auto hours = HourBoundaries(mailDate, NowUtc());
    return hours && *hours < 24;
}

bool ScanSwitchOn(const std::string& value) {
    return TrimSpaces(value).empty() || value == "1";
}

std::string FormatEmail(const std::string& address) {
    std::string result = LowerCase(TrimSpaces(address));
    if (!result.empty() && result.front() == '<') {
        result.erase(0, 1);
    }
    if (!result.empty() && result.back() == '>') {
        result.pop_back();
    }
    return result;
}

std::vector<std::string> SplitAddresses(const std::string& field) {
    if (field.empty()) {
        return {};
    }
    return SplitText(field, ';');
}

std::vector<std::string> BlockedSenderAddresses(const std::string& value) {
    // The NULs of a REG_MULTI_SZ part its strings, as line ends part lines.
    std::string lines = value;
    std::replace(lines.begin(), lines.end(), '\0', '\n');
    std::vector<std::string> addresses;
    for (const std::string& line : ListFileEntries(lines)) {
        std::string address = FormatEmail(line);
        const bool control = std::any_of(address.begin(), address.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
        if (!address.empty() && !control) {
            addresses.push_back(std::move(address));
        }
    }
    return addresses;
}

std::optional<std::int32_t> LeadingNumber(const std::string& text) {
    const std::string trimmed = TrimSpaces(text.substr(0, text.find('\0')));
    std::int32_t value = 0;
    const char* first = trimmed.data();
    if (!trimmed.empty() && trimmed.front() == '+') {
        ++first;
    }
    const auto [end, error] = std::from_chars(first, trimmed.data() + trimmed.size(), value);
    if (error != std::errc() || end == first) {
        return std::nullopt;
    }
    return value;
}

// 2048 MiB and more stay a limit: the product is taken in 64 bits.
std::int64_t ScanLimitBytes(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    const std::string digits = TrimSpaces(text);
    const char* first = digits.data();
    const char* last = first + digits.size();
    if (first != last && *first == '+') {
        ++first;
    }
    std::int32_t megabytes = 0;
    const auto [end, error] = std::from_chars(first, last, megabytes);
    if (error != std::errc() || end != last || first == last) {
        throw ObjectError(13, "InitializeObjects", "Type mismatch");
    }
    return static_cast<std::int64_t>(megabytes) * 1048576;
}

}  // namespace modPelwardenMain
