#include "OEIdentity.h"

#include <windows.h>

#include <cstdlib>
#include <optional>

#include "EnvironmentText.h"
#include "OERegistry.h"
#include "ObjectError.h"
#include "ProxyAccount.h"
#include "RegOp.h"
#include "Resources.h"
#include "StringIds.h"

namespace {

const char kGlobalAccountsKey[] = "Software\\Microsoft\\Internet Account Manager\\Accounts";
const char kMainIdentity[] = "Main Identity";

// An undefined variable stays as written.
std::string ExpandEnvironment(const std::string& text) {
    std::optional<std::string> expanded = ExpandedEnvironmentText(text);
    if (!expanded) {
        throw ObjectError(static_cast<std::int32_t>(GetLastError()), "OEIdentity", "Could not expand " + text);
    }
    return std::move(*expanded);
}

// Absent values count as 0; text that is no whole number matches no number.
std::optional<long> NumberOf(const std::string& text) {
    if (text.empty())
        return 0;
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (*end != '\0')
        return std::nullopt;
    return number;
}

bool ProxyCanServe(const OEPOPAccount& account) {
    const auto smtpSicily = NumberOf(account.SMTP_Use_Sicily());
    return NumberOf(account.POP3_Secure_Connection()) != 1 && NumberOf(account.POP3_Use_Sicily()) != 1 &&
           (smtpSicily == 0 || smtpSicily == 1 || smtpSicily == 3);
}

// The account stored in the subkey; its server is empty when there is none.
OEPOPAccount ReadAccount(const std::string& accountsKey, const std::string& subkey) {
    const std::string path = accountsKey + "\\" + subkey;
    const auto value = [&](const char* name) { return OERegistry::ValueText(HKEY_CURRENT_USER, path, name); };
    OEPOPAccount account;
    account.POPServer(value("POP3 Server"));
    if (account.POP_Server().empty())
        return account;
    account.accountname(value("Account Name"));
    account.SMTPEmailAddress(value("SMTP Email Address"));
    account.SMTPServer(value("SMTP Server"));
    account.Username(value("POP3 User Name"));
    account.POP3Port(value("POP3 Port"));
    account.POP3SecureConnection(value("POP3 Secure Connection"));
    account.POP3UseSicily(value("POP3 Use Sicily"));
    account.SMTPUseSicily(value("SMTP Use Sicily"));
    account.SetKey(subkey);
    return account;
}

}  // namespace

void OEIdentity::Identity(const std::string& guid) {
    identity_ = guid;
    blockedList_.Identity(guid);
    ResolveStoreRoot();
}

void OEIdentity::ResolveStoreRoot() {
    loginName_ = ExpandEnvironment("%USERNAME%");
    osName_ = ExpandEnvironment("%OS%");
    const std::string identityKey = "Identities\\" + identity_;
    userName_ = OERegistry::ValueText(HKEY_CURRENT_USER, identityKey, "Username");

    const std::string configured =
        OERegistry::ValueText(HKEY_CURRENT_USER, identityKey + "\\Software\\Microsoft\\Outlook Express\\5.0",
                              "Store Root", RegOp::kExpandReferences);
    if (PathExists(configured)) {
        storeRoot_ = configured;
        return;
    }
    const std::string tail = "\\Application Data\\Identities\\" + identity_ + "\\Microsoft\\Outlook Express";
    if (osName_ == "Windows_NT") {
        const std::string local = ExpandEnvironment("%USERPROFILE%") + "\\Local Settings" + tail;
        storeRoot_ = PathExists(local) ? local : ExpandEnvironment("%SYSTEMROOT%") + "\\Profiles\\" + loginName_ + tail;
    } else {
        storeRoot_ =
            OERegistry::ValueText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "SystemRoot") +
            tail;
    }
}

bool OEIdentity::PathExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string OEIdentity::AccountsKey() {
    if (userName_ == kMainIdentity)
        return kGlobalAccountsKey;
    const std::string own = "Identities\\" + identity_ + "\\" + kGlobalAccountsKey;
    return OERegistry::SubkeyNames(own).empty() ? kGlobalAccountsKey : own;
}

void OEIdentity::LoadAllPOPAccounts() {
    LoadAccounts(false);
}

void OEIdentity::LoadPOPAccounts() {
    LoadAccounts(true);
}

void OEIdentity::LoadAccounts(bool onlyConfigurable) {
    m_colPOPAccounts.clear();
    const std::string accountsKey = AccountsKey();
    for (const std::string& subkey : OERegistry::SubkeyNames(accountsKey)) {
        OEPOPAccount account = ReadAccount(accountsKey, subkey);
        if (account.POP_Server().empty() || (onlyConfigurable && !ProxyCanServe(account)))
            continue;
        m_colPOPAccounts.push_back(std::make_shared<OEPOPAccount>(std::move(account)));
    }
}

OEPOPAccount* OEIdentity::FindAccount(const std::string& acctkey) {
    for (const auto& account : m_colPOPAccounts) {
        if (account->key() == acctkey)
            return account.get();
    }
    return nullptr;
}

std::int32_t OEIdentity::AcctConfigurable(const std::string& acctkey, const std::string& proxy_port,
                                          std::string& errormsg) {
    const OEPOPAccount* account = FindAccount(acctkey);
    const auto refuse = [&](std::int32_t code, int textId) {
        errormsg = LoadResText(textId);
        return code;
    };
    if (account == nullptr)
        return refuse(kAccountNotFound, kStrAccountNotFound);
    if (account->POP3_Secure_Connection() == "1")
        return refuse(kSecureAccount, kStrAccountNeedsSsl);
    if (account->POP3_Use_Sicily() == "1")
        return refuse(kSecureAccount, kStrAccountNeedsSpa);
    if (account->SMTP_Use_Sicily() == "2")
        return refuse(kSmtpAuthSameAsPop, kStrSmtpAuthSameAsPop);
    if (account->User_name().find('#') != std::string::npos)
        return refuse(kAlreadyConfigured, kStrAccountConfigured);
    if (account->POP_Server() == kAntivirusProxyServer && account->POP3_Port() == proxy_port) {
        return refuse(kAntivirusProxy, kStrAntivirusOnPort);
    }
    return kConfigurable;
}

bool OEIdentity::ReconfigureAccount(const std::string& acctkey, const std::string& newPort) {
    const auto port = ProxyAccount::PortNumber(newPort);
    if (!port) {
        throw ObjectError(6, "OEIdentity::ReconfigureAccount",
                          "Overflow: the port must be 1 to 65535, not \"" + newPort + "\"");
    }
    OEPOPAccount* loaded = FindAccount(acctkey);
    if (loaded == nullptr)
        return false;
    // The registry is what gets rewritten, so judge what it holds now: the
    // account may have been rewritten since it was loaded (another identity
    // sharing the global accounts, an earlier pass of this run).
    OEPOPAccount account = ReadAccount(AccountsKey(), acctkey);
    if (account.POP_Server().empty() || ProxyAccount::FetchesThroughProxy(account.User_name(), account.POP_Server())) {
        return false;
    }
    account.Username(ProxyAccount::NewUserName(account.User_name(), account.POP_Server(), account.POP3_Port()));
    account.POPServer(ProxyAccount::kProxyServer);
    account.POP3Port(std::to_string(*port));
    SavePOPAccount(account, *port);
    *loaded = account;
    return true;
}

void OEIdentity::SavePOPAccount(const OEPOPAccount& account, std::int32_t port) {
    RegOp reg;
    reg.key(AccountsKey() + "\\" + account.key());
    const std::pair<const char*, Variant> values[] = {
        {"POP3 User Name", Variant(account.User_name())},
        {"POP3 Server", Variant(account.POP_Server())},
        {"POP3 Port", Variant(port)},
    };
    std::vector<std::pair<const char*, Variant>> previous;
    try {
        for (const auto& [name, data] : values) {
            Variant old = reg.Value(name);
            if (!reg.Value(name, data)) {
                throw ObjectError(kObjectErrorBase + 0x111, "OEIdentity::SavePOPAccount",
                                  std::string("Could not store \"") + name + "\" of account " + account.key());
            }
            previous.emplace_back(name, std::move(old));
        }
    } catch (...) {
        // All three or none: put back what this save changed.
        for (const auto& [name, old] : previous) {
            if (old.IsEmpty()) {
                reg.DeleteValue(name);
            } else {
                reg.Value(name, old);
            }
        }
        throw;
    }
}
