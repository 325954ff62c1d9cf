#include "frmMain.h"

#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "RegOp.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmMainIds.h"
#include "modIPHostname.h"
#include "modKillProcess.h"
#include "modMain.h"
#include "modService.h"
#include "modShellExecute.h"

// Apply, OK and Cancel, and the daemon: the service on the NT family, a
// process on Windows 9x.

namespace {

constexpr int kNTFamily = 2;
constexpr DWORD kStopWait = 5000;

bool IsNT() {
    return modMain::gPlatformId == kNTFamily;
}

std::string ServiceStatus() {
    return modService::ServiceStatusText(LoadResText(kStrDaemonService), modIPHostname::GetLocalHostName());
}

bool DaemonRunning() {
    if (IsNT()) {
        return ServiceStatus() == LoadResText(kStrServiceRunning);
    }
    std::uint32_t processId = 0;
    return modMain::IsProcessRunning(LoadResText(kStrDaemonProcess), processId);
}

// Waits, bounded, for the service to be stopped (or gone).
bool WaitForServiceStopped() {
    const DWORD start = GetTickCount();
    for (;;) {
        const std::string status = ServiceStatus();
        if (status == LoadResText(kStrServiceStopped) || status == LoadResText(kStrServiceNotFound)) {
            return true;
        }
        if (GetTickCount() - start >= kStopWait) {
            return false;
        }
        Sleep(100);
    }
}

Variant ProductValue(const std::string& name) {
    RegOp registry;
    registry.root(HKEY_LOCAL_MACHINE);
    registry.key(LoadResText(kStrProductKey));
    return registry.Value(name);
}

void SetProductValue(const std::string& name, const std::string& text) {
    RegOp registry;
    registry.root(HKEY_LOCAL_MACHINE);
    registry.key(LoadResText(kStrProductKey));
    registry.Value(name, Variant(text));
}

// The hourglass for as long as the daemon is being waited on.
class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorA(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

}  // namespace

void frmMain::MarkSettingsChanged(bool restartNeeded) {
    modMain::gSettingsChanged = true;
    if (restartNeeded) {
        modMain::gRestartNeeded = true;
    }
    EnableWindow(Control(IDC_cmdOK), TRUE);
}

void frmMain::UpdateStartStopCaption() {
    SetWindowTextA(Control(IDC_cmdStartStop), LoadResText(DaemonRunning() ? kStrStopDaemon : kStrStartDaemon).c_str());
}

bool frmMain::QueryProxyRunning() {
    Sleep(IsNT() ? 1000 : 2000);
    return DaemonRunning();
}

void frmMain::StopProxy() {
    if (IsNT()) {
        modService::ServiceStop(LoadResText(kStrDaemonService), modIPHostname::GetLocalHostName());
        // A start asked for before the service has stopped would be refused.
        if (!WaitForServiceStopped()) {
            MsgBox(LoadResText(kStrDaemonStopFailed), MsgBoxStyle::OKOnly, ProgramTitle());
        }
        return;
    }
    std::uint32_t processId = 0;
    if (modMain::IsProcessRunning(LoadResText(kStrDaemonProcess), processId)) {
        modKillProcess::KillProcess(processId);
        if (!modKillProcess::WaitForProcessExit(processId, kStopWait)) {
            MsgBox(LoadResText(kStrDaemonStopFailed), MsgBoxStyle::OKOnly, ProgramTitle());
        }
    }
}

void frmMain::StartProxy() {
    LogTrap::Trap("StartProxy() Error ", " ", [&] {
        if (IsNT()) {
            modService::ServiceStart(LoadResText(kStrDaemonService), modIPHostname::GetLocalHostName());
            return;
        }
        StopProxy();
        const std::string directory = FileSystem::ProgramDirectory();
        // Both paths quoted: the program directory may hold blanks.
        std::string commandLine =
            "\"" + directory + "\\" + LoadResText(kStrDaemonProcess) + ".exe\" -D \"" + directory + "\\conf\"";
        modMain::LoadProxyCredentials();
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = SW_SHOWNORMAL;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                            &startup, &process)) {
            MsgBox(LoadResText(kStrDaemonStartFailed), MsgBoxStyle::OKOnly, ProgramTitle());
            return;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    });
}

void frmMain::RestartProxy() {
    StopProxy();
    StartProxy();
}

void frmMain::ApplySettings() {
    WaitCursor wait;
    if (!SaveSettings()) {
        return;
    }
    PopulateFormPOP3();
    if (modMain::gRestartNeeded) {
        RestartProxy();
        if (QueryProxyRunning()) {
            SetWindowTextA(Control(IDC_cmdStartStop), LoadResText(kStrStopDaemon).c_str());
        }
        modMain::gRestartNeeded = false;
        return;
    }
    if (StartStopCaptionIs(kStrStartDaemon)) {
        StartProxy();
        SetWindowTextA(Control(IDC_cmdStartStop), LoadResText(kStrStopDaemon).c_str());
    }
}

void frmMain::SaveAndStartProxy() {
    LogTrap::Trap("ProxyStart() Error ", " ", [&] {
        WaitCursor wait;
        if (SaveSettings()) {
            PopulateFormPOP3();
            StartProxy();
            // The daemon starts on the file just written.
            modMain::gRestartNeeded = false;
            if (QueryProxyRunning()) {
                SetWindowTextA(Control(IDC_cmdStartStop), LoadResText(kStrStopDaemon).c_str());
            }
        }
    });
}

void frmMain::MarkAccountWizardRan() {
    if (ProductValue("RanOEWizard").ToText() != "1" && modMain::gInstallMode && modMain::gOEMajorVersion >= 5) {
        modMain::gInstallMode = false;
        SetProductValue("RanOEWizard", "1");
    }
}

bool frmMain::StartStopCaptionIs(int stringId) const {
    return WindowText(GetDlgItem(hwnd_, IDC_cmdStartStop)) == LoadResText(stringId);
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
    if (modMain::gRestartNeeded && StartStopCaptionIs(kStrStopDaemon)) {
        RestartProxy();
        UpdateStartStopCaption();
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
        mFieldsValid = true;
        if (!ValidateSettings()) {
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
    ShowWindow(hwnd_, SW_HIDE);
    MarkAccountWizardRan();
    PopulateFormPOP3();
    modMain::gSettingsChanged = false;
    modMain::gRestartNeeded = false;
    EnableWindow(Control(IDC_cmdOK), FALSE);
    SendMessageA(hwnd_, WM_CLOSE, 0, 0);
}

void frmMain::cmdStartStop_Click() {
    const WindowBoundary::Handler handler(__func__);
    LogTrap::Trap("cmdStartStop() Error ", " ", [&] {
        if (!StartStopCaptionIs(kStrStartDaemon)) {
            modMain::WriteConsoleLog("Stopping Proxy ...");
            StopProxy();
            // Only a daemon that really stopped is reported as stopped.
            if (!DaemonRunning()) {
                SetWindowTextA(Control(IDC_cmdStartStop), LoadResText(kStrStartDaemon).c_str());
                MsgBox(LoadResText(kStrDaemonStopped), MsgBoxStyle::Information, ProgramTitle());
            }
            modMain::WriteConsoleLog("Proxy Stop End");
            return;
        }
        modMain::WriteConsoleLog("Starting Proxy ...");
        StopProxy();
        SaveAndStartProxy();
        modMain::NotifyOE("KX_ENGINE_RELOAD");
        modMain::WriteConsoleLog("Proxy Start End");
    });
}

void frmMain::cmdOEScanNow_Click() {
    const WindowBoundary::Handler handler(__func__);
    mFieldsValid = true;
    if (!ValidateSettings()) {
        return;
    }
    ApplySettings();
    modShellExecute::ShellOpen("Pelwarden.exe", "-show", FileSystem::ProgramDirectory());
    modMain::StoreLastOEScan();
}

bool frmMain::OnSettingsCommand(int id, int code) {
    if (SwallowRefusedClick(id, code)) {
        return true;
    }
    if (OnThresholdCommand(id, code) || OnFieldCommand(id, code)) {
        return true;
    }
    if (code == CBN_SELCHANGE && (id == IDC_cmbRuleUpdFreq || id == IDC_cmbOEScanFrequency)) {
        MarkSettingsChanged(id == IDC_cmbRuleUpdFreq);
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_cmdOK:
            cmdOK_Click();
            return true;
        case IDC_cmdOK2:
            cmdOK2_Click();
            return true;
        case IDC_cmdCancel:
            cmdCancel_Click();
            return true;
        case IDC_cmdStartStop:
            cmdStartStop_Click();
            return true;
        case IDC_cmdOEScanNow:
            cmdOEScanNow_Click();
            return true;
        case IDC_chkAddScoringSummary:
        case IDC_chkEnableExtendedRules:
        case IDC_chkRBLMultiHit:
            MarkSettingsChanged(true);
            return true;
        case IDC_chkDoNotRemoveScanned:
            MarkSettingsChanged(false);
            return true;
        default:
            return false;
    }
}
