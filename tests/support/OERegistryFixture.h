#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Outlook Express data in HKEY_CURRENT_USER as a test lays it out: the
// identities with their accounts and blocked senders, and the accounts
// shared by all identities. The trees are emptied when the fixture is made
// and when it goes, so every test starts from nothing.
class OERegistryFixture {
public:
    static constexpr const char* kGlobalAccounts = "Software\\Microsoft\\Internet Account Manager\\Accounts";

    // One registry value: its type and raw bytes.
    struct Data {
        DWORD type;
        std::string bytes;
        bool operator==(const Data&) const = default;
    };
    static Data Text(const std::string& text) { return {REG_SZ, text + '\0'}; }
    static Data ExpandText(const std::string& text) { return {REG_EXPAND_SZ, text + '\0'}; }
    static Data Number(std::uint32_t number);
    static Data Binary(const std::string& bytes) { return {REG_BINARY, bytes}; }
    using Values = std::vector<std::pair<std::string, Data>>;

    OERegistryFixture();
    ~OERegistryFixture();
    OERegistryFixture(const OERegistryFixture&) = delete;
    OERegistryFixture& operator=(const OERegistryFixture&) = delete;

    static std::string IdentityKey(const std::string& guid) { return "Identities\\" + guid; }
    static std::string AccountsOf(const std::string& guid) { return IdentityKey(guid) + "\\" + kGlobalAccounts; }

    // An identity with its "Username" and, when given, its "Store Root".
    void Identity(const std::string& guid, const std::string& userName, const Data* storeRoot = nullptr) const;
    // A POP3 account: the usual values of a plain account, then `extra`
    // (which may replace them or, with type REG_NONE, leave one out).
    void Account(const std::string& accountsKey, const std::string& subkey, const std::string& userName,
                 const std::string& server, const Values& extra = {}) const;
    // A blocked sender; without a value when `sender` is null.
    void BlockedSender(const std::string& guid, const std::string& subkey, const char* sender) const;
    void Write(const std::string& path, const Values& values) const;

    // What a key holds now: nothing (type REG_NONE) when the value is absent.
    static Data Read(const std::string& path, const std::string& name);
    static bool KeyExists(const std::string& path);
};
