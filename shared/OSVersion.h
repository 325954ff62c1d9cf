#pragma once

namespace OSVersion {

// The platform id of the running system (1 Windows 9x, 2 NT family); 0 with
// a log line when it cannot be read.
int GetOSVersion();

}  // namespace OSVersion
