#include "TextCompare.h"

#include <array>

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

}  // namespace

int TextCompare(std::string_view a, std::string_view b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (x[i] != y[i] && kSmall[x[i]] != kSmall[y[i]]) {
            return kSmall[x[i]] < kSmall[y[i]] ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
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
