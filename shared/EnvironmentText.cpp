#include "EnvironmentText.h"

#include <windows.h>

namespace {

// The environment may grow between the call that sizes the room and the one
// that fills it; a few tries are enough.
constexpr int kAttempts = 4;

}  // namespace

std::optional<std::string> ExpandedEnvironmentText(const std::string& text) {
    std::string buffer(256, '\0');
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) {
            return std::nullopt;
        }
        if (needed <= buffer.size()) {
            return buffer.substr(0, buffer.find('\0'));
        }
        buffer.assign(needed, '\0');
    }
    return std::nullopt;
}
