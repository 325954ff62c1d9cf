#include "TextCompare.h"
#include "modMain.h"

namespace modMain {

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
