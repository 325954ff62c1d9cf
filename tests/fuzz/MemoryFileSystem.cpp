// The file system of the fuzz targets: files held in memory, so that no
// input waits on the disk and a run leaves nothing behind. It stands in for
// the disk implementation at link time (see CMakeLists.txt).
#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "FileSystem.h"
#include "ObjectError.h"

namespace FileSystem {

namespace {

using FileMap = std::map<std::string, std::string, std::less<>>;

// Paths are spelt both ways by the classes, as on the disk lane; a path
// with forward slashes only is its own key, and is not copied.
std::string_view Key(const std::string& path, std::string& spelt) {
    if (path.find('\\') == std::string::npos) {
        return path;
    }
    spelt = path;
    std::replace(spelt.begin(), spelt.end(), '\\', '/');
    return spelt;
}

FileMap& Files() {
    static auto& files = *new FileMap;
    return files;
}

FileMap::iterator Found(const std::string& path) {
    std::string spelt;
    return Files().find(Key(path, spelt));
}

// The contents of the file, a new empty one when there is none.
std::string& Slot(const std::string& path) {
    std::string spelt;
    const std::string_view key = Key(path, spelt);
    const auto found = Files().find(key);
    return found != Files().end() ? found->second : Files()[std::string(key)];
}

[[noreturn]] void Missing(const std::string& what, const std::string& path) {
    throw ObjectError(53, "FileSystem", what + " " + path + ": No such file or directory");
}

}  // namespace

bool FileExists(const std::string& path) {
    return Found(path) != Files().end();
}

std::string ReadWholeFile(const std::string& path) {
    const auto found = Found(path);
    if (found == Files().end()) {
        Missing("Cannot open", path);
    }
    return found->second;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
    Slot(path) = bytes;
}

void AtomicReplace(const std::string& from, const std::string& to) {
    const auto found = Found(from);
    if (found == Files().end()) {
        Missing("Cannot replace", to);
    }
    std::string bytes = std::move(found->second);
    Files().erase(found);
    Slot(to) = std::move(bytes);
}

void DeleteFileIfPresent(const std::string& path) {
    const auto found = Found(path);
    if (found != Files().end()) {
        Files().erase(found);
    }
}

std::string ProgramDirectory() {
    return "/memory";
}

}  // namespace FileSystem
