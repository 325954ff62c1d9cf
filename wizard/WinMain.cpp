#include <windows.h>

#include "modWizard.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return modWizard::Main();
}
