#pragma once
#include <optional>
#include <string>

// The arithmetic of the three spam-threshold groups: which strength option a
// value selects, the description each shows, the presets and the up-down
// steps. Options are numbered 1 (Lenient) to 4 (Exclusive); descriptions are
// string ids.
namespace ThresholdRules {

constexpr int kMinimum = 1;
constexpr int kMaximum = 100;

struct Band {
    int option;
    int description;
};

// What a typed value selects: nothing for 1 (Exclusive is chosen only on
// leaving the box) and for values outside the slider's range.
std::optional<Band> ChangeBand(int value);

// The option a loaded value selects; 0 for none.
int LoadOption(int value);

// The description an option shows when clicked.
int OptionDescription(int option);

// The value an option puts into the box when it gets the focus.
std::string OptionPreset(int option);

// The three up-down buttons read a fractional text slightly differently.
enum class UpDownKind { Flag, MailClient, Subject };

// The box's new text after a press; nothing when the text is no number or
// its whole value is outside 16 bits. The result always lies within 1-100.
std::optional<std::string> Step(UpDownKind kind, const std::string& text, bool up);

// True when the text is a whole value from 1 to 100 after rounding.
bool InRange(const std::string& text);

}  // namespace ThresholdRules
