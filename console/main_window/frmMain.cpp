#include "frmMain.h"

#include <initializer_list>
#include <string_view>

#include "KXProxyConf.h"
#include "LogTrap.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmAboutTessavane.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

const UINT kScanTimerInterval = 65000;

// The page whose id block holds the control; -1 for the window's own ids.
int PageOfControl(int id) {
    const int page = (id - PAGE_ID_FIRST) / PAGE_ID_BLOCK;
    return id >= PAGE_ID_FIRST && page < PAGE_COUNT ? page : -1;
}

// The page a control sits on, its frame included; -1 for the window's own.
int PageHolding(int id) {
    if (id >= IDC_picFrame_0 && id < IDC_picFrame_0 + PAGE_COUNT) {
        return id - IDC_picFrame_0;
    }
    return PageOfControl(id);
}

// Closes a form of this program that is shown, other than the main window,
// as its own close box would.
BOOL CALLBACK CloseShownForm(HWND window, LPARAM mainWindow) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (window != reinterpret_cast<HWND>(mainWindow) && IsWindowVisible(window) &&
        std::string_view(className) == "#32770") {
        SendMessageA(window, WM_CLOSE, 0, 0);
    }
    return TRUE;
}

}  // namespace

frmMain& frmMain::Instance() {
    static frmMain instance;
    return instance;
}

bool frmMain::Load() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    closing_ = false;
    hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmMain), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
    if (hwnd_ == nullptr) {
        modMain::WriteConsoleLog("Form_Load: Error " + std::to_string(GetLastError()) +
                                 " : The main window cannot be created");
        return false;
    }
    CreatePages();
    Form_Load();
    return true;
}

void frmMain::Show() {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void frmMain::EnableScanTimer(bool enabled) {
    scanTimerEnabled_ = enabled;
    if (enabled) {
        SetTimer(hwnd_, kScanTimerId, kScanTimerInterval, nullptr);
    } else {
        KillTimer(hwnd_, kScanTimerId);
    }
}

void frmMain::CreatePages() {
    RECT host{};
    HWND placeholder = GetDlgItem(hwnd_, IDC_picOptionsHost);
    GetWindowRect(placeholder, &host);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&host), 2);
    ShowWindow(placeholder, SW_HIDE);
    std::array<PageGroup*, PAGE_COUNT> owners{};
    static_assert(PAGE_COUNT == std::tuple_size_v<decltype(pages_)>);
    for (PageGroup* group : std::initializer_list<PageGroup*>{&menus_, &fields_, &thresholds_, &senders_, &ipLists_,
                                                              &charsets_, &countries_}) {
        for (int page : group->Pages()) {
            owners[page] = group;
        }
    }
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        pages_[i] = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_picOptions_0 + i), hwnd_,
                                       PageProc, reinterpret_cast<LPARAM>(owners[i]));
        SetWindowLongPtrA(pages_[i], GWL_EXSTYLE, GetWindowLongPtrA(pages_[i], GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        SetWindowPos(pages_[i], placeholder, host.left, host.top, host.right - host.left, host.bottom - host.top,
                     SWP_NOACTIVATE);
    }
}

// A page's controls take their ids from the page's own block (its frame one
// of its own), so a control is asked of the one window that can hold it:
// each lookup is a round trip to the window system.
HWND frmMain::Control(int id) const {
    const int page = PageHolding(id);
    if (page < 0) {
        return GetDlgItem(hwnd_, id);
    }
    return pages_[page] != nullptr ? GetDlgItem(pages_[page], id) : nullptr;
}

int frmMain::VisiblePage() const {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        // Shown on the window, whether or not the window itself is shown yet.
        if (GetWindowLongPtrA(pages_[i], GWL_STYLE) & WS_VISIBLE) {
            return i;
        }
    }
    return -1;
}

void frmMain::DisplayPicOptions(int index) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        ShowWindow(pages_[i], i == index ? SW_SHOWNA : SW_HIDE);
    }
}

void frmMain::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    LogTrap::Trap("Form_Load: Error ", " : ", [&] {
        modMain::WriteConsoleLog("Start Main Form Load");
        if (modMain::gInstallMode && modMain::SettingsReadable()) {
            daemon_.StopProxy();
            daemon_.StartProxy();
        }
        ipLists_.mLoadingRBLs = false;
        countries_.mLoadingCountries = false;
        CreateTreeview();
        countries_.FillCountryLists();
        charsets_.BuildCharsetTree();
        LimitTextBoxes();
        modMain::WriteConsoleLog("Finished Creating Treeview");

        CenterOnScreen(hwnd_);

        LoadCaptions();
        modMain::WriteConsoleLog("Finished Loading Resource");
        PopulateFormPOP3();
        modMain::gOEPluginEnabled = modMain::gProxyConf->GetValue("enable_oe_plugin").ToText() != "no";
        modMain::WriteConsoleLog("Populated Main Form");
        daemon_.UpdateStartStopCaption();
        modMain::WriteConsoleLog("Finished checking proxy status");
        modMain::gSettingsChanged = false;
        modMain::gRestartNeeded = false;
        EnableWindow(GetDlgItem(hwnd_, IDC_cmdOK), FALSE);
        // The window opens on the start page, with the root node selected.
        TreeView_SelectItem(mTreeHwnd, Node("Root"));
        TreeView_EnsureVisible(mTreeHwnd, Node("Root"));
        DisplayPicOptions(0);
        modMain::CheckForUpgrade();
        modMain::WriteConsoleLog("Finished Loading Main Form");
    });
}

void frmMain::Form_Unload() {
    const WindowBoundary::Handler handler(__func__);
    KillTimer(hwnd_, kScanTimerId);
    frmAboutTessavane::Instance().Unload();
    // The statistics window or the release notice may still be up (the
    // notice has no owner to go with); none may outlive the objects.
    EnumThreadWindows(GetCurrentThreadId(), CloseShownForm, reinterpret_cast<LPARAM>(hwnd_));
    modMain::ReleaseObjects();
    modMain::WriteConsoleLog("Application End");
}

INT_PTR CALLBACK frmMain::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("frmMain", INT_PTR{TRUE}, [&]() -> INT_PTR {
        frmMain* form = DialogObject<frmMain>(hwnd, message, lParam);
        if (form == nullptr) {
            return FALSE;
        }
        if (message == WM_INITDIALOG) {
            form->hwnd_ = hwnd;
            return FALSE;
        }
        return form->OnMessage(message, wParam, lParam);
    });
}

INT_PTR frmMain::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_HSCROLL:
        case WM_VSCROLL:
            return OnScroll(reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            if (wParam == kScanTimerId) {
                OEScanTimer_Timer();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            closing_ = true;
            DestroyWindow(hwnd_);
            return TRUE;
        case WM_DESTROY:
            Form_Unload();
            hwnd_ = nullptr;
            pages_.fill(nullptr);
            nodes_.clear();
            PostQuitMessage(0);
            return TRUE;
        default:
            return FALSE;
    }
}

// A page carries the group that owns it; its controls' events go to the
// window, which routes them by control id.
INT_PTR CALLBACK frmMain::PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DialogObject<PageGroup>(hwnd, message, lParam);
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return DialogProc(GetParent(hwnd), message, wParam, lParam);
        default:
            return FALSE;
    }
}

PageGroup* frmMain::GroupOf(int controlId) const {
    const int page = PageOfControl(controlId);
    if (page < 0 || pages_[page] == nullptr) {
        return nullptr;
    }
    return DialogObject<PageGroup>(pages_[page], WM_NULL, 0);
}

bool frmMain::OnCommand(int id, int code) {
    if (id == IDC_cmdHelp && code == BN_CLICKED) {
        cmdHelp_Click();
        return true;
    }
    if (fields_.SwallowRefusedClick(id, code)) {
        return true;
    }
    // The menu commands run from IDM_mnuStats to IDM_About.
    if (id >= IDM_mnuStats && id <= IDM_About) {
        return menus_.OnCommand(id, code);
    }
    if (code == BN_CLICKED) {
        switch (id) {
            case IDC_cmdOK:
                cmdOK_Click();
                return true;
            case IDC_cmdOK2:
                cmdOK2_Click();
                return true;
            case IDC_cmdCancel:
                cmdCancel_Click();
                return true;
            case IDC_cmdStartStop:
                daemon_.cmdStartStop_Click();
                return true;
            default:
                break;
        }
    }
    PageGroup* group = GroupOf(id);
    return group != nullptr && group->OnCommand(id, code);
}

bool frmMain::OnNotify(const NMHDR& header) {
    if (header.idFrom == IDC_tv) {
        return OnTreeNotify(header);
    }
    PageGroup* group = GroupOf(static_cast<int>(header.idFrom));
    return group != nullptr && group->OnNotify(header);
}

bool frmMain::OnScroll(HWND control) {
    PageGroup* group = control == nullptr ? nullptr : GroupOf(GetDlgCtrlID(control));
    return group != nullptr && group->OnScroll(control);
}
