#include <gtest/gtest.h>

#include <string>

#include "VersionCompare.h"

namespace {

struct Case {
    const char* a;
    const char* b;
    int expected;  // VersionCompare(a, b)
};

void ExpectOrder(const Case& c) {
    EXPECT_EQ(VersionCompare(c.a, c.b), c.expected) << '"' << c.a << "\" vs \"" << c.b << '"';
    // The comparison is an order: swapping the sides turns the answer round.
    EXPECT_EQ(VersionCompare(c.b, c.a), -c.expected) << '"' << c.b << "\" vs \"" << c.a << '"';
}

// Parts are numbers: a text comparison would get every one of these wrong.
TEST(VersionCompare, ComparesPartsAsNumbersNotAsText) {
    const Case cases[] = {
        {"10.0", "4.72", 1},
        {"4.10", "4.9", 1},
        {"4.72.10000", "4.72.7290", 1},
        {"5.5.3825", "5.10.0", -1},
        {"6.0", "10.0", -1},
        {"4.74.8702.0", "4.74.8702.00", 0},
        {"5.00.0518.5000", "5.0.518.5000", 0},
        {"4.72.3110.03", "4.72.3110.3", 0},
        {"4.72.999", "4.72.1000", -1},
    };
    for (const Case& c : cases) {
        ExpectOrder(c);
    }
}

TEST(VersionCompare, MissingPartsCountAsZero) {
    const Case cases[] = {
        {"4.72", "4.72.0.0", 0},
        {"4.72.7290", "4.72.7290.0", 0},
        {"4.72.7290", "4.72.7290.1", -1},
        {"4.72.8164.0", "4.72.8164", 0},
        {"5", "4.99.9999.9999", 1},
        {"", "0.0", 0},
        {"", "0.0.1", -1},
        {"1.2.3.4.5.6", "1.2.3.4.5.7", -1},
    };
    for (const Case& c : cases) {
        ExpectOrder(c);
    }
}

TEST(VersionCompare, NumbersOfAnyLengthDoNotOverflow) {
    const Case cases[] = {
        {"99999999999999999999999.1", "9.1", 1},
        {"1.184467440737095516160", "1.18446744073709551615", 1},
        {"0000000000000000000000000007", "7", 0},
    };
    for (const Case& c : cases) {
        ExpectOrder(c);
    }
}

// Versions out of registries and files are not always clean: whatever a part
// holds, the comparison gives an answer and never fails.
TEST(VersionCompare, PartsThatAreNotNumbersStillCompare) {
    const Case cases[] = {
        {"5.0b", "5.0", 1},     {"5.0b", "5.0c", -1},    {"5.0B", "5.0b", 0},   {"5.0b", "5.1", -1},
        {"unknown", "0", 1},    {"unknown", "4.72", -1}, {"4.x.1", "4.0.1", 1}, {" 4 . 72 ", "4.72", 0},
        {"4..72", "4.0.72", 0}, {"4.72.", "4.72", 0},
    };
    for (const Case& c : cases) {
        ExpectOrder(c);
    }
}

}  // namespace
