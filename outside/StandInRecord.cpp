#include "StandInRecord.h"

#include <windows.h>

#include <cstdio>

namespace {

std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string RecordPath() {
    std::string path = ProgramPath();
    const auto dot = path.find_last_of('.');
    return path.substr(0, dot) + ".record";
}

}  // namespace

std::string ProgramDirectory() {
    const std::string path = ProgramPath();
    return path.substr(0, path.find_last_of('\\'));
}

void Record(const std::string& line) {
    if (FILE* file = std::fopen(RecordPath().c_str(), "ab")) {
        std::fprintf(file, "%s\r\n", line.c_str());
        std::fclose(file);
    }
}
