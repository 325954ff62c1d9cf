#include <windows.h>

#include "ResourceError.h"
#include "ResourcePictures.h"
#include "Resources.h"

std::string LoadResText(int id) {
    // With a zero length LoadStringW hands out the text in place, however long.
    const wchar_t* text = nullptr;
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) {
        throw ResourceNotFound(std::to_string(id));
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, length, result.data(), bytes, nullptr, nullptr);
    return result;
}

HICON LoadResIcon(int id) {
    HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE);
    if (icon == nullptr) {
        throw ResourceNotFound(std::to_string(id));
    }
    return static_cast<HICON>(icon);
}

void ShowProgramIcon(HWND window) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kProgramIcon));
    if (icon != nullptr) {
        SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
}

HBITMAP LoadResBitmap(int id) {
    HANDLE bitmap =
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (bitmap == nullptr) {
        throw ResourceNotFound(std::to_string(id));
    }
    return static_cast<HBITMAP>(bitmap);
}

std::string LoadResBytes(const std::string& type, const std::string& name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name.c_str(), type.c_str());
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) {
        throw ResourceNotFound(name);
    }
    return std::string(static_cast<const char*>(data), SizeofResource(module, found));
}
