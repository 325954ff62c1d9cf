#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "CurlRequest.h"
#include "LogTrap.h"
#include "ObjectError.h"

namespace {

// This test runs where morrowget.dll cannot be found.
TEST(CurlRequestWithoutItsLibrary, GetRequestLogsTheFailureAndKeepsTheOldCode) {
    ASSERT_EQ(GetModuleHandleA("morrowget.dll"), nullptr);
    std::vector<std::string> lines;
    LogTrap::SetWriter([&](const std::string& line) { lines.push_back(line); });
    CurlRequest request;
    request.bufferSize(16);
    request.GetRequest("127.0.0.1", 80, false, "/v.txt");
    LogTrap::SetWriter(nullptr);
    EXPECT_EQ(request.errorCode(), 0);
    EXPECT_EQ(request.Response(), std::string(16, '\0'));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "CurlGet() Error : 53 File not found: morrowget.dll");
}

TEST(CurlRequestWithoutItsLibrary, PostRaisesTheFailure) {
    CurlRequest request;
    try {
        request.Post("127.0.0.1", 80, false, "/v.txt", "", "");
        ADD_FAILURE() << "no error raised";
    } catch (const ObjectError& error) {
        EXPECT_EQ(error.Description(), "CurlSendRequest failed");
        EXPECT_NE(error.Number(), 0);
    }
}

}  // namespace
