#pragma once
#include <cstdint>
#include <functional>

// The free physical memory, for the rule that decides whether a store may be
// loaded. Figures are 64-bit so that machines with more than 2 or 4 GiB are
// reported in full.
namespace MemoryStatus {

// Available physical memory in bytes.
std::uint64_t AvailablePhysical();

using Probe = std::function<std::uint64_t()>;

// Puts a figure of the caller's in place of the platform's (tests of the
// memory rule); an empty probe restores the platform's.
void SetProbe(Probe probe);

}  // namespace MemoryStatus
