#include "frmAddressEntry.h"

#include "AddressList.h"
#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "WindowBoundary.h"
#include "entryDialogIds.h"
#include "modMain.h"

struct frmAddressEntry::Member {
    int templateId;
    SenderList list;
    int captionId;
    int promptId;
    // The edit box shows an imported entry without its "# " mark.
    bool stripsCommentPrefix;
    bool hasCrossList;
    SenderList crossList;
};

namespace {

using Member = frmAddressEntry::Member;

const Member kMembers[] = {
    {IDD_frmAddApproved, SenderList::Approved, kStrSenderEntryTitle, kStrSenderEntryPrompt, false, true,
     SenderList::Blocked},
    {IDD_frmEditApproved, SenderList::Approved, kStrSenderEntryTitle, kStrSenderEntryPrompt, true, true,
     SenderList::Blocked},
    {IDD_frmAddBlocked, SenderList::Blocked, kStrSenderEntryTitle, kStrSenderEntryPrompt, false, true,
     SenderList::Approved},
    {IDD_frmEditBlocked, SenderList::Blocked, kStrSenderEntryTitle, kStrSenderEntryPrompt, false, true,
     SenderList::Approved},
    {IDD_frmAddIgnoredSender, SenderList::Ignored, kStrSenderEntryTitle, kStrSenderEntryPrompt, false, false,
     SenderList::Ignored},
    {IDD_frmEditIgnoredSender, SenderList::Ignored, kStrSenderEntryTitle, kStrSenderEntryPrompt, true, false,
     SenderList::Ignored},
    {IDD_frmAddTo, SenderList::ToMe, kStrToMeEntryTitle, kStrToMeEntryPrompt, false, false, SenderList::ToMe},
    {IDD_frmEditTo, SenderList::ToMe, kStrToMeEntryTitle, kStrToMeEntryPrompt, false, false, SenderList::ToMe},
};

}  // namespace

void frmAddressEntry::Show(AddressDialog which, HWND owner, const std::string& editedEntry) {
    frmAddressEntry form(kMembers[static_cast<int>(which)], editedEntry);
    form.ShowModal(form.member_.templateId, owner);
}

void frmAddressEntry::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    Decorate(member_.captionId, member_.promptId);
    if (originalEntry.empty()) {
        return;
    }
    ShowEntry(IDC_txtAddress, member_.stripsCommentPrefix ? modMain::StripCommentPrefix(originalEntry) : originalEntry);
}

bool frmAddressEntry::cmdOK_Click() {
    const WindowBoundary::Handler handler(__func__);
    std::string entry;
    if (!ReadEntry(IDC_txtAddress, kStrEnterSender, entry)) {
        return false;
    }
    AddressList& list = SenderLists::List(member_.list);
    // The entry being edited is no duplicate of itself, whatever its case.
    const bool isOriginal = !originalEntry.empty() && TextCompare(entry, originalEntry) == 0;
    bool duplicate = false;
    // Looked for in the list as its file holds it now, and saved once.
    const bool saved = SenderLists::Change(member_.list, [&] {
        duplicate = !isOriginal && list.Exists(entry);
        if (!duplicate) {
            list.Replace(originalEntry, entry);
            SenderLists::RecordStamp(member_.list);
        }
    });
    if (duplicate) {
        Tell(modMain::SubstituteArg(LoadResText(kStrAlreadyOnList), entry));
        return false;
    }
    if (!saved) {
        return false;
    }
    if (member_.hasCrossList) {
        ApplyCrossRule(entry);
    }
    modMain::NotifyOE(SenderLists::ReloadMessage(member_.list));
    return true;
}

void frmAddressEntry::ApplyCrossRule(const std::string& entry) {
    AddressList& other = SenderLists::List(member_.crossList);
    // The other list's stamp stays as it was, so its page reloads the file
    // when it is next opened.
    SenderLists::Change(member_.crossList, [&] { other.Remove(entry); });
}
