#pragma once
#include <string>

#include "EntryDialog.h"
#include "SenderLists.h"

// The eight dialogs that add an entry to, or change an entry of, one of the
// sender and address lists. Each OK writes the list file at once.
enum class AddressDialog : int {
    frmAddApproved,
    frmEditApproved,
    frmAddBlocked,
    frmEditBlocked,
    frmAddIgnoredSender,
    frmEditIgnoredSender,
    frmAddTo,
    frmEditTo,
};

class frmAddressEntry : public EntryDialog {
public:
    struct Member;

    // Shows the dialog modally, owned by the main window. An Edit dialog
    // changes the entry given: the stored entry of the selected row.
    static void Show(AddressDialog which, HWND owner, const std::string& editedEntry = "");

private:
    frmAddressEntry(const Member& member, const std::string& editedEntry)
        : member_(member), originalEntry(editedEntry) {}

    void Form_Load() override;
    bool cmdOK_Click() override;
    // Approved and blocked lists never hold the same address: an entry
    // taken by one leaves the other.
    void ApplyCrossRule(const std::string& entry);

    const Member& member_;
    // The entry being edited, as stored; "" in an Add dialog.
    std::string originalEntry;
};
