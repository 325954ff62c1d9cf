#include <windows.h>

// The account wizard so far: it only says that it ran.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    OutputDebugStringA("Wizard started\n");
    return 0;
}
