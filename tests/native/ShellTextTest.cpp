#include <gtest/gtest.h>

#include <string>

#include "ProcessName.h"
#include "modFileVersionInfo.h"
#include "modMain.h"

namespace {

TEST(StripCommentPrefix, RemovesOneLeadingMarkOnly) {
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"# bob@example.com", "bob@example.com"},
        {"# # twice", "# twice"},
        {"#nospace", "#nospace"},
        {" # blank first", " # blank first"},
        {"# ", ""},
        {"#", "#"},
        {"", ""},
        {"plain", "plain"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modMain::StripCommentPrefix(c.text), c.expected) << c.text;
    }
}

TEST(FileVersionText, FormatsTheTwoDoublewords) {
    struct Case {
        std::uint32_t ms;
        std::uint32_t ls;
        const char* expected;
    };
    const Case cases[] = {
        {0x00030001, 0x000C0002, "3.01.12.02"},   {0x00040000, 0x00000000, "4.00.0000"},
        {0x0004FFFF, 0x00000000, "4.65535.0000"}, {0x000A000B, 0x00640003, "10.11.100.03"},
        {0x00000000, 0x00000001, "0.00.00.01"},   {0xFFFF0000, 0xFFFFFFFF, "65535.00.65535.65535"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modFileVersionInfo::FormatFileVersion(c.ms, c.ls), c.expected);
    }
    EXPECT_EQ(modFileVersionInfo::HiWord(0x0004FFFF), 4u);
    EXPECT_EQ(modFileVersionInfo::LoWord(0x0004FFFF), 65535u);
}

TEST(ProcessNameMatches, MatchesTheBaseNameOnly) {
    struct Case {
        const char* path;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"C:\\Program Files\\Brindlecote\\Launcher.exe", "launcher", true},
        {"C:\\Program Files\\Brindlecote\\Launcher.exe", "Launcher", true},
        {"C:\\Program Files\\Brindlecote\\Launcher.exe", "launcher.exe", true},
        {"Launcher.exe", "launcher", true},
        {"C:\\x\\LAUNCHER", "launcher", true},
        {"C:\\x\\prelauncher.exe", "launcher", false},
        {"C:\\x\\launcher2.exe", "launcher", false},
        {"C:\\launcher\\other.exe", "launcher", false},
        {"C:\\Program Files\\Outlook Express\\msimn.exe", "msimn", true},
        {"C:\\x\\launcher.exe.bak", "launcher", false},
        {"C:\\x\\.exe", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProcessNameMatches(c.path, c.name), c.matches) << c.path << " / " << c.name;
    }
}

}  // namespace
