#include "ThresholdRules.h"

#include <algorithm>

#include "NumberText.h"
#include "StringIds.h"

namespace ThresholdRules {

std::optional<Band> ChangeBand(int value) {
    if (value >= 2 && value <= 65) {
        return Band{3, kStrVeryAggressiveThreshold};
    }
    if (value >= 66 && value <= 79) {
        return Band{3, kStrAggressiveThreshold};
    }
    if (value >= 80 && value <= 89) {
        return Band{2, kStrModerateThreshold};
    }
    if (value >= 90 && value <= kMaximum) {
        return Band{1, kStrLenientThreshold};
    }
    return std::nullopt;
}

int LoadOption(int value) {
    if (value == kMinimum) {
        return 4;
    }
    const std::optional<Band> band = ChangeBand(value);
    return band ? band->option : 0;
}

int OptionDescription(int option) {
    static const int kDescriptions[] = {kStrLenientThreshold, kStrModerateThreshold, kStrAggressiveThreshold,
                                        kStrApprovedOnlyThreshold};
    return kDescriptions[option - 1];
}

std::string OptionPreset(int option) {
    static const char* const kPresets[] = {"90", "80", "70", "1"};
    return kPresets[option - 1];
}

std::optional<std::string> Step(UpDownKind kind, const std::string& text, bool up) {
    const std::optional<std::int16_t> whole = NumberText::Whole16(text);
    if (!whole) {
        return std::nullopt;
    }
    const double number = *NumberText::Parse(text);
    int next = 0;
    if (up) {
        const bool atCap = kind == UpDownKind::Subject ? number >= kMaximum : *whole >= kMaximum;
        next = atCap ? kMaximum : *whole + 1;
    } else {
        const bool atFloor = kind == UpDownKind::Flag ? *whole < 2 : number <= kMinimum;
        next = atFloor ? kMinimum : *whole - 1;
    }
    // A fraction near either end rounds past it (1.4 down, 99.6 up); the
    // slider and the daemon know 1 to 100 only.
    return std::to_string(std::clamp(next, kMinimum, kMaximum));
}

bool InRange(const std::string& text) {
    const std::optional<std::int32_t> whole = NumberText::Whole32(text);
    return whole && *whole >= kMinimum && *whole <= kMaximum;
}

}  // namespace ThresholdRules
