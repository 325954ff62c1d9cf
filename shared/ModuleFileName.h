#pragma once
#include <windows.h>

#include <string>

// The full path of a module: of the running program when no process is
// given, else of that module of the process. Whole however long the path
// (Windows paths may pass MAX_PATH); "" when the system cannot tell it.
std::string ModuleFileName(HANDLE process = nullptr, HMODULE module = nullptr);
