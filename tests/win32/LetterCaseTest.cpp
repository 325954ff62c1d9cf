#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "LetterCase.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

std::string Hex(const std::string& text) {
    std::string hex;
    for (unsigned char c : text) {
        const char digits[] = "0123456789ABCDEF";
        hex += digits[c >> 4];
        hex += digits[c & 15];
        hex += ' ';
    }
    return hex;
}

// Small forms from each code page's own chart: capitals the 1252 rule
// missed or mistook, bytes that are no capitals, bytes the code page leaves
// undefined, and double-byte characters whose bytes look like capitals.
TEST(LetterCase, EachCodePageMakesItsOwnLettersSmall) {
    const struct {
        unsigned codePage;
        std::string text;
        std::string small;
    } cases[] = {
        {1250, "\xA3\xA5\xBC\x8A\x8F\xD8\xC8", "\xB3\xB9\xBE\x9A\x9F\xF8\xE8"},  // L stroke, A ogonek, L caron ...
        {1250, "\xD7\xDF\xB3\x9F", "\xD7\xDF\xB3\x9F"},                          // times, sharp s, small letters
        {1251, "\xD7\x8F\xC0\xDF\xA8\x80\x81\xB2\xA5",
         "\xF7\x9F\xE0\xFF\xB8\x90\x83\xB3\xB4"},        // Che, Dzhe, A, Ya, Io ...
        {1251, "\x9F\xF7\xB5\x98", "\x9F\xF7\xB5\x98"},  // dzhe and che are small, micro, 0x98 undefined
        {1252, "\xC9T\xC9\x8A\x8C\x8E\x9F", "\xE9t\xE9\x9A\x9C\x9E\xFF"},
        {1252, "\xD7\xDF\xFF", "\xD7\xDF\xFF"},
        {1253, "\xC1\xD3\xA2\xB8\xDB",
         "\xE1\xF3\xDC\xDD\xFB"},                        // Alpha, Sigma, Alpha tonos, Epsilon tonos, Upsilon dialytika
        {1253, "\xF2\xD2\xAA\xB5", "\xF2\xD2\xAA\xB5"},  // final sigma, undefined 0xD2 and 0xAA, micro
        {932, "ABC", "abc"},
        {932, "\x83\x41", "\x83\x41"},              // katakana A: its second byte is no capital A
        {932, "\xC0\xC1", "\xC0\xC1"},              // half-width katakana ta chi, single bytes that are no letters
        {932, "\x82\x60", "\x82\x60"},              // full-width capital A stays
        {932, "X\x83\x41Y\x83", "x\x83\x41y\x83"},  // letters around one, and a lead byte cut off at the end
    };
    for (const auto& c : cases) {
        const LetterCase rule = LetterCase::OfCodePage(c.codePage);
        EXPECT_EQ(Hex(rule.Lower(c.text)), Hex(c.small)) << "code page " << c.codePage << ": " << Hex(c.text);
    }
}

TEST(LetterCase, TextsCompareAsTheirSmallFormsInTheirCodePage) {
    const struct {
        unsigned codePage;
        std::string a;
        std::string b;
        int expected;
    } cases[] = {
        {1251, "\xD7@ru.example", "\xF7@RU.EXAMPLE", 0},
        {1251, "\x8F", "\x9F", 0},
        {1251, "\x9F", "\xFF", -1},  // dzhe and ya are two letters
        {1252, "\x9F", "\xFF", 0},
        {1252, "\xD7", "\xF7", -1},
        {1250, "\xA3ukasz", "\xB3UKASZ", 0},
        {1253, "\xD3", "\xF3", 0},
        {1253, "\xD3", "\xF2", 1},  // sigma and final sigma stay apart
        {932, "Sender@Example.COM", "sender@example.com", 0},
        {932, "\x83\x41", "\x83\x61", -1},  // katakana a and di: second bytes A and a
        {932, "\xC0\xC1", "\xE0\xE1", -1},
        {932, "\x83\x41x", "\x83\x41X", 0},
        {932, "\x83\x41", "\x83\x41@", -1},
        {932, "a\x83", "A\x83\x41", -1},
    };
    for (const auto& c : cases) {
        const LetterCase rule = LetterCase::OfCodePage(c.codePage);
        EXPECT_EQ(rule.Compare(c.a, c.b), c.expected) << c.codePage << ": " << Hex(c.a) << "/ " << Hex(c.b);
        EXPECT_EQ(rule.Compare(c.b, c.a), -c.expected) << c.codePage << ": " << Hex(c.b) << "/ " << Hex(c.a);
    }
}

// The portable build's rule is the one the Windows programs follow on code
// page 1252, so a list sorts alike in both.
TEST(LetterCase, TheRuleOfCodePage1252IsTheSystemsOwn) {
    const LetterCase system = LetterCase::OfCodePage(1252);
    const LetterCase portable = LetterCase::CodePage1252();
    for (int c = 0; c < 256; ++c) {
        const std::string byte(1, static_cast<char>(c));
        EXPECT_EQ(Hex(portable.Lower(byte)), Hex(system.Lower(byte))) << Hex(byte);
    }
}

// The programs' own rule, through the functions every list uses: a byte that
// is a character of its own becomes what CharLowerBuffA makes of it, and a
// double-byte character keeps both its bytes. The lane runs this in code page
// 1252, and again in the code pages that EXPECTED_CODE_PAGE names.
TEST(LetterCase, TheProgramsFollowTheSystemCodePage) {
    if (const char* expected = std::getenv("EXPECTED_CODE_PAGE")) {
        ASSERT_EQ(std::to_string(GetACP()), expected) << "Wine did not take the code page of its locale";
    }
    for (int c = 0; c < 256; ++c) {
        const std::string byte(1, static_cast<char>(c));
        if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
            for (int trail = 0x40; trail < 0x100; ++trail) {
                const std::string character = byte + static_cast<char>(trail);
                EXPECT_EQ(Hex(LowerCase(character)), Hex(character)) << "code page " << GetACP();
            }
            continue;
        }
        wchar_t character = 0;
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, byte.data(), 1, &character, 1) != 1) {
            continue;
        }
        std::string small = byte;
        CharLowerBuffA(small.data(), 1);
        EXPECT_EQ(Hex(LowerCase(byte)), Hex(small)) << "code page " << GetACP();
    }
    EXPECT_EQ(TextCompare("Mixed@Example.COM", "mixed@example.com"), 0);
}

TEST(LetterCase, ACodePageTheSystemLacksIsRefused) {
    try {
        LetterCase::OfCodePage(12345);
        ADD_FAILURE() << "code page 12345 was taken";
    } catch (const ObjectError& error) {
        EXPECT_EQ(error.Number(), 5);
        EXPECT_EQ(error.Description(), "Code page 12345 is not installed");
    }
}

}  // namespace
