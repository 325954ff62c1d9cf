#include "TextCompare.h"
#include "modMain.h"

namespace modMain {

namespace {

// Walks the arguments in order; the visitor gets each finished argument and
// answers whether the walk goes on.
template <class Visitor>
void WalkArguments(const std::string& commandLine, Visitor visit) {
    bool inside = false;
    bool quoted = false;
    std::string current;
    for (char c : commandLine) {
        if (!inside) {
            if (c == ' ') {
                continue;
            }
            inside = true;
            quoted = c == '"';
            if (!quoted) {
                current += c;
            }
        } else if (quoted ? c == '"' : c == ' ') {
            inside = false;
            if (!visit(current)) {
                return;
            }
            current.clear();
        } else if (c != '"') {
            current += c;
        }
    }
    if (inside) {
        visit(current);
    }
}

}  // namespace

int GetArgCount(const std::string& commandLine) {
    int count = 0;
    WalkArguments(commandLine, [&](const std::string&) {
        ++count;
        return true;
    });
    return count;
}

std::string GetArg(const std::string& commandLine, int index) {
    std::string result;
    int at = 0;
    WalkArguments(commandLine, [&](const std::string& argument) {
        if (++at == index) {
            result = argument;
            return false;
        }
        return true;
    });
    return result;
}

void ParseSwitches(const std::string& commandLine) {
    const int count = GetArgCount(commandLine);
    for (int i = 1; i <= count; ++i) {
        const std::string argument = LowerCase(GetArg(commandLine, i));
        if (argument == "-hide") {
            gHideMainWindow = true;
        } else if (argument == "-install") {
            gInstallMode = true;
        } else if (argument == "-debug") {
            gDebugMode = true;
        }
    }
}

}  // namespace modMain
