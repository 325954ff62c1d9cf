#include "frmStats.h"

#include <string>

#include "KXProxyConf.h"
#include "LogTrap.h"
#include "ProductKey.h"
#include "ResourcePictures.h"
#include "Resources.h"
#include "StatsFigures.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmStatsIds.h"
#include "modMain.h"

namespace {

std::string StoredText(const std::string& name) {
    return ProductKey().Value(name).ToText();
}

void StoreZero(const std::string& name) {
    ProductKey().Value(name, Variant(std::int32_t{0}));
}

std::string PercentText(std::int32_t count) {
    const std::string minimum = modMain::gProxyConf ? modMain::gProxyConf->GetValue("min_training").ToText() : "";
    return StatsFigures::TrainingPercentText(count, minimum);
}

}  // namespace

void frmStats::Show(HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmStats), owner, DialogProc, 0);
}

INT_PTR CALLBACK frmStats::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    return WindowBoundary::Guard("frmStats", INT_PTR{TRUE}, [&]() -> INT_PTR {
        frmStats form(hwnd);
        switch (message) {
            case WM_INITDIALOG:
                form.Form_Load();
                // The first list box has the focus: the window has no default button.
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDC_cmdResetStats && HIWORD(wParam) == BN_CLICKED) {
                    form.cmdResetStats_Click();
                    return TRUE;
                }
                if (LOWORD(wParam) == IDC_cmdClose || LOWORD(wParam) == IDCANCEL) {
                    form.cmdClose_Click();
                    return TRUE;
                }
                return FALSE;
            default:
                return FALSE;
        }
    });
}

void frmStats::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    CenterOnScreen(hwnd_);
    ShowProgramIcon(hwnd_);
    SetWindowTextA(hwnd_, LoadResText(kStrViewStatistics).c_str());
    SetDlgItemTextA(hwnd_, IDC_cmdResetStats, LoadResText(kStrReset).c_str());
    SetDlgItemTextA(hwnd_, IDC_cmdClose, LoadResText(kStrClose).c_str());
    // Totals that cannot be read leave the last ones standing, and the rows still show.
    LogTrap::Trap("GetTrainingCounts() Error ", " ",
                  [] { modMain::GetTrainingCounts(modMain::gHamTrainingCount, modMain::gSpamTrainingCount); });
    LoadStats();
}

void frmStats::AddRow(int labelId, const std::string& value) {
    SendDlgItemMessageA(hwnd_, IDC_lstStats, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResText(labelId).c_str()));
    SendDlgItemMessageA(hwnd_, IDC_lstStats2, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

void frmStats::LoadStats() {
    SendDlgItemMessageA(hwnd_, IDC_lstStats, LB_RESETCONTENT, 0, 0);
    SendDlgItemMessageA(hwnd_, IDC_lstStats2, LB_RESETCONTENT, 0, 0);
    AddRow(kStrMessagesProcessed, StatsFigures::CounterText(StoredText("Processed"), true));
    AddRow(kStrMessagesCaught, StatsFigures::CounterText(StoredText("Caught"), false));
    AddRow(kStrLastMailStoreScan, StatsFigures::CounterText(StoredText("LastOEScan"), false));
    AddRow(kStrBlockTraining, PercentText(modMain::gSpamTrainingCount));
    AddRow(kStrApproveTraining, PercentText(modMain::gHamTrainingCount));
}

void frmStats::cmdResetStats_Click() {
    const WindowBoundary::Handler handler(__func__);
    StoreZero("Caught");
    StoreZero("Processed");
    LoadStats();
}

void frmStats::cmdClose_Click() {
    const WindowBoundary::Handler handler(__func__);
    EndDialog(hwnd_, 0);
}
