#include "frmStatus.h"

#include <windows.h>

#include "ResourcePictures.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmStatusIds.h"

namespace frmStatus {

namespace {

HWND gWindow = nullptr;

void Form_Load(HWND window) {
    SetWindowTextA(window, LoadResText(kStrProductTitle).c_str());
    ShowProgramIcon(window);
    CenterOnScreen(window);
}

void cmdOK_Click() {
    Unload();
}

// Room the list leaves around an item's text, in pixels.
constexpr int kItemMargin = 4;

// A line wider than the list widens its scrolling range, so that the
// horizontal scroll bar brings the end of a long path into view.
void WidenFor(HWND list, const std::string& text) {
    HDC dc = GetDC(list);
    const HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, oldFont);
    ReleaseDC(list, dc);
    const LRESULT width = size.cx + kItemMargin;
    if (width > SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0)) {
        SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
    }
}

INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam) {
    switch (message) {
        case WM_INITDIALOG:
            Form_Load(window);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_cmdOK && HIWORD(wParam) == BN_CLICKED) {
                cmdOK_Click();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            Unload();
            return TRUE;
        case WM_DESTROY:
            gWindow = nullptr;
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    return WindowBoundary::Guard("frmStatus", INT_PTR{TRUE}, [&] { return HandleMessage(window, message, wParam); });
}

}  // namespace

void Show() {
    if (gWindow != nullptr) {
        return;
    }
    gWindow = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmStatus), nullptr, DialogProc, 0);
    if (gWindow != nullptr) {
        ShowWindow(gWindow, SW_SHOW);
        UpdateWindow(gWindow);
    }
}

void AddLine(const std::string& text) {
    if (gWindow == nullptr) {
        return;
    }
    HWND list = GetDlgItem(gWindow, IDC_lstStatus);
    const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index >= 0) {
        WidenFor(list, text);
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

void EnableOK() {
    if (gWindow != nullptr) {
        EnableWindow(GetDlgItem(gWindow, IDC_cmdOK), TRUE);
    }
}

void Unload() {
    if (gWindow != nullptr) {
        DestroyWindow(gWindow);
    }
}

void DoEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // A close during the run has already unloaded the window; the run goes on.
        if (message.message == WM_QUIT) {
            continue;
        }
        if (gWindow == nullptr || !IsDialogMessageA(gWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void RunUntilUnloaded() {
    MSG message;
    while (gWindow != nullptr && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(gWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

}  // namespace frmStatus
