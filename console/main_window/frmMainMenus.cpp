#include <windows.h>

#include "FileSystem.h"
#include "HTMLHelp.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "frmStats.h"
#include "modMain.h"
#include "modShellExecute.h"

// The menus, the pages' help buttons and the dispatch of the charset and
// country controls' events.

namespace {

struct HelpButton {
    int id;
    int topicId;
};

// The ignored-IP page asks for topic 1046, which the table lacks: like the
// node help, it then opens the main topic.
constexpr HelpButton kHelpButtons[] = {
    {IDC_cmdFAQ, kStrFAQTopic},
    {IDC_cmdUserManual, kStrUserManualTopic},
    {IDC_cmdHelpSpecifyIPApproved, kStrApprovedIPHelpTopic},
    {IDC_cmdHelpSpecifyIPBlocked, kStrBlockedIPHelpTopic},
    {IDC_cmdHelpSpecifyIP, 1046},
    {IDM_mnuHelp, kStrMainHelpTopic},
};

std::string TopicText(int topicId) {
    try {
        return LoadResText(topicId);
    } catch (const ObjectError&) {
        return LoadResText(kStrMainHelpTopic);
    }
}

// The path with its environment references (%SystemRoot%) filled in.
std::string Expanded(const std::string& path) {
    char expanded[MAX_PATH];
    const DWORD length = ExpandEnvironmentStringsA(path.c_str(), expanded, sizeof expanded);
    return length == 0 || length > sizeof expanded ? path : std::string(expanded);
}

}  // namespace

void frmMain::ShowHelpTopic(int topicId) {
    if (!modMain::gHelp) {
        modMain::gHelp = std::make_shared<HTMLHelp>();
    }
    modMain::gHelp->CHMFile(FileSystem::ProgramDirectory() + "\\" + LoadResText(kStrHelpFile));
    modMain::gHelp->HHWindow("Main");
    modMain::gHelp->HHTopicURL(TopicText(topicId));
    modMain::gHelp->HHDisplayTopicURL(nullptr);
}

void frmMain::mnuStats_Click() {
    const WindowBoundary::Handler handler(__func__);
    frmStats::Show(hwnd_);
}

void frmMain::mnuReportBugs_Click() {
    const WindowBoundary::Handler handler(__func__);
    modShellExecute::ShellOpen(modMain::gBaseURL + LoadResText(kStrSupportPage), "1", "1");
}

void frmMain::mnuOEAccountWizard_Click() {
    const WindowBoundary::Handler handler(__func__);
    if (modMain::gOEMajorVersion >= 5) {
        modShellExecute::ShellOpen("Wizard.exe", "1", FileSystem::ProgramDirectory());
    } else {
        MsgBox(
            "Sorry, but the Outlook Express Account Configuration Wizard only supports Outlook Express version 5 "
            "and above.",
            MsgBoxStyle::OKOnly, ProgramTitle());
    }
}

void frmMain::mnuEventViewer_Click() {
    const WindowBoundary::Handler handler(__func__);
    // The shell takes the working folder as a path, not as a reference.
    modShellExecute::ShellOpen("eventvwr.exe", "/s", Expanded("%SystemRoot%\\system32\\"));
}

void frmMain::mnuViewLogFile_Click() {
    const WindowBoundary::Handler handler(__func__);
    const std::string report = FileSystem::ProgramDirectory() + "\\report.txt";
    if (modMain::FileExists(report)) {
        modShellExecute::ShellOpen(report, "", "");
    } else {
        MsgBox("There are currently no logs available", MsgBoxStyle::OKOnly, ProgramTitle());
    }
}

bool frmMain::OnMenuCommand(int id, int code) {
    if (code != 0) {
        return false;
    }
    for (const HelpButton& button : kHelpButtons) {
        if (button.id == id) {
            ShowHelpTopic(button.topicId);
            return true;
        }
    }
    switch (id) {
        case IDM_About:
            About_Click();
            return true;
        case IDM_mnuStats:
            mnuStats_Click();
            return true;
        case IDM_mnuUpdates:
            mnuUpdates_Click();
            return true;
        case IDM_mnuReportBugs:
            mnuReportBugs_Click();
            return true;
        case IDM_mnuOEAccountWizard:
            mnuOEAccountWizard_Click();
            return true;
        case IDM_mnuEventViewer:
            mnuEventViewer_Click();
            return true;
        case IDM_mnuViewLogFile:
            mnuViewLogFile_Click();
            return true;
        default:
            return false;
    }
}

bool frmMain::OnCharsetCountryCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_cmdBlockCharsetsCheckAll:
            cmdBlockCharsetsCheckAll_Click();
            return true;
        case IDC_cmdBlockCharsetsUncheckAll:
            cmdBlockCharsetsUncheckAll_Click();
            return true;
        case IDC_cmdBlockedCharsetReset:
            cmdBlockedCharsetReset_Click();
            return true;
        case IDC_cmdCountryCheckAll:
            SetAllCountryMarks(IDC_lstBlockedCountries, true);
            return true;
        case IDC_cmdCountryUncheckAll:
            SetAllCountryMarks(IDC_lstBlockedCountries, false);
            return true;
        case IDC_cmdCountryReset:
            LoadBlockedCountryList();
            return true;
        case IDC_cmdIgnoredCountryCheckAll:
            SetAllCountryMarks(IDC_lstIgnoredCountries, true);
            return true;
        case IDC_cmdIgnoredCountryUncheckAll:
            SetAllCountryMarks(IDC_lstIgnoredCountries, false);
            return true;
        case IDC_cmdIgnoredCountryReset:
            LoadIgnoredCountryList();
            return true;
        default:
            return false;
    }
}

bool frmMain::OnCharsetCountryNotify(const NMHDR& header) {
    if ((header.idFrom != IDC_lstBlockedCountries && header.idFrom != IDC_lstIgnoredCountries) ||
        header.code != LVN_ITEMCHANGED) {
        return false;
    }
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    const UINT oldMark = change.uOldState & LVIS_STATEIMAGEMASK;
    const UINT newMark = change.uNewState & LVIS_STATEIMAGEMASK;
    // A new entry gets its first mark; only a mark that changes is a check.
    if ((change.uChanged & LVIF_STATE) && oldMark != 0 && oldMark != newMark && !mLoadingCountries) {
        MarkSettingsChanged(true);
    }
    return true;
}
