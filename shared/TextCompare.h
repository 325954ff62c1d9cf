#pragma once
#include <string>
#include <string_view>
#include <vector>

// Compares two texts in the system code page without regard to letter case:
// -1, 0 or 1. Letters of both cases compare equal to their small forms, as
// the system's code page makes them (LetterCase::System).
int TextCompare(std::string_view a, std::string_view b);

// TextCompare(a, b) == 0, but texts of different lengths are told apart
// without reading them: a small form has as many bytes as its capital.
bool TextEqual(std::string_view a, std::string_view b);

// The text with its letters made small, in the same sense.
std::string LowerCase(std::string_view text);

// The text without leading and trailing spaces (only spaces; tabs stay).
std::string TrimSpaces(std::string_view text);

// TrimSpaces(text).empty(), without making the trimmed copy.
bool IsBlank(std::string_view text);

// The pieces of the text between the separators, empty ones included: a text
// without the separator is one piece, and the empty text is one empty piece.
std::vector<std::string> SplitText(const std::string& text, char separator);
