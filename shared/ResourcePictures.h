#pragma once
#include <windows.h>

#include <string>

// Pictures and raw data of the program's own resources. Each raises
// ObjectError 326 when the resource is missing.
HICON LoadResIcon(int id);
HBITMAP LoadResBitmap(int id);
std::string LoadResBytes(const std::string& type, const std::string& name);
