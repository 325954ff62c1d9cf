#include "FileSystem.h"

#include <algorithm>

namespace FileSystem {

namespace {

std::size_t Occurrences(std::string_view text, char c) {
    std::size_t count = 0;
    for (auto at = text.find(c); at != std::string_view::npos; at = text.find(c, at + 1)) {
        ++count;
    }
    return count;
}

}  // namespace

std::vector<TextLine> SplitLinesWithEnds(std::string_view text) {
    // The ends are searched with find (memchr) rather than byte by byte:
    // the next CR and the next LF are kept, the nearer one ends the line.
    constexpr auto kNone = std::string_view::npos;
    std::vector<TextLine> lines;
    lines.reserve(Occurrences(text, '\n') + Occurrences(text, '\r') + 1);
    std::string_view::size_type start = 0;
    auto cr = text.find('\r');
    auto lf = text.find('\n');
    while (cr != kNone || lf != kNone) {
        const auto at = std::min(cr, lf);
        const std::string_view::size_type endLength = at == cr && lf == at + 1 ? 2 : 1;
        lines.push_back({text.substr(start, at - start), text.substr(at, endLength)});
        start = at + endLength;
        if (cr < start) {
            cr = text.find('\r', start);
        }
        if (lf < start) {
            lf = text.find('\n', start);
        }
    }
    if (start < text.size()) {
        lines.push_back({text.substr(start), {}});
    }
    return lines;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    for (const TextLine& line : SplitLinesWithEnds(text)) {
        lines.emplace_back(line.text);
    }
    return lines;
}

void ReplaceWithText(const std::string& path, const std::string& bytes) {
    ReplaceWithText(path, bytes, path + ".tmp");
}

void ReplaceWithText(const std::string& path, const std::string& bytes, const std::string& temporary) {
    try {
        WriteWholeFile(temporary, bytes);
        AtomicReplace(temporary, path);
    } catch (...) {
        try {
            DeleteFileIfPresent(temporary);
        } catch (...) {
            // The first failure is the one the caller needs to hear about.
        }
        throw;
    }
}

void CopyIntoPlace(const std::string& from, const std::string& to) {
    ReplaceWithText(to, ReadWholeFile(from));
}

}  // namespace FileSystem
