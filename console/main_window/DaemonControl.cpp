#include "DaemonControl.h"

#include <windows.h>

#include <cstdint>

#include "FieldPages.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modIPHostname.h"
#include "modKillProcess.h"
#include "modMain.h"
#include "modService.h"
#include "modShellExecute.h"

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

void DaemonControl::SetStartStopCaption(int stringId) {
    SetWindowTextA(window_.Control(IDC_cmdStartStop), LoadResText(stringId).c_str());
}

void DaemonControl::UpdateStartStopCaption() {
    SetStartStopCaption(DaemonRunning() ? kStrStopDaemon : kStrStartDaemon);
}

bool DaemonControl::StartStopCaptionIs(int stringId) const {
    return WindowText(window_.Control(IDC_cmdStartStop)) == LoadResText(stringId);
}

bool DaemonControl::QueryProxyRunning() {
    Sleep(IsNT() ? 1000 : 2000);
    return DaemonRunning();
}

void DaemonControl::StopProxy() {
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

void DaemonControl::StartProxy() {
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
            MsgBox(LoadResText(kStrDaemonStartFailed), MsgBoxStyle::OKOnly, LoadResText(kStrProductTitle));
            return;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    });
}

void DaemonControl::RestartProxy() {
    StopProxy();
    StartProxy();
}

void DaemonControl::ApplySettings() {
    WaitCursor wait;
    if (!window_.SaveSettings()) {
        return;
    }
    window_.PopulateFormPOP3();
    if (modMain::gRestartNeeded) {
        RestartProxy();
        if (QueryProxyRunning()) {
            SetStartStopCaption(kStrStopDaemon);
        }
        modMain::gRestartNeeded = false;
        return;
    }
    if (StartStopCaptionIs(kStrStartDaemon)) {
        StartProxy();
        SetStartStopCaption(kStrStopDaemon);
    }
}

void DaemonControl::SaveAndStartProxy() {
    LogTrap::Trap("ProxyStart() Error ", " ", [&] {
        WaitCursor wait;
        if (window_.SaveSettings()) {
            window_.PopulateFormPOP3();
            StartProxy();
            // The daemon starts on the file just written.
            modMain::gRestartNeeded = false;
            if (QueryProxyRunning()) {
                SetStartStopCaption(kStrStopDaemon);
            }
        }
    });
}

void DaemonControl::cmdStartStop_Click() {
    const WindowBoundary::Handler handler(__func__);
    LogTrap::Trap("cmdStartStop() Error ", " ", [&] {
        if (!StartStopCaptionIs(kStrStartDaemon)) {
            modMain::WriteConsoleLog("Stopping Proxy ...");
            StopProxy();
            // Only a daemon that really stopped is reported as stopped.
            if (!DaemonRunning()) {
                SetStartStopCaption(kStrStartDaemon);
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

void DaemonControl::cmdOEScanNow_Click() {
    const WindowBoundary::Handler handler(__func__);
    // Settings that could not be read are not scanned with either.
    if (!window_.ReadyToSave()) {
        return;
    }
    ApplySettings();
    modShellExecute::ShellOpen("Pelwarden.exe", "-show", FileSystem::ProgramDirectory());
    modMain::StoreLastOEScan();
}
