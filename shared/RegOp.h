#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Variant.h"

// One registry key (a predefined root plus a subkey path). The key is opened
// on first use and the handle kept; only a write creates a key that is not
// there, so reading, counting, enumerating or deleting leaves the registry as
// it was. The first read loads all of the key's values into a cache that
// answers later reads until the next open, write or deletion.
class RegOp {
public:
    // Option bits.
    static constexpr std::int32_t kNumbersAsText = 1;     // write numbers as REG_SZ
    static constexpr std::int32_t kMultiAsArray = 2;      // read REG_MULTI_SZ as an array
    static constexpr std::int32_t kExpandReferences = 4;  // read REG_EXPAND_SZ expanded
    static constexpr std::int32_t kShowErrors = 8;        // show failures in a message box

    RegOp();
    ~RegOp();
    RegOp(const RegOp&) = delete;
    RegOp& operator=(const RegOp&) = delete;

    // Roots other than HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and
    // HKEY_LOCAL_MACHINE count as HKEY_CURRENT_USER. A new root reopens a
    // key already named at once.
    void root(HKEY newRoot);
    // An empty path is ignored and the first path only stored; a path other
    // than the current one (letter case aside) is opened at once.
    void key(const std::string& path);
    // 0 to 15; other values are ignored.
    void Options(std::int32_t flags);

    // The value's data; empty when the key has no such value, is not there or
    // cannot be opened.
    Variant Value(const std::string& name);
    // Writes the value with the type the data and an existing value call for.
    // Gives false, and logs why, when nothing could be stored: the key could
    // not be opened, the existing value's type is not overwritten, or the
    // system refused the write. Empty data stores nothing and gives true.
    // Data that cannot take the existing value's type raises ObjectError.
    bool Value(const std::string& name, const Variant& data);

    // Rows [name, data] in the cache's order; empty when there are no values.
    Variant AllValues();
    // Names of the direct subkeys; empty when there are none.
    Variant AllKeys();
    bool DeleteValue(const std::string& name);
    // Deletes the last level of the key with its subkeys and leaves the
    // object on the parent; a first-level key is never deleted.
    bool DeleteKey();
    std::int32_t ValueCount();
    std::int32_t KeyCount();

private:
    enum class Disposition { OpenExisting, CreateMissing };

    void WantAccess(REGSAM access);
    bool EnsureKeyOpen(Disposition disposition = Disposition::OpenExisting);
    void OpenKey(Disposition disposition = Disposition::OpenExisting);
    void CloseKey();
    void QueryKeyInfo();
    void LoadValueCache();
    LONG EnumValueAt(DWORD index, std::string& name, DWORD& type, std::string& data);
    LONG EnumKeyAt(DWORD index, std::string& name);
    Variant CachedData(DWORD type, const std::string& data) const;
    void ClearCache();
    void CacheValue(const std::string& name, Variant data);
    bool StoreValue(const std::string& name, const Variant& data);
    bool WriteFailed(const std::string& name, const std::string& reason);
    void ShowRegistryError(const std::string& text) const;

    HKEY root_ = HKEY_CURRENT_USER;
    std::string key_;
    std::int32_t options_ = 0;
    bool isNT_ = false;
    REGSAM accessWanted_ = 0;
    REGSAM accessHeld_ = 0;
    HKEY handle_ = nullptr;
    LONG openError_ = ERROR_SUCCESS;
    DWORD subKeyCount_ = 0;
    DWORD valueCount_ = 0;
    DWORD longestSubKey_ = 0;
    DWORD longestValueName_ = 0;
    DWORD longestValueData_ = 0;
    // Names compare without regard to case; rows keep the order they came in.
    std::vector<std::pair<std::string, Variant>> cache_;
    std::unordered_map<std::string, std::size_t> cacheIndex_;
};
