#pragma once
#include <cstdint>
#include <functional>
#include <string>

// The scanner's run settings and status channel, shared by the store reader
// and the scanner's main module (which takes them into modPelwardenMain).
// The scanner's start-up sets them from its configuration and points the
// status channel at its status window; tests set them directly. Log lines go
// through LogTrap::Write, which the start-up points at the scanner's log.
namespace ScanState {

// dbg_verbose_level; detail lines are written only when it is above 7.
extern std::int16_t gDebugLevel;

// Largest store, in bytes, that a binary load accepts; 0 or less means no
// fixed limit (the load then asks for enough free memory instead). 64 bits,
// so that a limit of 2048 MiB or more stays a limit.
extern std::int64_t gScanLimit;

// True when detail lines are due.
bool DetailLogging();

using StatusWriter = std::function<void(const std::string& text)>;

// Where ShowStatus lines go; an empty writer drops them (no status window).
void SetStatusWriter(StatusWriter writer);

// One line to the status window, when there is one.
void ShowStatus(const std::string& text);

}  // namespace ScanState
