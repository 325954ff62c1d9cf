#include "OERegistryFixture.h"

#include <stdexcept>

namespace {

void DeleteTree(const char* path) {
    RegDeleteTreeA(HKEY_CURRENT_USER, path);
}

void ClearTrees() {
    DeleteTree("Identities");
    DeleteTree("Software\\Microsoft\\Internet Account Manager");
}

}  // namespace

OERegistryFixture::Data OERegistryFixture::Number(std::uint32_t number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

OERegistryFixture::OERegistryFixture() {
    ClearTrees();
}

OERegistryFixture::~OERegistryFixture() {
    ClearTrees();
}

void OERegistryFixture::Write(const std::string& path, const Values& values) const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        throw std::runtime_error("cannot create " + path);
    }
    for (const auto& [name, data] : values) {
        if (data.type == REG_NONE) {
            RegDeleteValueA(key, name.c_str());
            continue;
        }
        RegSetValueExA(key, name.c_str(), 0, data.type, reinterpret_cast<const BYTE*>(data.bytes.data()),
                       static_cast<DWORD>(data.bytes.size()));
    }
    RegCloseKey(key);
}

void OERegistryFixture::Identity(const std::string& guid, const std::string& userName, const Data* storeRoot) const {
    Write(IdentityKey(guid), {{"Username", Text(userName)}});
    if (storeRoot != nullptr) {
        Write(IdentityKey(guid) + "\\Software\\Microsoft\\Outlook Express\\5.0", {{"Store Root", *storeRoot}});
    }
}

void OERegistryFixture::Account(const std::string& accountsKey, const std::string& subkey, const std::string& userName,
                                const std::string& server, const Values& extra) const {
    const std::string path = accountsKey + "\\" + subkey;
    Write(path, {{"Account Name", Text(server)},
                 {"POP3 Server", Text(server)},
                 {"POP3 User Name", Text(userName)},
                 {"SMTP Email Address", Text(userName + "@" + server)},
                 {"SMTP Server", Text("smtp." + server)}});
    Write(path, extra);
}

void OERegistryFixture::BlockedSender(const std::string& guid, const std::string& subkey, const char* sender) const {
    const std::string path =
        IdentityKey(guid) + "\\Software\\Microsoft\\Outlook Express\\5.0\\Block Senders\\Mail\\Criteria\\" + subkey;
    Write(path, sender == nullptr ? Values{} : Values{{"Value", Text(sender)}});
}

OERegistryFixture::Data OERegistryFixture::Read(const std::string& path, const std::string& name) {
    Data data{REG_NONE, std::string(1024, '\0')};
    DWORD size = static_cast<DWORD>(data.bytes.size());
    if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &data.type,
                     data.bytes.data(), &size) != ERROR_SUCCESS) {
        return {REG_NONE, ""};
    }
    data.bytes.resize(size);
    return data;
}

bool OERegistryFixture::KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}
