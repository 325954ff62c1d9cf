#include "PlatformMsgBox.h"

#include <cstdio>

#include "MsgBox.h"

// Without a desktop nobody can answer: say what would have been shown and
// take the first button, as a user pressing Enter would.
int ShowPlatformMsgBox(const std::string& text, unsigned style, const std::string& title) {
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), text.c_str());
    switch (style & 0xF) {
        case MsgBoxStyle::YesNo:
        case MsgBoxStyle::YesNoCancel:
            return MsgBoxResult::Yes;
        default:
            return MsgBoxResult::OK;
    }
}
