#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "OEIdentity.h"
#include "OERegistryFixture.h"
#include "ObjectError.h"

namespace {

using Data = OERegistryFixture::Data;

const std::string kGuid = "{11111111-2222-3333-4444-555555555555}";
const std::string kGlobal = OERegistryFixture::kGlobalAccounts;

// Environment variables changed for one test and put back afterwards.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<std::string, std::string>> variables) {
        for (const auto& [name, value] : variables) {
            char old[2048];
            const DWORD length = GetEnvironmentVariableA(name.c_str(), old, sizeof old);
            saved_.emplace_back(name, length == 0 ? std::nullopt : std::optional<std::string>(old));
            SetEnvironmentVariableA(name.c_str(), value.c_str());
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, value] : saved_) {
            SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// A folder of the test's own, removed with everything in it afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "oeidentity_test_" + std::to_string(GetCurrentProcessId());
        Remove();
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { Remove(); }
    const std::string& Path() const { return path_; }
    // Creates the folder and its parents below the scratch folder.
    std::string Make(const std::string& relative) const {
        const std::string path = path_ + "\\" + relative;
        std::filesystem::create_directories(path);
        return path;
    }

private:
    void Remove() const {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string path_;
};

std::string Tail(const std::string& guid) {
    return "\\Application Data\\Identities\\" + guid + "\\Microsoft\\Outlook Express";
}

std::string TextOf(const Data& data) {
    return data.bytes.substr(0, data.bytes.find('\0'));
}

std::vector<std::string> LoadedKeys(const OEIdentity& identity) {
    std::vector<std::string> keys;
    for (const auto& account : identity.m_colPOPAccounts)
        keys.push_back(account->key());
    return keys;
}

class OEIdentityTest : public testing::Test {
protected:
    OERegistryFixture registry;
};

// ---- Store root

TEST_F(OEIdentityTest, StoreRootValueWithAReferenceNamesTheExistingFolderExpanded) {
    ScratchFolder scratch;
    const std::string stores = scratch.Make("Mail Stores");
    const ScopedEnvironment env({{"OE_TEST_STORES", scratch.Path()}});
    const Data root = OERegistryFixture::ExpandText("%OE_TEST_STORES%\\Mail Stores");
    registry.Identity(kGuid, "Someone", &root);

    OEIdentity identity;
    identity.Identity(kGuid);
    EXPECT_EQ(identity.StoreRoot(), stores);
    EXPECT_EQ(identity.Identity_Username(), "Someone");
}

TEST_F(OEIdentityTest, OnNtWithoutUsableStoreRootTheLocalSettingsFolderIsTakenWhenItExists) {
    ScratchFolder scratch;
    const ScopedEnvironment env({{"OS", "Windows_NT"}, {"USERPROFILE", scratch.Path()}});
    const Data missing = OERegistryFixture::Text(scratch.Path() + "\\nowhere");
    registry.Identity(kGuid, "Someone", &missing);
    const std::string local = scratch.Make("Local Settings" + Tail(kGuid));

    OEIdentity identity;
    identity.Identity(kGuid);
    EXPECT_EQ(identity.StoreRoot(), local);
}

TEST_F(OEIdentityTest, OnNtTheProfilesFolderIsTakenEvenWhenMissing) {
    ScratchFolder scratch;
    const ScopedEnvironment env({{"OS", "Windows_NT"},
                                 {"USERPROFILE", scratch.Path() + "\\profile"},
                                 {"SYSTEMROOT", scratch.Path() + "\\sysroot"},
                                 {"USERNAME", "tester"}});
    registry.Identity(kGuid, "Someone");

    OEIdentity identity;
    identity.Identity(kGuid);
    EXPECT_EQ(identity.StoreRoot(), scratch.Path() + "\\sysroot\\Profiles\\tester" + Tail(kGuid));
}

TEST_F(OEIdentityTest, OnWindows9xTheSystemRootOfTheMachineKeyIsTaken) {
    const ScopedEnvironment env({{"OS", "Windows_95"}});
    registry.Identity(kGuid, "Someone");
    char systemRoot[MAX_PATH] = "";
    DWORD size = sizeof systemRoot;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "SystemRoot", RRF_RT_REG_SZ,
                     nullptr, systemRoot, &size) != ERROR_SUCCESS) {
        systemRoot[0] = '\0';
    }

    OEIdentity identity;
    identity.Identity(kGuid);
    EXPECT_EQ(identity.StoreRoot(), std::string(systemRoot) + Tail(kGuid));
}

TEST_F(OEIdentityTest, ReadingAnIdentityThatIsNotThereCreatesNothing) {
    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    identity.LoadBlockedList();
    EXPECT_TRUE(identity.m_colPOPAccounts.empty());
    EXPECT_EQ(identity.BlockedListCount(), 0);
    EXPECT_FALSE(OERegistryFixture::KeyExists("Identities"));
    EXPECT_FALSE(OERegistryFixture::KeyExists(kGlobal));
}

// An identity holding nothing but its user name: each read finds nothing
// and leaves nothing below the identity, nor the shared accounts key.
TEST_F(OEIdentityTest, ReadingAnIdentityWithNothingBelowItCreatesNothing) {
    const struct {
        const char* read;
        void (*act)(OEIdentity&);
    } cases[] = {
        {"store root", [](OEIdentity&) {}},
        {"all accounts", [](OEIdentity& identity) { identity.LoadAllPOPAccounts(); }},
        {"configurable accounts", [](OEIdentity& identity) { identity.LoadPOPAccounts(); }},
        {"blocked senders", [](OEIdentity& identity) { identity.LoadBlockedList(); }},
    };
    for (const auto& c : cases) {
        const OERegistryFixture fresh;
        fresh.Identity(kGuid, "Someone");
        OEIdentity identity;
        identity.Identity(kGuid);
        c.act(identity);
        EXPECT_TRUE(identity.m_colPOPAccounts.empty()) << c.read;
        EXPECT_EQ(identity.BlockedListCount(), 0) << c.read;
        EXPECT_FALSE(OERegistryFixture::KeyExists(OERegistryFixture::IdentityKey(kGuid) + "\\Software")) << c.read;
        EXPECT_FALSE(OERegistryFixture::KeyExists(kGlobal)) << c.read;
    }
}

// ---- Which Accounts key

TEST_F(OEIdentityTest, MainIdentityLoadsTheGlobalAccountsEvenWithAccountsOfItsOwn) {
    registry.Identity(kGuid, "Main Identity");
    registry.Account(OERegistryFixture::AccountsOf(kGuid), "00000001", "own", "own.example");
    registry.Account(kGlobal, "00000002", "shared", "shared.example");

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    EXPECT_EQ(LoadedKeys(identity), std::vector<std::string>{"00000002"});
}

TEST_F(OEIdentityTest, OtherIdentitiesLoadTheirOwnAccountsWhenThereAreAny) {
    registry.Identity(kGuid, "main identity");
    registry.Account(OERegistryFixture::AccountsOf(kGuid), "00000001", "own", "own.example");
    registry.Account(kGlobal, "00000002", "shared", "shared.example");

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    EXPECT_EQ(LoadedKeys(identity), std::vector<std::string>{"00000001"});
}

TEST_F(OEIdentityTest, AnIdentityWithAnEmptyAccountsKeyLoadsAndRewritesTheGlobalAccounts) {
    registry.Identity(kGuid, "Someone");
    registry.Write(OERegistryFixture::AccountsOf(kGuid), {});
    registry.Account(kGlobal, "00000002", "shared", "shared.example");

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    ASSERT_EQ(LoadedKeys(identity), std::vector<std::string>{"00000002"});
    EXPECT_TRUE(identity.ReconfigureAccount("00000002", "8110"));
    EXPECT_EQ(TextOf(OERegistryFixture::Read(kGlobal + "\\00000002", "POP3 Server")), "localhost");
}

// ---- Loaders

TEST_F(OEIdentityTest, AnAccountIsLoadedWithEveryFieldAsText) {
    registry.Identity(kGuid, "Someone");
    registry.Account(kGlobal, "00000003", "jo", "pop.example.org",
                     {{"Account Name", OERegistryFixture::Text("Jo's mail")},
                      {"POP3 Port", OERegistryFixture::Number(995)},
                      {"POP3 Secure Connection", OERegistryFixture::Number(0)},
                      {"POP3 Use Sicily", OERegistryFixture::Number(0)},
                      {"SMTP Use Sicily", OERegistryFixture::Number(3)}});

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    ASSERT_EQ(identity.m_colPOPAccounts.size(), 1u);
    const OEPOPAccount& account = *identity.m_colPOPAccounts[0];
    EXPECT_EQ(account.key(), "00000003");
    EXPECT_EQ(account.Account_Name(), "Jo's mail");
    EXPECT_EQ(account.POP_Server(), "pop.example.org");
    EXPECT_EQ(account.User_name(), "jo");
    EXPECT_EQ(account.SMTP_Email_Address(), "jo@pop.example.org");
    EXPECT_EQ(account.SMTP_Server(), "smtp.pop.example.org");
    EXPECT_EQ(account.POP3_Port(), "995");
    EXPECT_EQ(account.POP3_Secure_Connection(), "0");
    EXPECT_EQ(account.POP3_Use_Sicily(), "0");
    EXPECT_EQ(account.SMTP_Use_Sicily(), "3");
}

TEST_F(OEIdentityTest, TheLoadersFilterAccountsAsTheProxyCanServeThem) {
    const Data none{REG_NONE, ""};
    struct Case {
        const char* subkey;
        OERegistryFixture::Values values;
        bool loadedByAll;
        bool loadedByPOP;
    };
    const std::vector<Case> cases = {
        {"a-plain", {}, true, true},
        {"b-no-server", {{"POP3 Server", none}}, false, false},
        {"c-empty-server", {{"POP3 Server", OERegistryFixture::Text("")}}, false, false},
        {"d-ssl", {{"POP3 Secure Connection", OERegistryFixture::Number(1)}}, true, false},
        {"e-spa", {{"POP3 Use Sicily", OERegistryFixture::Number(1)}}, true, false},
        {"f-smtp-auth-same", {{"SMTP Use Sicily", OERegistryFixture::Number(2)}}, true, false},
        {"g-smtp-auth-other", {{"SMTP Use Sicily", OERegistryFixture::Number(3)}}, true, true},
        {"h-smtp-auth-1", {{"SMTP Use Sicily", OERegistryFixture::Number(1)}}, true, true},
        {"i-smtp-auth-4", {{"SMTP Use Sicily", OERegistryFixture::Number(4)}}, true, false},
    };
    registry.Identity(kGuid, "Someone");
    std::vector<std::string> all, pop;
    for (const Case& c : cases) {
        registry.Account(kGlobal, c.subkey, "user", "pop.example", c.values);
        if (c.loadedByAll)
            all.push_back(c.subkey);
        if (c.loadedByPOP)
            pop.push_back(c.subkey);
    }

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    EXPECT_EQ(LoadedKeys(identity), all);
    identity.LoadPOPAccounts();
    EXPECT_EQ(LoadedKeys(identity), pop);
}

// ---- Refusals

TEST_F(OEIdentityTest, AcctConfigurableGivesEachRefusalWithItsText) {
    struct Case {
        const char* subkey;
        OERegistryFixture::Values values;
        std::int32_t code;
        const char* text;
    };
    const Data port8110 = OERegistryFixture::Number(8110);
    const std::vector<Case> cases = {
        {"ssl-and-spa",
         {{"POP3 Secure Connection", OERegistryFixture::Number(1)}, {"POP3 Use Sicily", OERegistryFixture::Number(1)}},
         101,
         "Unable to configure this account.  POP Account requires SSL"},
        {"spa",
         {{"POP3 Use Sicily", OERegistryFixture::Number(1)}},
         101,
         "Unable to configure this account.  This POP Account requires Secure Password Authentication."},
        {"smtp-auth", {{"SMTP Use Sicily", OERegistryFixture::Number(2)}}, 121, "This account requires SMTP"},
        {"rewritten",
         {{"POP3 User Name", OERegistryFixture::Text("jo#pop.example")}},
         103,
         "This POP Account may already be configured to work with Brindlecote"},
        {"antivirus",
         {{"POP3 Server", OERegistryFixture::Text(OEIdentity::kAntivirusProxyServer)}, {"POP3 Port", port8110}},
         120,
         "We detected Norton Antivirus 2001 listening on the same port as the Brindlecote.  "},
        {"antivirus-other-port",
         {{"POP3 Server", OERegistryFixture::Text(OEIdentity::kAntivirusProxyServer)},
          {"POP3 Port", OERegistryFixture::Number(110)}},
         0,
         "untouched"},
        {"plain", {}, 0, "untouched"},
    };
    registry.Identity(kGuid, "Someone");
    for (const Case& c : cases)
        registry.Account(kGlobal, c.subkey, "jo", "pop.example", c.values);

    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadAllPOPAccounts();
    for (const Case& c : cases) {
        std::string message = "untouched";
        EXPECT_EQ(identity.AcctConfigurable(c.subkey, "8110", message), c.code) << c.subkey;
        EXPECT_EQ(message.rfind(c.text, 0), 0u) << c.subkey << ": " << message;
    }
    std::string message;
    EXPECT_EQ(identity.AcctConfigurable("PLAIN", "8110", message), 100);
    EXPECT_EQ(message, "Unable to find account");
}

// ---- Rewrite

class ReconfigureTest : public OEIdentityTest {
protected:
    void SetUp() override { registry.Identity(kGuid, "Someone"); }
    std::string Path(const std::string& subkey) const { return kGlobal + "\\" + subkey; }
    std::string UserName(const std::string& subkey) const {
        return TextOf(OERegistryFixture::Read(Path(subkey), "POP3 User Name"));
    }
    void Load() {
        identity.Identity(kGuid);
        identity.LoadAllPOPAccounts();
    }
    OEIdentity identity;
};

TEST_F(ReconfigureTest, TheOldServerAndAnyOtherThanTheDefaultPortMoveIntoTheUserName) {
    const Data none{REG_NONE, ""};
    const std::vector<std::pair<Data, std::string>> cases = {
        {OERegistryFixture::Number(110), "jo#pop.example"},
        {none, "jo#pop.example"},
        {OERegistryFixture::Text(""), "jo#pop.example"},
        {OERegistryFixture::Number(995), "jo#pop.example:995"},
        {OERegistryFixture::Text("1110"), "jo#pop.example:1110"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        registry.Account(kGlobal, "acct" + std::to_string(i), "jo", "pop.example", {{"POP3 Port", cases[i].first}});
    }
    Load();
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const std::string subkey = "acct" + std::to_string(i);
        EXPECT_TRUE(identity.ReconfigureAccount(subkey, "8110"));
        EXPECT_EQ(OERegistryFixture::Read(Path(subkey), "POP3 User Name"), OERegistryFixture::Text(cases[i].second));
        EXPECT_EQ(OERegistryFixture::Read(Path(subkey), "POP3 Server"), OERegistryFixture::Text("localhost"));
    }
    // A port stored as a number stays a number; one stored as text stays text.
    EXPECT_EQ(OERegistryFixture::Read(Path("acct0"), "POP3 Port"), OERegistryFixture::Number(8110));
    EXPECT_EQ(OERegistryFixture::Read(Path("acct1"), "POP3 Port"), OERegistryFixture::Number(8110));
    EXPECT_EQ(OERegistryFixture::Read(Path("acct4"), "POP3 Port"), OERegistryFixture::Text("8110"));
    // The loaded record follows what was stored.
    EXPECT_EQ(identity.m_colPOPAccounts[3]->User_name(), "jo#pop.example:995");
    EXPECT_EQ(identity.m_colPOPAccounts[3]->POP3_Port(), "8110");
}

TEST_F(ReconfigureTest, PortsAboveTheSignedSixteenBitRangeAreStored) {
    registry.Account(kGlobal, "acct", "jo", "pop.example", {{"POP3 Port", OERegistryFixture::Number(110)}});
    Load();
    EXPECT_TRUE(identity.ReconfigureAccount("acct", "65535"));
    EXPECT_EQ(OERegistryFixture::Read(Path("acct"), "POP3 Port"), OERegistryFixture::Number(65535));
}

TEST_F(ReconfigureTest, ABadPortRaisesBeforeAnythingIsWritten) {
    registry.Account(kGlobal, "acct", "jo", "pop.example", {{"POP3 Port", OERegistryFixture::Number(110)}});
    Load();
    for (const char* port : {"0", "65536", "-1", "", "81 10", "port", "99999999999"}) {
        EXPECT_THROW(identity.ReconfigureAccount("acct", port), ObjectError) << port;
        EXPECT_EQ(UserName("acct"), "jo") << port;
        EXPECT_EQ(OERegistryFixture::Read(Path("acct"), "POP3 Port"), OERegistryFixture::Number(110)) << port;
    }
}

TEST_F(ReconfigureTest, AKeyThatIsNotLoadedWritesNothing) {
    registry.Account(kGlobal, "acct", "jo", "pop.example");
    Load();
    EXPECT_FALSE(identity.ReconfigureAccount("other", "8110"));
    EXPECT_FALSE(identity.ReconfigureAccount("ACCT", "8110"));
    EXPECT_EQ(UserName("acct"), "jo");
    EXPECT_FALSE(OERegistryFixture::KeyExists(Path("other")));
}

TEST_F(ReconfigureTest, AnAccountIsNeverEncodedTwice) {
    registry.Account(kGlobal, "acct", "jo", "pop.example");
    Load();
    EXPECT_TRUE(identity.ReconfigureAccount("acct", "8110"));
    EXPECT_FALSE(identity.ReconfigureAccount("acct", "8110"));
    EXPECT_EQ(UserName("acct"), "jo#pop.example");

    // A second identity object that loaded the account before the rewrite.
    registry.Account(kGlobal, "shared", "ann", "mail.example");
    OEIdentity stale;
    stale.Identity(kGuid);
    stale.LoadAllPOPAccounts();
    Load();
    EXPECT_TRUE(identity.ReconfigureAccount("shared", "8110"));
    EXPECT_FALSE(stale.ReconfigureAccount("shared", "8110"));
    EXPECT_EQ(UserName("shared"), "ann#mail.example");
}

TEST_F(ReconfigureTest, AnAccountThatWasRemovedSinceLoadingIsNotRecreated) {
    registry.Account(kGlobal, "acct", "jo", "pop.example");
    Load();
    RegDeleteTreeA(HKEY_CURRENT_USER, Path("acct").c_str());
    EXPECT_FALSE(identity.ReconfigureAccount("acct", "8110"));
    EXPECT_FALSE(OERegistryFixture::KeyExists(Path("acct")));
}

TEST_F(ReconfigureTest, WhenOneValueCannotBeStoredNoneIsChanged) {
    // RegOp refuses to overwrite a value of a type it does not handle.
    registry.Account(kGlobal, "acct", "jo", "pop.example", {{"POP3 Port", OERegistryFixture::Binary("\x6e")}});
    Load();
    EXPECT_THROW(identity.ReconfigureAccount("acct", "8110"), ObjectError);
    EXPECT_EQ(UserName("acct"), "jo");
    EXPECT_EQ(OERegistryFixture::Read(Path("acct"), "POP3 Server"), OERegistryFixture::Text("pop.example"));
    EXPECT_EQ(OERegistryFixture::Read(Path("acct"), "POP3 Port"), OERegistryFixture::Binary("\x6e"));
    EXPECT_EQ(identity.m_colPOPAccounts[0]->User_name(), "jo");
}

// ---- Blocked senders

TEST_F(OEIdentityTest, WithoutBlockedSendersTheListIsEmpty) {
    registry.Identity(kGuid, "Someone");
    OEIdentity identity;
    identity.Identity(kGuid);
    identity.LoadBlockedList();
    EXPECT_EQ(identity.BlockedListCount(), 0);
    EXPECT_TRUE(identity.BlockedList().empty());
}

TEST_F(OEIdentityTest, BlockedSendersComeInTextOrderAndLoadAddsThemAgain) {
    registry.Identity(kGuid, "Someone");
    registry.BlockedSender(kGuid, "0", "zed@example.com");
    registry.BlockedSender(kGuid, "1", "Adam@Example.com");
    registry.BlockedSender(kGuid, "2", "beth.example");
    registry.BlockedSender(kGuid, "3", nullptr);

    OEIdentity identity;
    identity.Identity(kGuid);
    EXPECT_EQ(identity.BlockedListCount(), 0);
    identity.LoadBlockedList();
    EXPECT_EQ(identity.BlockedList(),
              (std::vector<std::string>{"", "Adam@Example.com", "beth.example", "zed@example.com"}));
    identity.LoadBlockedList();
    EXPECT_EQ(identity.BlockedListCount(), 8);
}

}  // namespace
