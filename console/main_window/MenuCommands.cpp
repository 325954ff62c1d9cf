#include "MenuCommands.h"

#include "EnvironmentText.h"
#include "FileSystem.h"
#include "HTMLHelp.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "frmAboutTessavane.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "frmStats.h"
#include "modMain.h"
#include "modMainRelease.h"
#include "modShellExecute.h"

namespace {

constexpr int kPages[] = {0};

struct HelpButton {
    int id;
    int topicId;
};

// The ignored-IP page asks for the ignored countries' topic, which the table
// lacks: like the node help, it then opens the main topic.
constexpr HelpButton kHelpButtons[] = {
    {IDC_cmdFAQ, kStrFAQTopic},
    {IDC_cmdUserManual, kStrUserManualTopic},
    {IDC_cmdHelpSpecifyIPApproved, kStrApprovedIPHelpTopic},
    {IDC_cmdHelpSpecifyIPBlocked, kStrBlockedIPHelpTopic},
    {IDC_cmdHelpSpecifyIP, OptionTree::kIgnoredCountriesTopic},
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
    return ExpandedEnvironmentText(path).value_or(path);
}

}  // namespace

std::span<const int> MenuCommands::Pages() const {
    return kPages;
}

bool MenuCommands::OnCommand(int id, int code) {
    if (code != 0) {
        return false;
    }
    if (HelpButton_Click(id)) {
        return true;
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

bool MenuCommands::HelpButton_Click(int id) {
    for (const HelpButton& button : kHelpButtons) {
        if (button.id == id) {
            ShowHelpTopic(button.topicId);
            return true;
        }
    }
    return false;
}

void MenuCommands::ShowHelpTopic(int topicId) {
    if (!modMain::gHelp) {
        modMain::gHelp = std::make_shared<HTMLHelp>();
    }
    modMain::gHelp->CHMFile(FileSystem::ProgramDirectory() + "\\" + LoadResText(kStrHelpFile));
    modMain::gHelp->HHWindow("Main");
    modMain::gHelp->HHTopicURL(TopicText(topicId));
    modMain::gHelp->HHDisplayTopicURL(nullptr);
}

void MenuCommands::About_Click() {
    const WindowBoundary::Handler handler(__func__);
    frmAboutTessavane::Instance().ShowModal(window_.Window());
}

void MenuCommands::mnuUpdates_Click() {
    const WindowBoundary::Handler handler(__func__);
    std::string failure;
    const std::string latest = modMain::GetLatestVersion(&failure);
    const std::string title = LoadResText(kStrProductTitle);
    if (modMain::IsNewerVersion(latest)) {
        if (MsgBox(LoadResText(kStrNewVersionQuestion), MsgBoxStyle::YesNo, title) == MsgBoxResult::Yes) {
            // String 1002 is the download page's whole address.
            modShellExecute::ShellOpen(LoadResText(kStrDownloadPage), "", "");
        }
    } else if (!failure.empty()) {
        // A check that could not be made must not read as "up-to-date".
        MsgBox(failure, MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
    } else {
        MsgBox(LoadResText(kStrUpToDate), MsgBoxStyle::OKOnly, title);
    }
}

void MenuCommands::mnuStats_Click() {
    const WindowBoundary::Handler handler(__func__);
    frmStats::Show(window_.Window());
}

void MenuCommands::mnuReportBugs_Click() {
    const WindowBoundary::Handler handler(__func__);
    modShellExecute::ShellOpen(modMain::gBaseURL + LoadResText(kStrSupportPage), "1", "1");
}

void MenuCommands::mnuOEAccountWizard_Click() {
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

void MenuCommands::mnuEventViewer_Click() {
    const WindowBoundary::Handler handler(__func__);
    // The shell takes the working folder as a path, not as a reference.
    modShellExecute::ShellOpen("eventvwr.exe", "/s", Expanded("%SystemRoot%\\system32\\"));
}

void MenuCommands::mnuViewLogFile_Click() {
    const WindowBoundary::Handler handler(__func__);
    const std::string report = FileSystem::ProgramDirectory() + "\\report.txt";
    if (modMain::FileExists(report)) {
        modShellExecute::ShellOpen(report, "", "");
    } else {
        MsgBox("There are currently no logs available", MsgBoxStyle::OKOnly, ProgramTitle());
    }
}
