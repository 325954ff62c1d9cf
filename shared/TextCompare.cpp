#include "TextCompare.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr unsigned char SmallForm(unsigned char c) {
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

// Every list lookup compares texts, so the small forms come from a table
// made once rather than from tests on each byte.
constexpr std::array<unsigned char, 256> SmallForms() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = SmallForm(static_cast<unsigned char>(c));
    }
    return table;
}

constexpr std::array<unsigned char, 256> kSmall = SmallForms();

std::uint64_t Word(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

}  // namespace

int TextCompare(std::string_view a, std::string_view b) {
    const unsigned char* small = kSmall.data();
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    // Keys in a sorted list share long beginnings: equal bytes are passed
    // over eight at a time.
    while (i + 8 <= n && Word(x + i) == Word(y + i)) {
        i += 8;
    }
    for (; i < n; ++i) {
        if (x[i] != y[i] && small[x[i]] != small[y[i]]) {
            return small[x[i]] < small[y[i]] ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool TextEqual(std::string_view a, std::string_view b) {
    return a.size() == b.size() && TextCompare(a, b) == 0;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        c = static_cast<char>(kSmall[static_cast<unsigned char>(c)]);
    }
    return result;
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
