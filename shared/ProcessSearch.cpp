#include "ProcessSearch.h"

#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <vector>

#include "ModuleFileName.h"
#include "ProcessName.h"
#include "UniqueHandle.h"

namespace ProcessSearch {

namespace {

using Handle = UniqueHandle<HANDLE, CloseHandle>;

// Windows 9x: the process snapshot.
bool SearchSnapshot(const std::string& name, std::uint32_t& processId) {
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) {
        return false;
    }
    bool found = false;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (ProcessNameMatches(entry.szExeFile, name)) {
            found = true;
            processId = entry.th32ProcessID;
        }
    }
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
    const Handle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process.valid()) {
        return "";
    }
    HMODULE first = nullptr;
    DWORD needed = 0;
    if (!EnumProcessModules(process.get(), &first, sizeof first, &needed)) {
        return "";
    }
    return ModuleFileName(process.get(), first);
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

bool IsProcessRunning(const std::string& name, int platformId, std::uint32_t& processId) {
    return platformId == VER_PLATFORM_WIN32_WINDOWS ? SearchSnapshot(name, processId)
                                                    : SearchProcessList(name, processId);
}

}  // namespace ProcessSearch
