#include <gtest/gtest.h>

#include "Resources.h"
#include "modMain.h"

namespace {

TEST(SubstituteArg, ReplacesOnlyTheFirstPlaceholder) {
    struct Case {
        const char* text;
        const char* argument;
        const char* expected;
    };
    const Case cases[] = {
        {"no placeholder", "x", "no placeholder"},
        {"%1", "", ""},
        {"%1 and %1", "a", "a and %1"},
        {"ends with %1", "it", "ends with it"},
        {"%1%", "42", "42%"},
        {"%2 stays", "x", "%2 stays"},
        {"", "x", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modMain::SubstituteArg(c.text, c.argument), c.expected) << c.text;
    }
}

TEST(SubstituteArg, FillsTheTablesPlaceholderTexts) {
    EXPECT_EQ(modMain::SubstituteArg(LoadResText(385), "42"), "42%");
    EXPECT_EQ(modMain::SubstituteArg(LoadResText(152), "bob@example.com"), "bob@example.com is already on the list.");
}

}  // namespace
