#include "KXProxyConf.h"

#include <algorithm>

#include "MsgBox.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"

namespace {

// The keys of the lists, in the order of KXProxyConf::List.
const char* const kListKeys[] = {
    "outgoing_server",    "approved_ip_list",     "blocked_ip_list",   "ignored_ip_list",      "rbl_list",
    "available_rbl_list", "blocked_country_list", "home_country_list", "blocked_charset_list",
};

const char kDefaultPort[] = "25";

// Offered when the file names no zones to choose from.
const char* const kDefaultZones[] = {
    "bl.marrowfield.example", "dnsbl.quillhaven.example", "relays.corvesk.example",   "spam.ostrawin.example",
    "zen.harrowmere.example", "dul.fenwright.example",    "proxies.tallowby.example", "combined.emberlode.example",
};

struct Default {
    const char* key;
    const char* value;
    const char* companion;  // set to the same value whenever the key is missing
};

const Default kDefaults[] = {
    {"full_training_weight", "no", nullptr},
    {"spam_timeout", "5", nullptr},
    {"enable_rules", "yes", nullptr},
    {"extended_rules", "no", "extended_rules2"},
    {"enable_word_training", "yes", nullptr},
    {"max_word_entries", "50000", nullptr},
    {"min_training", "100", nullptr},
    {"rbl_multi_hit", "no", nullptr},
    {"rbl_timeout", "5", nullptr},
    {"rbl_max_ips", "4", nullptr},
    {"rbl_threshold", "1:99", nullptr},
    {"auto_training_threshold", "20:80", nullptr},
    {"netcheck_threshold", "1:99", nullptr},
    {"spam_flag_threshold", "90", nullptr},
    {"spam_subject_threshold", "90", nullptr},
    {"spam_reject_threshold", "90", nullptr},
    {"enable_fingerprint_cache", "no", nullptr},
    {"training_write_buffer", "100", nullptr},
    {"add_scoring_summary", "no", nullptr},
};

// A value with no "," is one entry as it stands; otherwise every entry is
// trimmed of spaces, and empty entries stay.
std::vector<std::string> SplitList(std::string_view value) {
    std::vector<std::string> parts;
    if (value.find(',') == std::string_view::npos) {
        parts.emplace_back(value);
        return parts;
    }
    parts.reserve(static_cast<std::size_t>(std::count(value.begin(), value.end(), ',')) + 1);
    std::string_view::size_type start = 0;
    for (;;) {
        const auto comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            parts.push_back(TrimSpaces(value.substr(start)));
            return parts;
        }
        parts.push_back(TrimSpaces(value.substr(start, comma - start)));
        start = comma + 1;
    }
}

}  // namespace

KXProxyConf::KXProxyConf(const std::string& programDirectory)
    : defaultFile_(programDirectory + "\\conf\\" + LoadResText(kStrDefaultConfFile)) {
    for (SortedList& list : lists_) {
        list.Clear();
        list.SortMode(SortedList::kText);
    }
}

bool KXProxyConf::FileExists(const std::string& path) const {
    return FileSystem::FileExists(path);
}

void KXProxyConf::ConfigurationFile(const std::string& path) {
    if (!FileExists(path)) {
        if (!FileExists(defaultFile_)) {
            MsgBox("Can not find " + LoadResText(kStrDefaultConfFile), MsgBoxStyle::OKOnly, ProgramTitle());
        } else {
            FileSystem::CopyIntoPlace(defaultFile_, path);
            useDefaultConf_ = true;
        }
    }
    conf_.ConfigFile(path);
}

Variant KXProxyConf::GetValue(const std::string& key) {
    return conf_.GetValue(key);
}

void KXProxyConf::SetValue(const std::string& key, const std::string& value) {
    conf_.SetValue(key, value);
}

bool KXProxyConf::WriteValue(const std::string& key, const std::string& value) {
    return conf_.WriteValue(key, value);
}

void KXProxyConf::Load() {
    conf_.Load();
    for (int list = 0; list < kListCount; ++list) {
        ParseList(static_cast<List>(list));
    }
    if (lists_[kAvailableRBLs].Count() == 0) {
        for (const char* zone : kDefaultZones) {
            lists_[kAvailableRBLs].Add(zone, Variant());
        }
    }
    SetDefaults();
}

void KXProxyConf::ParseList(List list) {
    // Only lists_ changes below, so the view into the settings stays valid.
    const std::string_view value = conf_.TextValue(kListKeys[list]);
    if (IsBlank(value)) {
        return;
    }
    for (std::string& part : SplitList(value)) {
        if (list == kOutgoingServers) {
            AddOutgoingPart(std::move(part));
        } else {
            lists_[list].Add(std::move(part), Variant(std::int32_t{0}));
        }
    }
}

void KXProxyConf::AddOutgoingPart(std::string part) {
    const auto colon = part.find(':');
    // A part without a host names no server; kept, it would be saved back as
    // a ":25" entry.
    if (IsBlank(std::string_view(part).substr(0, colon))) {
        return;
    }
    // With a port the part is the entry "host:port" already.
    std::string port = colon == std::string::npos ? kDefaultPort : part.substr(colon + 1);
    if (colon == std::string::npos) {
        part.append(":").append(port);
    }
    lists_[kOutgoingServers].Add(std::move(part), std::move(port));
}

void KXProxyConf::SetDefaults() {
    for (const Default& entry : kDefaults) {
        if (conf_.KeyExists(entry.key)) {
            continue;
        }
        conf_.SetValue(entry.key, entry.value);
        if (entry.companion) {
            conf_.SetValue(entry.companion, entry.value);
        }
    }
}

bool KXProxyConf::Save() {
    static const List kSaveOrder[] = {
        kOutgoingServers,  kApprovedIPs,      kBlockedIPs,      kIgnoredIPs, kAvailableRBLs, kRBLs,
        kBlockedCountries, kIgnoredCountries, kBlockedCharsets,
    };
    for (List list : kSaveOrder) {
        conf_.SetValue(kListKeys[list], JoinList(list));
    }
    return conf_.Save();
}

std::string KXProxyConf::JoinList(List list) {
    // Empty entries sort first; no "," goes in while the text is still
    // empty, so they leave no trace.
    std::string joined;
    lists_[list].ForEachRecord([&](const std::string& entry, const Variant&) {
        if (!joined.empty()) {
            joined += ',';
        }
        joined += entry;
    });
    return joined;
}

std::int16_t KXProxyConf::AddEntry(List list, const std::string& entry, const Variant& item) {
    if (IsBlank(entry)) {
        return kEntryEmpty;
    }
    if (entry.find(',') != std::string::npos) {
        return kEntryHasSeparator;
    }
    if (lists_[list].Exists(entry)) {
        return kEntryPresent;
    }
    lists_[list].Add(entry, item);
    return kAdded;
}

// ---- Outgoing servers

std::vector<std::string> KXProxyConf::Get_Outgoing_Servers() {
    return lists_[kOutgoingServers].keys();
}

std::vector<Variant> KXProxyConf::Get_Outgoing_Ports() {
    return lists_[kOutgoingServers].Items();
}

std::int16_t KXProxyConf::AddOutgoingServer(const std::string& host, const std::string& port) {
    if (IsBlank(host)) {
        return kEntryEmpty;
    }
    const std::string used = IsBlank(port) ? kDefaultPort : port;
    return AddEntry(kOutgoingServers, host + ":" + used, used);
}

bool KXProxyConf::OutgoingServerExists(const std::string& host, const std::string& port) {
    return lists_[kOutgoingServers].Exists(host + ":" + port);
}

void KXProxyConf::RemoveOutgoingServer(const std::string& entry) {
    lists_[kOutgoingServers].Remove(entry);
}

// ---- The lists of plain entries

std::vector<std::string> KXProxyConf::Get_Approved_IPs() {
    return lists_[kApprovedIPs].keys();
}
std::int16_t KXProxyConf::AddApprovedIP(const std::string& entry) {
    return AddEntry(kApprovedIPs, entry);
}
bool KXProxyConf::ApprovedIPExists(const std::string& entry) {
    return lists_[kApprovedIPs].Exists(entry);
}
void KXProxyConf::RemoveApprovedIP(const std::string& entry) {
    lists_[kApprovedIPs].Remove(entry);
}
void KXProxyConf::ClearApprovedIPs() {
    lists_[kApprovedIPs].Clear();
}

std::vector<std::string> KXProxyConf::Get_Blocked_IPs() {
    return lists_[kBlockedIPs].keys();
}
std::int16_t KXProxyConf::AddBlockedIP(const std::string& entry) {
    return AddEntry(kBlockedIPs, entry);
}
bool KXProxyConf::BlockedIPExists(const std::string& entry) {
    return lists_[kBlockedIPs].Exists(entry);
}
void KXProxyConf::RemoveBlockedIP(const std::string& entry) {
    lists_[kBlockedIPs].Remove(entry);
}
void KXProxyConf::ClearBlockedIPs() {
    lists_[kBlockedIPs].Clear();
}

std::vector<std::string> KXProxyConf::Get_Ignored_IPs() {
    return lists_[kIgnoredIPs].keys();
}
std::int16_t KXProxyConf::AddIgnoredIP(const std::string& entry) {
    return AddEntry(kIgnoredIPs, entry);
}
bool KXProxyConf::IgnoredIPExists(const std::string& entry) {
    return lists_[kIgnoredIPs].Exists(entry);
}
void KXProxyConf::RemoveIgnoredIP(const std::string& entry) {
    lists_[kIgnoredIPs].Remove(entry);
}
void KXProxyConf::ClearIgnoredIPs() {
    lists_[kIgnoredIPs].Clear();
}

std::vector<std::string> KXProxyConf::Get_RBL_List() {
    return lists_[kRBLs].keys();
}
std::int16_t KXProxyConf::AddRBL(const std::string& entry) {
    return AddEntry(kRBLs, entry);
}
bool KXProxyConf::RBLExists(const std::string& entry) {
    return lists_[kRBLs].Exists(entry);
}
void KXProxyConf::RemoveRBL(const std::string& entry) {
    lists_[kRBLs].Remove(entry);
}
void KXProxyConf::ClearRBLList() {
    lists_[kRBLs].Clear();
}

std::vector<std::string> KXProxyConf::Get_Available_RBL_List() {
    return lists_[kAvailableRBLs].keys();
}
std::int16_t KXProxyConf::AddAvailableRBL(const std::string& entry) {
    return AddEntry(kAvailableRBLs, entry);
}
bool KXProxyConf::AvailableRBLExists(const std::string& entry) {
    return lists_[kAvailableRBLs].Exists(entry);
}
void KXProxyConf::RemoveAvailableRBL(const std::string& entry) {
    lists_[kAvailableRBLs].Remove(entry);
}
void KXProxyConf::ClearAvailableRBLList() {
    lists_[kAvailableRBLs].Clear();
}

std::vector<std::string> KXProxyConf::Get_Blocked_Country_List() {
    return lists_[kBlockedCountries].keys();
}
std::int16_t KXProxyConf::AddBlockedCountry(const std::string& entry) {
    return AddEntry(kBlockedCountries, entry);
}
bool KXProxyConf::BlockedCountryExists(const std::string& entry) {
    return lists_[kBlockedCountries].Exists(entry);
}
void KXProxyConf::RemoveBlockedCountry(const std::string& entry) {
    lists_[kBlockedCountries].Remove(entry);
}
void KXProxyConf::ClearBlockedCountryList() {
    lists_[kBlockedCountries].Clear();
}

std::vector<std::string> KXProxyConf::Get_Ignored_Country_List() {
    return lists_[kIgnoredCountries].keys();
}
std::int16_t KXProxyConf::AddIgnoredCountry(const std::string& entry) {
    return AddEntry(kIgnoredCountries, entry);
}
bool KXProxyConf::IgnoredCountryExists(const std::string& entry) {
    return lists_[kIgnoredCountries].Exists(entry);
}
void KXProxyConf::RemoveIgnoredCountry(const std::string& entry) {
    lists_[kIgnoredCountries].Remove(entry);
}
void KXProxyConf::ClearIgnoredCountryList() {
    lists_[kIgnoredCountries].Clear();
}

std::vector<std::string> KXProxyConf::Get_Blocked_Charset_List() {
    return lists_[kBlockedCharsets].keys();
}
std::int16_t KXProxyConf::AddBlockedCharset(const std::string& entry) {
    return AddEntry(kBlockedCharsets, entry);
}
bool KXProxyConf::BlockedCharsetExists(const std::string& entry) {
    return lists_[kBlockedCharsets].Exists(entry);
}
void KXProxyConf::RemoveBlockedCharset(const std::string& entry) {
    lists_[kBlockedCharsets].Remove(entry);
}
void KXProxyConf::ClearBlockedCharsetList() {
    lists_[kBlockedCharsets].Clear();
}
