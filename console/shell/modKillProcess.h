#pragma once
#include <cstdint>

namespace modKillProcess {

// Ends the process with exit code 0; false when it cannot be opened or ended.
bool KillProcess(std::uint32_t processId);

// True when the process has ended within the time, or is gone already; false
// when it still runs then, or cannot be opened for lack of rights.
bool WaitForProcessExit(std::uint32_t processId, std::uint32_t milliseconds);

}  // namespace modKillProcess
