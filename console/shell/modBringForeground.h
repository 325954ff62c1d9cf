#pragma once
#include <windows.h>

// Finding the window of a console that already runs, and bringing a window
// to the foreground.
namespace modBringForeground {

// The window of an already running console, 0 when none was found.
extern HWND gPrevInstanceWindow;

// Walks the top-level windows and leaves the last match in gPrevInstanceWindow.
void FindPreviousInstanceWindow();

// The walk's callback: a visible, unparented application window of the main
// window's dialog class whose title is the main window's caption (string 108).
// Always goes on.
BOOL CALLBACK EnumTopLevelWindowProc(HWND window, LPARAM parameter);

// Makes the window the foreground window, restoring it when minimised.
void ForceForegroundWindow(HWND window);

}  // namespace modBringForeground
