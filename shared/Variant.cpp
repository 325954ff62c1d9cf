#include "Variant.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "ObjectError.h"

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
    throw ObjectError(13, "Variant", "Type mismatch");
}
