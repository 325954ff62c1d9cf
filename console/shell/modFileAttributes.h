#pragma once
#include <cstdint>
#include <string>

namespace modFileAttributes {

// The file's last-write time in 100-nanosecond units since 1601 (UTC), at
// the file system's full resolution, so a rewrite within the same second
// still changes it. 0 (1 January 1601) when the file cannot be read, so a
// missing list file always counts as changed once it appears.
std::uint64_t GetFileDateTime(const std::string& path);

}  // namespace modFileAttributes
