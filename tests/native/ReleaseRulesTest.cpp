#include <gtest/gtest.h>

#include <string>

#include "modMainRelease.h"

namespace {

using modMain::IsNewerVersion;
using modMain::NoticeWanted;
using modMain::ReleaseNumber;
using modMain::ResponseBody;

TEST(ResponseBody, EndsAtTheFirstCode0Character) {
    EXPECT_EQ(ResponseBody(std::string("version=4.1.7\r\n\0\0\0", 18)), "version=4.1.7\r\n");
    EXPECT_EQ(ResponseBody(std::string(100, '\0')), "");
    EXPECT_EQ(ResponseBody("no terminator"), "no terminator");
}

TEST(ReleaseNumber, IsTheValueOfTheVersionLineWhereverItStands) {
    const struct {
        const char* body;
        const char* release;
    } cases[] = {
        {"version=4.1.7\r\n", "4.1.7"},
        {"version=4.1.7", "4.1.7"},
        {"a=b\r\nversion=4.1.7\r\n", "4.1.7"},  // not the value of the first "=" of the body
        {"# release\nname=x\rversion=5.0.0\n", "5.0.0"},
        {"  version=  4.2.0  \r\n", "4.2.0"},
        {"\tversion=4.2.1\r\n", "4.2.1"},
        {"\xEF\xBB\xBFversion=4.2.2\r\n", "4.2.2"},  // saved with a byte-order mark
        {"\xEF\xBB\xBF  version=4.2.3\r\n", "4.2.3"},
        {"a=b\r\n\xEF\xBB\xBFversion=4.2.4\r\n", ""},  // a mark belongs in front of the file only
        {"x version=4.1.7\r\n", ""},
        {"version=4.1.7\r\nversion=9.9.9\r\n", "4.1.7"},
        {"Version=4.1.7\r\n", ""},  // exact case
        {"subversion=4.1.7\r\n", ""},
        {"a=b\r\n", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReleaseNumber(c.body), c.release) << c.body;
    }
}

TEST(IsNewerVersion, ComparesUpToThreePartsAsNumbers) {
    const struct {
        const char* release;
        const char* running;
        bool newer;
    } cases[] = {
        {"4.0.10", "4.0.9", true},    {"4.0.9", "4.0.10", false},  {"4.10.0", "4.9.5", true},
        {"5", "4.0.0", true},  // the first part alone decides
        {"4.1", "4.0.0", true},       {"3.99.99", "4.0.0", false}, {"4.0.0", "4.0.0", false},
        {"04.00.00", "4.0.0", false}, {"4.0.0.9", "4.0.0", false},  // a fourth part is never looked at
        {"4.0", "4.0.5", false},      {"4", "4.0.0", false},       {"4.0.1", "4.0.0", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNewerVersion(c.release, c.running), c.newer) << c.release << " against " << c.running;
    }
}

TEST(IsNewerVersion, AMalformedReleaseIsNeverNewer) {
    for (const char* release : {"", "x", "5.x.0", "4.1.7b", "4..1", "-5.0.0", "5.0.", ".5", "5,0,0", "9 9.0.0"}) {
        EXPECT_FALSE(IsNewerVersion(release, "4.0.0")) << '"' << release << '"';
        EXPECT_FALSE(modMain::IsReleaseNumber(release)) << '"' << release << '"';
    }
    EXPECT_TRUE(modMain::IsReleaseNumber("4.1.7"));
    EXPECT_TRUE(modMain::IsReleaseNumber("4.1.7.x")) << "parts after the third are not looked at";
}

TEST(NoticeWanted, ADismissedReleaseSilencesItselfAndOlderOnesAsNumbers) {
    const struct {
        const char* latest;
        const char* dismissed;
        bool wanted;
    } cases[] = {
        {"4.1.7", "4.1.7", false},  {"4.0.10", "4.0.9", true},  // as text, 9 is not less than 10
        {"4.0.9", "4.0.10", false}, {"4.1.0", "4.0.10", true}, {"5.0.0", "4.9.9", true},
        {"4.1.6", "4.1.7", false},  {"4.1.7", "", true},  // nothing dismissed
        {"4.1.7", "4.1", true},                           // only a three-part release counts as dismissed
        {"4.1.7", "4", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NoticeWanted(c.latest, c.dismissed), c.wanted) << c.latest << " after " << c.dismissed;
    }
}

TEST(RequestFailureText, NamesTheFailureOfEachResultCode) {
    EXPECT_EQ(modMain::RequestFailureText(0, "proxy.example"), "");
    EXPECT_EQ(modMain::RequestFailureText(5, "proxy.example"),
              "Couldn't resolve proxy proxy.example. The given proxy host could not be resolved.");
    EXPECT_EQ(modMain::RequestFailureText(6, ""), "Couldn't  resolve  host. The given remote host was not resolved.");
    EXPECT_EQ(modMain::RequestFailureText(7, ""), "Failed to connect to host or proxy.");
    for (int code : {1, 22, 28, 56}) {
        EXPECT_EQ(modMain::RequestFailureText(code, ""), "Connection Failure.") << code;
    }
}

}  // namespace
