#include "WizardForm.h"

#include "Resources.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"

WizardForm::~WizardForm() {
    Unload();
}

void WizardForm::Load(HWND parent) {
    if (hwnd_ != nullptr)
        return;
    CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, Proc,
                       reinterpret_cast<LPARAM>(this));
}

void WizardForm::Unload() {
    if (hwnd_ == nullptr)
        return;
    const HWND window = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrA(window, DWLP_USER, 0);
    DestroyWindow(window);
}

bool WizardForm::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

void WizardForm::SetText(int control, const std::string& text) const {
    SetDlgItemTextA(hwnd_, control, text.c_str());
}

void WizardForm::Caption(int control, int textId) const {
    SetText(control, LoadResText(textId));
}

void WizardForm::ShowControl(int control, bool visible) const {
    ShowWindow(Item(control), visible ? SW_SHOWNA : SW_HIDE);
}

INT_PTR CALLBACK WizardForm::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("WizardForm", INT_PTR{TRUE},
                                 [&] { return HandleMessage(hwnd, message, wParam, lParam); });
}

INT_PTR WizardForm::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* form = DialogObject<WizardForm>(hwnd, message, lParam);
    if (message == WM_INITDIALOG) {
        form->hwnd_ = hwnd;
        form->Form_Load();
        return FALSE;
    }
    INT_PTR result = 0;
    if (form == nullptr || !form->OnMessage(message, wParam, lParam, result))
        return FALSE;
    // The colour messages answer with their brush itself.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return result;
    SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}
