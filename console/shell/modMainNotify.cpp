#include <windows.h>

#include "FileSystem.h"
#include "MsgBox.h"
#include "ProgramTitle.h"
#include "RegOp.h"
#include "Resources.h"
#include "StringIds.h"
#include "modKillProcess.h"
#include "modMain.h"
#include "modShellExecute.h"

namespace modMain {

namespace {

// A hung mail client must not hang the console with it.
const UINT kSendTimeoutMs = 5000;

HWND MailClientWindow() {
    return FindWindowA("Outlook Express Browser Class", nullptr);
}

const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kStartupValue[] = "OE_Plugin_Startup";

void SendWithTimeout(HWND window, UINT message) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &ignored);
}

}  // namespace

void NotifyOE(const std::string& messageName) {
    if (HWND window = MailClientWindow()) {
        SendWithTimeout(window, RegisterWindowMessageA(messageName.c_str()));
    }
}

void CloseOE() {
    if (HWND window = MailClientWindow()) {
        MsgBox(LoadResText(kStrMailClientClosing), MsgBoxStyle::OKOnly, ProgramTitle());
        SendWithTimeout(window, WM_CLOSE);
    }
}

void ApplyOEPluginStartup() {
    CloseOE();
    std::uint32_t processId = 0;
    if (IsProcessRunning("msimn", processId)) {
        modKillProcess::WaitForProcessExit(processId, 10000);
    }

    const std::string directory = FileSystem::ProgramDirectory();
    RegOp run;
    run.root(HKEY_LOCAL_MACHINE);
    run.key(kRunKey);
    if (gOEPluginEnabled) {
        run.Value(kStartupValue, "\"" + directory + "\\Launcher.exe\"");
    } else {
        run.DeleteValue(kStartupValue);
    }

    processId = 0;
    if (IsProcessRunning("launcher", processId)) {
        if (!gOEPluginEnabled) {
            modKillProcess::KillProcess(processId);
        }
    } else if (gOEPluginEnabled) {
        modShellExecute::ShellOpen("Launcher.exe", "1", directory);
    }
}

}  // namespace modMain
