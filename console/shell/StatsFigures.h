#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The figures of the statistics window and the word-training page.
namespace StatsFigures {

// The text as a whole number (rounded, halves to even); nothing when it is
// empty or not a number.
std::optional<std::int64_t> WholeNumber(const std::string& text);

// count / min_training as a whole percentage, halves to even, at most 100.
// A min_training that is 0, empty or not a number gives 0.
std::int64_t TrainingPercent(std::int32_t count, const std::string& minTraining);

// That percentage as shown: string 385 ("%1%") with the figure.
std::string TrainingPercentText(std::int32_t count, const std::string& minTraining);

// A counter as the window shows it: "0" when nothing is stored; the stored
// text itself when it is not a number (or when asWholeNumber is false);
// otherwise the whole number in decimal.
std::string CounterText(const std::string& stored, bool asWholeNumber);

}  // namespace StatsFigures
