#pragma once
#include <string>

namespace modSysDirectories {

// The Windows system directory; "" when the system reports none.
std::string GetSystemDirectoryPath();

}  // namespace modSysDirectories
