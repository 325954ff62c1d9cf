#include <cmath>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "RegOp.h"
#include "Resources.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"
#include "modShellExecute.h"

namespace {

// count / min_training as a whole percentage, halves to even, at most 100. A
// min_training that is no positive number counts every trained message as
// complete, rather than dividing by zero.
int TrainingPercent(std::int32_t count, double minimum) {
    if (!(minimum > 0)) {
        return count > 0 ? 100 : 0;
    }
    const double percent = std::nearbyint(count / minimum * 100);
    return percent > 100 ? 100 : static_cast<int>(percent);
}

double MinTraining() {
    try {
        return std::stod(modMain::gProxyConf->GetValue("min_training").ToText());
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

void frmMain::UpdateTrainingProgress() {
    modMain::GetTrainingCounts(modMain::gHamTrainingCount, modMain::gSpamTrainingCount);
    const double minimum = modMain::gProxyConf ? MinTraining() : 0;
    const std::string percent = LoadResText(385);
    SetWindowTextA(Control(IDC_lblPercentBlockTrainingComplete),
                   modMain::SubstituteArg(percent, std::to_string(TrainingPercent(modMain::gSpamTrainingCount,
                                                                                  minimum)))
                       .c_str());
    SetWindowTextA(Control(IDC_lblPercentApproveComplete),
                   modMain::SubstituteArg(percent, std::to_string(TrainingPercent(modMain::gHamTrainingCount,
                                                                                  minimum)))
                       .c_str());
}

void frmMain::OEScanTimer_Timer() {
    if (modMain::gOEMajorVersion < 5 || !modMain::IsOEScanDue()) {
        return;
    }
    modShellExecute::ShellOpen("Pelwarden.exe", "1", FileSystem::ProgramDirectory());
    RegOp registry;
    registry.root(HKEY_LOCAL_MACHINE);
    registry.key(LoadResText(386));
    registry.Value("LastOEScan", modMain::LastOEScanText());
}
