#pragma once
#include <windows.h>

#include <string>

// Pictures and raw data of the program's own resources. Each raises
// ObjectError 326 when the resource is missing.
HICON LoadResIcon(int id);
HBITMAP LoadResBitmap(int id);
std::string LoadResBytes(const std::string& type, const std::string& name);

// The program's own icon, in every program's resources.
constexpr int kProgramIcon = 101;

// Gives the window the program's icon, large and small; without the resource
// the window keeps the icon it has.
void ShowProgramIcon(HWND window);
