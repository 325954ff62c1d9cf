// Stand-in for the updater: records its arguments and ends.
#include <windows.h>

#include "StandInRecord.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Record(std::string("args ") + commandLine);
    return 0;
}
