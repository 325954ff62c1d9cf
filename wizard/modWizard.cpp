#include "modWizard.h"

#include <windows.h>

#include "CWizard.h"
#include "CWizardController.h"
#include "IWizardPage.h"
#include "LogTrap.h"
#include "WizardForm.h"
#include "modOE.h"

namespace modWizard {

std::shared_ptr<IWizardController> gWizardController;

namespace {

// Shift 1, Ctrl 2, Alt 4, as the key events report them. Alt is read from
// the message itself, which says whether it was down with the key.
std::int16_t ShiftState(const MSG& msg) {
    std::int16_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= 2;
    if (msg.message == WM_SYSKEYUP && (msg.lParam & (1 << 29)) != 0)
        shift |= 4;
    return shift;
}

bool IsKey(const MSG& msg, UINT message) {
    return msg.message == message || msg.message == message + (WM_SYSKEYDOWN - WM_KEYDOWN);
}

// Enter and Escape act when released (TranslateKey); the dialog manager must
// not act on them as well when they go down.
bool IsEnterOrEscape(const MSG& msg) {
    return (IsKey(msg, WM_KEYDOWN) || IsKey(msg, WM_CHAR)) && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

// Every key released in the wizard's window goes to the frame first; true
// when the frame used it.
bool KeyUsedByFrame(const MSG& msg, CWizard& wizard) {
    if (!IsKey(msg, WM_KEYUP))
        return false;
    std::int16_t keyCode = static_cast<std::int16_t>(msg.wParam);
    wizard.TranslateKey(keyCode, ShiftState(msg));
    return keyCode == 0;
}

}  // namespace

WizardForm* PageForm(IWizardPage* page) {
    return dynamic_cast<WizardForm*>(page);
}

int Main() {
    LogTrap::SetWriter(modOE::LogMessage);
    gWizardController = std::make_shared<CWizardController>();
    CWizard& wizard = gWizardController->WizardHandle();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        const HWND frame = wizard.hWnd();
        const bool inWizard = frame != nullptr && (msg.hwnd == frame || IsChild(frame, msg.hwnd));
        if (inWizard) {
            if (IsEnterOrEscape(msg))
                continue;
            if (KeyUsedByFrame(msg, wizard))
                continue;
            if (wizard.hWnd() != nullptr && IsDialogMessageA(wizard.hWnd(), &msg))
                continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

}  // namespace modWizard
