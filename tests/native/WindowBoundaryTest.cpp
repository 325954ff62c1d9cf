#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "LogTrap.h"
#include "ObjectError.h"
#include "WindowBoundary.h"

namespace {

class WindowBoundaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        LogTrap::SetWriter([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override { LogTrap::SetWriter(nullptr); }

    std::vector<std::string> log;
};

void TypeMismatch() {
    throw ObjectError(13, "RegOp", "Type mismatch");
}

void cmdInner_Click() {
    const WindowBoundary::Handler handler(__func__);
    TypeMismatch();
}

void cmdOuter_Click() {
    const WindowBoundary::Handler handler(__func__);
    cmdInner_Click();
}

// An error that an outer handler dealt with is not blamed for a later one.
void cmdRecovering_Click() {
    const WindowBoundary::Handler handler(__func__);
    LogTrap::Trap("Inner() Error ", " : ", cmdInner_Click);
    throw std::runtime_error("disk full");
}

TEST_F(WindowBoundaryTest, AnErrorIsLoggedUnderTheHandlerItLeftAndTheProcedureAnswersItsFallback) {
    struct Case {
        void (*body)();
        const char* line;
    };
    const Case cases[] = {
        {cmdInner_Click, "cmdInner_Click() Error 13 : Type mismatch"},
        {cmdOuter_Click, "cmdInner_Click() Error 13 : Type mismatch"},
        {TypeMismatch, "frmTest() Error 13 : Type mismatch"},
        {[] { throw std::runtime_error("disk full"); }, "frmTest() Error 5 : disk full"},
        {cmdRecovering_Click, "cmdRecovering_Click() Error 5 : disk full"},
    };
    for (const Case& c : cases) {
        log.clear();
        const int answer = WindowBoundary::Guard("frmTest", 7, [&] {
            c.body();
            return 1;
        });
        EXPECT_EQ(answer, 7) << c.line;
        ASSERT_FALSE(log.empty()) << c.line;
        EXPECT_EQ(log.back(), c.line);
    }
}

// The library's errors name the function that raised them; the line says
// what went wrong in words.
TEST_F(WindowBoundaryTest, ALibraryErrorIsLoggedInWordsAndNeverByTheFunctionThatRaisedIt) {
    struct Case {
        void (*body)();
        const char* line;
    };
    const Case cases[] = {
        {[] { static_cast<void>(std::stol("many")); }, "frmTest() Error 13 : Type mismatch"},
        {[] { static_cast<void>(std::stod("")); }, "frmTest() Error 13 : Type mismatch"},
        {[] { static_cast<void>(std::get<int>(std::variant<std::string, int>("text"))); },
         "frmTest() Error 13 : Type mismatch"},
        {[] { static_cast<void>(std::vector<int>(3).at(5)); }, "frmTest() Error 9 : Subscript out of range"},
        {[] { static_cast<void>(std::string("abc").substr(7)); }, "frmTest() Error 9 : Subscript out of range"},
        {[] { std::string().reserve(std::string().max_size() + 1); }, "frmTest() Error 7 : Out of memory"},
        {[] { throw std::bad_alloc(); }, "frmTest() Error 7 : Out of memory"},
        {[] { throw std::overflow_error("bitset::to_ulong"); }, "frmTest() Error 6 : Overflow"},
        {[] { throw std::logic_error("basic_string: construction from null is not valid"); },
         "frmTest() Error 5 : Invalid procedure call or argument"},
        {[] { throw 42; }, "frmTest() Error 5 : Unknown error"},
    };
    for (const Case& c : cases) {
        log.clear();
        WindowBoundary::Guard("frmTest", 0, [&] {
            c.body();
            return 1;
        });
        ASSERT_EQ(log.size(), 1u) << c.line;
        EXPECT_EQ(log[0], c.line);
    }
}

TEST_F(WindowBoundaryTest, AFinishedBodyGivesItsOwnResultAndLogsNothing) {
    EXPECT_EQ(WindowBoundary::Guard("frmTest", 0, [] { return 3; }), 3);
    EXPECT_TRUE(log.empty());
}

// A failure dealt with inside one message is not carried to the next.
TEST_F(WindowBoundaryTest, AHandlerErrorTrappedInsideIsForgottenByTheNextMessage) {
    WindowBoundary::Guard("frmTest", 0, [] {
        try {
            cmdInner_Click();
        } catch (const ObjectError&) {
        }
        return 1;
    });
    WindowBoundary::Guard("frmTest", 0, [] {
        TypeMismatch();
        return 1;
    });
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "frmTest() Error 13 : Type mismatch");
}

}  // namespace
