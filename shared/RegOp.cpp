#include "RegOp.h"

#include <algorithm>
#include <cstring>

#include "EnvironmentText.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "OSVersion.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

const char kNoKeyName[] = "No Key name specified!";
const char kCannotOpen[] = "Could not open Registry Key!";
const char kUnsupportedExisting[] = "Existing value has unsupported data type and will not be overwritten";
const char kUnsupportedData[] = "(unsupported data format)";

// Only this many environment entries are searched for a reference.
constexpr std::size_t kEnvironmentEntries = 100;
// A name or value that grows between sizing the buffer and reading it gets
// this many tries before its index is skipped.
constexpr int kReadAttempts = 4;
// Longest names the registry allows, in bytes with the NUL (double-byte
// code pages may need two bytes per character).
constexpr DWORD kMaxKeyNameBytes = 2 * 256;
constexpr DWORD kMaxValueNameBytes = 2 * 16384;

HKEY NormalizedRoot(HKEY root) {
    return root == HKEY_CLASSES_ROOT || root == HKEY_LOCAL_MACHINE ? root : HKEY_CURRENT_USER;
}

const char* RootName(HKEY root) {
    if (root == HKEY_CLASSES_ROOT) {
        return "HKEY_CLASSES_ROOT";
    }
    return root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

std::string SystemErrorText(LONG code) {
    char text[512] = "";
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(code), 0, text, sizeof text, nullptr);
    std::string message(text, length);
    message.erase(message.find_last_not_of(" \r\n") + 1);
    return "error " + std::to_string(code) + (message.empty() ? "" : ", " + message);
}

std::string StripNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

// Data that lacks its closing NULs ends where the data ends.
std::string StripDoubleNull(const std::string& data) {
    const std::string closed = data + std::string(2, '\0');
    return closed.substr(0, closed.find(std::string(2, '\0')));
}

Variant::Array SplitAtNull(const std::string& items) {
    Variant::Array parts;
    if (items.empty()) {
        return parts;
    }
    for (std::string& part : SplitText(items, '\0')) {
        parts.emplace_back(std::move(part));
    }
    return parts;
}

// Data shorter than four bytes counts as far as it goes (the missing high
// bytes are zero); bytes after the fourth are not part of the number.
std::int32_t DwordOf(const std::string& data) {
    std::uint32_t number = 0;
    std::memcpy(&number, data.data(), std::min<std::size_t>(data.size(), sizeof number));
    return static_cast<std::int32_t>(number);
}

std::string ExpandEnvStrings(const std::string& text) {
    return ExpandedEnvironmentText(text).value_or("");
}

// The names of the first environment entries in order. The hidden per-drive
// entries ("=C:=C:\...") are no variables and do not count.
std::vector<std::string> EnvironmentNames(std::size_t limit) {
    std::vector<std::string> names;
    char* block = GetEnvironmentStringsA();
    if (block == nullptr) {
        return names;
    }
    for (const char* entry = block; *entry != '\0' && names.size() < limit; entry += std::strlen(entry) + 1) {
        if (*entry != '=') {
            names.emplace_back(entry, std::strcspn(entry, "="));
        }
    }
    FreeEnvironmentStringsA(block);
    return names;
}

bool ExpandPercentVars(const std::string& text) {
    const std::size_t first = text.find('%');
    if (first == std::string::npos || first == text.rfind('%')) {
        return false;
    }
    const std::string lowered = LowerCase(text);
    for (const std::string& name : EnvironmentNames(kEnvironmentEntries)) {
        if (lowered.find(LowerCase("%" + name + "%")) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The bytes and registry type the data is stored as.
std::string RegistryBytes(const Variant& data, DWORD& type) {
    if (data.IsArray()) {
        type = REG_MULTI_SZ;
        std::string joined;
        for (std::size_t i = 0; i < data.Elements().size(); ++i) {
            if (i != 0) {
                joined += '\0';
            }
            joined += data.Elements()[i].ToText();
        }
        return joined + std::string(2, '\0');
    }
    if (data.IsInteger()) {
        type = REG_DWORD;
        const std::uint32_t number = static_cast<std::uint32_t>(data.Integer());
        return std::string(reinterpret_cast<const char*>(&number), sizeof number);
    }
    const std::string text = data.ToText();
    type = ExpandPercentVars(text) ? REG_EXPAND_SZ : REG_SZ;
    return text + '\0';
}

// The shell library's delete takes the subkeys along; the registry's own
// refuses a key that has subkeys, so it is only the fall-back.
LONG DeleteSubKey(HKEY parent, const std::string& child) {
    using ShDeleteKey = LONG(WINAPI*)(HKEY, LPCSTR);
    HMODULE shlwapi = LoadLibraryA("Shlwapi");
    const ShDeleteKey shDeleteKey =
        shlwapi ? reinterpret_cast<ShDeleteKey>(reinterpret_cast<void*>(GetProcAddress(shlwapi, "SHDeleteKeyA")))
                : nullptr;
    const LONG result = shDeleteKey ? shDeleteKey(parent, child.c_str()) : RegDeleteKeyA(parent, child.c_str());
    if (shlwapi) {
        FreeLibrary(shlwapi);
    }
    return result;
}

}  // namespace

RegOp::RegOp() : isNT_(OSVersion::GetOSVersion() == VER_PLATFORM_WIN32_NT), accessWanted_(isNT_ ? KEY_READ : 0) {}

RegOp::~RegOp() {
    CloseKey();
}

void RegOp::root(HKEY newRoot) {
    newRoot = NormalizedRoot(newRoot);
    if (newRoot == root_) {
        return;
    }
    root_ = newRoot;
    if (!key_.empty()) {
        OpenKey();
    }
}

void RegOp::key(const std::string& path) {
    if (path.empty()) {
        return;
    }
    if (key_.empty()) {
        key_ = path;
        return;
    }
    if (TextCompare(path, key_) != 0) {
        key_ = path;
        OpenKey();
    }
}

void RegOp::Options(std::int32_t flags) {
    if (flags >= 0 && flags <= 15) {
        options_ = flags;
    }
}

Variant RegOp::Value(const std::string& name) {
    if (cache_.empty()) {
        LoadValueCache();
    }
    const auto found = cacheIndex_.find(LowerCase(name));
    return found == cacheIndex_.end() ? Variant() : cache_[found->second].second;
}

bool RegOp::Value(const std::string& name, const Variant& data) {
    if (data.IsEmpty()) {
        return true;
    }
    WantAccess(KEY_READ | KEY_WRITE);
    if (!EnsureKeyOpen(Disposition::CreateMissing)) {
        return WriteFailed(name, key_.empty() ? kNoKeyName : SystemErrorText(openError_));
    }
    Variant converted = data;
    DWORD existingType = REG_NONE;
    if (RegQueryValueExA(handle_, name.c_str(), nullptr, &existingType, nullptr, nullptr) == ERROR_SUCCESS) {
        switch (existingType) {
            case REG_SZ:
            case REG_EXPAND_SZ:
                converted = converted.ToText();
                break;
            case REG_DWORD:
                converted = converted.ToLong();
                break;
            case REG_MULTI_SZ:
                break;
            default:
                ShowRegistryError(kUnsupportedExisting);
                return WriteFailed(name, kUnsupportedExisting);
        }
    }
    // The key's default value is always text.
    if (((options_ & kNumbersAsText) != 0 && converted.IsNumeric()) || name.empty()) {
        converted = converted.ToText();
    }
    const bool stored = StoreValue(name, converted);
    QueryKeyInfo();
    ClearCache();
    return stored;
}

Variant RegOp::AllValues() {
    if (cache_.empty()) {
        LoadValueCache();
    }
    if (cache_.empty()) {
        return Variant();
    }
    Variant::Array rows;
    rows.reserve(cache_.size());
    for (const auto& [name, data] : cache_) {
        rows.emplace_back(Variant::Array{Variant(name), data});
    }
    return rows;
}

Variant RegOp::AllKeys() {
    WantAccess(KEY_READ);
    if (!EnsureKeyOpen()) {
        return Variant();
    }
    // Subkeys may have come or gone since the key was opened.
    QueryKeyInfo();
    if (subKeyCount_ == 0) {
        return Variant();
    }
    Variant::Array names(subKeyCount_);
    for (DWORD index = 0; index < subKeyCount_; ++index) {
        std::string name;
        if (EnumKeyAt(index, name) == ERROR_SUCCESS) {
            names[index] = StripNull(name);
        }
    }
    return names;
}

bool RegOp::DeleteValue(const std::string& name) {
    WantAccess(KEY_ALL_ACCESS);
    if (!EnsureKeyOpen() || RegDeleteValueA(handle_, name.c_str()) != ERROR_SUCCESS) {
        return false;
    }
    QueryKeyInfo();
    ClearCache();
    return true;
}

bool RegOp::DeleteKey() {
    if (key_.empty()) {
        ShowRegistryError(kNoKeyName);
        return false;
    }
    // A first-level key stays; so does "\name", whose empty parent would be
    // the root itself.
    const std::size_t last = key_.rfind('\\');
    if (last == std::string::npos || last == 0 || last + 1 == key_.size()) {
        return false;
    }
    const std::string child = key_.substr(last + 1);
    key_.erase(last);
    WantAccess(KEY_ALL_ACCESS);
    OpenKey();
    if (handle_ == nullptr || DeleteSubKey(handle_, child) != ERROR_SUCCESS) {
        return false;
    }
    QueryKeyInfo();
    ClearCache();
    return true;
}

std::int32_t RegOp::ValueCount() {
    return EnsureKeyOpen() ? static_cast<std::int32_t>(valueCount_) : 0;
}

std::int32_t RegOp::KeyCount() {
    return EnsureKeyOpen() ? static_cast<std::int32_t>(subKeyCount_) : 0;
}

void RegOp::WantAccess(REGSAM access) {
    // Other platforms know no access rights; their mask stays 0.
    if (isNT_) {
        accessWanted_ = access;
    }
}

bool RegOp::EnsureKeyOpen(Disposition disposition) {
    if (key_.empty()) {
        ShowRegistryError(kNoKeyName);
        return false;
    }
    if (handle_ != nullptr && accessHeld_ != 0 && accessWanted_ != accessHeld_) {
        CloseKey();
    }
    if (handle_ == nullptr) {
        OpenKey(disposition);
    }
    if (handle_ == nullptr) {
        // To a reader a key that is not there is an empty one, nothing to
        // report; a key that is there and cannot be opened is.
        if (openError_ != ERROR_FILE_NOT_FOUND) {
            ShowRegistryError(kCannotOpen);
        }
        return false;
    }
    return true;
}

void RegOp::OpenKey(Disposition disposition) {
    CloseKey();
    // Emptied even when the open fails, so no value of the old key answers.
    ClearCache();
    HKEY opened = nullptr;
    openError_ = disposition == Disposition::CreateMissing
                     ? RegCreateKeyExA(root_, key_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, accessWanted_, nullptr,
                                       &opened, nullptr)
                     : RegOpenKeyExA(root_, key_.c_str(), 0, accessWanted_, &opened);
    if (openError_ != ERROR_SUCCESS) {
        return;
    }
    handle_ = opened;
    QueryKeyInfo();
    accessHeld_ = accessWanted_;
}

void RegOp::CloseKey() {
    if (handle_ != nullptr) {
        RegCloseKey(handle_);
        handle_ = nullptr;
    }
}

void RegOp::QueryKeyInfo() {
    DWORD subKeys = 0, longestSubKey = 0, values = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyA(handle_, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr, &values, &longestName,
                         &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        // A key deleted under the open handle has nothing left to read.
        subKeys = longestSubKey = values = longestName = longestData = 0;
    }
    subKeyCount_ = subKeys;
    longestSubKey_ = longestSubKey;
    valueCount_ = values;
    longestValueName_ = longestName;
    longestValueData_ = longestData;
}

void RegOp::LoadValueCache() {
    WantAccess(KEY_READ);
    if (!EnsureKeyOpen()) {
        return;
    }
    // Values may have come, gone or grown since the key was opened.
    QueryKeyInfo();
    ClearCache();
    for (DWORD index = 0; index < valueCount_; ++index) {
        std::string name;
        std::string data;
        DWORD type = REG_NONE;
        if (EnumValueAt(index, name, type, data) == ERROR_SUCCESS) {
            CacheValue(StripNull(name), CachedData(type, data));
        }
    }
}

// Name and data come back exactly as long as the call says, so data stored
// without its closing NUL is never read past.
LONG RegOp::EnumValueAt(DWORD index, std::string& name, DWORD& type, std::string& data) {
    DWORD nameSize = longestValueName_ + 1;
    DWORD dataSize = longestValueData_ + 1;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kReadAttempts && result == ERROR_MORE_DATA; ++attempt) {
        name.assign(nameSize, '\0');
        data.assign(dataSize, '\0');
        DWORD nameLength = nameSize;
        DWORD dataLength = dataSize;
        result = RegEnumValueA(handle_, index, name.data(), &nameLength, nullptr, &type,
                               reinterpret_cast<BYTE*>(data.data()), &dataLength);
        if (result == ERROR_SUCCESS) {
            name.resize(std::min(nameLength, nameSize));
            data.resize(std::min(dataLength, dataSize));
        } else if (result == ERROR_MORE_DATA) {
            nameSize = std::max(nameSize, kMaxValueNameBytes);
            dataSize = std::max(dataSize * 2, dataLength + 1);
        }
    }
    return result;
}

LONG RegOp::EnumKeyAt(DWORD index, std::string& name) {
    DWORD nameSize = longestSubKey_ + 1;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < kReadAttempts && result == ERROR_MORE_DATA; ++attempt) {
        name.assign(nameSize, '\0');
        DWORD nameLength = nameSize;
        result = RegEnumKeyExA(handle_, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_SUCCESS) {
            name.resize(std::min(nameLength, nameSize));
        }
        nameSize = std::max(nameSize, kMaxKeyNameBytes);
    }
    return result;
}

Variant RegOp::CachedData(DWORD type, const std::string& data) const {
    switch (type) {
        case REG_SZ:
            return StripNull(data);
        case REG_EXPAND_SZ:
            return (options_ & kExpandReferences) != 0 ? ExpandEnvStrings(StripNull(data)) : StripNull(data);
        case REG_DWORD:
            return DwordOf(data);
        case REG_MULTI_SZ: {
            const std::string items = StripDoubleNull(data);
            return (options_ & kMultiAsArray) != 0 ? Variant(SplitAtNull(items)) : Variant(items);
        }
        default:
            return kUnsupportedData;
    }
}

void RegOp::ClearCache() {
    cache_.clear();
    cacheIndex_.clear();
}

// A second value of the same name in another case replaces the first in place.
void RegOp::CacheValue(const std::string& name, Variant data) {
    const auto [found, added] = cacheIndex_.try_emplace(LowerCase(name), cache_.size());
    if (added) {
        cache_.emplace_back(name, std::move(data));
    } else {
        cache_[found->second].second = std::move(data);
    }
}

bool RegOp::StoreValue(const std::string& name, const Variant& data) {
    DWORD type = REG_NONE;
    const std::string bytes = RegistryBytes(data, type);
    const LONG result = RegSetValueExA(handle_, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size()));
    return result == ERROR_SUCCESS || WriteFailed(name, SystemErrorText(result));
}

bool RegOp::WriteFailed(const std::string& name, const std::string& reason) {
    LogTrap::Write("RegOp could not write value \"" + name + "\" of " + RootName(root_) + "\\" + key_ + ": " + reason);
    return false;
}

void RegOp::ShowRegistryError(const std::string& text) const {
    if ((options_ & kShowErrors) != 0) {
        MsgBox(text, MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, "Registry Error");
    }
}
