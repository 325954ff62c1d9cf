#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Reads of the Outlook Express registry tree through RegOp; reading a key
// that is not there finds nothing and leaves nothing behind.
namespace OERegistry {

// The value as text (numbers as decimal digits); empty when the key or the
// value is absent. options are RegOp's option bits.
std::string ValueText(HKEY root, const std::string& path, const std::string& name, std::int32_t options = 0);

// The names of the key's direct subkeys under HKEY_CURRENT_USER; none when
// the key is absent.
std::vector<std::string> SubkeyNames(const std::string& path);

}  // namespace OERegistry
