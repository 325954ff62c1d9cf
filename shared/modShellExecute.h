#pragma once
#include <cstdint>
#include <string>

namespace modShellExecute {

// Opens the file or address with the shell's "open" verb in a normal window,
// owned by the active window. The shell's result: more than 32 on success.
std::intptr_t ShellOpen(const std::string& file, const std::string& parameters, const std::string& directory);

}  // namespace modShellExecute
