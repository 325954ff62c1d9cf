#include "modKillProcess.h"

#include <windows.h>

namespace modKillProcess {

bool KillProcess(std::uint32_t processId) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        return false;
    }
    const BOOL ended = TerminateProcess(process, 0);
    CloseHandle(process);
    return ended != FALSE;
}

bool WaitForProcessExit(std::uint32_t processId, std::uint32_t milliseconds) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (process == nullptr) {
        // No such process: it has ended. Refused rights say nothing of that.
        return GetLastError() != ERROR_ACCESS_DENIED;
    }
    const DWORD result = WaitForSingleObject(process, milliseconds);
    CloseHandle(process);
    return result == WAIT_OBJECT_0;
}

}  // namespace modKillProcess
