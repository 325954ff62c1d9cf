#include "TextCompare.h"
#include "modPelwardenMain.h"

namespace modPelwardenMain {

namespace {

std::string& CommandLine() {
    static std::string text;
    return text;
}

// Blanks separate arguments; double quotes group one and are never part of it.
std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    std::string current;
    bool open = false;
    bool quoted = false;
    for (const char c : CommandLine()) {
        if (!open) {
            if (c == ' ') {
                continue;
            }
            open = true;
            quoted = c == '"';
            if (!quoted) {
                current.push_back(c);
            }
        } else if (quoted ? c == '"' : c == ' ') {
            arguments.push_back(current);
            current.clear();
            open = false;
        } else if (c != '"') {
            current.push_back(c);
        }
    }
    if (open) {
        arguments.push_back(current);
    }
    return arguments;
}

}  // namespace

void SetCommandLine(const std::string& arguments) { CommandLine() = arguments; }

std::int16_t GetArgCount() { return static_cast<std::int16_t>(Arguments().size()); }

std::string GetArg(std::int16_t n) {
    const std::vector<std::string> arguments = Arguments();
    if (n < 1 || static_cast<std::size_t>(n) > arguments.size()) {
        return "";
    }
    return arguments[static_cast<std::size_t>(n) - 1];
}

void ParseCommandLine() {
    for (std::int16_t n = 1, count = GetArgCount(); n <= count; ++n) {
        if (LowerCase(GetArg(n)) == "-show") {
            gShow = true;
        }
    }
}

}  // namespace modPelwardenMain
