#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProxyAccount.h"

namespace {

TEST(ProxyAccountTest, NewUserNameKeepsTheOldServerAndAnyPortButTheDefault) {
    struct Case {
        const char* user;
        const char* server;
        const char* port;
        const char* expected;
    };
    for (const Case& c : {
             Case{"old user", "old server", "110", "old user#old server"},
             Case{"old user", "old server", "", "old user#old server"},
             Case{"old user", "old server", "995", "old user#old server:995"},
             Case{"old user", "old server", "0110", "old user#old server:0110"},
             Case{"", "pop.example", "", "#pop.example"},
         }) {
        EXPECT_EQ(ProxyAccount::NewUserName(c.user, c.server, c.port), c.expected) << c.port;
    }
}

TEST(ProxyAccountTest, OnlyAnAccountWithEncodedUserNameOnLocalhostFetchesThroughTheProxy) {
    EXPECT_TRUE(ProxyAccount::FetchesThroughProxy("jo#pop.example", "localhost"));
    EXPECT_TRUE(ProxyAccount::FetchesThroughProxy("jo#pop.example:995", "LocalHost"));
    EXPECT_FALSE(ProxyAccount::FetchesThroughProxy("jo", "localhost"));
    EXPECT_FALSE(ProxyAccount::FetchesThroughProxy("jo#pop.example", "pop.example"));
    EXPECT_FALSE(ProxyAccount::FetchesThroughProxy("jo#pop.example", "localhost.example"));
}

TEST(ProxyAccountTest, PortNumberTakesOnlyWholeNumbersFromOneTo65535) {
    EXPECT_EQ(ProxyAccount::PortNumber("1"), 1);
    EXPECT_EQ(ProxyAccount::PortNumber("8110"), 8110);
    EXPECT_EQ(ProxyAccount::PortNumber("32768"), 32768);
    EXPECT_EQ(ProxyAccount::PortNumber("65535"), 65535);
    for (const char* bad : {"", "0", "65536", "99999", "100000", "-1", "+80", " 80", "80 ", "8o", "1e3"}) {
        EXPECT_EQ(ProxyAccount::PortNumber(bad), std::nullopt) << bad;
    }
}

}  // namespace
