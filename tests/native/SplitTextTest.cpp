#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FileSystem.h"
#include "TextCompare.h"

namespace {

using Parts = std::vector<std::string>;

TEST(SplitText, KeepsEveryPieceBetweenTheSeparators) {
    const struct {
        std::string text;
        char separator;
        Parts parts;
    } cases[] = {
        {"", '.', {""}},
        {"4", '.', {"4"}},
        {"4.72.7290.00", '.', {"4", "72", "7290", "00"}},
        {"4.0.", '.', {"4", "0", ""}},
        {".", '.', {"", ""}},
        {"a..b", '.', {"a", "", "b"}},
        {std::string("one\0two\0", 8), '\0', {"one", "two", ""}},
        {"a;b", '.', {"a;b"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SplitText(c.text, c.separator), c.parts) << "\"" << c.text << "\"";
    }
}

TEST(SplitLinesWithEnds, EndsLinesAtCrLfCrOrLfAndKeepsEachEnd) {
    using Lines = std::vector<std::pair<std::string, std::string>>;
    const struct {
        std::string text;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"a", {{"a", ""}}},
        {"a\r\nb\r\n", {{"a", "\r\n"}, {"b", "\r\n"}}},
        {"a\nb\rc", {{"a", "\n"}, {"b", "\r"}, {"c", ""}}},
        {"\n\r\r\n\r", {{"", "\n"}, {"", "\r"}, {"", "\r\n"}, {"", "\r"}}},
        {"a\r\r\nb", {{"a", "\r"}, {"", "\r\n"}, {"b", ""}}},
        {std::string("a\0b\nc\0", 6), {{std::string("a\0b", 3), "\n"}, {std::string("c\0", 2), ""}}},
    };
    for (const auto& c : cases) {
        Lines lines;
        for (const FileSystem::TextLine& line : FileSystem::SplitLinesWithEnds(c.text)) {
            lines.emplace_back(line.text, line.end);
        }
        EXPECT_EQ(lines, c.lines) << "\"" << c.text << "\"";
    }
}

}  // namespace
