#include <windows.h>

#include <memory>

#include "ConsoleLog.h"
#include "FendrakeLibrary.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "frmStatus.h"
#include "modPelwardenMain.h"

namespace {

// The scanner mostly runs from the console's timer with nobody watching: a
// box from the shared classes would stop the run, so it goes to the log.
int LogMessageBox(const MsgBoxRequest& box) {
    ConsoleLog::Append(box.title + " : " + box.text);
    return MsgBoxResult::OK;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    LogTrap::SetWriter(ConsoleLog::Append);
    SetMsgBoxResponder(LogMessageBox);
    modPelwardenMain::SetEngine(std::make_unique<FendrakeLibrary>());
    modPelwardenMain::SetCommandLine(arguments != nullptr ? arguments : "");
    modPelwardenMain::Main();
    frmStatus::RunUntilUnloaded();
    return 0;
}
