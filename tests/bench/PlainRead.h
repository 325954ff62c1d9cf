#pragma once
// The baseline the store benchmarks are held against: reading the files as
// cat does, streamed through one reused buffer from the warm page cache, so
// that it times reading, not page faults of a fresh allocation.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace PlainRead {

// Reads the file to its end through `buffer`; the bytes read.
inline std::uint64_t Stream(const std::string& path, std::vector<char>& buffer) {
    const int file = open(path.c_str(), O_RDONLY);
    if (file < 0) {
        return 0;
    }
    std::uint64_t total = 0;
    for (ssize_t got; (got = read(file, buffer.data(), buffer.size())) > 0;) {
        total += static_cast<std::uint64_t>(got);
    }
    close(file);
    return total;
}

// cat's buffer size.
inline std::vector<char> Buffer() {
    return std::vector<char>(128 * 1024);
}

// The best of three streamed reads of all the files, in seconds; measured
// once per process, so every benchmark of a run is held against the same.
inline double Seconds(const std::vector<std::string>& paths) {
    static const double best = [&] {
        std::vector<char> buffer = Buffer();
        double fastest = 1e30;
        for (int round = 0; round < 3; ++round) {
            const auto start = std::chrono::steady_clock::now();
            for (const std::string& path : paths) {
                Stream(path, buffer);
            }
            fastest =
                std::min(fastest, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        }
        return fastest;
    }();
    return best;
}

}  // namespace PlainRead
