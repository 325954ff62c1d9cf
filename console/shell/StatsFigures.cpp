#include "StatsFigures.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "LongestNumber.h"
#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "modMain.h"

namespace StatsFigures {

std::optional<std::int64_t> WholeNumber(const std::string& text) {
    const std::string trimmed = TrimSpaces(text);
    if (trimmed.empty() || trimmed.size() > kLongestNumber) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(trimmed.c_str(), &end);
    // Whole numbers beyond 2^53 are not exact in a double; none is a count.
    if (*end != '\0' || errno == ERANGE || !std::isfinite(value) || std::fabs(value) > 9.0e15) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::int64_t TrainingPercent(std::int32_t count, const std::string& minTraining) {
    const std::optional<std::int64_t> minimum = WholeNumber(minTraining);
    if (!minimum || *minimum == 0) {
        return 0;
    }
    const double percent = std::nearbyint(static_cast<double>(count) / static_cast<double>(*minimum) * 100);
    return percent > 100 ? 100 : static_cast<std::int64_t>(percent);
}

std::string TrainingPercentText(std::int32_t count, const std::string& minTraining) {
    return modMain::SubstituteArg(LoadResText(kStrPercent), std::to_string(TrainingPercent(count, minTraining)));
}

std::string CounterText(const std::string& stored, bool asWholeNumber) {
    if (TrimSpaces(stored).empty()) {
        return "0";
    }
    const std::optional<std::int64_t> number = asWholeNumber ? WholeNumber(stored) : std::nullopt;
    return number ? std::to_string(*number) : stored;
}

}  // namespace StatsFigures
