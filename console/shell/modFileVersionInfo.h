#pragma once
#include <cstdint>
#include <string>

// File versions as the version report shows them.
namespace modFileVersionInfo {

std::uint32_t HiWord(std::uint32_t value);
std::uint32_t LoWord(std::uint32_t value);

// "<major>.<minor, two digits>." then "0000" when the least significant
// doubleword is 0, else "<two digits>.<two digits>": 3,1,12,2 -> 3.01.12.02.
std::string FormatFileVersion(std::uint32_t mostSignificant, std::uint32_t leastSignificant);

// The version text of a file; "" when it has no version information.
std::string GetFileVersion(const std::string& path);

// The running program's own version: major, minor and revision, plain numbers.
std::string OwnVersion();

}  // namespace modFileVersionInfo
