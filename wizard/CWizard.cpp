#include "CWizard.h"

#include <algorithm>
#include <iterator>

#include "FileSystem.h"
#include "IWizardController.h"
#include "IWizardPage.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ProgramTitle.h"
#include "ResourcePictures.h"
#include "Resources.h"
#include "SortedList.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "WizardForm.h"
#include "WizardIds.h"
#include "WizardLayout.h"
#include "modOE.h"
#include "modWizard.h"

namespace {

constexpr int kSplashBitmap = 107;
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kKeyLeft = 37;
constexpr int kKeyRight = 39;
constexpr std::int16_t kAlt = 4;
// The tab order of the frame's own controls; the page area comes last.
constexpr int kTabOrder[] = {IDC_cmdStepFwd, IDC_cmdTerminate, IDC_cmdHelp, IDC_cmdStepBack, IDC_picPage};

// A callback's error never stops a move or crosses the window procedure;
// the wizard's log keeps it under the callback's name.
template <class Call>
void Callback(const char* name, Call&& call) {
    LogTrap::Trap(LogTrap::ProcedurePrefix(name), " : ", call);
}

SIZE WindowSize(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

std::int32_t TwipsPerPixel(int axis) {
    const HDC screen = GetDC(nullptr);
    const int dotsPerInch = GetDeviceCaps(screen, axis);
    ReleaseDC(nullptr, screen);
    return dotsPerInch > 0 ? 1440 / dotsPerInch : 15;
}

}  // namespace

CWizard::CWizard() = default;

CWizard::~CWizard() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    if (splash_ != nullptr)
        DeleteObject(splash_);
}

void CWizard::AddPage(std::shared_ptr<IWizardPage> hPage, const Variant& Index) {
    if (machine_.AddPage(Index))
        m_Pages.push_back({std::move(hPage), nullptr, false});
}

void CWizard::ClientHandle(IWizardController* client) {
    if (machine_.Stepping())
        return;
    m_Client = client;
    if (client == nullptr)
        finish();
}

void CWizard::StepTo(const Variant& Step) {
    machine_.StepTo(Step);
}

IWizardPage* CWizard::PageHandle(const Variant& Index) const {
    const std::int16_t step = machine_.Resolve(Index);
    return step > 0 ? m_Pages[step - 1].Page.get() : nullptr;
}

void CWizard::Frozen(bool frozen) {
    m_blnFrozen = frozen;
    const BOOL usable = frozen ? FALSE : TRUE;
    for (int control : {IDC_cmdHelp, IDC_cmdTerminate, IDC_picPage})
        EnableWindow(Item(control), usable);
    EnableWindow(Item(IDC_cmdStepBack), usable && CurrentStep() != 1);
    EnableWindow(Item(IDC_cmdStepFwd), usable && CurrentStep() != StepCount());
    ProcessPendingMessages();
}

// Repaints and sent messages only: keys and clicks wait for the message
// loop, which routes the keys to the frame, and meanwhile the move that
// freezes or thaws the frame may still be running.
void CWizard::ProcessPendingMessages() const {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
        if (msg.message == WM_QUIT) {
            // The main loop must still see it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CWizard::Start(const Variant& FirstStep) {
    if (m_blnFinishedLoading || StepCount() < 1)
        return;
    CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CWizard), nullptr, Proc,
                       reinterpret_cast<LPARAM>(this));
    if (FirstStep.IsEmpty()) {
        Step(+1);
    } else {
        if (machine_.Resolve(FirstStep) == 0)
            return;
        StepTo(FirstStep);
    }
    ShowWindow(hwnd_, SW_SHOW);
    // Showing activates the frame, which may move the focus again.
    FocusPage();
    m_blnFinishedLoading = true;
    // Once, over the wizard: its account pages then offer no rewrite.
    if (!modOE::SettingsReadable())
        MsgBox(modOE::NotTextNotice(), MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
}

void CWizard::Step(std::int32_t Direction) {
    const std::int32_t accounts = modOE::gOEAccts ? modOE::gOEAccts->Count() : 0;
    machine_.Step(Direction, accounts, modOE::gOEAcctIndex);
}

void CWizard::finish() {
    if (machine_.Stepping())
        return;
    if (const HWND current = PageWindow(CurrentStep()))
        ShowWindow(current, SW_HIDE);
    for (PageEntry& entry : m_Pages) {
        if (!entry.Loaded)
            continue;
        WizardForm* form = modWizard::PageForm(entry.Page.get());
        SetParent(form->hWnd(), entry.OldParent);
        form->Unload();
        entry.Loaded = false;
        entry.Page.reset();
    }
    m_Client = nullptr;
}

// ---- The moves

bool CWizard::BeforeStep(std::int32_t direction) {
    bool cancel = false;
    if (m_Client != nullptr)
        Callback("BeforeStep", [&] { m_Client->BeforeStep(direction, cancel); });
    return cancel;
}

bool CWizard::ShowPage(std::int16_t from, std::int16_t to) {
    if (from > 0) {
        bool cancel = false;
        Callback("BeforePageHide", [&] { m_Pages[from - 1].Page->BeforePageHide(*this, to, cancel); });
        if (cancel)
            return false;
    }
    if (const HWND leaving = PageWindow(from))
        ShowWindow(leaving, SW_HIDE);
    PageEntry& entry = m_Pages[to - 1];
    if (!entry.Loaded)
        HostPage(entry);
    // The chosen accounts are written as the last page is entered, before it
    // decides its texts, so that it reports what was really done. Nothing
    // may be pressed meanwhile; entering the last step thaws the frame.
    if (to == StepCount()) {
        Frozen(true);
        modOE::ConfigureAccounts();
    }
    Callback("BeforePageShow", [&] { entry.Page->BeforePageShow(*this, from); });
    ShowWindow(PageWindow(to), SW_SHOW);
    return true;
}

void CWizard::HostPage(PageEntry& entry) {
    WizardForm* form = modWizard::PageForm(entry.Page.get());
    form->Load(hwnd_);
    const HWND page = form->hWnd();
    SetWindowLongPtrA(page, GWL_STYLE, GetWindowLongPtrA(page, GWL_STYLE) | WS_CHILD);
    entry.OldParent = SetParent(page, Item(IDC_picPage));
    SetWindowPos(page, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    entry.Loaded = true;
}

void CWizard::AfterMove() {
    UpdateButtons();
    if (CurrentStep() == StepCount())
        EnterLastStep();
    if (CurrentStep() == 1)
        EnterFirstStep();
    FocusPage();
    if (m_Client != nullptr)
        Callback("AfterStep", [&] { m_Client->AfterStep(); });
}

HWND CWizard::PageWindow(std::int16_t step) const {
    if (step < 1 || step > static_cast<std::int16_t>(m_Pages.size()) || !m_Pages[step - 1].Loaded)
        return nullptr;
    return modWizard::PageForm(m_Pages[step - 1].Page.get())->hWnd();
}

// ---- Buttons and keys

void CWizard::UpdateButtons() {
    ArrangeControls();
    EnableWindow(Item(IDC_cmdStepBack), TRUE);
    EnableWindow(Item(IDC_cmdStepFwd), TRUE);
    SetDefaultButton(IDC_cmdStepFwd);
    if (WindowText(Item(IDC_cmdTerminate)) == LoadResText(kStrFinish)) {
        SetWindowTextA(Item(IDC_cmdTerminate), LoadResText(kStrCancel).c_str());
    }
    if (CurrentStep() == StepCount())
        SetDefaultButton(IDC_cmdTerminate);
}

void CWizard::EnterLastStep() {
    if (m_blnFrozen)
        Frozen(false);
    EnableWindow(Item(IDC_cmdStepFwd), FALSE);
    SetWindowTextA(Item(IDC_cmdTerminate), LoadResText(kStrFinish).c_str());
    SetDefaultButton(IDC_cmdTerminate);
    EnableWindow(Item(IDC_cmdStepBack), FALSE);
}

void CWizard::EnterFirstStep() {
    EnableWindow(Item(IDC_cmdStepBack), FALSE);
}

// A frame whose focus rests on a label is not active to the user: the page's
// first control that takes the focus gets it, else a button does.
void CWizard::FocusPage() {
    const HWND page = PageWindow(CurrentStep());
    for (HWND child = page ? GetWindow(page, GW_CHILD) : nullptr; child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if ((GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) != 0 && IsWindowVisible(child) &&
            IsWindowEnabled(child)) {
            SetFocus(child);
            return;
        }
    }
    FocusButton();
}

void CWizard::TransferFocus() {
    if (machine_.Stepping())
        return;
    FocusButton();
}

void CWizard::FocusButton() {
    if (m_hLastButton == nullptr)
        m_hLastButton = Item(IDC_cmdStepFwd);
    SetTabOrder();
    // The buttons are the first four of the tab order: from the last one
    // pressed on, round them.
    constexpr std::ptrdiff_t kButtons = 4;
    const auto* buttons = std::begin(kTabOrder);
    const std::ptrdiff_t first = std::find(buttons, buttons + kButtons, GetDlgCtrlID(m_hLastButton)) - buttons;
    for (std::ptrdiff_t n = 0; n < kButtons; ++n) {
        const int button = buttons[(first + n) % kButtons];
        if (IsEnabled(button)) {
            SetFocus(Item(button));
            return;
        }
    }
}

void CWizard::SetTabOrder() const {
    HWND previous = HWND_TOP;
    for (int control : kTabOrder) {
        SetWindowPos(Item(control), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = Item(control);
    }
}

void CWizard::SetDefaultButton(int control) const {
    for (int button : {IDC_cmdHelp, IDC_cmdStepBack, IDC_cmdStepFwd, IDC_cmdTerminate}) {
        SendMessageA(Item(button), BM_SETSTYLE, button == control ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    SendMessageA(hwnd_, DM_SETDEFID, control, 0);
}

bool CWizard::IsDefaultButton(int control) const {
    return (GetWindowLongPtrA(Item(control), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void CWizard::cmdStepBack_Click() {
    modOE::gdirection = -1;
    m_hLastButton = Item(IDC_cmdStepBack);
    Step(-1);
}

void CWizard::cmdStepFwd_Click() {
    modOE::gdirection = +1;
    m_hLastButton = Item(IDC_cmdStepFwd);
    Step(+1);
}

void CWizard::cmdHelp_Click() {
    m_hLastButton = Item(IDC_cmdHelp);
    if (m_Client != nullptr)
        Callback("OnRequestHelp", [&] { m_Client->OnRequestHelp(); });
}

void CWizard::cmdTerminate_Click() {
    m_hLastButton = Item(IDC_cmdTerminate);
    QueryUnload();
}

void CWizard::TranslateKey(std::int16_t& KeyCode, std::int16_t Shift) {
    if (machine_.Stepping())
        return;
    if (KeyCode == kKeyEnter && Shift == 0) {
        for (int button : {IDC_cmdStepFwd, IDC_cmdStepBack, IDC_cmdTerminate}) {
            if (IsDefaultButton(button) && IsEnabled(button)) {
                KeyCode = 0;
                OnCommand(button);
                return;
            }
        }
        MessageBeep(MB_OK);
    } else if (KeyCode == kKeyEscape && Shift == 0) {
        if (IsEnabled(IDC_cmdTerminate)) {
            KeyCode = 0;
            cmdTerminate_Click();
        }
    } else if (KeyCode == kKeyLeft && Shift == kAlt) {
        if (IsEnabled(IDC_cmdStepBack)) {
            modOE::gdirection = -1;
            Step(-1);
        }
    } else if (KeyCode == kKeyRight && Shift == kAlt) {
        if (IsEnabled(IDC_cmdStepFwd)) {
            modOE::gdirection = +1;
            Step(+1);
        }
    }
}

void CWizard::OnCommand(int control) {
    switch (control) {
        case IDC_cmdStepBack:
            cmdStepBack_Click();
            break;
        case IDC_cmdStepFwd:
            cmdStepFwd_Click();
            break;
        case IDC_cmdHelp:
            cmdHelp_Click();
            break;
        case IDC_cmdTerminate:
            cmdTerminate_Click();
            break;
        default:
            break;
    }
}

// ---- Layout and painting

bool CWizard::GetPageSize(SIZE& size) const {
    const HWND page = PageWindow(CurrentStep() < 1 ? 1 : CurrentStep());
    if (page == nullptr)
        return false;
    size = WindowSize(page);
    return true;
}

void CWizard::ArrangeControls() {
    m_blnFinishedLoading = false;
    const HWND splash = Item(IDC_picSplash);
    const SIZE splashSize = WindowSize(splash);
    SetWindowPos(splash, nullptr, WizardLayout::kSplashAt.x, WizardLayout::kSplashAt.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    SIZE pageSize{};
    WizardLayout::Input input{{splashSize.cx, splashSize.cy},
                              std::nullopt,
                              WindowSize(Item(IDC_cmdStepBack)).cx,
                              WindowSize(Item(IDC_cmdStepFwd)).cx,
                              {WindowSize(Item(IDC_cmdTerminate)).cx, WindowSize(Item(IDC_cmdTerminate)).cy},
                              TwipsPerPixel(LOGPIXELSX),
                              TwipsPerPixel(LOGPIXELSY)};
    if (GetPageSize(pageSize))
        input.page = WizardLayout::Size{pageSize.cx, pageSize.cy};
    const auto placed = WizardLayout::Arrange(input);
    if (placed) {
        const WizardLayout::Rect& area = placed->pageArea;
        MoveWindow(Item(IDC_picPage), area.left, area.top, area.width, area.height, TRUE);
        bevelY_ = placed->bevelY;
        bevelRight_ = placed->bevelRight;
        const std::pair<int, WizardLayout::Point> buttons[] = {{IDC_cmdHelp, placed->help},
                                                               {IDC_cmdTerminate, placed->cancel},
                                                               {IDC_cmdStepFwd, placed->next},
                                                               {IDC_cmdStepBack, placed->back}};
        for (const auto& [button, at] : buttons) {
            SetWindowPos(Item(button), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        RECT before{};
        GetWindowRect(hwnd_, &before);
        SetWindowPos(hwnd_, nullptr, 0, 0, placed->window.width, placed->window.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT after{};
        GetWindowRect(hwnd_, &after);
        if (!EqualRect(&before, &after) && m_blnCenterOnResize) {
            CenterOnScreen(hwnd_);
            CenterCursorOn(m_hLastButton);
        }
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
    m_blnFinishedLoading = true;
}

void CWizard::CenterCursorOn(HWND window) const {
    if (window == nullptr)
        return;
    RECT rect{};
    GetWindowRect(window, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void CWizard::Form_Paint() {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(hwnd_, &paint);
    RECT splash{};
    GetWindowRect(Item(IDC_picSplash), &splash);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&splash), 2);
    InflateRect(&splash, 1, 1);
    DrawEdge(dc, &splash, BDR_SUNKENOUTER, BF_RECT);
    if (bevelY_ >= 0) {
        const int colours[] = {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
        for (int line = 0; line < 2; ++line) {
            const HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(colours[line]));
            const HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, 4, bevelY_ + line, nullptr);
            LineTo(dc, bevelRight_, bevelY_ + line);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
    }
    EndPaint(hwnd_, &paint);
}

// ---- Loading and closing

void CWizard::Form_Load() {
    splash_ = static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kSplashBitmap), IMAGE_BITMAP, 0, 0, 0));
    SendMessageA(Item(IDC_picSplash), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(splash_));
    SetWindowTextA(hwnd_, LoadResText(kStrWizardCaption).c_str());
    ShowProgramIcon(hwnd_);
    SetWindowTextA(Item(IDC_cmdStepBack), LoadResText(kStrBack).c_str());
    SetWindowTextA(Item(IDC_cmdStepFwd), LoadResText(kStrNext).c_str());
    SetWindowTextA(Item(IDC_cmdTerminate), LoadResText(kStrCancel).c_str());
    SetWindowTextA(Item(IDC_cmdHelp), LoadResText(kStrHelpButton).c_str());
    SetTabOrder();

    modOE::gProxyConf = std::make_shared<KXProxyConf>(FileSystem::ProgramDirectory());
    modOE::gProxyConf->ConfigurationFile(modOE::ConfFile());
    modOE::gProxyConf->Load();
    modOE::gOEAccts = std::make_shared<SortedList>();
    modOE::gOEAccts->SortMode(SortedList::kText);
    modOE::GetAccountList();
}

void CWizard::QueryUnload() {
    // The close box while the accounts are written: the move must end first.
    if (machine_.Stepping())
        return;
    bool cancel = false;
    if (m_Client != nullptr)
        Callback("OnCancel", [&] { m_Client->OnCancel(cancel); });
    if (cancel)
        return;
    finish();
    DestroyWindow(hwnd_);
}

void CWizard::Form_Unload() {
    m_Pages.clear();
    hwnd_ = nullptr;
    modOE::gOEAccts.reset();
    modOE::gProxyConf.reset();
    // With no form left the program ends.
    PostQuitMessage(0);
}

INT_PTR CALLBACK CWizard::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("CWizard", INT_PTR{TRUE},
                                 [&] { return HandleMessage(hwnd, message, wParam, lParam); });
}

INT_PTR CWizard::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* wizard = DialogObject<CWizard>(hwnd, message, lParam);
    if (message == WM_INITDIALOG) {
        wizard->hwnd_ = hwnd;
        wizard->Form_Load();
        return FALSE;
    }
    if (wizard == nullptr)
        return FALSE;
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                wizard->QueryUnload();
            } else if (HIWORD(wParam) == BN_CLICKED) {
                wizard->OnCommand(LOWORD(wParam));
            }
            return TRUE;
        case WM_CLOSE:
            wizard->QueryUnload();
            return TRUE;
        case WM_PAINT:
            wizard->Form_Paint();
            return TRUE;
        case WM_DESTROY:
            SetWindowLongPtrA(hwnd, DWLP_USER, 0);
            wizard->Form_Unload();
            return TRUE;
        default:
            return FALSE;
    }
}
