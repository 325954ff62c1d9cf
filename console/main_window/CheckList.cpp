#include "CheckList.h"

#include <commctrl.h>

#include "WindowHelpers.h"

namespace CheckList {

void Prepare(HWND list) {
    ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
    if (Header_GetItemCount(ListView_GetHeader(list)) != 0) {
        return;
    }
    RECT client{};
    GetClientRect(list, &client);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    column.cx = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
    ListView_InsertColumn(list, 0, &column);
}

int Append(HWND list, const std::string& text, bool checked) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<char*>(text.c_str());
    // The list gives a new item an empty check box whatever the insert asks
    // for, so a tick is set once the item is in.
    const int index = ListView_InsertItem(list, &item);
    if (checked && index >= 0) {
        ListView_SetCheckState(list, index, TRUE);
    }
    return index;
}

std::vector<std::pair<std::string, bool>> Entries(HWND list) {
    std::vector<std::pair<std::string, bool>> entries;
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        entries.emplace_back(ListViewText(list, i), ListView_GetCheckState(list, i) != 0);
    }
    return entries;
}

bool IsCheckChange(const NMHDR& header) {
    if (header.code != LVN_ITEMCHANGED) {
        return false;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const UINT oldMark = change.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newMark = change.uNewState & LVIS_STATEIMAGEMASK;
    return (change.uChanged & LVIF_STATE) && oldMark != 0 && newMark != 0 && oldMark != newMark;
}

}  // namespace CheckList
