#pragma once
#include <windows.h>

#include <string>

// The text as the control draws it. A button, a check box or a group box,
// and a static without SS_NOPREFIX, take a "&" as the mark of the next
// character's access key and draw "&&" as one "&"; other controls draw their
// text as it is. Works on the windows of another process as well.
inline std::string ShownText(HWND control) {
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), length + 1)));
    char kind[32] = "";
    GetClassNameA(control, kind, sizeof kind);
    const bool prefixes = lstrcmpiA(kind, "Button") == 0 ||
                          (lstrcmpiA(kind, "Static") == 0 && !(GetWindowLongPtrA(control, GWL_STYLE) & SS_NOPREFIX));
    if (!prefixes) {
        return text;
    }
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && ++i == text.size()) {
            break;
        }
        shown += text[i];
    }
    return shown;
}
