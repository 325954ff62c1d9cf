#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "CommandLine.h"
#include "ConsoleLog.h"
#include "OSVersion.h"
#include "ScanSchedule.h"

class KXProxyConf;
class AddressList;
class HTMLHelp;
struct HWND__;  // a window handle (HWND), without <windows.h> here

// The console's start-up module: its global state and the small procedures
// that the main window, the dialogs and the other console modules share.
namespace modMain {

// ---- Global state: lives for the whole process; the objects are dropped by
// ReleaseObjects when the main window unloads.
extern std::shared_ptr<KXProxyConf> gProxyConf;
extern std::shared_ptr<AddressList> gApprovedSenders;
extern std::shared_ptr<AddressList> gBlockedSenders;
extern std::shared_ptr<AddressList> gIgnoredSenders;
extern std::shared_ptr<AddressList> gToMeAddresses;
// Last-write times of three list files when their lists last matched them
// (file times in 100-nanosecond units; the "to me" list has none).
extern std::uint64_t gApprovedSendersStamp;
extern std::uint64_t gBlockedSendersStamp;
extern std::uint64_t gIgnoredSendersStamp;
extern bool gSettingsChanged;
extern bool gRestartNeeded;
// 1 = Windows 9x family, 2 = NT family, 0 when unknown.
extern int gPlatformId;
extern int gOEMajorVersion;
extern bool gDebugMode;
extern int gDebugVerboseLevel;
extern bool gInstallMode;
extern bool gHideMainWindow;
extern bool gOEPluginEnabled;
extern std::string gBaseURL;
extern bool gUseProxy;
extern std::string gProxyServer;
extern std::string gProxyPort;
extern std::string gProxyUser;
extern std::string gProxyPassword;
extern std::int32_t gHamTrainingCount;
extern std::int32_t gSpamTrainingCount;
extern std::shared_ptr<HTMLHelp> gHelp;

// ---- Start-up.

// The program's entry: one instance, switches, log, objects, main window,
// launcher and daemon.
void Main();

// Creates and loads the shared objects; false when that failed (logged).
bool InitializeObjects();

// Drops the configuration object and the four lists.
void ReleaseObjects();

// False when brindlecote.conf could not be read as text: the console then
// holds defaults, not the user's settings, and acts on none of them (it
// starts no program and writes no registry value on their strength).
bool SettingsReadable();

// Reads the switches -hide, -install and -debug from the command line.
void ParseSwitches(const std::string& commandLine);

// The command line after the program's name.
std::string CommandLineArguments();

// The outlook express major version; 5 when the registry gives none.
int OEVersion();

// ---- Command-line splitting (portable), shared with the scanner.
using CommandLine::GetArg;
using CommandLine::GetArgCount;

// ---- Text helpers (portable).

// The text with its first "%1" replaced by the argument; a second "%1" stays.
std::string SubstituteArg(const std::string& text, const std::string& argument);

// The text without one leading "# " (an imported list entry's mark).
std::string StripCommentPrefix(const std::string& text);

// ---- Log and version report.

// Appends "<date> <time> : <message>" to console.txt in the program
// directory, starting the file afresh once it is over 50000 bytes. A
// debug-only line is written only under -debug. Never throws: a log that
// cannot be written costs the line, not the caller.
void WriteConsoleLog(const std::string& message, bool debugOnly = false);

// True when a plain file (not hidden, not system, not a directory) is there.
using ConsoleLog::FileExists;

// Appends the block of installed file versions to report.txt.
void WriteVersionReport();

// ---- Processes and the mail client.

// The platform id of the running system (1 Windows 9x, 2 NT family); 0 with
// a log line when it cannot be read.
using OSVersion::GetOSVersion;

// True when a running process's executable has the given base name (without
// regard to case, with or without ".exe"); processId is set to the last match.
// The search follows gPlatformId.
bool IsProcessRunning(const std::string& name, std::uint32_t& processId);

// Sends the registered message of that name to the mail client's main
// window, if it is there.
void NotifyOE(const std::string& messageName);

// Tells the user, then asks the mail client's main window to close.
void CloseOE();

// Brings the Run entry and the running launcher in line with gOEPluginEnabled.
void ApplyOEPluginStartup();

// Puts the GIF resource of that name into the picture control; on any
// failure the control keeps its picture and nothing is reported.
void LoadGifResource(HWND__* pictureBox, const std::string& resourceName);

// The start-up check for a newer release: shows the new-release notice, or
// starts the updater, as the upgrade-notification setting says.
void CheckForUpgrade();

// ---- Registry helpers.

// The local time the scan schedule goes by; tests set a fixed one. Without a
// clock the system's local time is read.
using Clock = std::function<ScanSchedule::ClockTime()>;
void SetClock(Clock clock);

// True when the periodic mail-store scan is due. Never throws.
bool IsOEScanDue();

// The current time as LastOEScan stores it.
std::string LastOEScanText();

// Writes the current time to LastOEScan as text, whatever type the value had
// before; false (logged) when it could not be stored.
bool StoreLastOEScan();

// Fills gProxyUser and gProxyPassword from the product's registry key.
void LoadProxyCredentials();

// The engine's training totals from the product's registry key.
void GetTrainingCounts(std::int32_t& ham, std::int32_t& spam);

}  // namespace modMain
