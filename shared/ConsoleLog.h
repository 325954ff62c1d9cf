#pragma once
#include <cstdint>
#include <string>

// console.txt in the program directory: the one log the console, the scanner
// and the wizard all write, a whole line per open so their lines interleave
// cleanly. Nothing here throws: a log that cannot be written costs the line,
// not the caller.
namespace ConsoleLog {

// A log (or report) file longer than this is started afresh by the next write.
constexpr std::uint32_t kCap = 50000;

// The path of console.txt.
std::string Path();

// Short date, a blank and the long time, as the user's regional settings write them.
std::string NowText();

// True when a plain file (not hidden, not system, not a directory) is there.
bool FileExists(const std::string& path);

// Deletes the file when it is there and longer than kCap bytes.
void DeleteOverCap(const std::string& path);

// Appends the bytes, creating the file; false when it cannot be opened or written.
bool AppendText(const std::string& path, const std::string& text);

// Appends "<date> <time> : <message>" and CR LF, first starting afresh a log
// grown past kCap.
void Write(const std::string& message);

// The same line without the size check: the scanner only ever appends and
// leaves the trimming to the programs a user runs.
void Append(const std::string& message);

}  // namespace ConsoleLog
