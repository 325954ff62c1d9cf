#include "LetterCase.h"

#include <cstdint>
#include <cstring>

namespace {

std::uint64_t Word(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

int Order(unsigned char a, unsigned char b) {
    return a < b ? -1 : 1;
}

// When every byte both texts share is the same in its small form, the
// shorter text comes first.
int LengthOrder(std::string_view a, std::string_view b) {
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

const unsigned char* Bytes(std::string_view text) {
    return reinterpret_cast<const unsigned char*>(text.data());
}

}  // namespace

LetterCase::LetterCase(const ByteTable& small, const std::array<bool, 256>& lead)
    : small_(small), lead_(lead), doubleByte_(false) {
    for (bool begins : lead_) {
        doubleByte_ = doubleByte_ || begins;
    }
}

LetterCase::ByteTable LetterCase::AsciiSmallForms() {
    ByteTable small{};
    for (int c = 0; c < 256; ++c) {
        small[c] = static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c + 0x20 : c);
    }
    return small;
}

LetterCase LetterCase::CodePage1252() {
    ByteTable small = AsciiSmallForms();
    for (int c = 0xC0; c <= 0xDE; ++c) {
        // The multiplication sign stands among the accented capitals.
        if (c != 0xD7) {
            small[c] = static_cast<unsigned char>(c + 0x20);
        }
    }
    small[0x8A] = 0x9A;  // S caron
    small[0x8C] = 0x9C;  // OE
    small[0x8E] = 0x9E;  // Z caron
    small[0x9F] = 0xFF;  // Y diaeresis
    return LetterCase(small, {});
}

int LetterCase::CompareSingleBytes(std::string_view a, std::string_view b) const {
    const unsigned char* small = small_.data();
    const unsigned char* x = Bytes(a);
    const unsigned char* y = Bytes(b);
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    // Keys in a sorted list share long beginnings: equal bytes are passed
    // over eight at a time.
    while (i + 8 <= n && Word(x + i) == Word(y + i)) {
        i += 8;
    }
    for (; i < n; ++i) {
        if (x[i] != y[i] && small[x[i]] != small[y[i]]) {
            return Order(small[x[i]], small[y[i]]);
        }
    }
    return LengthOrder(a, b);
}

// The texts agree, case aside, up to each byte looked at, so a double-byte
// character begins at the same place in both: only ASCII letters differ in
// case, and no lead byte is one. Its second byte is compared as it is.
int LetterCase::CompareDoubleBytes(std::string_view a, std::string_view b) const {
    const unsigned char* small = small_.data();
    const unsigned char* x = Bytes(a);
    const unsigned char* y = Bytes(b);
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (small[x[i]] != small[y[i]]) {
            return Order(small[x[i]], small[y[i]]);
        }
        if (lead_[x[i]] && i + 1 < n) {
            ++i;
            if (x[i] != y[i]) {
                return Order(x[i], y[i]);
            }
        }
    }
    return LengthOrder(a, b);
}

std::string LetterCase::Lower(std::string_view text) const {
    std::string result(text);
    if (!doubleByte_) {
        for (char& c : result) {
            c = static_cast<char>(small_[static_cast<unsigned char>(c)]);
        }
        return result;
    }
    const std::size_t n = result.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(result[i]);
        if (lead_[c] && i + 1 < n) {
            // The second byte of a double-byte character is no letter of its own.
            ++i;
        } else {
            result[i] = static_cast<char>(small_[c]);
        }
    }
    return result;
}
