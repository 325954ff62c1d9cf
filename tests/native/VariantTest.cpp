#include "Variant.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ListTestFixture.h"

namespace {

// A value about to go hands its text over; any other value gives the text
// form a kept one gives.
TEST(Variant, TextFormIsTheSameForKeptAndPassingValues) {
    struct Case {
        Variant value;
        std::string text;
    };
    const Case cases[] = {
        {Variant(), ""},
        {Variant(""), ""},
        {Variant(std::string("a text longer than the short-string buffer")),
         "a text longer than the short-string buffer"},
        {Variant(std::int32_t{-42}), "-42"},
        {Variant(0.1), "0.1"},
        {Variant(2.5), "2.5"},
        {Variant(true), "True"},
        {Variant(false), "False"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.value.ToText(), c.text);
        Variant passing = c.value;
        EXPECT_EQ(std::move(passing).ToText(), c.text);
    }
}

TEST(Variant, ArraysAndObjectsHaveNoTextFormEitherWay) {
    const Variant values[] = {Variant(Variant::Array{Variant("x")}), Variant(Variant::Object())};
    for (const Variant& value : values) {
        EXPECT_EQ(RaisedBy([&] { value.ToText(); }).Number(), 13);
        Variant passing = value;
        EXPECT_EQ(RaisedBy([&] { std::move(passing).ToText(); }).Number(), 13);
    }
}

}  // namespace
