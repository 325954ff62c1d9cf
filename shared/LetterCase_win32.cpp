#include <windows.h>

#include <string>

#include "LetterCase.h"
#include "ObjectError.h"

namespace {

// The byte's small form in a single-byte code page: the system's small form
// of the character it stands for, when the code page holds that as one byte
// too. A byte the code page leaves undefined, or whose small form it cannot
// write, stays as it is.
unsigned char SmallForm(unsigned codePage, unsigned char byte) {
    const char in = static_cast<char>(byte);
    wchar_t character = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &in, 1, &character, 1) != 1) {
        return byte;
    }
    wchar_t small = character;
    CharLowerBuffW(&small, 1);
    if (small == character) {
        return byte;
    }
    char out[2] = {};
    BOOL approximated = FALSE;
    if (WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, &small, 1, out, sizeof out, nullptr, &approximated) != 1 ||
        approximated) {
        return byte;
    }
    wchar_t back = 0;
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, out, 1, &back, 1) != 1 || back != small) {
        return byte;
    }
    return static_cast<unsigned char>(out[0]);
}

}  // namespace

LetterCase LetterCase::OfCodePage(unsigned codePage) {
    CPINFO info{};
    if (!GetCPInfo(codePage, &info)) {
        throw ObjectError(5, "LetterCase", "Code page " + std::to_string(codePage) + " is not installed");
    }
    ByteTable small = AsciiSmallForms();
    std::array<bool, 256> lead{};
    if (info.MaxCharSize > 1) {
        // Only ASCII capitals are made small; LeadByte holds pairs of first
        // and last lead bytes, ended by a pair of zeros.
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i] != 0; i += 2) {
            for (int c = info.LeadByte[i]; c <= info.LeadByte[i + 1]; ++c) {
                lead[c] = true;
            }
        }
    } else {
        for (int c = 0; c < 256; ++c) {
            small[c] = SmallForm(codePage, static_cast<unsigned char>(c));
        }
    }
    return LetterCase(small, lead);
}

LetterCase LetterCase::OfSystemCodePage() {
    return OfCodePage(GetACP());
}
