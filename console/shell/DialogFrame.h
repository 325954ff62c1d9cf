#pragma once
#include <windows.h>

// The frame that the notice and the about box share: centred on the screen,
// the program's icon, the product's title as caption.
void DecorateDialogFrame(HWND dialog);
