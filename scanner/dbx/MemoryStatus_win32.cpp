#include <windows.h>

#include "MemoryStatus.h"

namespace MemoryStatus {

std::uint64_t PlatformAvailablePhysical() {
    // The Ex form: the old one saturates at 4 GiB and wraps on large machines.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) {
        return 0;
    }
    return status.ullAvailPhys;
}

}  // namespace MemoryStatus
