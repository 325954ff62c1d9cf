#include "modWizard.h"

namespace modWizard {

bool IsUsableKey(const Variant& key) {
    if (key.IsEmpty() || key.IsArray() || key.IsObject())
        return false;
    return key.IsNumeric() || !key.ToText().empty();
}

std::int32_t MaxOf(std::int32_t first, std::int32_t second) {
    return first > second ? first : second;
}

}  // namespace modWizard
