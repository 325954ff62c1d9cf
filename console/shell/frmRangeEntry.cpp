#include "frmRangeEntry.h"

#include <algorithm>

#include "IPListPages.h"
#include "ListEntryText.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "entryDialogIds.h"
#include "frmMainIds.h"
#include "modMain.h"

struct frmRangeEntry::Member {
    int templateId;
    int box;
    int entryBox;
    bool edits;
    int captionId;
    int promptId;
    int emptyMessageId;
};

namespace {

using Member = frmRangeEntry::Member;

const Member kMembers[] = {
    {IDD_frmAddApprovedIP, IDC_lstApprovedIPs, IDC_txtIPRange, false, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmEditApprovedIP, IDC_lstApprovedIPs, IDC_txtIPRange, true, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmAddBlockedIP, IDC_lstBlockedIPs, IDC_txtIPRange, false, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmEditBlockedIP, IDC_lstBlockedIPs, IDC_txtIPRange, true, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmAddIgnoredIP, IDC_lstIgnoredIPs, IDC_txtIPRange, false, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmEditIgnoredIP, IDC_lstIgnoredIPs, IDC_txtIPRange, true, kStrRangeEntryTitle, kStrRangeEntryPrompt,
     kStrEnterRange},
    {IDD_frmAddRBL, IDC_lstRBLs, IDC_txtRBL, false, kStrBlacklistEntryTitle, kStrBlacklistEntryPrompt,
     kStrEnterBlacklist},
};

const char kUnfitEntry[] = "%1 cannot be added: an entry may not hold a comma, a blank or a control character.";

}  // namespace

void frmRangeEntry::Show(RangeDialog which, IPListPages& pages) {
    frmRangeEntry dialog(kMembers[static_cast<int>(which)], pages);
    dialog.ShowModal(dialog.member_.templateId, pages.Window());
}

HWND frmRangeEntry::Box() const {
    return pages_.Control(member_.box);
}

void frmRangeEntry::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    Decorate(member_.captionId, member_.promptId);
    if (!member_.edits) {
        return;
    }
    m_editIndex = FirstSelectedItem(Box());
    if (m_editIndex >= 0) {
        m_oldEntry = ListBoxText(Box(), m_editIndex);
        ShowEntry(member_.entryBox, m_oldEntry);
    }
}

bool frmRangeEntry::cmdOK_Click() {
    const WindowBoundary::Handler handler(__func__);
    std::string entry;
    if (!ReadEntry(member_.entryBox, member_.emptyMessageId, entry)) {
        return false;
    }
    if (!ListEntryText::FitsOneLineList(entry)) {
        Tell(modMain::SubstituteArg(kUnfitEntry, entry));
        return false;
    }
    const std::vector<std::string> items = pages_.ListBoxItems(member_.box);
    if (std::find(items.begin(), items.end(), entry) != items.end()) {
        Tell(modMain::SubstituteArg(LoadResText(kStrAlreadyOnList), entry));
        return false;
    }
    if (m_editIndex >= 0) {
        SendMessageA(Box(), LB_DELETESTRING, m_editIndex, 0);
    }
    pages_.AppendListItem(member_.box, entry, true);
    pages_.MarkSettingsChanged(true);
    return true;
}
