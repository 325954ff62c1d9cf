#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class KXProxyConf;
class SortedList;

// The wizard's link to Outlook Express: the accounts of every identity, the
// rewrite of the chosen ones, the log and the mail client's process.
namespace modOE {

// Account key (identity GUID followed by the account's subkey name) ->
// choice: 1 rewrite, 0 leave.
extern std::shared_ptr<SortedList> gOEAccts;
// The keys of gOEAccts in key order; position n (from 1) is gOEAcctKeys[n - 1].
extern std::vector<std::string> gOEAcctKeys;
// Position in gOEAcctKeys of the account on the account page.
extern std::int32_t gOEAcctIndex;
// -1 or +1: the direction of the move in progress; 0 before the first.
extern std::int32_t gdirection;
// Some account page was left ticked since the first page was last shown.
extern bool gAnyAccountChosen;
extern std::shared_ptr<KXProxyConf> gProxyConf;

// What the rewrite of the chosen accounts did.
struct ConfigureResult {
    std::int32_t rewritten = 0;
    // The logged error line when the rewrite stopped on an error; "" otherwise.
    std::string error;
    // The title of the account being rewritten when it stopped; "" when the
    // error came before any account.
    std::string failedAccount;
};
extern ConfigureResult gConfigureResult;

// The configuration file the wizard takes listen_port from.
std::string ConfFile();

// False when the configuration file could not be read as text: what it
// seems to hold may be garbage, so no account may be rewritten on it.
bool SettingsReadable();

// What the user is told of such a file.
std::string NotTextNotice();

// Fills gOEAccts with every POP3 account of every identity, each not chosen,
// and gOEAcctKeys with their keys. An error ends the listing (logged).
void GetAccountList();

// Rewrites the chosen accounts to fetch through the proxy on listen_port
// and records what happened in gConfigureResult. Each is judged again on
// what the registry holds just before; refused or already rewritten ones
// are left alone. An error ends the rewriting (logged). Without readable
// settings nothing is written.
void ConfigureAccounts();

// One line in the programs' log, console.txt beside the program.
void LogMessage(const std::string& message);

// True when a plain file is there: hidden and system files count as absent.
bool FileExists(const std::string& path);

// The platform id of the running system: 1 Windows 9x, 2 the NT family.
std::int32_t GetPlatformId();

// The text without its last character; "" stays "".
std::string StripLastChar(const std::string& text);

// True when a process of that executable runs (base name, letter case
// aside); processId gets the last one found.
bool IsProcessRunning(const std::string& name, std::uint32_t& processId);

// The identity (up to and including the first "}") and the account's
// subkey name of an account key.
std::pair<std::string, std::string> SplitAccountKey(const std::string& key);

}  // namespace modOE
