#include "TextCompare.h"

#include "LetterCase.h"

int TextCompare(std::string_view a, std::string_view b) {
    return LetterCase::System().Compare(a, b);
}

bool TextEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && TextCompare(a, b) == 0;
}

std::string LowerCase(std::string_view text) {
    return LetterCase::System().Lower(text);
}

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return "";
    }
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

std::vector<std::string> SplitText(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}
