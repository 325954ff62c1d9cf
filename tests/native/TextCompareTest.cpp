#include "TextCompare.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

TEST(TextCompare, LettersOfCodePage1252CompareAsTheirSmallForms) {
    struct Case {
        std::string a;
        std::string b;
        int expected;
    };
    const Case cases[] = {
        {"Sender@Example.COM", "sender@example.com", 0},
        {"\xC0\xC9\xD6\xD8\xDE", "\xE0\xE9\xF6\xF8\xFE", 0},  // accented capitals
        {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", 0},          // S caron, OE, Z caron, Y diaeresis
        {"\xD7", "\xF7", -1},                                 // times and division are no letters
        {"\xDF", "\xFF", -1},                                 // sharp s has no capital here
        {"@", "`", -1},                                       // the neighbours of A and a stay apart
        {"[", "A", -1},                                       // A compares as a, after [
        {"a", "B", -1},
        {"Zeta", "alpha", 1},
        {"abc", "ABCD", -1},
        {"", "", 0},
        {std::string("a\0b", 3), std::string("A\0c", 3), -1},  // a NUL ends nothing
        {std::string("a\0", 2), "a", 1},
        // Long shared beginnings, the first eight bytes or more the same.
        {"www.example.com/Path", "www.example.com/path", 0},
        {"www.example.org", "www.example.com", 1},
        {"12345678", "12345678A", -1},
        {"12345678abcdefgh", "12345678ABCDEFGI", -1},
        {"first@example.com\xC9", "first@example.com\xE9", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextCompare(c.a, c.b), c.expected) << "[" << c.a << "] [" << c.b << "]";
        EXPECT_EQ(TextCompare(c.b, c.a), -c.expected) << "[" << c.b << "] [" << c.a << "]";
    }
}

TEST(TextCompare, LowerCaseAndTrimSpacesWorkOnPartsOfATextToo) {
    const std::string text = "  Mixed \xC9T\xC9 \t  Rest";
    const std::string_view part = std::string_view(text).substr(0, 13);
    EXPECT_EQ(LowerCase(part), "  mixed \xE9t\xE9 \t");
    EXPECT_EQ(TrimSpaces(part), "Mixed \xC9T\xC9 \t");
    EXPECT_EQ(TrimSpaces(std::string_view(text).substr(0, 2)), "");
    EXPECT_EQ(LowerCase("\x8A\x8C\x8E\x9F\xD7\xDF"), "\x9A\x9C\x9E\xFF\xD7\xDF");
}

}  // namespace
