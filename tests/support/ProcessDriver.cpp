#include "ProcessDriver.h"

#include <tlhelp32.h>

#include <fstream>
#include <sstream>

ChildProcess::ChildProcess(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + program + "\"";
    if (!arguments.empty()) {
        commandLine += " " + arguments;
    }
    const std::string directory = program.substr(0, program.find_last_of('\\'));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                        &startup, &info_)) {
        info_ = {};
    }
}

ChildProcess::~ChildProcess() {
    if (!Started()) {
        return;
    }
    if (Running()) {
        Kill();
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool ChildProcess::WaitForExit(DWORD milliseconds, DWORD* code) {
    if (!Started() || WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) {
        return false;
    }
    if (code) {
        GetExitCodeProcess(info_.hProcess, code);
    }
    return true;
}

bool ChildProcess::Running() {
    return Started() && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

void ChildProcess::Kill() {
    TerminateProcess(info_.hProcess, 0);
    WaitForSingleObject(info_.hProcess, 5000);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!condition()) {
        if (GetTickCount64() >= deadline) {
            return condition();
        }
        Sleep(50);
    }
    return true;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string RecordOf(const std::string& programPath) {
    return programPath.substr(0, programPath.find_last_of('.')) + ".record";
}

namespace {

// Calls the action with the id of every running process whose executable has that name.
void ForEachProcessNamed(const std::string& executable, const std::function<void(DWORD)>& action) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, executable.c_str()) == 0) {
            action(entry.th32ProcessID);
        }
    }
    CloseHandle(snapshot);
}

}  // namespace

void EndProcessesNamed(const std::string& executable) {
    ForEachProcessNamed(executable, [](DWORD id) {
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
            TerminateProcess(process, 0);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    });
}

int ProcessesNamed(const std::string& executable) {
    int count = 0;
    ForEachProcessNamed(executable, [&](DWORD) { ++count; });
    return count;
}

HWND TopWindowOf(DWORD processId, const std::string& title, const WindowCheck& check) {
    struct Search {
        DWORD processId;
        const std::string& title;
        const WindowCheck& check;
        HWND found;
    } search{processId, title, check, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<Search*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char text[256] = "";
            GetWindowTextA(window, text, sizeof text);
            if (owner == s->processId && s->title == text && (!s->check || s->check(window))) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ConsoleWindowOf(DWORD processId) {
    return TopWindowOf(processId, "Brindlecote Varnholt", [](HWND window) { return GetMenu(window) != nullptr; });
}
