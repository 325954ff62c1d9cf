#include "Page3.h"

#include <string>
#include <vector>

#include "Resources.h"
#include "SortedList.h"
#include "StringIds.h"
#include "WizardIds.h"
#include "modOE.h"

Page3::Page3() : WizardForm(IDD_Page3) {}

void Page3::Form_Load() {
    Caption(IDC_Label3, kStrCreateFolders);
    Caption(IDC_Label1_1, kStrClickFinish);
}

// The accounts are written before this page is shown, so it tells what was
// really done: every account rewritten counts, even when a later one failed;
// the failed one is named with its error.
void Page3::BeforePageShow(CWizard&, std::int16_t) {
    const modOE::ConfigureResult& result = modOE::gConfigureResult;
    std::vector<std::string> notices;
    int outcome = kStrWizardThanks;
    if (modOE::gOEAccts == nullptr || modOE::gOEAccts->Count() == 0) {
        outcome = kStrNoAccounts;
    } else {
        if (result.rewritten > 0) {
            outcome = kStrWizardDone;
            std::uint32_t processId = 0;
            if (modOE::IsProcessRunning("msimn.exe", processId))
                notices.push_back(LoadResText(kStrRestartMailClient));
        }
        if (!result.failedAccount.empty())
            notices.push_back(result.failedAccount);
        if (!result.error.empty())
            notices.push_back(result.error);
    }
    std::string notice;
    for (const std::string& line : notices)
        notice += (notice.empty() ? "" : "\r\n") + line;
    Caption(IDC_Label1_0, outcome);
    SetText(IDC_Label2, notice);
    UpdateWindow(hWnd());
}

void Page3::BeforePageHide(CWizard&, std::int16_t, bool&) {
    // The last page is never left for another: nothing to keep.
}
