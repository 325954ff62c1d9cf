#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
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
