#include "TextCompare.h"

namespace {

unsigned char Lower(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<unsigned char>(c + 0x20);
    }
    switch (c) {
        case 0x8A:
            return 0x9A;  // S caron
        case 0x8C:
            return 0x9C;  // OE
        case 0x8E:
            return 0x9E;  // Z caron
        case 0x9F:
            return 0xFF;  // Y diaeresis
        default:
            return c;
    }
}

}  // namespace

int TextCompare(const std::string& a, const std::string& b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char x = Lower(static_cast<unsigned char>(a[i]));
        const unsigned char y = Lower(static_cast<unsigned char>(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

std::string LowerCase(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        c = static_cast<char>(Lower(static_cast<unsigned char>(c)));
    }
    return result;
}

std::string TrimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return "";
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
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
