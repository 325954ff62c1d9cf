#pragma once
#include "PageGroup.h"

// The menus, the about box and update check, and the help buttons: the
// start page's, and those the IP pages pass on.
class MenuCommands : public PageGroup {
public:
    explicit MenuCommands(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    // A menu item or the start page's help buttons.
    bool OnCommand(int id, int code) override;
    // Opens the topic of a help button or of the help menu; false for any
    // other control.
    bool HelpButton_Click(int id);

    // Opens the help topic of that string id in the help viewer.
    void ShowHelpTopic(int topicId);
    void About_Click();
    void mnuUpdates_Click();
    void mnuStats_Click();
    void mnuReportBugs_Click();
    void mnuOEAccountWizard_Click();
    void mnuEventViewer_Click();
    void mnuViewLogFile_Click();
};
