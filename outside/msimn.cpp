// Stand-in for the mail client's main window, for tests: a top-level window
// of the mail client's class that records every message it receives. A
// registered message is recorded by its name, so the reload messages can be
// told apart; the close message ends the program as the mail client's does.
#include <windows.h>

#include <cstdio>
#include <string>

#include "StandInRecord.h"

namespace {

std::string MessageName(UINT message) {
    if (message >= 0xC000 && message <= 0xFFFF) {
        char name[256];
        const int length = GetClipboardFormatNameA(message, name, sizeof name);
        if (length > 0) {
            return std::string(name, length);
        }
    }
    switch (message) {
        case WM_CLOSE:
            return "WM_CLOSE";
        case WM_DESTROY:
            return "WM_DESTROY";
        default:
            return "-";
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    char line[320];
    std::snprintf(line, sizeof line, "0x%04X %s %llu %lld", message, MessageName(message).c_str(),
                  static_cast<unsigned long long>(wParam), static_cast<long long>(lParam));
    Record(line);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "Outlook Express Browser Class";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Inbox - Outlook Express", WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOWMINNOACTIVE);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
    }
    return 0;
}
