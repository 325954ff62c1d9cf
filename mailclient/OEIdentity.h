#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "OEBlockedList.h"
#include "OEPOPAccount.h"

class RegOp;

// One Outlook Express identity of the current user: the folder of its mail
// stores, its POP3 accounts and its blocked senders, read from HKCU.
// Registry and conversion failures pass to the caller as ObjectError.
class OEIdentity {
public:
    // Refusal codes of AcctConfigurable.
    static constexpr std::int32_t kConfigurable = 0;
    static constexpr std::int32_t kAccountNotFound = 100;
    static constexpr std::int32_t kSecureAccount = 101;
    static constexpr std::int32_t kAlreadyConfigured = 103;
    static constexpr std::int32_t kAntivirusProxy = 120;
    static constexpr std::int32_t kSmtpAuthSameAsPop = 121;

    // The POP3 server name that the antivirus product's mail proxy writes
    // into the accounts it filters (code 120): it scans mail on the loopback
    // address, so a filtered account points at 127.0.0.1 and its port is the
    // proxy's own port.
    static constexpr const char* kAntivirusProxyServer = "127.0.0.1";

    // The loaded accounts; callers read it, and may replace it, directly.
    POPAccountCollection m_colPOPAccounts;

    // The identity GUID, in braces. Resolves the store root and reads the
    // user name; call it before anything else.
    void Identity(const std::string& guid);
    const std::string& StoreRoot() const { return storeRoot_; }
    std::int32_t BlockedListCount() const { return blockedList_.Count(); }
    const std::string& Identity_Username() const { return userName_; }

    // Replace the collection with every POP3 account of the identity, or
    // with those the proxy can serve (no SSL, no Secure Password
    // Authentication, SMTP Use Sicily 0, 1, 3 or absent).
    void LoadAllPOPAccounts();
    void LoadPOPAccounts();

    // 0 when the loaded account can fetch through the proxy on proxy_port;
    // otherwise a refusal code, with errormsg set to its text.
    std::int32_t AcctConfigurable(const std::string& acctkey, const std::string& proxy_port, std::string& errormsg);

    void LoadBlockedList() { blockedList_.Load(); }
    std::vector<std::string> BlockedList() { return blockedList_.Keys(); }

    // Rewrites the loaded account with this key to fetch through the proxy
    // on newPort and stores it. The account is read again from the registry
    // first; one that already fetches through the proxy, or is gone, is left
    // alone. Gives true only when the three values were stored. Raises
    // ObjectError, having written nothing, for a port outside 1-65535 or a
    // store that failed (what was written is put back).
    bool ReconfigureAccount(const std::string& acctkey, const std::string& newPort);

private:
    void ResolveStoreRoot();
    static bool PathExists(const std::string& path);
    void SavePOPAccount(const OEPOPAccount& account, std::int32_t port);
    std::string AccountsKey();
    void LoadAccounts(bool onlyConfigurable);
    OEPOPAccount* FindAccount(const std::string& acctkey);

    OEBlockedList blockedList_;
    std::string identity_;
    std::string userName_;
    std::string loginName_;
    std::string osName_;
    std::string storeRoot_;
};
