#pragma once
#include <windows.h>

#include <string>

// A page form of the wizard: a child dialog made from its template, loaded
// once when the frame first shows it and unloaded by the frame's finish.
class WizardForm {
public:
    virtual ~WizardForm();
    WizardForm(const WizardForm&) = delete;
    WizardForm& operator=(const WizardForm&) = delete;

    // Creates the form as a hidden child of `parent`, then sets its captions.
    void Load(HWND parent);
    void Unload();
    HWND hWnd() const { return hwnd_; }

protected:
    explicit WizardForm(int templateId) : templateId_(templateId) {}

    virtual void Form_Load() = 0;
    // A message the form handles itself: true, with the dialog result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    HWND Item(int control) const { return GetDlgItem(hwnd_, control); }
    void SetText(int control, const std::string& text) const;
    // The control's caption from the string table.
    void Caption(int control, int textId) const;
    void ShowControl(int control, bool visible) const;

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND hwnd_ = nullptr;
};
