#pragma once
#include <string>

// Whether an executable's path names the program asked for: its base name
// equals the name without regard to case, with or without ".exe".
// "launcher" matches C:\x\Launcher.exe, never prelauncher.exe or
// C:\launcher\other.exe.
bool ProcessNameMatches(const std::string& executablePath, const std::string& name);
