// The file system of the fuzz targets: files held in memory, so that no
// input waits on the disk and a run leaves nothing behind. It stands in for
// the disk implementation at link time (see CMakeLists.txt).
#include <map>

#include "FileSystem.h"
#include "ObjectError.h"

namespace FileSystem {

namespace {

// Paths are spelt both ways by the classes, as on the disk lane.
std::string Key(const std::string& path) {
    std::string key = path;
    for (char& c : key) {
        if (c == '\\') {
            c = '/';
        }
    }
    return key;
}

std::map<std::string, std::string>& Files() {
    static auto& files = *new std::map<std::string, std::string>;
    return files;
}

[[noreturn]] void Missing(const std::string& what, const std::string& path) {
    throw ObjectError(53, "FileSystem", what + " " + path + ": No such file or directory");
}

}  // namespace

bool FileExists(const std::string& path) {
    return Files().count(Key(path)) != 0;
}

std::string ReadWholeFile(const std::string& path) {
    const auto found = Files().find(Key(path));
    if (found == Files().end()) {
        Missing("Cannot open", path);
    }
    return found->second;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    Files()[Key(path)] = bytes;
}

void AtomicReplace(const std::string& from, const std::string& to) {
    const auto found = Files().find(Key(from));
    if (found == Files().end()) {
        Missing("Cannot replace", to);
    }
    std::string bytes = std::move(found->second);
    Files().erase(found);
    Files()[Key(to)] = std::move(bytes);
}

void DeleteFileIfPresent(const std::string& path) {
    Files().erase(Key(path));
}

std::string ProgramDirectory() {
    return "/memory";
}

}  // namespace FileSystem
