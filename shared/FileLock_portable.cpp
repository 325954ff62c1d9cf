#include <unistd.h>

#include "FileLock.h"

// The portable lane runs the classes in one process at a time (the tests,
// fuzz targets and benchmarks), so there is no other writer to keep out.
FileLock::FileLock(const std::string&) {}

FileLock::~FileLock() = default;

std::string FileLock::OwnTemporaryPath(const std::string& path) {
    return path + "." + std::to_string(getpid()) + ".tmp";
}
