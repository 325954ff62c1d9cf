#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "ProductKey.h"
#include "StatsFigures.h"
#include "WindowBoundary.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"
#include "modShellExecute.h"

void frmMain::UpdateTrainingProgress() {
    // Totals that cannot be read leave the last ones standing.
    LogTrap::Trap("UpdateTrainingProgress() Error ", " ",
                  [] { modMain::GetTrainingCounts(modMain::gHamTrainingCount, modMain::gSpamTrainingCount); });
    const std::string minimum = modMain::gProxyConf ? modMain::gProxyConf->GetValue("min_training").ToText() : "";
    SetWindowTextA(Control(IDC_lblPercentBlockTrainingComplete),
                   StatsFigures::TrainingPercentText(modMain::gSpamTrainingCount, minimum).c_str());
    SetWindowTextA(Control(IDC_lblPercentApproveComplete),
                   StatsFigures::TrainingPercentText(modMain::gHamTrainingCount, minimum).c_str());
}

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
