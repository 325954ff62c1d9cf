#include "SenderListPages.h"

#include <commdlg.h>

#include "AddressList.h"
#include "FileSystem.h"
#include "MsgBox.h"
#include "Resources.h"
#include "SenderLists.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmAddressEntry.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

constexpr int kPages[] = {11, 13, 14, 34};

struct SenderPage {
    SenderList list;
    int addButton;
    int editButton;
    int deleteButton;
    // 0 on the pages without import and export.
    int importButton;
    int exportButton;
    AddressDialog addDialog;
    AddressDialog editDialog;
};

const SenderPage kSenderPages[] = {
    {SenderList::Approved, IDC_cmdAddApproved, IDC_cmdEditApproved, IDC_cmdDeleteApproved, IDC_cmdImportApproved,
     IDC_cmdExportApproved, AddressDialog::frmAddApproved, AddressDialog::frmEditApproved},
    {SenderList::Blocked, IDC_cmdAddBlocked, IDC_cmdEditBlocked, IDC_cmdDeleteBlocked, IDC_cmdImportBlocked,
     IDC_cmdExportBlocked, AddressDialog::frmAddBlocked, AddressDialog::frmEditBlocked},
    {SenderList::Ignored, IDC_cmdAddIgnoredSender, IDC_cmdEditIgnoredSender, IDC_cmdDeleteIgnoredSender, 0, 0,
     AddressDialog::frmAddIgnoredSender, AddressDialog::frmEditIgnoredSender},
    {SenderList::ToMe, IDC_cmdAddToAddress, IDC_cmdEditToAddress, IDC_cmdDeleteToAddress, 0, 0, AddressDialog::frmAddTo,
     AddressDialog::frmEditTo},
};

// The common open or save dialog, without filter, default name or title of
// its own; false on Cancel.
bool AskForFile(HWND owner, bool save, std::string& path) {
    char file[MAX_PATH] = "";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.Flags = OFN_HIDEREADONLY | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) {
        return false;
    }
    path = file;
    return true;
}

}  // namespace

std::span<const int> SenderListPages::Pages() const {
    return kPages;
}

bool SenderListPages::OnCommand(int id, int code) {
    if (id == IDC_lstIgnoredSenders && code == LBN_SELCHANGE) {
        lstIgnoredSenders_Click();
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    for (const SenderPage& page : kSenderPages) {
        std::string path;
        if (id == page.addButton) {
            ShowAddressDialog(page.addDialog, page.list);
        } else if (id == page.editButton) {
            EditSenderEntry(page.editDialog, page.list);
        } else if (id == page.deleteButton) {
            DeleteSelectedSenders(page.list);
        } else if (id == page.importButton) {
            if (AskForFile(window_.Window(), false, path)) {
                ImportSenderList(page.list, path);
            }
        } else if (id == page.exportButton) {
            if (AskForFile(window_.Window(), true, path)) {
                ExportSenderList(page.list, path);
            }
        } else {
            continue;
        }
        return true;
    }
    return false;
}

void SenderListPages::FillListFromAddressList(AddressList& list, HWND box) {
    std::vector<std::string>& rows = rows_[box];
    rows = list.Items();
    FillListBox(box, rows);
}

std::string SenderListPages::RowEntry(HWND box, int row) const {
    const auto filled = rows_.find(box);
    if (filled != rows_.end() && row >= 0 && static_cast<std::size_t>(row) < filled->second.size()) {
        return filled->second[static_cast<std::size_t>(row)];
    }
    // A row not filled here has only its text to go by.
    return ListBoxText(box, row);
}

HWND SenderListPages::Box(SenderList which) const {
    return Control(SenderLists::Box(which));
}

void SenderListPages::FillSenderList(SenderList which) {
    if (SenderLists::Exists(which)) {
        FillListFromAddressList(SenderLists::List(which), Box(which));
    }
}

void SenderListPages::ReloadPageIfChanged(const std::string& key) {
    for (SenderList which : SenderLists::kAll) {
        if (key == SenderLists::PageKey(which) && SenderLists::CatchUp(which)) {
            FillListFromAddressList(SenderLists::List(which), Box(which));
        }
    }
}

void SenderListPages::lstIgnoredSenders_Click() {
    const WindowBoundary::Handler handler(__func__);
    if (SendMessageA(Control(IDC_lstIgnoredSenders), LB_GETCOUNT, 0, 0) > 0) {
        EnableWindow(Control(IDC_cmdEditIgnoredSender), TRUE);
        EnableWindow(Control(IDC_cmdDeleteIgnoredSender), TRUE);
    }
}

// The box is refilled after the dialog, whether it ended by OK or Cancel.
void SenderListPages::ShowAddressDialog(AddressDialog dialog, SenderList which, const std::string& editedEntry) {
    frmAddressEntry::Show(dialog, window_.Window(), editedEntry);
    FillListFromAddressList(SenderLists::List(which), Box(which));
}

// The dialog edits the first selected entry.
void SenderListPages::EditSenderEntry(AddressDialog dialog, SenderList which) {
    HWND box = Box(which);
    const int selected = FirstSelectedItem(box);
    if (selected < 0) {
        MsgBox(LoadResText(kStrSelectAddress), MsgBoxStyle::OKOnly, LoadResText(kStrProductTitle));
        FillListFromAddressList(SenderLists::List(which), box);
        return;
    }
    ShowAddressDialog(dialog, which, RowEntry(box, selected));
}

// Removes the entry each selected row was filled from (an imported entry
// beginning with "# " included), by its text, since the change may first
// reload the list; then saves, records the stamp and tells the mail client,
// also when nothing was selected.
void SenderListPages::DeleteSelectedSenders(SenderList which) {
    HWND box = Box(which);
    HCURSOR previous = which == SenderList::Blocked ? SetCursor(LoadCursorA(nullptr, IDC_WAIT)) : nullptr;
    AddressList& list = SenderLists::List(which);
    const bool saved = SenderLists::Change(which, [&] {
        const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            if (SendMessageA(box, LB_GETSEL, i, 0) > 0) {
                list.Remove(RowEntry(box, i));
                MarkSettingsChanged(false);
            }
        }
        list.Save();
        SenderLists::RecordStamp(which);
    });
    FillListFromAddressList(list, box);
    if (which == SenderList::Ignored && SendMessageA(box, LB_GETCOUNT, 0, 0) == 0) {
        EnableWindow(Control(IDC_cmdDeleteIgnoredSender), FALSE);
        EnableWindow(Control(IDC_cmdEditIgnoredSender), FALSE);
    }
    if (saved) {
        modMain::NotifyOE(SenderLists::ReloadMessage(which));
    }
    if (previous != nullptr) {
        SetCursor(previous);
    }
}

// A file that cannot be read is reported and changes nothing.
void SenderListPages::ImportSenderList(SenderList which, const std::string& path) {
    AddressList& list = SenderLists::List(which);
    const bool imported = SenderLists::Change(which, [&] {
        // AddressList::Import takes a missing file for an empty one.
        FileSystem::ReadWholeFile(path);
        list.Import(path);
        SenderLists::RecordStamp(which);
    });
    if (!imported) {
        return;
    }
    FillListFromAddressList(list, Box(which));
    MarkSettingsChanged(false);
}

// The export writes the list as its file holds it now, which another program
// may have changed; the box is refilled so that it shows the same.
void SenderListPages::ExportSenderList(SenderList which, const std::string& path) {
    SenderLists::CatchUp(which);
    AddressList& list = SenderLists::List(which);
    SenderLists::Change(which, [&] { list.Save(path); });
    FillListFromAddressList(list, Box(which));
}
