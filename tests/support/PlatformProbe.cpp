// Runs the process search as the console does on the platform it finds
// itself on, and writes what it saw beside itself ("platform_probe.record"):
//   platform=<id> found=<0|1> id=<process id>
#include <windows.h>

#include <cstdio>
#include <string>

#include "FileSystem.h"
#include "modMain.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    modMain::gPlatformId = modMain::GetOSVersion();
    std::uint32_t id = 0;
    const bool found = modMain::IsProcessRunning(commandLine, id);
    const std::string line = "platform=" + std::to_string(modMain::gPlatformId) +
                             " found=" + std::to_string(found ? 1 : 0) + " id=" + std::to_string(id);
    FileSystem::WriteWholeFile(FileSystem::ProgramDirectory() + "\\platform_probe.record", line);
    return 0;
}
