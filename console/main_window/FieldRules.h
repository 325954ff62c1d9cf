#pragma once
#include <optional>
#include <string>

// The checks of the window's numeric text boxes and of the folder-name pair.
namespace FieldRules {

enum class FieldKind {
    Number,  // any number
    Count,   // a number whose whole value fits 32 bits
    Port,    // a whole value from 1 to 65535
};

bool Acceptable(FieldKind kind, const std::string& text);

// The listening port's text after leaving the box: the absolute whole value
// as plain digits; nothing when there is no such 32-bit value.
std::optional<std::string> AbsoluteWhole(const std::string& text);

// True when both folder names are given and equal without regard to case.
bool SameFolders(const std::string& approve, const std::string& block);

}  // namespace FieldRules
