#include "MsgBox.h"

#include "PlatformMsgBox.h"

namespace {
MsgBoxResponder& Responder() {
    static MsgBoxResponder responder;
    return responder;
}
}  // namespace

int MsgBox(const std::string& text, unsigned style, const std::string& title) {
    if (Responder()) {
        return Responder()({text, style, title});
    }
    return ShowPlatformMsgBox(text, style, title);
}

void SetMsgBoxResponder(MsgBoxResponder responder) {
    Responder() = std::move(responder);
}
