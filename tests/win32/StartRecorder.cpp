// A program the window under test starts in place of another: records the
// arguments it was given and the folder it was started in, then ends.
#include <windows.h>

#include "StandInRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    Record(std::string("args ") + commandLine);
    Record(std::string("dir ") + folder);
    return 0;
}
