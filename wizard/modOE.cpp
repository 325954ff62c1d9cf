#include "modOE.h"

#include "ConsoleLog.h"
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

}  // namespace

std::pair<std::string, std::string> SplitAccountKey(const std::string& key) {
    const std::size_t brace = key.find('}');
    const std::size_t cut = brace == std::string::npos ? key.size() : brace + 1;
    return {key.substr(0, cut), key.substr(cut)};
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
    const std::string prefix = LogTrap::ProcedurePrefix("ConfigureAccounts");
    try {
        OEIdentity identity;
        const std::string port = ListenPort();
        for (const std::string& key : gOEAcctKeys) {
            if (!IsChosen(key)) continue;
            const auto [guid, account] = SplitAccountKey(key);
            identity.Identity(guid);
            identity.LoadAllPOPAccounts();
            std::string refusal;
            if (identity.AcctConfigurable(account, port, refusal) != OEIdentity::kConfigurable) continue;
            if (identity.ReconfigureAccount(account, port)) ++gConfigureResult.rewritten;
        }
    } catch (...) {
        const ObjectError error = LogTrap::AsObjectError(std::current_exception());
        gConfigureResult.error = LogTrap::ErrorLine(prefix, error.Number(), " : ", error.Description());
        LogMessage(gConfigureResult.error);
    }
}

void LogMessage(const std::string& message) {
    ConsoleLog::Write(message);
}

bool IsProcessRunning(const std::string& name, std::uint32_t& processId) {
    return ProcessSearch::IsProcessRunning(name, OSVersion::GetOSVersion(), processId);
}

}  // namespace modOE
