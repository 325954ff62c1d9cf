#include "DialogFrame.h"

#include "ResourcePictures.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowHelpers.h"

void DecorateDialogFrame(HWND dialog) {
    CenterOnScreen(dialog);
    ShowProgramIcon(dialog);
    SetWindowTextA(dialog, LoadResText(kStrProductTitle).c_str());
}
