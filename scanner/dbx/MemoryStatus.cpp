#include "MemoryStatus.h"

#include <utility>

namespace MemoryStatus {

// The platform's figure; one implementation per lane.
std::uint64_t PlatformAvailablePhysical();

namespace {
Probe& Override() {
    static Probe probe;
    return probe;
}
}  // namespace

std::uint64_t AvailablePhysical() {
    return Override() ? Override()() : PlatformAvailablePhysical();
}

void SetProbe(Probe probe) {
    Override() = std::move(probe);
}

}  // namespace MemoryStatus
