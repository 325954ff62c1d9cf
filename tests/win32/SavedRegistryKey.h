#pragma once
#include <windows.h>

#include <string>

// One registry key of HKLM, or of another root, taken away with everything
// below it for a test, so the test starts without it, and put back as it was
// afterwards (whatever the test left there goes). The key waits meanwhile in
// a holding key of the process's own under HKEY_CURRENT_USER.
class SavedRegistryKey {
public:
    explicit SavedRegistryKey(const char* key, HKEY root = HKEY_LOCAL_MACHINE)
        : root_(root),
          key_(key),
          holding_("Software\\Saved test keys\\" + std::to_string(GetCurrentProcessId()) + "\\" + key) {
        RegDeleteTreeA(HKEY_CURRENT_USER, holding_.c_str());
        saved_ = Copy(root_, key_, HKEY_CURRENT_USER, holding_);
        RegDeleteTreeA(root_, key_.c_str());
    }
    SavedRegistryKey(const SavedRegistryKey&) = delete;
    SavedRegistryKey& operator=(const SavedRegistryKey&) = delete;
    ~SavedRegistryKey() {
        RegDeleteTreeA(root_, key_.c_str());
        if (saved_) {
            Copy(HKEY_CURRENT_USER, holding_, root_, key_);
            RegDeleteTreeA(HKEY_CURRENT_USER, holding_.c_str());
        }
    }

    // Whether the key is there now.
    static bool Present(const char* key, HKEY root = HKEY_LOCAL_MACHINE) {
        HKEY handle = nullptr;
        if (RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(handle);
        return true;
    }

private:
    // False when there was no key to copy.
    static bool Copy(HKEY fromRoot, const std::string& from, HKEY toRoot, const std::string& to) {
        HKEY source = nullptr;
        if (RegOpenKeyExA(fromRoot, from.c_str(), 0, KEY_READ, &source) != ERROR_SUCCESS) {
            return false;
        }
        HKEY target = nullptr;
        if (RegCreateKeyExA(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr) ==
            ERROR_SUCCESS) {
            RegCopyTreeA(source, nullptr, target);
            RegCloseKey(target);
        }
        RegCloseKey(source);
        return true;
    }

    HKEY root_;
    std::string key_;
    std::string holding_;
    bool saved_ = false;
};
