#include <gtest/gtest.h>

#include <vector>

#include "UniqueHandle.h"

namespace {

std::vector<int*> gClosed;

int Close(int* handle) {
    gClosed.push_back(handle);
    return 1;
}

using Handle = UniqueHandle<int*, Close>;

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override { gClosed.clear(); }
    int first_ = 0;
    int second_ = 0;
};

TEST_F(UniqueHandleTest, ClosesItsHandleOnceWhenItGoes) {
    {
        const Handle handle(&first_);
        EXPECT_TRUE(handle.valid());
        EXPECT_EQ(handle.get(), &first_);
        EXPECT_TRUE(gClosed.empty());
    }
    EXPECT_EQ(gClosed, std::vector<int*>({&first_}));
}

TEST_F(UniqueHandleTest, ResetClosesTheOldHandleAndKeepsTheNew) {
    {
        Handle handle(&first_);
        handle.reset(&second_);
        EXPECT_EQ(gClosed, std::vector<int*>({&first_}));
        EXPECT_EQ(handle.get(), &second_);
    }
    EXPECT_EQ(gClosed, std::vector<int*>({&first_, &second_}));
}

TEST_F(UniqueHandleTest, NullAndAllOnesAreNoHandle) {
    for (int* none : {static_cast<int*>(nullptr), reinterpret_cast<int*>(-1)}) {
        {
            Handle handle(none);
            EXPECT_FALSE(handle.valid());
            handle.reset(&first_);
        }
        EXPECT_EQ(gClosed, std::vector<int*>({&first_})) << "a failed open's value was closed";
        gClosed.clear();
    }
}

}  // namespace
