#include "SingleInstance.h"

#include <windows.h>

#include <map>

namespace SingleInstance {

bool AnotherInstanceRuns(const std::string& mutexName) {
    // Decided once per name, when the mutex is made: a later look at the
    // last error would mean nothing, and a name this process holds is its own.
    static std::map<std::string, bool> answers;
    const auto known = answers.find(mutexName);
    if (known != answers.end()) {
        return known->second;
    }
    // Never closed: the system drops it when the process ends, and a second
    // copy started before then finds it taken.
    const HANDLE mutex = CreateMutexA(nullptr, FALSE, mutexName.c_str());
    const bool taken = mutex == nullptr || GetLastError() == ERROR_ALREADY_EXISTS;
    answers.emplace(mutexName, taken);
    return taken;
}

}  // namespace SingleInstance
