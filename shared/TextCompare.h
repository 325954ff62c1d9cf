#pragma once
#include <string>
#include <vector>

// Compares two texts in the system code page without regard to letter case:
// -1, 0 or 1. Letters of both cases, including the accented letters of
// code page 1252, compare equal to their small forms.
int TextCompare(const std::string& a, const std::string& b);

// The text with its letters made small, in the same sense.
std::string LowerCase(const std::string& text);

// The text without leading and trailing spaces (only spaces; tabs stay).
std::string TrimSpaces(const std::string& text);

// The pieces of the text between the separators, empty ones included: a text
// without the separator is one piece, and the empty text is one empty piece.
std::vector<std::string> SplitText(const std::string& text, char separator);
