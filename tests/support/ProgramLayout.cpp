#include "ProgramLayout.h"

#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <map>
#include <memory>

#include "ProcessDriver.h"

namespace {

void DeleteTree(const std::string& directory) {
    // SHFileOperation wants a list ended by two NULs.
    std::string from = directory;
    from.push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

}  // namespace

ProgramLayout::ProgramLayout(const std::string& name, const std::vector<std::string>& programs) {
    const std::string dist = DistPath("");
    directory_ = dist.substr(0, dist.size() - 1) + "_" + name;
    DeleteTree(directory_);
    CreateDirectoryA(directory_.c_str(), nullptr);
    CreateDirectoryA(Path("conf").c_str(), nullptr);
    for (const std::string& program : programs) {
        CopyFileA(DistPath(program).c_str(), Path(program).c_str(), FALSE);
    }
    CopyFileA(DistPath("conf\\default_brindlecote.conf").c_str(), Path("conf\\default_brindlecote.conf").c_str(),
              FALSE);
}

const ProgramLayout& ProgramLayout::Shared(const std::string& name, const std::vector<std::string>& programs) {
    static std::map<std::string, std::unique_ptr<ProgramLayout>> layouts;
    std::unique_ptr<ProgramLayout>& layout = layouts[name];
    if (!layout) {
        layout = std::make_unique<ProgramLayout>(name, programs);
    }
    return *layout;
}

void ProgramLayout::AddTestProgram(const std::string& program) const {
    CopyFileA(TestBinPath(program).c_str(), Path(program).c_str(), FALSE);
}

void ProgramLayout::Write(const std::string& relative, const std::string& content) const {
    std::ofstream(Path(relative), std::ios::binary) << content;
}

bool ProgramLayout::Exists(const std::string& relative) const {
    return GetFileAttributesA(Path(relative).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ProgramLayout::Read(const std::string& relative) const {
    return ReadWholeFile(Path(relative));
}
