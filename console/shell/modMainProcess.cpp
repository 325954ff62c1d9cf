#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "LogTrap.h"
#include "ProcessName.h"
#include "modMain.h"

namespace modMain {

namespace {

// Windows 9x: the process snapshot.
bool SearchSnapshot(const std::string& name, std::uint32_t& processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool found = false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (ProcessNameMatches(entry.szExeFile, name)) {
            found = true;
            processId = entry.th32ProcessID;
        }
    }
    CloseHandle(snapshot);
    return found;
}

std::vector<DWORD> ProcessIds() {
    std::vector<DWORD> ids(4);
    for (;;) {
        DWORD bytes = 0;
        if (!EnumProcesses(ids.data(), static_cast<DWORD>(ids.size() * sizeof(DWORD)), &bytes)) {
            return {};
        }
        // A full buffer may have cut the list short.
        if (bytes < ids.size() * sizeof(DWORD)) {
            ids.resize(bytes / sizeof(DWORD));
            return ids;
        }
        ids.resize(ids.size() * 2);
    }
}

std::string ExecutablePath(DWORD id) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    if (process == nullptr) {
        return "";
    }
    std::string path;
    HMODULE first = nullptr;
    DWORD needed = 0;
    char file[MAX_PATH];
    if (EnumProcessModules(process, &first, sizeof first, &needed)) {
        const DWORD length = GetModuleFileNameExA(process, first, file, MAX_PATH);
        path.assign(file, length);
    }
    CloseHandle(process);
    return path;
}

// The NT family: the process ids and the first module of each process.
bool SearchProcessList(const std::string& name, std::uint32_t& processId) {
    bool found = false;
    for (DWORD id : ProcessIds()) {
        const std::string path = ExecutablePath(id);
        if (!path.empty() && ProcessNameMatches(path, name)) {
            found = true;
            processId = id;
        }
    }
    return found;
}

}  // namespace

int GetOSVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (!ok) {
        WriteConsoleLog(LogTrap::ErrorLine("GetOSVersion() : Error ", static_cast<std::int32_t>(GetLastError()),
                                           " : ", "The version of the system cannot be read"));
        return 0;
    }
    return static_cast<int>(version.dwPlatformId);
}

bool IsProcessRunning(const std::string& name, std::uint32_t& processId) {
    return gPlatformId == VER_PLATFORM_WIN32_WINDOWS ? SearchSnapshot(name, processId)
                                                     : SearchProcessList(name, processId);
}

}  // namespace modMain
