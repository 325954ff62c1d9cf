#include <windows.h>

// A program that only carries a version record.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
