#include <windows.h>

#include "LogTrap.h"
#include "ProgramTitle.h"
#include "StringIds.h"
#include "frmMain.h"
#include "modMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetProgramTitle(kStrConsoleTitle);
    LogTrap::SetWriter([](const std::string& line) { modMain::WriteConsoleLog(line); });
    modMain::Main();
    HWND window = frmMain::Instance().Window();
    if (window == nullptr) {
        return 0;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(frmMain::Instance().Window(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return 0;
}
