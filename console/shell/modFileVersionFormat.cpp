#include <cstdio>

#include "modFileVersionInfo.h"

namespace modFileVersionInfo {

std::uint32_t HiWord(std::uint32_t value) {
    return value >> 16;
}

std::uint32_t LoWord(std::uint32_t value) {
    return value & 0xFFFF;
}

std::string FormatFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant) {
    char text[64];
    if (leastSignificant == 0) {
        std::snprintf(text, sizeof text, "%u.%02u.0000", HiWord(mostSignificant), LoWord(mostSignificant));
    } else {
        std::snprintf(text, sizeof text, "%u.%02u.%02u.%02u", HiWord(mostSignificant), LoWord(mostSignificant),
                      HiWord(leastSignificant), LoWord(leastSignificant));
    }
    return text;
}

}  // namespace modFileVersionInfo
