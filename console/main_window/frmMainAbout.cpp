#include "MsgBox.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "frmAboutTessavane.h"
#include "frmMain.h"
#include "modMainRelease.h"
#include "modShellExecute.h"

void frmMain::About_Click() {
    const WindowBoundary::Handler handler(__func__);
    frmAboutTessavane::Instance().ShowModal(hwnd_);
}

void frmMain::mnuUpdates_Click() {
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
        MsgBox(failure, MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, title);
    } else {
        MsgBox(LoadResText(kStrUpToDate), MsgBoxStyle::OKOnly, title);
    }
}
