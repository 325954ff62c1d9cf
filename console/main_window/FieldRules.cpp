#include "FieldRules.h"

#include <cstdlib>

#include "NumberText.h"
#include "TextCompare.h"

namespace FieldRules {

bool Acceptable(FieldKind kind, const std::string& text) {
    switch (kind) {
        case FieldKind::Number:
            return NumberText::IsNumeric(text);
        case FieldKind::Count:
            return NumberText::Whole32(text).has_value();
        case FieldKind::Port: {
            const std::optional<std::int32_t> whole = NumberText::Whole32(text);
            return whole && *whole >= 1 && *whole <= 65535;
        }
    }
    return false;
}

std::optional<std::string> AbsoluteWhole(const std::string& text) {
    const std::optional<std::int32_t> whole = NumberText::Whole32(text);
    // The smallest 32-bit value has no positive twin.
    if (!whole || *whole == INT32_MIN) {
        return std::nullopt;
    }
    return std::to_string(std::abs(*whole));
}

bool SameFolders(const std::string& approve, const std::string& block) {
    return !approve.empty() && !block.empty() && TextCompare(approve, block) == 0;
}

}  // namespace FieldRules
