#include "ModuleFileName.h"

#include <psapi.h>

#include <algorithm>

namespace {

// The longest path Windows knows, in characters with the NUL.
constexpr DWORD kLongestPath = 32768;

}  // namespace

std::string ModuleFileName(HANDLE process, HMODULE module) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(path.size());
        const DWORD length = process == nullptr ? GetModuleFileNameA(module, path.data(), size)
                                                : GetModuleFileNameExA(process, module, path.data(), size);
        // A path that fills the buffer may have been cut: both calls then
        // give what fitted, without saying so in every version.
        if (length == 0 || length + 1 < size || size >= kLongestPath) {
            path.resize(std::min(length, size));
            return path;
        }
        path.assign(size * 2, '\0');
    }
}
