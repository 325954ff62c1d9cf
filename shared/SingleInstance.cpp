#include "SingleInstance.h"

#include <windows.h>

namespace SingleInstance {

bool AnotherInstanceRuns(const std::string& mutexName) {
    // Never closed: the system drops it when the process ends, and a second
    // copy started before then finds it taken.
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    return mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace SingleInstance
