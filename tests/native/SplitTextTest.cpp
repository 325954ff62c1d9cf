#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
