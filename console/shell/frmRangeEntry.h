#pragma once
#include <string>

#include "EntryDialog.h"

class IPListPages;

// The seven dialogs that add an entry to, or change an entry of, the settings
// window's IP list boxes or its blocklist zones. They change only those
// working copies; the window's next save writes them.
enum class RangeDialog : int {
    frmAddApprovedIP,
    frmEditApprovedIP,
    frmAddBlockedIP,
    frmEditBlockedIP,
    frmAddIgnoredIP,
    frmEditIgnoredIP,
    frmAddRBL,
};

class frmRangeEntry : public EntryDialog {
public:
    struct Member;

    // Shows the dialog modally, owned by the window whose list box it edits.
    static void Show(RangeDialog which, IPListPages& pages);

private:
    frmRangeEntry(const Member& member, IPListPages& pages) : member_(member), pages_(pages) {}

    void Form_Load() override;
    bool cmdOK_Click() override;
    HWND Box() const;

    const Member& member_;
    IPListPages& pages_;
    // The item being edited: its position and its text; -1 in an Add dialog.
    int m_editIndex = -1;
    std::string m_oldEntry;
};
