#include "WindowHelpers.h"

#include <commctrl.h>

std::string WindowText(HWND window) {
    // The length may be given too large (never too small), so the text ends
    // where the copy says.
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

std::string ListBoxText(HWND box, int index) {
    const LRESULT length = SendMessageA(box, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(box, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

RedrawOff::RedrawOff(HWND list) : list_(list) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

RedrawOff::~RedrawOff() {
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void FillListBox(HWND box, const std::vector<std::string>& entries) {
    const RedrawOff quiet(box);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    std::size_t bytes = 0;
    for (const std::string& entry : entries) {
        bytes += entry.size() + 1;
    }
    // Storage for all of them at once, not grown entry by entry.
    SendMessageA(box, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (const std::string& entry : entries) {
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

std::string ListViewText(HWND list, int index) {
    // The list tells no length: the buffer grows until the text leaves room
    // to spare, so it was not cut short.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item{};
        item.pszText = text.data();
        item.cchTextMax = static_cast<int>(text.size());
        const LRESULT copied =
            SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        if (copied < 0 || static_cast<std::size_t>(copied) + 1 < text.size()) {
            text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
            return text;
        }
        text.resize(text.size() * 2);
    }
}

void CenterOnScreen(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
