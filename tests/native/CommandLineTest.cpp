#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "modMain.h"
#include "modPelwardenMain.h"

namespace {

// How one program reads its arguments: the console is handed the line with
// each call, the scanner keeps the line it was started with.
struct ArgumentReader {
    const char* program;
    std::function<int(const std::string& line)> count;
    std::function<std::string(const std::string& line, int index)> argument;
};

const ArgumentReader kReaders[] = {
    {"shared", [](const std::string& line) { return CommandLine::GetArgCount(line); },
     [](const std::string& line, int index) { return CommandLine::GetArg(line, index); }},
    {"console", [](const std::string& line) { return modMain::GetArgCount(line); },
     [](const std::string& line, int index) { return modMain::GetArg(line, index); }},
    {"scanner",
     [](const std::string& line) {
         modPelwardenMain::SetCommandLine(line);
         return static_cast<int>(modPelwardenMain::GetArgCount());
     },
     [](const std::string& line, int index) {
         modPelwardenMain::SetCommandLine(line);
         return modPelwardenMain::GetArg(static_cast<std::int16_t>(index));
     }},
};

TEST(CommandLine, SplitsAtBlanksAndGroupsQuotedText) {
    struct Case {
        const char* line;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"", {}},
        {"   ", {}},
        {"1", {"1"}},
        {"-hide", {"-hide"}},
        {"a\"b c", {"ab", "c"}},
        {"\"a b\"c", {"a b", "c"}},
        {"\"-debug x\"", {"-debug x"}},
        {"  -hide   -debug ", {"-hide", "-debug"}},
        {"  -show  1 ", {"-show", "1"}},
        {"\"-Show\" x", {"-Show", "x"}},
        {"\"two words\" last", {"two words", "last"}},
        {"a\tb c", {"a\tb", "c"}},
        {"\"open", {"open"}},
        {"\"open to the end", {"open to the end"}},
        {"\"\"", {""}},
    };
    for (const ArgumentReader& reader : kReaders) {
        for (const Case& c : cases) {
            ASSERT_EQ(reader.count(c.line), static_cast<int>(c.arguments.size())) << reader.program << ": " << c.line;
            for (std::size_t i = 0; i < c.arguments.size(); ++i) {
                EXPECT_EQ(reader.argument(c.line, static_cast<int>(i) + 1), c.arguments[i])
                    << reader.program << ": " << c.line;
            }
            EXPECT_EQ(reader.argument(c.line, static_cast<int>(c.arguments.size()) + 1), "")
                << reader.program << ": " << c.line;
            EXPECT_EQ(reader.argument(c.line, 0), "") << reader.program << ": " << c.line;
        }
    }
    modPelwardenMain::SetCommandLine("");
}

TEST(CommandLine, ConsoleSetsOnlyTheExactSwitchesInAnyCase) {
    struct Case {
        const char* line;
        bool hide, install, debug;
    };
    const Case cases[] = {
        {"-hide", true, false, false},
        {"\"-debug\"", false, false, true},
        {"-DEBUG -Install", false, true, true},
        {"\"-debug x\"", false, false, false},
        {"-hidden -debug2 hide", false, false, false},
    };
    for (const Case& c : cases) {
        modMain::gHideMainWindow = modMain::gInstallMode = modMain::gDebugMode = false;
        modMain::ParseSwitches(c.line);
        EXPECT_EQ(modMain::gHideMainWindow, c.hide) << c.line;
        EXPECT_EQ(modMain::gInstallMode, c.install) << c.line;
        EXPECT_EQ(modMain::gDebugMode, c.debug) << c.line;
    }
    modMain::gHideMainWindow = modMain::gInstallMode = modMain::gDebugMode = false;
}

TEST(CommandLine, ScannerShowInAnyLetterCaseOrQuotedSetsShow) {
    const struct {
        const char* line;
        bool show;
    } cases[] = {
        {"1", false}, {"-show", true}, {"-SHOW", true}, {"1 \"-sHoW\"", true}, {"-shows", false}, {"show", false},
    };
    for (const auto& c : cases) {
        modPelwardenMain::gShow = false;
        modPelwardenMain::SetCommandLine(c.line);
        modPelwardenMain::ParseCommandLine();
        EXPECT_EQ(modPelwardenMain::gShow, c.show) << c.line;
    }
    modPelwardenMain::gShow = false;
    modPelwardenMain::SetCommandLine("");
}

}  // namespace
