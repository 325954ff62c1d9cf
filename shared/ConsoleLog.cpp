#include "ConsoleLog.h"

#include <windows.h>

#include "FileSystem.h"
#include "UniqueHandle.h"

namespace ConsoleLog {

std::string Path() {
    return FileSystem::ProgramDirectory() + "\\console.txt";
}

std::string NowText() {
    char date[128] = "";
    char time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

void DeleteOverCap(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (FileExists(path) && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow > kCap)) {
        DeleteFileA(path.c_str());
    }
}

bool AppendText(const std::string& path, const std::string& text) {
    const UniqueHandle<HANDLE, CloseHandle> file(CreateFileA(path.c_str(), FILE_APPEND_DATA,
                                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    return ok && written == text.size();
}

void Write(const std::string& message) {
    DeleteOverCap(Path());
    Append(message);
}

void Append(const std::string& message) {
    AppendText(Path(), NowText() + " : " + message + "\r\n");
}

}  // namespace ConsoleLog
