#pragma once
#include <windows.h>

#include <optional>
#include <string>

// One registry value of HKLM, or of another root (name nullptr: the key's
// default value), taken away for a test and put back as it was afterwards.
class SavedRegistryValue {
public:
    SavedRegistryValue(const char* key, const char* name, HKEY root = HKEY_LOCAL_MACHINE)
        : root_(root), key_(key), name_(name) {
        BYTE data[2048];
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegGetValueA(root_, key, name, RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) == ERROR_SUCCESS) {
            saved_ = std::string(reinterpret_cast<char*>(data), size);
            type_ = type;
        }
        Delete();
    }
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;
    ~SavedRegistryValue() {
        Delete();
        if (saved_) {
            Set(type_, *saved_);
        }
    }
    void Set(DWORD type, const std::string& data) const {
        RegSetKeyValueA(root_, key_, name_, type, data.data(), static_cast<DWORD>(data.size()));
    }
    void SetText(const std::string& text, DWORD type = REG_SZ) const { Set(type, text + '\0'); }

private:
    void Delete() const { RegDeleteKeyValueA(root_, key_, name_); }

    HKEY root_;
    const char* key_;
    const char* name_;
    std::optional<std::string> saved_;
    DWORD type_ = 0;
};
