#include "frmNewRelease.h"

#include "DialogFrame.h"
#include "KXProxyConf.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmNewReleaseIds.h"
#include "modMain.h"
#include "modShellExecute.h"

void frmNewRelease::Show() {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmNewRelease), nullptr, DialogProc,
                    reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK frmNewRelease::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("frmNewRelease", INT_PTR{TRUE}, [&]() -> INT_PTR {
        auto* form = DialogObject<frmNewRelease>(hwnd, message, lParam);
        if (message == WM_INITDIALOG) {
            form->hwnd_ = hwnd;
            form->Form_Load();
            return TRUE;
        }
        if (form == nullptr) {
            return FALSE;
        }
        switch (message) {
            case WM_COMMAND:
                return form->OnCommand(LOWORD(wParam), HIWORD(wParam));
            case WM_CLOSE:
                // The frame's close box only closes; it stores nothing.
                EndDialog(hwnd, 0);
                return TRUE;
            default:
                return FALSE;
        }
    });
}

bool frmNewRelease::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_chkIgnore:
            chkIgnore_Click();
            return true;
        case IDC_cmdIgnore:
        case IDCANCEL:  // Escape answers "No"
            cmdIgnore_Click();
            return true;
        case IDC_cmdOK:
            // Only an enabled Yes answers (a click message can reach a disabled button).
            if (IsWindowEnabled(GetDlgItem(hwnd_, IDC_cmdOK))) {
                cmdOK_Click();
            }
            return true;
        default:
            return false;
    }
}

void frmNewRelease::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    DecorateDialogFrame(hwnd_);
    SetDlgItemTextA(hwnd_, IDC_cmdOK, LoadResText(kStrYes).c_str());
    SetDlgItemTextA(hwnd_, IDC_cmdIgnore, LoadResText(kStrNo).c_str());
    SetDlgItemTextA(hwnd_, IDC_chkIgnore, LoadResText(kStrDoNotRemind).c_str());
    const std::string notice =
        LoadResText(kStrNewReleaseBefore) + LoadResText(kStrDownloadPage) + LoadResText(kStrNewReleaseAfter);
    SetDlgItemTextA(hwnd_, IDC_lblNewRelease, notice.c_str());
    CheckDlgButton(hwnd_, IDC_chkIgnore, BST_UNCHECKED);
    SetDefaultButton(IDC_cmdOK);
}

void frmNewRelease::SetDefaultButton(int id) {
    for (const int button : {IDC_cmdOK, IDC_cmdIgnore}) {
        SendDlgItemMessageA(hwnd_, button, BM_SETSTYLE, button == id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    SendMessageA(hwnd_, DM_SETDEFID, static_cast<WPARAM>(id), 0);
}

void frmNewRelease::chkIgnore_Click() {
    const WindowBoundary::Handler handler(__func__);
    const bool ignore = IsDlgButtonChecked(hwnd_, IDC_chkIgnore) == BST_CHECKED;
    EnableWindow(GetDlgItem(hwnd_, IDC_cmdOK), ignore ? FALSE : TRUE);
    SetDefaultButton(ignore ? IDC_cmdIgnore : 0);
}

void frmNewRelease::cmdIgnore_Click() {
    const WindowBoundary::Handler handler(__func__);
    if (IsDlgButtonChecked(hwnd_, IDC_chkIgnore) == BST_CHECKED) {
        modMain::gProxyConf->SetValue("last_upgrade_notification", releaseVersion_);
        if (!modMain::gProxyConf->WriteValue("last_upgrade_notification", releaseVersion_)) {
            modMain::WriteConsoleLog("cmdIgnore_Click() : last_upgrade_notification could not be saved");
        }
    }
    EndDialog(hwnd_, 0);
}

void frmNewRelease::cmdOK_Click() {
    const WindowBoundary::Handler handler(__func__);
    modShellExecute::ShellOpen(LoadResText(kStrDownloadPage), "", "");
    EndDialog(hwnd_, 0);
}
