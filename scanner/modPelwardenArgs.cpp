#include "CommandLine.h"
#include "TextCompare.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

namespace {

std::string& StoredCommandLine() {
    static std::string text;
    return text;
}

}  // namespace

void SetCommandLine(const std::string& arguments) {
    StoredCommandLine() = arguments;
}

std::int16_t GetArgCount() {
    return static_cast<std::int16_t>(CommandLine::GetArgCount(StoredCommandLine()));
}

std::string GetArg(std::int16_t n) {
    return CommandLine::GetArg(StoredCommandLine(), n);
}

void ParseCommandLine() {
    for (std::int16_t n = 1, count = GetArgCount(); n <= count; ++n) {
        if (LowerCase(GetArg(n)) == "-show") {
            gShow = true;
        }
    }
}

}  // namespace modPelwardenMain
