#pragma once
#include <optional>
#include <string>

// The text with its environment references (%SystemRoot%) filled in; an
// undefined variable stays as written. Nothing when the system cannot expand
// it. However long the expansion, it is whole.
std::optional<std::string> ExpandedEnvironmentText(const std::string& text);
