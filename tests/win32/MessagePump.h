#pragma once
#include <windows.h>

// Handles every message waiting for this thread, as the program's own loop
// would; a quit message is dropped, since no test's loop is ending.
inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}
