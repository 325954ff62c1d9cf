#pragma once
#include <memory>
#include <string>
#include <vector>

#include "PageGroup.h"
#include "countries.h"

class KXProxyConf;

// The blocked and home country lists: check-box lists of the table's names,
// sorted by the control, whose marks stand for the codes in the
// configuration's lists.
class CountryPages : public PageGroup {
public:
    explicit CountryPages(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;
    // lstBlockedCountries_ItemCheck and lstIgnoredCountries_ItemCheck.
    bool OnNotify(const NMHDR& header) override;

    void FillCountryLists();
    void LoadBlockedCountryList();
    void LoadIgnoredCountryList();
    // The lists' marks into the configuration.
    void WriteLists(KXProxyConf& conf) const;
    // Entries of the stored list that the country table lacks, as the last
    // load found them, for IDC_lstBlockedCountries or IDC_lstIgnoredCountries:
    // the save adds them back.
    const std::vector<std::string>& UnknownCountryCodes(int listId) const;

    std::unique_ptr<countries> mCountries;
    bool mLoadingCountries = false;

private:
    void LoadCountryMarks(int listId, bool (KXProxyConf::*listed)(const std::string&));
    void SetAllCountryMarks(int listId, bool checked);
    // The codes of the checked countries, then the stored codes the list has
    // no country for.
    std::vector<std::string> CheckedCountryCodes(int listId) const;

    std::vector<std::string> unknownBlockedCountries_;
    std::vector<std::string> unknownIgnoredCountries_;
};
