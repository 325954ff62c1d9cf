#include "frmMain.h"

#include "OptionTree.h"
#include "ProductKey.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "frmMainIds.h"
#include "modMain.h"

// Apply, OK and Cancel: the window's edits saved or dropped; the daemon's
// side of them is DaemonControl's.

void frmMain::MarkSettingsChanged(bool restartNeeded) {
    modMain::gSettingsChanged = true;
    if (restartNeeded) {
        modMain::gRestartNeeded = true;
    }
    EnableWindow(Control(IDC_cmdOK), TRUE);
}

void frmMain::MarkAccountWizardRan() {
    if (ProductKey().Value("RanOEWizard").ToText() != "1" && modMain::gInstallMode && modMain::gOEMajorVersion >= 5) {
        modMain::gInstallMode = false;
        ProductKey().Value("RanOEWizard", Variant("1"));
    }
}

// Saves the window's edits; a running daemon is restarted when they call for
// it, since it reads its configuration only when it starts.
bool frmMain::SaveChanges() {
    if (!SaveSettings()) {
        modMain::WriteConsoleLog("Error Saving settings");
        return false;
    }
    PopulateFormPOP3();
    modMain::WriteConsoleLog("Reload settings...");
    modMain::NotifyOE("KX_ENGINE_RELOAD");
    const bool pluginOn = NodeImage("EnableOEPlugin") == OptionTree::kImageOn;
    if (pluginOn != modMain::gOEPluginEnabled) {
        modMain::gOEPluginEnabled = pluginOn;
        modMain::ApplyOEPluginStartup();
    }
    if (modMain::gRestartNeeded && daemon_.StartStopCaptionIs(kStrStopDaemon)) {
        daemon_.RestartProxy();
        daemon_.UpdateStartStopCaption();
    }
    return true;
}

void frmMain::cmdOK_Click() {
    const WindowBoundary::Handler handler(__func__);
    modMain::WriteConsoleLog("Saving settings...");
    if (!modMain::gSettingsChanged && !modMain::gRestartNeeded) {
        return;
    }
    // A refused save keeps its edits marked, so Apply stays available.
    if (!SaveChanges()) {
        return;
    }
    modMain::gRestartNeeded = false;
    modMain::gSettingsChanged = false;
    EnableWindow(Control(IDC_cmdOK), FALSE);
}

void frmMain::cmdOK2_Click() {
    const WindowBoundary::Handler handler(__func__);
    if (modMain::gSettingsChanged || modMain::gRestartNeeded) {
        if (!ReadyToSave()) {
            return;
        }
        ShowWindow(hwnd_, SW_HIDE);
        modMain::WriteConsoleLog("Saving settings...");
        if (!SaveChanges()) {
            ShowWindow(hwnd_, SW_SHOW);
            return;
        }
        modMain::gRestartNeeded = false;
    }
    ShowWindow(hwnd_, SW_HIDE);
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void frmMain::cmdCancel_Click() {
    const WindowBoundary::Handler handler(__func__);
    closing_ = true;
    ShowWindow(hwnd_, SW_HIDE);
    MarkAccountWizardRan();
    PopulateFormPOP3();
    modMain::gSettingsChanged = false;
    modMain::gRestartNeeded = false;
    EnableWindow(Control(IDC_cmdOK), FALSE);
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}
