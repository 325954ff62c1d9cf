#include "modShellExecute.h"

#include <windows.h>
#include <shellapi.h>

namespace modShellExecute {

std::intptr_t ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory) {
    HINSTANCE result =
        ShellExecuteA(GetActiveWindow(), "open", file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                      directory.empty() ? nullptr : directory.c_str(), SW_SHOWNORMAL);
    return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace modShellExecute
