#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "MemoryStatus.h"

namespace MemoryStatus {

namespace {

// MemAvailable counts reclaimable caches as the Windows figure does; kernels
// without it get the free pages instead.
bool FromMeminfo(std::uint64_t& bytes) {
    std::ifstream meminfo("/proc/meminfo");
    std::string line;
    while (std::getline(meminfo, line)) {
        std::istringstream fields(line);
        std::string name;
        std::uint64_t kib = 0;
        if (fields >> name >> kib && name == "MemAvailable:") {
            bytes = kib * 1024;
            return true;
        }
    }
    return false;
}

}  // namespace

std::uint64_t PlatformAvailablePhysical() {
    std::uint64_t bytes = 0;
    if (FromMeminfo(bytes)) {
        return bytes;
    }
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    return pages > 0 && pageSize > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) : 0;
}

}  // namespace MemoryStatus
