#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "SingleInstance.h"

namespace {

// A name no other test or program uses, so the runs never meet.
std::string UniqueName(const char* what) {
    return std::string("Local\\SingleInstanceTest ") + what + " " + std::to_string(GetCurrentProcessId());
}

TEST(SingleInstance, TheFirstStartHoldsTheNameForTheNext) {
    const std::string name = UniqueName("held");
    EXPECT_FALSE(SingleInstance::AnotherInstanceRuns(name));
    EXPECT_TRUE(SingleInstance::AnotherInstanceRuns(name)) << "the first start let go of its mutex";
}

TEST(SingleInstance, ANameThatCannotBeAMutexCountsAsTaken) {
    // Another kind of object under the name makes the mutex impossible: the
    // program cannot tell it is alone and must not start.
    const std::string name = UniqueName("squatted");
    const HANDLE event = CreateEventA(nullptr, TRUE, FALSE, name.c_str());
    ASSERT_NE(event, nullptr);
    EXPECT_TRUE(SingleInstance::AnotherInstanceRuns(name));
    CloseHandle(event);
}

}  // namespace
