#include "PlatformMsgBox.h"

#include <windows.h>

int ShowPlatformMsgBox(const std::string& text, unsigned style, const std::string& title) {
    return MessageBoxA(GetActiveWindow(), text.c_str(), title.c_str(), style);
}
