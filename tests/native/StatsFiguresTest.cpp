#include <gtest/gtest.h>

#include "StatsFigures.h"

namespace {

TEST(StatsFigures, TrainingPercentIsTheRoundedShareOfMinTraining) {
    struct Case {
        std::int32_t count;
        const char* minTraining;
        std::int64_t percent;
    };
    const Case cases[] = {
        {1, "8", 12},  // 12.5 goes to the even neighbour
        {3, "8", 38},  // 37.5 too
        {57, "100", 57}, {250, "100", 100}, {16, "8", 100},  {0, "100", 0},
        {7, " 100 ", 7}, {1, "8.4", 12},  // min_training is taken as a whole number first
        {-5, "100", -5},                  // no lower bound
        {5, "0", 0},     {5, "", 0},        {5, "lots", 0},  {5, "100x", 0},
        {5, "0.4", 0},   {5, "nan", 0},     {5, "1e400", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatsFigures::TrainingPercent(c.count, c.minTraining), c.percent)
            << c.count << " of " << c.minTraining;
    }
    EXPECT_EQ(StatsFigures::TrainingPercentText(3, "8"), "38%");
}

TEST(StatsFigures, CountersShowZeroNumbersOrTheStoredText) {
    struct Case {
        const char* stored;
        bool asWholeNumber;
        const char* shown;
    };
    const Case cases[] = {
        {"", true, "0"},
        {"", false, "0"},
        {"  ", true, "0"},
        {"007", true, "7"},
        {"007", false, "007"},
        {"12.5", true, "12"},
        {"many", true, "many"},
        {"3 msgs", true, "3 msgs"},
        {"2026-12-10 10:00:00", false, "2026-12-10 10:00:00"},
        {"4294967295", true, "4294967295"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StatsFigures::CounterText(c.stored, c.asWholeNumber), c.shown) << c.stored;
    }
}

}  // namespace
