#include "KXProxyConf.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"

// The blocked and home country lists: check-box lists of the table's names,
// sorted by the control, whose marks stand for the codes in the
// configuration's lists.

namespace {

constexpr int kCountryLists[] = {IDC_lstBlockedCountries, IDC_lstIgnoredCountries};

void SetCountryMark(HWND list, int item, bool checked) {
    ListView_SetItemState(list, item, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

}  // namespace

void frmMain::FillCountryLists() {
    if (!mCountries) {
        mCountries = std::make_unique<countries>();
    }
    mLoadingCountries = true;
    for (int id : kCountryLists) {
        HWND list = Control(id);
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        RECT client{};
        GetClientRect(list, &client);
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = client.right - GetSystemMetrics(SM_CXVSCROLL);
        ListView_InsertColumn(list, 0, &column);
        ListView_DeleteAllItems(list);
        // The list's handle is looked up once: a lookup walks every page.
        for (const std::string& name : mCountries->getAllNames()) {
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = ListView_GetItemCount(list);
            item.pszText = const_cast<char*>(name.c_str());
            ListView_InsertItem(list, &item);
        }
    }
    mLoadingCountries = false;
}

void frmMain::LoadCountryMarks(int listId, bool (KXProxyConf::*listed)(const std::string&)) {
    mLoadingCountries = true;
    HWND list = Control(listId);
    char name[256];
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        ListView_GetItemText(list, i, 0, name, sizeof name);
        SetCountryMark(list, i, ((*modMain::gProxyConf).*listed)(mCountries->GetCodeFromName(name)));
    }
    mLoadingCountries = false;
}

void frmMain::LoadBlockedCountryList() {
    LoadCountryMarks(IDC_lstBlockedCountries, &KXProxyConf::BlockedCountryExists);
    unknownBlockedCountries_ = mCountries->UnknownCodes(modMain::gProxyConf->Get_Blocked_Country_List());
}

void frmMain::LoadIgnoredCountryList() {
    LoadCountryMarks(IDC_lstIgnoredCountries, &KXProxyConf::IgnoredCountryExists);
    unknownIgnoredCountries_ = mCountries->UnknownCodes(modMain::gProxyConf->Get_Ignored_Country_List());
}

const std::vector<std::string>& frmMain::UnknownCountryCodes(int listId) const {
    return listId == IDC_lstBlockedCountries ? unknownBlockedCountries_ : unknownIgnoredCountries_;
}

void frmMain::SetAllCountryMarks(int listId, bool checked) {
    HWND list = Control(listId);
    // Hidden while every mark changes, so the list is not redrawn for each.
    if (checked) {
        ShowWindow(list, SW_HIDE);
    }
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        SetCountryMark(list, i, checked);
    }
    if (checked) {
        ShowWindow(list, SW_SHOW);
    }
    MarkSettingsChanged(true);
}
