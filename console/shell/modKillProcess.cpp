#include "modKillProcess.h"

#include <windows.h>

#include "UniqueHandle.h"

namespace modKillProcess {

namespace {

using Handle = UniqueHandle<HANDLE, CloseHandle>;

}  // namespace

bool KillProcess(std::uint32_t processId) {
    const Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
    return process.valid() && TerminateProcess(process.get(), 0) != FALSE;
}

bool WaitForProcessExit(std::uint32_t processId, std::uint32_t milliseconds) {
    const Handle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process.valid()) {
        // No such process: it has ended. Refused rights say nothing of that.
        return GetLastError() != ERROR_ACCESS_DENIED;
    }
    return WaitForSingleObject(process.get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace modKillProcess
