#include <windows.h>

// The mail-store scanner so far: it only says that it ran.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OutputDebugStringA("Pelwarden started\n");
    return 0;
}
