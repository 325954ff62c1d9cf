#include "IPListPages.h"

#include <cstdint>
#include <exception>

#include "CheckList.h"
#include "EntryDialog.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MenuCommands.h"
#include "MsgBox.h"
#include "RBLSelection.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "frmRangeEntry.h"
#include "modMain.h"

namespace {

struct IPPage {
    int box;
    int addButton;
    int editButton;
    int deleteButton;
    RangeDialog addDialog;
    RangeDialog editDialog;
    std::vector<std::string> (KXProxyConf::*entries)();
    void (KXProxyConf::*clear)();
    std::int16_t (KXProxyConf::*add)(const std::string&);
};

constexpr int kPages[] = {15, 17, 19, 28};

const IPPage kIPPages[] = {
    {IDC_lstApprovedIPs, IDC_cmdAddApprovedIP, IDC_cmdEditApprovedIP, IDC_cmdDelApprovedIP,
     RangeDialog::frmAddApprovedIP, RangeDialog::frmEditApprovedIP, &KXProxyConf::Get_Approved_IPs,
     &KXProxyConf::ClearApprovedIPs, &KXProxyConf::AddApprovedIP},
    {IDC_lstBlockedIPs, IDC_cmdAddBlockedIP, IDC_cmdEditBlockedIP, IDC_cmdDeleteBlockedIP, RangeDialog::frmAddBlockedIP,
     RangeDialog::frmEditBlockedIP, &KXProxyConf::Get_Blocked_IPs, &KXProxyConf::ClearBlockedIPs,
     &KXProxyConf::AddBlockedIP},
    {IDC_lstIgnoredIPs, IDC_cmdAddIgnoreIP, IDC_cmdEditIgnoreIP, IDC_cmdDeleteIgnoreIP, RangeDialog::frmAddIgnoredIP,
     RangeDialog::frmEditIgnoredIP, &KXProxyConf::Get_Ignored_IPs, &KXProxyConf::ClearIgnoredIPs,
     &KXProxyConf::AddIgnoredIP},
};

}  // namespace

std::span<const int> IPListPages::Pages() const {
    return kPages;
}

// A failed load ends silently, keeping what it had added.
void IPListPages::LoadIPList(int index) {
    const IPPage& page = kIPPages[index];
    HWND box = Control(page.box);
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    try {
        FillListBox(box, (modMain::gProxyConf.get()->*page.entries)());
    } catch (const std::exception&) {
        // Silent by design: the box shows the entries it got, and Apply
        // writes back what the boxes hold, so what is shown is what is kept.
    }
}

void IPListPages::LoadApprovedIPList() {
    LoadIPList(0);
}

void IPListPages::LoadBlockedIPList() {
    LoadIPList(1);
}

void IPListPages::LoadIgnoredIPList() {
    LoadIPList(2);
}

void IPListPages::LoadRBLs() {
    HWND list = Control(IDC_lstRBLs);
    mLoadingRBLs = true;
    LogTrap::Trap("LoadRBLs() Error ", " : ", [&] {
        CheckList::Prepare(list);
        const std::vector<RBLSelection::Zone> zones = RBLSelection::ZonesToShow(
            modMain::gProxyConf->Get_Available_RBL_List(), modMain::gProxyConf->Get_RBL_List());
        const RedrawOff quiet(list);
        ListView_DeleteAllItems(list);
        // The list's handle is looked up once, not for each entry: a lookup
        // is a round trip to the window system.
        for (const RBLSelection::Zone& zone : zones) {
            CheckList::Append(list, zone.name, zone.active);
        }
    });
    mLoadingRBLs = false;
}

void IPListPages::WriteLists(KXProxyConf& conf) const {
    for (const IPPage& page : kIPPages) {
        (conf.*page.clear)();
        for (const std::string& entry : ListBoxItems(page.box)) {
            (conf.*page.add)(entry);
        }
    }
    conf.ClearRBLList();
    conf.ClearAvailableRBLList();
    for (const auto& [zone, active] : CheckList::Entries(Control(IDC_lstRBLs))) {
        conf.AddAvailableRBL(zone);
        if (active) {
            conf.AddRBL(zone);
        }
    }
}

std::vector<std::string> IPListPages::ListBoxItems(int box) const {
    HWND control = Control(box);
    std::vector<std::string> items;
    if (box == IDC_lstRBLs) {
        for (int i = 0; i < ListView_GetItemCount(control); ++i) {
            items.push_back(ListViewText(control, i));
        }
        return items;
    }
    const int count = static_cast<int>(SendMessageA(control, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        items.push_back(ListBoxText(control, i));
    }
    return items;
}

void IPListPages::AppendListItem(int box, const std::string& text, bool checked) {
    HWND control = Control(box);
    if (box != IDC_lstRBLs) {
        SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    CheckList::Append(control, text, checked);
}

bool IPListPages::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
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
        return window_.Menus().HelpButton_Click(id);
    }
    return true;
}

void IPListPages::ShowRangeDialog(RangeDialog dialog, int box) {
    frmRangeEntry::Show(dialog, *this);
    InvalidateRect(Control(box), nullptr, TRUE);
}

void IPListPages::EditIPEntry(RangeDialog dialog, int box) {
    if (SendMessageA(Control(box), LB_GETCURSEL, 0, 0) == LB_ERR) {
        MsgBox(LoadResText(kStrSelectRange), MsgBoxStyle::OKOnly, LoadResText(kStrProductTitle));
        return;
    }
    ShowRangeDialog(dialog, box);
}

// Only the page's working copy loses the entry; nothing current, nothing done.
void IPListPages::DeleteCurrentEntry(int box) {
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

// A check mark set or cleared by hand.
bool IPListPages::OnNotify(const NMHDR& header) {
    if (header.idFrom != IDC_lstRBLs || header.code != LVN_ITEMCHANGED) {
        return false;
    }
    if (CheckList::IsCheckChange(header) && !mLoadingRBLs) {
        MarkSettingsChanged(true);
    }
    return true;
}
