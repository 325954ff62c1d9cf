// Stand-in for the mail-client plug-in launcher: a windowless process that
// stays up until it is ended. It records each message posted to its thread,
// so a test can see that it is still there after its start.
#include <windows.h>

#include "StandInRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    MSG msg;
    // The queue is there before the start is recorded, so whoever has seen
    // the start can post to it.
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    Record(std::string("start ") + commandLine);
    for (;;) {
        if (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            Record("message " + std::to_string(msg.message));
        }
    }
}
