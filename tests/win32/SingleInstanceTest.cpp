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
    // The next start, as another program would make it, finds the name taken.
    const HANDLE next = CreateMutexA(nullptr, FALSE, name.c_str());
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "the first start let go of its mutex";
    CloseHandle(next);
    // Asked again, the process that holds the name is still the only one.
    EXPECT_FALSE(SingleInstance::AnotherInstanceRuns(name));
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
