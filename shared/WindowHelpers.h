#pragma once
#include <windows.h>

#include <string>

// Reading and placing the programs' windows. The texts are read whole, at
// whatever length the window holds.

// The window's text (a caption, an edit's contents).
std::string WindowText(HWND window);

// The text of one list-box item; empty for an index the box does not hold.
std::string ListBoxText(HWND box, int index);

// The text of one list-view item's first column; empty for an index the
// list does not hold.
std::string ListViewText(HWND list, int index);

// Moves the window to the middle of the screen, keeping its size.
void CenterOnScreen(HWND window);

// The object a dialog procedure serves. WM_INITDIALOG binds the object the
// dialog was created with (its lParam) to the dialog, and every later message
// finds it there; nullptr before the binding and after the window clears it.
template <class Form>
Form* DialogObject(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    }
    return reinterpret_cast<Form*>(GetWindowLongPtrA(dialog, DWLP_USER));
}
