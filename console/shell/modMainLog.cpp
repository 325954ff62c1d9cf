#include <windows.h>

#include "FileSystem.h"
#include "modFileVersionInfo.h"
#include "modMain.h"
#include "modSysDirectories.h"

namespace modMain {

namespace {

const DWORD kLogCap = 50000;

// Short date, a blank and the long time, as the user's regional settings write them.
std::string NowText() {
    char date[128] = "";
    char time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

// Deletes a file that has grown past the cap, so the next line starts it anew.
void CapFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (FileExists(path) && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow > kLogCap)) {
        DeleteFileA(path.c_str());
    }
}

// Appends the text; false when the file cannot be opened or written.
bool AppendText(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == text.size();
}

std::string VersionLine(const std::string& directory, const std::string& name) {
    const std::string path = directory + "\\" + name;
    if (!FileExists(path)) {
        return name + " not found";
    }
    return name + " : " + modFileVersionInfo::GetFileVersion(path);
}

}  // namespace

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

void WriteConsoleLog(const std::string& message, bool debugOnly) {
    if (debugOnly && !gDebugMode) {
        return;
    }
    const std::string path = FileSystem::ProgramDirectory() + "\\console.txt";
    CapFile(path);
    AppendText(path, NowText() + " : " + message + "\r\n");
}

void WriteVersionReport() {
    const std::string directory = FileSystem::ProgramDirectory();
    const std::string path = directory + "\\report.txt";
    CapFile(path);
    const std::string system = modSysDirectories::GetSystemDirectoryPath();
    std::string block = NowText() + " : Varnholt OE File Versions\r\n";
    block += "admin.exe : " + modFileVersionInfo::OwnVersion() + "\r\n";
    for (const char* name : {"kx_daemon.exe", "Quelspan32.dll", "launcher.exe"}) {
        block += VersionLine(directory, name) + "\r\n";
    }
    block += VersionLine(system, "fendrake.dll") + "\r\n";
    if (!AppendText(path, block)) {
        WriteConsoleLog("Cannot write the version report " + path);
    }
}

}  // namespace modMain
