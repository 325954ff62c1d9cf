#include "OSVersion.h"

#include <windows.h>

#include <cstdint>

#include "LogTrap.h"

namespace OSVersion {

int GetOSVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL ok = GetVersionExA(&version);
#pragma GCC diagnostic pop
    if (!ok) {
        LogTrap::Write(LogTrap::ErrorLine("GetOSVersion() : Error ", static_cast<std::int32_t>(GetLastError()), " : ",
                                          "The version of the system cannot be read"));
        return 0;
    }
    return static_cast<int>(version.dwPlatformId);
}

}  // namespace OSVersion
