#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Fendrake.h"
#include "ScanState.h"

// The scanner's main module: its run state, its log, and the procedures of a
// run. Everything here but Main and the procedures that use the registry is
// portable and runs in the native tests.
namespace modPelwardenMain {

// Shared with the store reader (ScanState), which must see the same values.
using ScanState::gDebugLevel;
using ScanState::gScanLimit;
using ScanState::ShowStatus;

extern bool gShow;
// The identity's mail-store folder, ending in "\".
extern std::string gStoreRoot;
// Handle from KX_constructor; 0 when there is no engine.
extern std::int32_t gEngine;

// Weights and address values the scans hand to the engine.
constexpr std::int32_t kInboxWeight = -100;
constexpr std::int32_t kSentWeight = -120;

// Appends one line to the program's log (through LogTrap's writer).
void WriteLog(const std::string& message);

// The folder of the program file, where conf lies; tests point it elsewhere.
void SetProgramFolder(const std::string& folder);
std::string ProgramFolder();
// A path in the conf folder.
std::string ConfPath(const std::string& file);

// The engine the calls go to; the program puts fendrake.dll there.
void SetEngine(std::unique_ptr<Fendrake> engine);
Fendrake& Engine();

// The text of a registry switch under the product key (OEScanInbox,
// OEScanSent); the program reads the registry, tests answer as they please.
// Without a reader every switch reads as absent.
using SwitchReader = std::function<std::string(const std::string& name)>;
void SetSwitchReader(SwitchReader reader);
// True when the switch's text turns its scan on: blank or absent, or exactly "1".
bool ScanSwitchOn(const std::string& value);

// Seconds since 1970-01-01 00:00:00 UTC; tests set the clock.
using Clock = std::function<std::int64_t()>;
void SetClock(Clock clock);
// Hour boundaries from a store date ("yyyy-mm-dd hh:mm:ss", UTC) to the time
// given in UTC; negative when the date lies ahead; none for a text that is no date.
std::optional<std::int64_t> HourBoundaries(const std::string& mailDate, std::int64_t nowUtc);
// True when fewer than 24 hour boundaries lie between the date and the clock's
// now; false for a text that is no date.
bool WithinLastDay(const std::string& mailDate);

// The address trimmed, lower-cased, with one leading "<" and one trailing ">" dropped.
std::string FormatEmail(const std::string& address);
// The parts of a ";"-separated address field; none for an empty field.
std::vector<std::string> SplitAddresses(const std::string& field);
// The senders that one blocked-sender value of the mail client holds, in
// address form: each of its lines, and each string of a REG_MULTI_SZ. Empty
// ones are left out, and so are those holding control characters: written
// to the blocked list, such bytes would split an entry or make the file
// unreadable as text for every program that writes it.
std::vector<std::string> BlockedSenderAddresses(const std::string& value);

// The Inbox scan: messages under 24 hours old not yet in conf\oeinbox.
void PreviousFrom(const std::string& path);
// The Sent Items scan: messages not yet in conf\oesent.
void ScanNewSentEmails(const std::string& path);
// The store file of the folder of that (lower-case) name, "" when none.
std::string GetFolderFilename(const std::string& name);

// The command line after the program name; GetArgCount and GetArg split it.
void SetCommandLine(const std::string& arguments);
std::int16_t GetArgCount();
std::string GetArg(std::int16_t n);
// gShow becomes true when any argument equals "-show", letter case aside.
void ParseCommandLine();

// The leading decimal number of an engine option text; none when the text
// does not begin with one or it does not fit 32 bits.
std::optional<std::int32_t> LeadingNumber(const std::string& text);

// Where the training totals go (the product key's values in the program).
using TotalWriter = std::function<void(const std::string& name, std::int32_t total)>;
void SetTotalWriter(TotalWriter writer);
// The engine's word-training totals to ham_training and spam_training; a
// total the engine does not give as a number leaves the stored one alone.
void SaveTrainingTotals();

// scan_limit (MiB, as text) in bytes, in 64 bits; 0 for an empty text.
// Raises 13 for a text that is not a 32-bit whole number.
std::int64_t ScanLimitBytes(const std::string& text);

// The run; the rest of the module lives in the program.
void Main();

}  // namespace modPelwardenMain
