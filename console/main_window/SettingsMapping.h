#pragma once
#include <optional>
#include <string>
#include <utility>

// How the settings window shows the daemon's configuration keys and turns
// its controls back into values: the rows in the order they are written,
// and the conversions as plain functions. A conversion that cannot show a
// stored value raises ObjectError 13; the window then shows the row's
// fallback instead, so a bad key never stops the load.
namespace SettingsMapping {

enum class RowKind {
    Text,            // a text box, as typed
    Number,          // a text box of a number, as typed
    Threshold,       // a threshold group's text box, kept in step with its group
    FlagNode,        // a toggle leaf: "yes" / "no"
    CheckBox,        // a check box: "yes" / "no"
    Range,           // two text boxes: minimum ":" maximum
    PositiveSwitch,  // a leaf on when the value is a number above 0; saves its box's text or "0"
    BooleanSwitch,   // a leaf on when the value is a non-zero number; saves its box's text or "0"
    RuleUpdate,      // a leaf and its frequency combo: "0" with the leaf off, else the combo's seconds
    ScanFrequency,   // a combo of scan intervals in minutes
    TrainingWeight,  // two option buttons: "yes" unless the second is selected
    TimeoutSwitch,   // a leaf that saves its box's text (5 for an empty box or 0) or "0"
    RegistrySwitch,  // a leaf stored in the user's registry as 1 / 0, not in the configuration
    Kept,            // neither shown nor saved by the window: the stored value stays
};

struct Row {
    const char* key;
    RowKind kind;
    const char* node;      // the option-tree leaf, or ""
    int control;           // the box, check box or minimum box, or 0
    int second;            // the maximum box of a range, or the box a switch saves
    const char* fallback;  // shown when the stored value cannot be
};

// Rows 2 to 34 in the order the window writes them (the upgrade flag is
// written on its own before them).
const Row* Rows(std::size_t& count);

bool FlagOn(const std::string& value);
std::string FlagText(bool on);

bool PositiveSwitchOn(const std::string& value);
// Numbers other than 0 are on; so are "yes" and "true" in any letter case.
bool BooleanSwitchOn(const std::string& value);

// The rule-update leaf and combo: nothing for an absent or zero value (the
// leaf off, the combo unchanged), otherwise the combo index.
std::optional<int> RuleUpdateIndex(const std::string& value);
// "0" with the leaf off; nothing with no combo item selected.
std::optional<std::string> RuleUpdateValue(bool on, int index);

int ScanFrequencyIndex(const std::string& value);
std::optional<std::string> ScanFrequencyValue(int index);

// A stored number as its box shows it. Raises 13 for a text too long to be a
// number: the box would take far longer than the text's length to show it.
std::string NumberShown(const std::string& value);

// The longest host name there is.
constexpr std::size_t kLongestHostName = 255;

// The most characters a box of that kind takes: a number's, a host name's;
// 0 for rows without a text box of their own.
std::size_t LongestText(RowKind kind);

// A stored host name as its box shows it. Raises 13 for a text longer than
// any host name, which the box could not show at the cost of its length.
std::string HostNameShown(const std::string& value);

std::pair<std::string, std::string> SplitRange(const std::string& value);
std::string JoinRange(const std::string& minimum, const std::string& maximum);

// The scoring-timeout box's text at load, and the text it takes at save
// while its leaf is on.
std::string TimeoutShown(const std::string& timeoutValue, const std::string& timeout);
std::string TimeoutToSave(const std::string& boxText);

// The whole number a threshold text selects its strength by.
int ThresholdWhole(const std::string& value);

// The confirmation leaf from the registry text; an empty text is the first run.
bool SenderDialogOn(const std::string& registryText);

bool HighTrainingWeight(const std::string& value);
std::string TrainingWeightText(bool lowSelected);

}  // namespace SettingsMapping
