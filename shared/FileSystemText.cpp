#include "FileSystem.h"

namespace FileSystem {

std::vector<TextLine> SplitLinesWithEnds(std::string_view text) {
    std::vector<TextLine> lines;
    std::string_view::size_type start = 0;
    for (std::string_view::size_type i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            const std::string_view::size_type endLength =
                text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            lines.push_back({text.substr(start, i - start), text.substr(i, endLength)});
            i += endLength - 1;
            start = i + 1;
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
    const std::string temporary = path + ".tmp";
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
