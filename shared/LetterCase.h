#pragma once
#include <array>
#include <string>
#include <string_view>

// How a code page makes letters small, for comparing texts without regard to
// case and for the small form of list entries. On a single-byte code page
// each byte has a small form of its own (itself when it is no capital); on a
// double-byte code page only the ASCII capitals outside double-byte
// characters have one, and no byte of a double-byte character is ever made
// small or compared as another. Every program uses the system's rule, so a
// list keeps its order whichever program saved it.
class LetterCase {
public:
    // The rule of code page 1252.
    static LetterCase CodePage1252();
    // The rule of the code page as the system gives it (Windows only; raises
    // ObjectError 5 for a code page the system does not have).
    static LetterCase OfCodePage(unsigned codePage);
    // The rule of the system's code page: that of the Windows programs' code
    // page, code page 1252 in the portable build.
    static LetterCase OfSystemCodePage();
    // The same, taken once; every comparison of list keys asks for it.
    static const LetterCase& System() {
        static const LetterCase rule = OfSystemCodePage();
        return rule;
    }

    // -1, 0 or 1: the texts compared byte by byte, each in its small form.
    int Compare(std::string_view a, std::string_view b) const {
        return doubleByte_ ? CompareDoubleBytes(a, b) : CompareSingleBytes(a, b);
    }
    // The text with its letters made small.
    std::string Lower(std::string_view text) const;

private:
    using ByteTable = std::array<unsigned char, 256>;

    LetterCase(const ByteTable& small, const std::array<bool, 256>& lead);
    // Each byte's small form.
    static ByteTable AsciiSmallForms();

    int CompareSingleBytes(std::string_view a, std::string_view b) const;
    int CompareDoubleBytes(std::string_view a, std::string_view b) const;

    // Each byte's small form where it stands as a character of its own.
    ByteTable small_;
    // The bytes that begin a double-byte character; none on a single-byte
    // code page.
    std::array<bool, 256> lead_;
    bool doubleByte_;
};
