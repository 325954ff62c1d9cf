#include <windows.h>

#include <memory>

#include "FendrakeLibrary.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "frmStatus.h"
#include "modPelwardenMain.h"

namespace {

// Short date, a blank and the long time, as the user's regional settings write them.
std::string NowText() {
    char date[128] = "";
    char time[128] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

// console.txt is shared with the console, which trims it; the scanner only appends.
void AppendLogLine(const std::string& message) {
    const std::string path = FileSystem::ProgramDirectory() + "\\console.txt";
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string line = NowText() + " : " + message + "\r\n";
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

// The scanner mostly runs from the console's timer with nobody watching: a
// box from the shared classes would stop the run, so it goes to the log.
int LogMessageBox(const MsgBoxRequest& box) {
    AppendLogLine(box.title + " : " + box.text);
    return MsgBoxResult::OK;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    LogTrap::SetWriter(AppendLogLine);
    SetMsgBoxResponder(LogMessageBox);
    modPelwardenMain::SetEngine(std::make_unique<FendrakeLibrary>());
    modPelwardenMain::SetCommandLine(arguments != nullptr ? arguments : "");
    modPelwardenMain::Main();
    frmStatus::RunUntilUnloaded();
    return 0;
}
