// Stand-in for the mail-client plug-in launcher: a windowless process that
// stays up until it is ended.
#include <windows.h>

#include "StandInRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Record(std::string("start ") + commandLine);
    Sleep(INFINITE);
    return 0;
}
