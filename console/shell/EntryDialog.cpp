#include "EntryDialog.h"

#include "MsgBox.h"
#include "ProgramTitle.h"
#include "ResourcePictures.h"
#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "entryDialogIds.h"

void EntryDialog::ShowModal(int templateId, HWND owner) {
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, Proc,
                    reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK EntryDialog::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("EntryDialog", INT_PTR{TRUE}, [&]() -> INT_PTR {
        auto* form = DialogObject<EntryDialog>(hwnd, message, lParam);
        switch (message) {
            case WM_INITDIALOG:
                form->hwnd_ = hwnd;
                form->Form_Load();
                return TRUE;
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) {
                    return FALSE;
                }
                if (LOWORD(wParam) == IDC_cmdOK && form->cmdOK_Click()) {
                    EndDialog(hwnd, IDOK);
                } else if (LOWORD(wParam) == IDC_cmdCancel) {
                    EndDialog(hwnd, IDCANCEL);
                }
                // Esc arrives as IDCANCEL and is deliberately left unanswered.
                return TRUE;
            case WM_CLOSE:
                EndDialog(hwnd, IDCANCEL);
                return TRUE;
            default:
                return FALSE;
        }
    });
}

void EntryDialog::Decorate(int captionId, int promptId) {
    CenterOnScreen(hwnd_);
    ShowProgramIcon(hwnd_);
    SetWindowTextA(hwnd_, LoadResText(captionId).c_str());
    SetText(IDC_Label1, LoadResText(promptId));
    SetText(IDC_cmdOK, LoadResText(kStrOK));
    SetText(IDC_cmdCancel, LoadResText(kStrCancel));
}

std::string EntryDialog::Text(int id) const {
    return WindowText(GetDlgItem(hwnd_, id));
}

void EntryDialog::SetText(int id, const std::string& text) {
    SetDlgItemTextA(hwnd_, id, text.c_str());
}

void EntryDialog::ShowEntry(int box, const std::string& text) {
    SetText(box, text);
    SendDlgItemMessageA(hwnd_, box, EM_SETSEL, 0, static_cast<LPARAM>(text.size()));
}

bool EntryDialog::ReadEntry(int box, int emptyMessageId, std::string& entry) {
    entry = TrimSpaces(Text(box));
    SetText(box, entry);
    if (entry.empty()) {
        Tell(LoadResText(emptyMessageId));
        return false;
    }
    entry = LowerCase(entry);
    SetText(box, entry);
    return true;
}

void EntryDialog::Tell(const std::string& text) {
    MsgBox(text, MsgBoxStyle::OKOnly, ProgramTitle());
}

int FirstSelectedItem(HWND box) {
    const int count = static_cast<int>(SendMessageA(box, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (SendMessageA(box, LB_GETSEL, i, 0) > 0) {
            return i;
        }
    }
    return -1;
}
