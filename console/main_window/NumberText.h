#pragma once
#include <cstdint>
#include <optional>
#include <string>

// Numbers typed into the window's text boxes: digits with an optional sign
// and fraction, blanks around them allowed. Whole values round a fraction
// to the nearest whole number, a half to the even one. A text longer than
// kLongestNumber is no number.
namespace NumberText {

std::optional<double> Parse(const std::string& text);
bool IsNumeric(const std::string& text);
// The whole value, or nothing when the text is no number or does not fit.
std::optional<std::int32_t> Whole32(const std::string& text);
std::optional<std::int16_t> Whole16(const std::string& text);

}  // namespace NumberText
