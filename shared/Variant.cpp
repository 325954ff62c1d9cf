#include "Variant.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "LongestNumber.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

ObjectError TypeMismatch() {
    return ObjectError(13, "Variant", "Type mismatch");
}

// Halves round to the even neighbour, as a conversion to a whole number does.
std::int32_t RoundToLong(double number) {
    const double rounded = std::nearbyint(number);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
        throw ObjectError(6, "Variant", "Overflow");
    }
    return static_cast<std::int32_t>(rounded);
}

double ParseNumber(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    if (trimmed.empty() || trimmed.size() > kLongestNumber ||
        trimmed.find_first_not_of("0123456789+-.eE") != std::string::npos) {
        throw TypeMismatch();
    }
    char* end = nullptr;
    const double number = std::strtod(trimmed.c_str(), &end);
    if (*end != '\0') {
        throw TypeMismatch();
    }
    return number;
}

}  // namespace

std::string Variant::ToText() && {
    return IsText() ? std::move(std::get<std::string>(value_)) : std::as_const(*this).ToText();
}

std::string Variant::ToText() const& {
    if (IsEmpty()) {
        return "";
    }
    if (IsText()) {
        return Text();
    }
    if (IsInteger()) {
        return std::to_string(Integer());
    }
    if (IsBoolean()) {
        return Boolean() ? "True" : "False";
    }
    if (IsDouble()) {
        // Shortest form that reads back as the same number, as a user would write it.
        char text[32];
        for (int digits = 1; digits <= 17; ++digits) {
            std::snprintf(text, sizeof text, "%.*g", digits, Double());
            if (std::strtod(text, nullptr) == Double()) {
                break;
            }
        }
        return text;
    }
    throw TypeMismatch();
}

std::int32_t Variant::ToLong() const {
    if (IsInteger()) {
        return Integer();
    }
    if (IsBoolean()) {
        return Boolean() ? -1 : 0;
    }
    if (IsDouble()) {
        return RoundToLong(Double());
    }
    if (IsText()) {
        return RoundToLong(ParseNumber(Text()));
    }
    throw TypeMismatch();
}
