#pragma once
#include <windows.h>

// The frame that the notice and the about box share: centred on the screen,
// icon resource 101, the program's title (string 101) as caption.
void DecorateDialogFrame(HWND dialog);
