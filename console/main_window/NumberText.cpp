#include "NumberText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "LongestNumber.h"
#include "TextCompare.h"

namespace NumberText {

namespace {

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Whole values within [low, high] of the rounded number.
std::optional<double> RoundedWithin(const std::string& text, double low, double high) {
    const std::optional<double> number = Parse(text);
    if (!number) {
        return std::nullopt;
    }
    const double whole = std::nearbyint(*number);  // the default rounding mode: half to even
    if (whole < low || whole > high) {
        return std::nullopt;
    }
    return whole;
}

}  // namespace

std::optional<double> Parse(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    if (trimmed.size() > kLongestNumber) {
        return std::nullopt;
    }
    std::size_t at = 0;
    if (at < trimmed.size() && (trimmed[at] == '+' || trimmed[at] == '-')) {
        ++at;
    }
    std::size_t digits = 0;
    for (; at < trimmed.size() && IsDigit(trimmed[at]); ++at) {
        ++digits;
    }
    if (at < trimmed.size() && trimmed[at] == '.') {
        for (++at; at < trimmed.size() && IsDigit(trimmed[at]); ++at) {
            ++digits;
        }
    }
    if (digits == 0 || at != trimmed.size()) {
        return std::nullopt;
    }
    return std::strtod(trimmed.c_str(), nullptr);
}

bool IsNumeric(const std::string& text) {
    return Parse(text).has_value();
}

std::optional<std::int32_t> Whole32(const std::string& text) {
    const auto whole =
        RoundedWithin(text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!whole) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*whole);
}

std::optional<std::int16_t> Whole16(const std::string& text) {
    const auto whole =
        RoundedWithin(text, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    if (!whole) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*whole);
}

}  // namespace NumberText
