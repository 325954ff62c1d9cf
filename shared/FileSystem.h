#pragma once
#include <string>
#include <string_view>
#include <vector>

// Files as the shared classes need them. Paths are Windows paths in the
// system code page; the portable lane reads "\" as "/" so the same paths
// work there. Failures raise ObjectError: 53 when the file is missing, 75
// for any other failure, with the system's reason in the description.
namespace FileSystem {

// True when the path names an existing file (not a directory), whatever its
// attributes: a hidden or system file is still there and must not be
// treated as missing.
bool FileExists(const std::string& path);

// The whole file as bytes.
std::string ReadWholeFile(const std::string& path);

// Writes the bytes to the file (created or emptied first) and flushes them
// to the disk before returning.
void WriteWholeFile(const std::string& path, const std::string& bytes);

// Puts the file `from` in the place of `to` in one step: afterwards `to` is
// either its old self or all of `from`, never a mixture. While another
// program has `to` open without letting it be replaced, the replace is tried
// again for a short while before it fails.
void AtomicReplace(const std::string& from, const std::string& to);

// Writes the bytes beside the file (its path + ".tmp") and then puts them in
// its place in one step, so a crash or a full disk never leaves half a file
// behind. A failure removes the temporary file again and raises.
void ReplaceWithText(const std::string& path, const std::string& bytes);
// The same by way of the temporary file named, for a file that several
// programs write: each then writes a temporary file of its own.
void ReplaceWithText(const std::string& path, const std::string& bytes, const std::string& temporary);

// Copies the file into the place of `to` by way of ReplaceWithText: `to` is
// either missing (or its old self) or all of `from`.
void CopyIntoPlace(const std::string& from, const std::string& to);

// Deletes the file; a file that is not there is not an error.
void DeleteFileIfPresent(const std::string& path);

// The names (without the directory) of the files in the directory whose
// names begin with the prefix, letter case aside, in no particular order.
// Directories are left out; a directory that is not there holds none.
std::vector<std::string> FileNamesStartingWith(const std::string& directory, const std::string& prefix);

// The directory of the running program, without a trailing "\".
std::string ProgramDirectory();

// One line of a text and the end that closed it ("\r\n", "\r", "\n", or ""
// for a last line without one), both seen in the text they came from.
struct TextLine {
    std::string_view text;
    std::string_view end;
};

// The lines of a text: each ends at CR LF, CR or LF; a last line without an
// end counts, an end at the very end adds no empty line. Joining every
// line's text and end gives the text back. The lines are views: the text
// must outlive them.
std::vector<TextLine> SplitLinesWithEnds(std::string_view text);

// The same lines without their ends, as texts of their own.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace FileSystem
