#include "modBringForeground.h"

#include <string>

#include "Resources.h"
#include "StringIds.h"
#include "WindowHelpers.h"
#include "modMain.h"

namespace modBringForeground {

HWND gPrevInstanceWindow = nullptr;

namespace {
// The main window is a dialog of the system's dialog class.
const char kMainWindowClass[] = "#32770";
}  // namespace

BOOL CALLBACK EnumTopLevelWindowProc(HWND window, LPARAM) {
    if (!IsWindowVisible(window) || GetParent(window) != nullptr) {
        return TRUE;
    }
    const LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    const bool owned = GetWindow(window, GW_OWNER) != nullptr;
    const bool applicationWindow = owned ? (exStyle & WS_EX_APPWINDOW) != 0 : (exStyle & WS_EX_TOOLWINDOW) == 0;
    if (!applicationWindow) {
        return TRUE;
    }
    // The console's main window itself: a dialog with its caption, whole. The
    // scanner's and the wizard's windows carry the product's name too.
    char windowClass[64] = "";
    GetClassNameA(window, windowClass, sizeof windowClass);
    if (std::string(windowClass) == kMainWindowClass && WindowText(window) == LoadResText(kStrMainWindowCaption)) {
        gPrevInstanceWindow = window;
    }
    return TRUE;
}

void FindPreviousInstanceWindow() {
    gPrevInstanceWindow = nullptr;
    EnumWindows(EnumTopLevelWindowProc, 0);
}

void ForceForegroundWindow(HWND window) {
    const HWND foreground = GetForegroundWindow();
    // A minimised window can still be the foreground one; it is restored all the same.
    if (window == foreground && !IsIconic(window)) {
        return;
    }
    const DWORD foregroundThread = GetWindowThreadProcessId(foreground, nullptr);
    const DWORD targetThread = GetWindowThreadProcessId(window, nullptr);
    BOOL result;
    if (foregroundThread == targetThread) {
        result = SetForegroundWindow(window);
    } else {
        AttachThreadInput(foregroundThread, targetThread, TRUE);
        result = SetForegroundWindow(window);
        AttachThreadInput(foregroundThread, targetThread, FALSE);
    }
    modMain::WriteConsoleLog("lReturn = " + std::to_string(result ? 1 : 0));
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
}

}  // namespace modBringForeground
