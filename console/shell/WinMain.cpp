#include <windows.h>

#include "ResourcePictures.h"
#include "Resources.h"

// The console so far: a window titled with the product's name that stays
// until it is closed.
namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    try {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = LoadResIcon(101);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = "BrindlecoteAdmin";
        RegisterClassA(&windowClass);

        const std::string title = LoadResText(108);
        HWND window = CreateWindowExA(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                      CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance,
                                      nullptr);
        ShowWindow(window, show);
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return static_cast<int>(msg.wParam);
    } catch (const std::exception&) {
        return 1;
    }
}
