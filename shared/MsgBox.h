#pragma once
#include <functional>
#include <string>

// Every message box of the programs goes through MsgBox, so a test can put a
// responder in place that records the box and answers it instead of a user.
namespace MsgBoxStyle {
// Buttons, icons and answers have the values of the Windows message box.
constexpr unsigned OKOnly = 0x0, OKCancel = 0x1, YesNoCancel = 0x3, YesNo = 0x4;
constexpr unsigned Critical = 0x10, Question = 0x20, Exclamation = 0x30, Information = 0x40;
}  // namespace MsgBoxStyle

namespace MsgBoxResult {
constexpr int OK = 1, Cancel = 2, Yes = 6, No = 7;
}

struct MsgBoxRequest {
    std::string text;
    unsigned style;
    std::string title;
};

using MsgBoxResponder = std::function<int(const MsgBoxRequest&)>;

// Shows the box (owned by the active window) and gives the button pressed.
int MsgBox(const std::string& text, unsigned style, const std::string& title);

// Puts a responder in place of the real box; an empty one restores the box.
void SetMsgBoxResponder(MsgBoxResponder responder);
