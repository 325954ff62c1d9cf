#pragma once
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "ConfSamples.h"

// Files of formats that are not text, as the build lays them out in
// NOT_TEXT_FILES_DIR (not_text_files.py). Portable: both lanes use them.
namespace NotTextFiles {

// 64 KiB of random bytes (Python's random.seed(7), 65,536 values 0-255), as
// a user's list was found holding: only one byte in 256 of them is NUL.
inline constexpr char kRandomBytes[] = "random_bytes";
// The shipped configuration, gzipped.
inline constexpr char kGzip[] = "default_brindlecote.conf.gz";
inline constexpr char kIcon[] = "icon1.ico";
inline constexpr char kBitmap[] = "bitmap107.bmp";
inline constexpr char kGif[] = "logo.gif";
#ifdef _WIN32
inline constexpr char kHelpFile[] = "help_desktop_varnholt.chm";
inline constexpr char kProgram[] = "Launcher.exe";
#endif

// The file's bytes; Windows takes "/" between folder and name as well. A
// file the build did not lay out raises: its "" would pass for text.
inline std::string Bytes(const char* name) {
    const std::string path = std::string(NOT_TEXT_FILES_DIR) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline ConfSamples::Sample Sample(const char* name) {
    return {name, Bytes(name)};
}

// Every one of them: the help file and a program only in the cross-build.
inline std::vector<ConfSamples::Sample> All() {
    std::vector<ConfSamples::Sample> files = {Sample(kRandomBytes), Sample(kGzip), Sample(kIcon), Sample(kBitmap),
                                              Sample(kGif)};
#ifdef _WIN32
    files.push_back(Sample(kHelpFile));
    files.push_back(Sample(kProgram));
#endif
    return files;
}

}  // namespace NotTextFiles
