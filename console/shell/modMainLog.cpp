#include "ConsoleLog.h"
#include "FileSystem.h"
#include "modFileVersionInfo.h"
#include "modMain.h"
#include "modSysDirectories.h"

namespace modMain {

namespace {

std::string VersionLine(const std::string& directory, const std::string& name) {
    const std::string path = directory + "\\" + name;
    if (!FileExists(path)) {
        return name + " not found";
    }
    return name + " : " + modFileVersionInfo::GetFileVersion(path);
}

}  // namespace

void WriteConsoleLog(const std::string& message, bool debugOnly) {
    if (debugOnly && !gDebugMode) {
        return;
    }
    ConsoleLog::Write(message);
}

void WriteVersionReport() {
    const std::string directory = FileSystem::ProgramDirectory();
    const std::string path = directory + "\\report.txt";
    ConsoleLog::DeleteOverCap(path);
    const std::string system = modSysDirectories::GetSystemDirectoryPath();
    std::string block = ConsoleLog::NowText() + " : Varnholt OE File Versions\r\n";
    block += "admin.exe : " + modFileVersionInfo::OwnVersion() + "\r\n";
    for (const char* name : {"kx_daemon.exe", "Quelspan32.dll", "launcher.exe"}) {
        block += VersionLine(directory, name) + "\r\n";
    }
    block += VersionLine(system, "fendrake.dll") + "\r\n";
    if (!ConsoleLog::AppendText(path, block)) {
        WriteConsoleLog("Cannot write the version report " + path);
    }
}

}  // namespace modMain
