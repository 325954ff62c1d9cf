#pragma once
#include <cstddef>

// No number the programs read is written in more characters than this, blanks
// around it aside. A longer text is refused before it is converted: the
// runtime's conversion builds one big number of all the digits, at a cost that
// grows with the square of their count.
constexpr std::size_t kLongestNumber = 64;
