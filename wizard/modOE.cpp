#include "modOE.h"

#include "AccountTitle.h"
#include "Conf.h"
#include "ConsoleLog.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "OEIdentity.h"
#include "OERegistry.h"
#include "OSVersion.h"
#include "ProcessSearch.h"
#include "SortedList.h"

namespace modOE {

std::shared_ptr<SortedList> gOEAccts;
std::vector<std::string> gOEAcctKeys;
std::int32_t gOEAcctIndex = 0;
std::int32_t gdirection = 0;
bool gAnyAccountChosen = false;
std::shared_ptr<KXProxyConf> gProxyConf;
ConfigureResult gConfigureResult;

namespace {

constexpr std::int32_t kChosen = 1;

bool IsChosen(const std::string& key) {
    const Variant choice = gOEAccts->item(key);
    return choice.IsInteger() && choice.Integer() == kChosen;
}

std::string ListenPort() {
    return gProxyConf->GetValue("listen_port").ToText();
}

// The account's title as the account page shows it; the bare key when the
// identity no longer lists it.
std::string TitleOf(const OEIdentity& identity, const std::string& accountKey) {
    for (const auto& account : identity.m_colPOPAccounts) {
        if (account->key() == accountKey) {
            return AccountTitle::Text(account->Account_Name(), identity.Identity_Username());
        }
    }
    return accountKey;
}

}  // namespace

std::pair<std::string, std::string> SplitAccountKey(const std::string& key) {
    const std::size_t brace = key.find('}');
    const std::size_t cut = brace == std::string::npos ? key.size() : brace + 1;
    return {key.substr(0, cut), key.substr(cut)};
}

std::string ConfFile() {
    return FileSystem::ProgramDirectory() + "\\conf\\brindlecote.conf";
}

bool SettingsReadable() {
    return gProxyConf && gProxyConf->LoadedAsText();
}

std::string NotTextNotice() {
    return Conf::NotTextReason(ConfFile()) + ", so the wizard will change no account.";
}

void GetAccountList() {
    // The keys follow the list even when the listing stopped early, so the
    // account page never walks accounts that have no key.
    LogTrap::Trap(LogTrap::ProcedurePrefix("GetAccountList"), " : ", [] {
        for (const std::string& name : OERegistry::SubkeyNames("Identities")) {
            OEIdentity identity;
            identity.Identity(name);
            identity.LoadAllPOPAccounts();
            for (const auto& account : identity.m_colPOPAccounts) {
                gOEAccts->Add(Variant(name + account->key()), Variant(std::int32_t{0}));
            }
        }
    });
    gOEAcctKeys = gOEAccts->keys();
}

void ConfigureAccounts() {
    gConfigureResult = {};
    // The user was told when the wizard started; the accounts stay as they are.
    if (!SettingsReadable())
        return;
    const std::string prefix = LogTrap::ProcedurePrefix("ConfigureAccounts");
    OEIdentity identity;
    try {
        const std::string port = ListenPort();
        for (const std::string& key : gOEAcctKeys) {
            if (!IsChosen(key))
                continue;
            const auto [guid, account] = SplitAccountKey(key);
            // Named by its key until its identity has been read.
            gConfigureResult.failedAccount = account;
            identity.Identity(guid);
            identity.LoadAllPOPAccounts();
            gConfigureResult.failedAccount = TitleOf(identity, account);
            std::string refusal;
            if (identity.AcctConfigurable(account, port, refusal) != OEIdentity::kConfigurable)
                continue;
            if (identity.ReconfigureAccount(account, port))
                ++gConfigureResult.rewritten;
        }
        gConfigureResult.failedAccount.clear();
    } catch (...) {
        const ObjectError error = LogTrap::AsObjectError(std::current_exception());
        gConfigureResult.error = LogTrap::ErrorLine(prefix, error.Number(), " : ", error.Description());
        LogMessage(gConfigureResult.error);
    }
}

// The log, the file test, the platform id and the process search are the
// shared ones: the programs write one log and look for processes alike.
void LogMessage(const std::string& message) {
    ConsoleLog::Write(message);
}

bool FileExists(const std::string& path) {
    return ConsoleLog::FileExists(path);
}

std::int32_t GetPlatformId() {
    return OSVersion::GetOSVersion();
}

bool IsProcessRunning(const std::string& name, std::uint32_t& processId) {
    return ProcessSearch::IsProcessRunning(name, GetPlatformId(), processId);
}

}  // namespace modOE
