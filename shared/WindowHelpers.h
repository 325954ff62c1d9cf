#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Reading and placing the programs' windows. The texts are read whole, at
// whatever length the window holds.

// The window's text (a caption, an edit's contents).
std::string WindowText(HWND window);

// The text of one list-box item; empty for an index the box does not hold.
std::string ListBoxText(HWND box, int index);

// The text of one list-view item's first column; empty for an index the
// list does not hold.
std::string ListViewText(HWND list, int index);

// Keeps a list from drawing while it is filled: drawn item by item, a long
// list costs many times what it holds. The list is drawn once, whole, when
// the guard goes.
class RedrawOff {
public:
    explicit RedrawOff(HWND list);
    ~RedrawOff();
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    HWND list_;
};

// Empties the list box and adds the entries in their order, drawing once.
void FillListBox(HWND box, const std::vector<std::string>& entries);

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
