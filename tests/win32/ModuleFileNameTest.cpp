#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "ModuleFileName.h"
#include "ProcessDriver.h"

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                    static_cast<int>(wide.size())));
    return wide;
}

// Two folders whose names alone pass the old path limit, made with the wide
// functions, which take such paths.
class DeepFolder {
public:
    DeepFolder() {
        char temp[MAX_PATH] = "";
        GetTempPathA(MAX_PATH, temp);
        top_ = std::string(temp) + "module_name_" + std::string(150, 'd');
        path_ = top_ + "\\" + std::string(150, 'e');
        CreateDirectoryW(Wide(top_).c_str(), nullptr);
        CreateDirectoryW(Wide(path_).c_str(), nullptr);
    }
    ~DeepFolder() {
        DeleteFileW(Wide(File()).c_str());
        RemoveDirectoryW(Wide(path_).c_str());
        RemoveDirectoryW(Wide(top_).c_str());
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;

    std::string File() const { return path_ + "\\fendrake.dll"; }

private:
    std::string top_;
    std::string path_;
};

TEST(ModuleFileName, NamesAModuleWhosePathPassesTheOldPathLimitWhole) {
    const DeepFolder folder;
    ASSERT_GT(folder.File().size(), std::size_t{MAX_PATH});
    ASSERT_TRUE(CopyFileW(Wide(DistPath("fendrake.dll")).c_str(), Wide(folder.File()).c_str(), FALSE));
    const HMODULE module = LoadLibraryW(Wide(folder.File()).c_str());
    ASSERT_NE(module, nullptr);
    const std::string name = ModuleFileName(nullptr, module);
    FreeLibrary(module);
    const std::string tail = folder.File().substr(folder.File().find("module_name_"));
    EXPECT_TRUE(name.ends_with(tail)) << name.size() << " characters: " << name;
}

TEST(ModuleFileName, NamesTheRunningProgramAsTheSystemDoes) {
    wchar_t own[MAX_PATH] = L"";
    const DWORD length = GetModuleFileNameW(nullptr, own, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(Wide(ModuleFileName()), std::wstring(own, length));
}

}  // namespace
