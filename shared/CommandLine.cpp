#include "CommandLine.h"

namespace CommandLine {

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

}  // namespace CommandLine
