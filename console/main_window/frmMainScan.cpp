#include "FileSystem.h"
#include "LogTrap.h"
#include "WindowBoundary.h"
#include "frmMain.h"
#include "modMain.h"
#include "modShellExecute.h"

void frmMain::OEScanTimer_Timer() {
    const WindowBoundary::Handler handler(__func__);
    // A tick that fails is logged; the next tick tries again.
    LogTrap::Trap("OEScanTimer_Timer() Error ", " ", [] {
        if (modMain::gOEMajorVersion < 5 || !modMain::IsOEScanDue()) {
            return;
        }
        // Without the time stored every tick would find the scan due again.
        if (modMain::StoreLastOEScan()) {
            modShellExecute::ShellOpen("Pelwarden.exe", "1", FileSystem::ProgramDirectory());
        }
    });
}
