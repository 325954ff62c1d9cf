#include <exception>

#include "EntryDialog.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ProgramTitle.h"
#include "RBLSelection.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "frmRangeEntry.h"
#include "modMain.h"

// The IP and blocklist-zone pages: their boxes are working copies of the
// configuration's lists, written back only when the settings are saved.
namespace {

struct IPPage {
    int box;
    int addButton;
    int editButton;
    int deleteButton;
    RangeDialog addDialog;
    RangeDialog editDialog;
    std::vector<std::string> (KXProxyConf::*entries)();
};

const IPPage kIPPages[] = {
    {IDC_lstApprovedIPs, IDC_cmdAddApprovedIP, IDC_cmdEditApprovedIP, IDC_cmdDelApprovedIP,
     RangeDialog::frmAddApprovedIP, RangeDialog::frmEditApprovedIP, &KXProxyConf::Get_Approved_IPs},
    {IDC_lstBlockedIPs, IDC_cmdAddBlockedIP, IDC_cmdEditBlockedIP, IDC_cmdDeleteBlockedIP, RangeDialog::frmAddBlockedIP,
     RangeDialog::frmEditBlockedIP, &KXProxyConf::Get_Blocked_IPs},
    {IDC_lstIgnoredIPs, IDC_cmdAddIgnoreIP, IDC_cmdEditIgnoreIP, IDC_cmdDeleteIgnoreIP, RangeDialog::frmAddIgnoredIP,
     RangeDialog::frmEditIgnoredIP, &KXProxyConf::Get_Ignored_IPs},
};

// A failed load ends silently, keeping what it had added.
void LoadIPList(const IPPage& page, HWND box) {
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    try {
        for (const std::string& entry : (modMain::gProxyConf.get()->*page.entries)()) {
            frmMain::Instance().AppendListItem(page.box, entry);
        }
    } catch (const std::exception&) {
    }
}

std::string ZoneText(HWND list, int index) {
    char text[1024] = "";
    ListView_GetItemText(list, index, 0, text, sizeof text);
    return text;
}

}  // namespace

void frmMain::LoadApprovedIPList() {
    LoadIPList(kIPPages[0], Control(IDC_lstApprovedIPs));
}

void frmMain::LoadBlockedIPList() {
    LoadIPList(kIPPages[1], Control(IDC_lstBlockedIPs));
}

void frmMain::LoadIgnoredIPList() {
    LoadIPList(kIPPages[2], Control(IDC_lstIgnoredIPs));
}

void frmMain::LoadRBLs() {
    HWND list = Control(IDC_lstRBLs);
    mLoadingRBLs = true;
    LogTrap::Trap("LoadRBLs() Error ", " : ", [&] {
        // The template holds a plain report view; its check boxes and its
        // one column come at run time.
        ListView_SetExtendedListViewStyleEx(list, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
        if (Header_GetItemCount(ListView_GetHeader(list)) == 0) {
            RECT client{};
            GetClientRect(list, &client);
            LVCOLUMNA column{};
            column.mask = LVCF_WIDTH;
            column.cx = client.right - client.left - GetSystemMetrics(SM_CXVSCROLL);
            ListView_InsertColumn(list, 0, &column);
        }
        const std::vector<RBLSelection::Zone> zones = RBLSelection::ZonesToShow(
            modMain::gProxyConf->Get_Available_RBL_List(), modMain::gProxyConf->Get_RBL_List());
        ListView_DeleteAllItems(list);
        for (const RBLSelection::Zone& zone : zones) {
            AppendListItem(IDC_lstRBLs, zone.name, zone.active);
        }
    });
    mLoadingRBLs = false;
}

std::vector<std::string> frmMain::ListBoxItems(int box) const {
    HWND control = Control(box);
    std::vector<std::string> items;
    if (box == IDC_lstRBLs) {
        for (int i = 0; i < ListView_GetItemCount(control); ++i) {
            items.push_back(ZoneText(control, i));
        }
        return items;
    }
    const int count = static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        items.push_back(ListBoxText(control, i));
    }
    return items;
}

void frmMain::AppendListItem(int box, const std::string& text, bool checked) {
    HWND control = Control(box);
    if (box != IDC_lstRBLs) {
        SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(control);
    item.pszText = const_cast<char*>(text.c_str());
    const int index = ListView_InsertItem(control, &item);
    ListView_SetCheckState(control, index, checked);
}

bool frmMain::OnListCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return OnSenderListCommand(id, code);
    }
    for (const IPPage& page : kIPPages) {
        if (id == page.addButton) {
            ShowRangeDialog(page.addDialog, page.box);
        } else if (id == page.editButton) {
            EditIPEntry(page.editDialog, page.box);
        } else if (id == page.deleteButton) {
            DeleteCurrentEntry(page.box);
        } else {
            continue;
        }
        return true;
    }
    if (id == IDC_cmdAddRBL) {
        ShowRangeDialog(RangeDialog::frmAddRBL, IDC_lstRBLs);
    } else if (id == IDC_cmdDeleteRBL) {
        DeleteCurrentEntry(IDC_lstRBLs);
    } else {
        return OnSenderListCommand(id, code);
    }
    return true;
}

void frmMain::ShowRangeDialog(RangeDialog dialog, int box) {
    frmRangeEntry::Show(dialog, *this);
    InvalidateRect(Control(box), nullptr, TRUE);
}

void frmMain::EditIPEntry(RangeDialog dialog, int box) {
    if (SendMessageA(Control(box), LB_GETCURSEL, 0, 0) == LB_ERR) {
        MsgBox(LoadResText(kStrSelectRange), MsgBoxStyle::OKOnly, ProgramTitle());
        return;
    }
    ShowRangeDialog(dialog, box);
}

// Only the page's working copy loses the entry; nothing current, nothing done.
void frmMain::DeleteCurrentEntry(int box) {
    HWND control = Control(box);
    if (box == IDC_lstRBLs) {
        const int current = ListView_GetNextItem(control, -1, LVNI_SELECTED);
        if (current < 0) {
            return;
        }
        ListView_DeleteItem(control, current);
    } else {
        const LRESULT current = SendMessageA(control, LB_GETCURSEL, 0, 0);
        if (current == LB_ERR) {
            return;
        }
        SendMessageA(control, LB_DELETESTRING, current, 0);
    }
    MarkSettingsChanged(true);
}

// lstRBLs_ItemCheck: a check mark set or cleared by hand. An item being
// inserted gets its first state image (0 to unchecked) without a user.
bool frmMain::OnListNotify(const NMHDR& header) {
    if (header.idFrom != IDC_lstRBLs || header.code != LVN_ITEMCHANGED) {
        return false;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const UINT oldImage = change.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newImage = change.uNewState & LVIS_STATEIMAGEMASK;
    if ((change.uChanged & LVIF_STATE) && oldImage != 0 && newImage != 0 && oldImage != newImage && !mLoadingRBLs) {
        MarkSettingsChanged(true);
    }
    return true;
}
