#include "DialogFrame.h"

#include "ResourcePictures.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowHelpers.h"

void DecorateDialogFrame(HWND dialog) {
    CenterOnScreen(dialog);
    const HICON icon = LoadResIcon(101);
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowTextA(dialog, LoadResText(kStrProductTitle).c_str());
}
