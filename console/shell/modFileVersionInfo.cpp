#include <windows.h>

#include <vector>

#include "ModuleFileName.h"
#include "modFileVersionInfo.h"

namespace modFileVersionInfo {

namespace {

bool FixedInfo(const std::string& path, VS_FIXEDFILEINFO& info) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return false;
    }
    std::vector<char> block(size);
    void* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueA(block.data(), "\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return false;
    }
    info = *static_cast<VS_FIXEDFILEINFO*>(fixed);
    return true;
}

}  // namespace

std::string GetFileVersion(const std::string& path) {
    VS_FIXEDFILEINFO info{};
    return FixedInfo(path, info) ? FormatFileVersion(info.dwFileVersionMS, info.dwFileVersionLS) : "";
}

std::string OwnVersion() {
    VS_FIXEDFILEINFO info{};
    if (!FixedInfo(ModuleFileName(), info)) {
        return "0.0.0";
    }
    return std::to_string(HiWord(info.dwFileVersionMS)) + "." + std::to_string(LoWord(info.dwFileVersionMS)) + "." +
           std::to_string(LoWord(info.dwFileVersionLS));
}

}  // namespace modFileVersionInfo
