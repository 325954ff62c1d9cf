#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Conf.h"
#include "FileSystem.h"
#include "SortedList.h"
#include "Variant.h"

// The daemon's configuration file brindlecote.conf as the desktop programs
// see it: its key=value settings (through a Conf) plus nine settings whose
// values are comma-separated lists, held as text-mode SortedLists so that
// single entries can be tested, added and removed. Load fills in defaults for
// missing keys; Save writes the lists back into their keys and rewrites the
// file as Conf::Save does (false when the file could not be written).
class KXProxyConf {
public:
    // Results of the add operations.
    static constexpr std::int16_t kAdded = 0;
    static constexpr std::int16_t kEntryEmpty = 1;    // nothing but spaces
    static constexpr std::int16_t kEntryPresent = 2;  // already there, in any letter case
    // The entry holds ",", which separates entries in the file: it would come
    // back as two entries, so it is refused.
    static constexpr std::int16_t kEntryHasSeparator = 3;

    // The default file is looked for in programDirectory + "\conf\".
    explicit KXProxyConf(const std::string& programDirectory = FileSystem::ProgramDirectory());

    // Sets the file, first copying the default file into its place when no
    // file is there (a hidden or system file counts as there). When the default
    // is missing too, says so in a message box and copies nothing. A failing
    // copy raises.
    void ConfigurationFile(const std::string& path);
    bool UseDefaultConf() const { return useDefaultConf_; }
    Variant GetValue(const std::string& key);
    bool FileExists(const std::string& path) const;

    void SetValue(const std::string& key, const std::string& value);
    // Reads the file, fills the nine lists (adding to what they hold) and sets
    // the defaults of missing keys in memory.
    void Load();
    // False when the last Load found a file that is not text (see Conf).
    bool LoadedAsText() const { return conf_.LoadedAsText(); }
    void ShowNotText() const { conf_.ShowNotText(); }
    bool Save();
    // Changes the key in the file at once; memory is not touched.
    bool WriteValue(const std::string& key, const std::string& value);

    // Entries "host:port"; the ports in the same order.
    std::vector<std::string> Get_Outgoing_Servers();
    std::vector<Variant> Get_Outgoing_Ports();
    std::int16_t AddOutgoingServer(const std::string& host, const std::string& port);
    bool OutgoingServerExists(const std::string& host, const std::string& port);
    void RemoveOutgoingServer(const std::string& entry);

    std::vector<std::string> Get_Approved_IPs();
    std::int16_t AddApprovedIP(const std::string& entry);
    bool ApprovedIPExists(const std::string& entry);
    void RemoveApprovedIP(const std::string& entry);
    void ClearApprovedIPs();

    std::vector<std::string> Get_Blocked_IPs();
    std::int16_t AddBlockedIP(const std::string& entry);
    bool BlockedIPExists(const std::string& entry);
    void RemoveBlockedIP(const std::string& entry);
    void ClearBlockedIPs();

    std::vector<std::string> Get_Ignored_IPs();
    std::int16_t AddIgnoredIP(const std::string& entry);
    bool IgnoredIPExists(const std::string& entry);
    void RemoveIgnoredIP(const std::string& entry);
    void ClearIgnoredIPs();

    // Active DNS blocklist zones.
    std::vector<std::string> Get_RBL_List();
    std::int16_t AddRBL(const std::string& entry);
    bool RBLExists(const std::string& entry);
    void RemoveRBL(const std::string& entry);
    void ClearRBLList();

    // Zones the user can choose from.
    std::vector<std::string> Get_Available_RBL_List();
    std::int16_t AddAvailableRBL(const std::string& entry);
    bool AvailableRBLExists(const std::string& entry);
    void RemoveAvailableRBL(const std::string& entry);
    void ClearAvailableRBLList();

    std::vector<std::string> Get_Blocked_Country_List();
    std::int16_t AddBlockedCountry(const std::string& entry);
    bool BlockedCountryExists(const std::string& entry);
    void RemoveBlockedCountry(const std::string& entry);
    void ClearBlockedCountryList();

    // Home countries (home_country_list).
    std::vector<std::string> Get_Ignored_Country_List();
    std::int16_t AddIgnoredCountry(const std::string& entry);
    bool IgnoredCountryExists(const std::string& entry);
    void RemoveIgnoredCountry(const std::string& entry);
    void ClearIgnoredCountryList();

    std::vector<std::string> Get_Blocked_Charset_List();
    std::int16_t AddBlockedCharset(const std::string& entry);
    bool BlockedCharsetExists(const std::string& entry);
    void RemoveBlockedCharset(const std::string& entry);
    void ClearBlockedCharsetList();

private:
    enum List {
        kOutgoingServers,
        kApprovedIPs,
        kBlockedIPs,
        kIgnoredIPs,
        kRBLs,
        kAvailableRBLs,
        kBlockedCountries,
        kIgnoredCountries,
        kBlockedCharsets,
        kListCount
    };

    std::int16_t AddEntry(List list, const std::string& entry, const Variant& item = std::int32_t{0});
    void ParseList(List list);
    void AddOutgoingPart(std::string part);
    std::string JoinList(List list);
    void SetDefaults();

    bool useDefaultConf_ = false;
    Conf conf_;
    std::array<SortedList, kListCount> lists_;
    std::string defaultFile_;
};
