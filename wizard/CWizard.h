#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "StepHost.h"
#include "StepMachine.h"
#include "Variant.h"

class IWizardController;
class IWizardPage;

// The wizard's main window: the splash picture, the page area that hosts one
// page form at a time, a bevel and the Help, Back, Next and Cancel/Finish
// buttons. It steps through its pages (step 2 once per account), calls its
// client and the pages around every move, lays itself out around the page
// shown and writes the chosen accounts as the last page is entered.
class CWizard : private StepHost {
public:
    CWizard();
    ~CWizard() override;
    CWizard(const CWizard&) = delete;
    CWizard& operator=(const CWizard&) = delete;

    // The step shown before the current one; -1 before the second move.
    std::int16_t LastStep() const { return machine_.LastStep(); }
    // The target of the move in progress; -1 outside a move.
    std::int16_t NextStep() const { return machine_.NextStep(); }
    // Redirects the move in progress (from the client's BeforeStep).
    void NextStep(const Variant& step) { machine_.NextStep(step); }
    std::int16_t CurrentStep() const { return machine_.CurrentStep(); }
    // Moves to the step a number or page name names, when no move runs.
    void CurrentStep(const Variant& step) { StepTo(step); }
    bool Frozen() const { return m_blnFrozen; }
    // Frozen, the buttons and the page take no input; thawed, each button is
    // enabled as the step shown allows. The window is repainted either way.
    void Frozen(bool frozen);
    void AddPage(std::shared_ptr<IWizardPage> hPage, const Variant& Index);
    // The page of the step a number or page name names; none otherwise.
    IWizardPage* PageHandle(const Variant& Index) const;
    std::int16_t StepCount() const { return machine_.StepCount(); }
    IWizardController* ClientHandle() const { return m_Client; }
    // Setting none finishes the wizard.
    void ClientHandle(IWizardController* client);
    void StepTo(const Variant& Step);
    // Loads the window and its data, shows the first step (or FirstStep) and
    // makes the window visible.
    void Start(const Variant& FirstStep = Variant());
    // Gives every hosted page form back and unloads it; drops the client.
    void finish();
    void Step(std::int32_t Direction);
    // False while the frame lays itself out; true once it is shown.
    bool FinishedLoading() const { return m_blnFinishedLoading; }
    // Gives the keyboard focus to the button last pressed (Next before any),
    // or, when that one is disabled, to the next enabled button in the tab
    // order Next, Cancel, Help, Back. Nothing happens while a move runs.
    void TransferFocus();
    // A key released on a page: Enter, Escape, Alt+Left and Alt+Right.
    // KeyCode becomes 0 when the key was used.
    void TranslateKey(std::int16_t& KeyCode, std::int16_t Shift);
    HWND hWnd() const { return hwnd_; }

private:
    struct PageEntry {
        std::shared_ptr<IWizardPage> Page;
        HWND OldParent = nullptr;
        bool Loaded = false;
    };

    bool BeforeStep(std::int32_t direction) override;
    bool ShowPage(std::int16_t from, std::int16_t to) override;
    void AfterMove() override;

    void Form_Load();
    void Form_Paint();
    void Form_Unload();
    void QueryUnload();
    void cmdStepBack_Click();
    void cmdStepFwd_Click();
    void cmdHelp_Click();
    void cmdTerminate_Click();
    void OnCommand(int control);

    void HostPage(PageEntry& entry);
    void UpdateButtons();
    void EnterLastStep();
    void EnterFirstStep();
    void FocusPage();
    void FocusButton();
    void SetTabOrder() const;
    void ProcessPendingMessages() const;
    void ArrangeControls();
    bool GetPageSize(SIZE& size) const;
    void CenterCursorOn(HWND window) const;
    void SetDefaultButton(int control) const;
    bool IsDefaultButton(int control) const;
    bool IsEnabled(int control) const { return IsWindowEnabled(Item(control)) != FALSE; }
    HWND Item(int control) const { return GetDlgItem(hwnd_, control); }
    HWND PageWindow(std::int16_t step) const;

    static INT_PTR CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    StepMachine machine_{*this};
    // m_Pages[n - 1] is the page of step n.
    std::vector<PageEntry> m_Pages;
    IWizardController* m_Client = nullptr;
    bool m_blnFrozen = false;
    bool m_blnFinishedLoading = false;
    bool m_blnCenterOnResize = true;
    HWND m_hLastButton = nullptr;
    HWND hwnd_ = nullptr;
    HBITMAP splash_ = nullptr;
    int bevelY_ = -1;
    int bevelRight_ = 0;
};
