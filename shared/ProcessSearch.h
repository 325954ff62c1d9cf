#pragma once
#include <cstdint>
#include <string>

namespace ProcessSearch {

// True when a running process's executable has the given base name (without
// regard to case, with or without ".exe"); processId is set to the last
// match. platformId (from OSVersion::GetOSVersion) picks the enumeration:
// 1 the Windows 9x snapshot, anything else the NT process list.
bool IsProcessRunning(const std::string& name, int platformId, std::uint32_t& processId);

}  // namespace ProcessSearch
