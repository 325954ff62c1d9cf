#include "CountryPages.h"

#include "CheckList.h"
#include "KXProxyConf.h"
#include "WindowHelpers.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

constexpr int kPages[] = {18, 35};

constexpr int kCountryLists[] = {IDC_lstBlockedCountries, IDC_lstIgnoredCountries};

}  // namespace

std::span<const int> CountryPages::Pages() const {
    return kPages;
}

void CountryPages::FillCountryLists() {
    if (!mCountries) {
        mCountries = std::make_unique<countries>();
    }
    mLoadingCountries = true;
    for (int id : kCountryLists) {
        // The list's handle is looked up once, not for each entry: a lookup
        // is a round trip to the window system.
        HWND list = Control(id);
        CheckList::Prepare(list);
        const RedrawOff quiet(list);
        ListView_DeleteAllItems(list);
        for (const std::string& name : mCountries->getAllNames()) {
            CheckList::Append(list, name);
        }
    }
    mLoadingCountries = false;
}

void CountryPages::LoadCountryMarks(int listId, bool (KXProxyConf::*listed)(const std::string&)) {
    mLoadingCountries = true;
    HWND list = Control(listId);
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        ListView_SetCheckState(list, i,
                               ((*modMain::gProxyConf).*listed)(mCountries->GetCodeFromName(ListViewText(list, i))));
    }
    mLoadingCountries = false;
}

void CountryPages::LoadBlockedCountryList() {
    LoadCountryMarks(IDC_lstBlockedCountries, &KXProxyConf::BlockedCountryExists);
    unknownBlockedCountries_ = mCountries->UnknownCodes(modMain::gProxyConf->Get_Blocked_Country_List());
}

void CountryPages::LoadIgnoredCountryList() {
    LoadCountryMarks(IDC_lstIgnoredCountries, &KXProxyConf::IgnoredCountryExists);
    unknownIgnoredCountries_ = mCountries->UnknownCodes(modMain::gProxyConf->Get_Ignored_Country_List());
}

const std::vector<std::string>& CountryPages::UnknownCountryCodes(int listId) const {
    return listId == IDC_lstBlockedCountries ? unknownBlockedCountries_ : unknownIgnoredCountries_;
}

void CountryPages::WriteLists(KXProxyConf& conf) const {
    conf.ClearBlockedCountryList();
    for (const std::string& code : CheckedCountryCodes(IDC_lstBlockedCountries)) {
        conf.AddBlockedCountry(code);
    }
    conf.ClearIgnoredCountryList();
    for (const std::string& code : CheckedCountryCodes(IDC_lstIgnoredCountries)) {
        conf.AddIgnoredCountry(code);
    }
}

std::vector<std::string> CountryPages::CheckedCountryCodes(int listId) const {
    std::vector<std::string> codes;
    for (const auto& [name, checked] : CheckList::Entries(Control(listId))) {
        if (checked) {
            codes.push_back(mCountries->GetCodeFromName(name));
        }
    }
    const std::vector<std::string>& unknown = UnknownCountryCodes(listId);
    codes.insert(codes.end(), unknown.begin(), unknown.end());
    return codes;
}

void CountryPages::SetAllCountryMarks(int listId, bool checked) {
    HWND list = Control(listId);
    // Hidden while every mark changes, so the list is not redrawn for each.
    if (checked) {
        ShowWindow(list, SW_HIDE);
    }
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        ListView_SetCheckState(list, i, checked);
    }
    if (checked) {
        ShowWindow(list, SW_SHOW);
    }
    MarkSettingsChanged(true);
}

bool CountryPages::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_cmdCountryCheckAll:
            SetAllCountryMarks(IDC_lstBlockedCountries, true);
            return true;
        case IDC_cmdCountryUncheckAll:
            SetAllCountryMarks(IDC_lstBlockedCountries, false);
            return true;
        case IDC_cmdCountryReset:
            LoadBlockedCountryList();
            return true;
        case IDC_cmdIgnoredCountryCheckAll:
            SetAllCountryMarks(IDC_lstIgnoredCountries, true);
            return true;
        case IDC_cmdIgnoredCountryUncheckAll:
            SetAllCountryMarks(IDC_lstIgnoredCountries, false);
            return true;
        case IDC_cmdIgnoredCountryReset:
            LoadIgnoredCountryList();
            return true;
        default:
            return false;
    }
}

bool CountryPages::OnNotify(const NMHDR& header) {
    if ((header.idFrom != IDC_lstBlockedCountries && header.idFrom != IDC_lstIgnoredCountries) ||
        header.code != LVN_ITEMCHANGED) {
        return false;
    }
    if (CheckList::IsCheckChange(header) && !mLoadingCountries) {
        MarkSettingsChanged(true);
    }
    return true;
}
