#include "modSysDirectories.h"

#include <windows.h>

namespace modSysDirectories {

std::string GetSystemDirectoryPath() {
    const UINT needed = GetSystemDirectoryA(nullptr, 0);
    if (needed == 0) {
        return "";
    }
    std::string path(needed + 1, '\0');
    const UINT length = GetSystemDirectoryA(path.data(), needed + 1);
    path.resize(length <= needed ? length : 0);
    return path;
}

}  // namespace modSysDirectories
