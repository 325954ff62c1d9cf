#include "frmMain.h"

#include "AddressList.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "WindowBoundary.h"
#include "WindowHelpers.h"
#include "frmAboutTessavane.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

const UINT_PTR kScanTimerId = 1;
const UINT kScanTimerInterval = 65000;

}  // namespace

frmMain& frmMain::Instance() {
    static frmMain instance;
    return instance;
}

bool frmMain::Load() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                                       ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    hwnd_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmMain), nullptr, DialogProc, 0);
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
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
        pages_[i] =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_picOptions_0 + i), hwnd_, PageProc, 0);
        SetWindowLongPtrA(pages_[i], GWL_EXSTYLE, GetWindowLongPtrA(pages_[i], GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        SetWindowPos(pages_[i], placeholder, host.left, host.top, host.right - host.left, host.bottom - host.top,
                     SWP_NOACTIVATE);
    }
}

HWND frmMain::Control(int id) const {
    if (HWND control = GetDlgItem(hwnd_, id)) {
        return control;
    }
    for (HWND page : pages_) {
        if (HWND control = page ? GetDlgItem(page, id) : nullptr) {
            return control;
        }
    }
    return nullptr;
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

void frmMain::FillListFromAddressList(AddressList& list, HWND box) {
    SendMessageA(box, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : list.Items()) {
        SendMessageA(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void frmMain::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    LogTrap::Trap("Form_Load: Error ", " : ", [&] {
        modMain::WriteConsoleLog("Start Main Form Load");
        if (modMain::gInstallMode) {
            StopProxy();
            StartProxy();
        }
        mLoadingRBLs = false;
        mLoadingCountries = false;
        CreateTreeview();
        FillCountryLists();
        BuildCharsetTree();
        modMain::WriteConsoleLog("Finished Creating Treeview");

        CenterOnScreen(hwnd_);

        LoadCaptions();
        modMain::WriteConsoleLog("Finished Loading Resource");
        PopulateFormPOP3();
        modMain::gOEPluginEnabled = modMain::gProxyConf->GetValue("enable_oe_plugin").ToText() != "no";
        modMain::WriteConsoleLog("Populated Main Form");
        UpdateStartStopCaption();
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
    modMain::ReleaseObjects();
    modMain::WriteConsoleLog("Application End");
}

INT_PTR CALLBACK frmMain::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowBoundary::Guard("frmMain", INT_PTR{TRUE},
                                 [&] { return Instance().OnMessage(hwnd, message, wParam, lParam); });
}

INT_PTR frmMain::OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            hwnd_ = hwnd;
            return FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_HSCROLL:
        case WM_VSCROLL:
            return OnSettingsScroll(reinterpret_cast<HWND>(lParam));
        case WM_TIMER:
            if (wParam == kScanTimerId) {
                OEScanTimer_Timer();
                return TRUE;
            }
            return FALSE;
        case WM_CLOSE:
            DestroyWindow(hwnd);
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

// The pages pass their controls' events on to the window, which owns them.
INT_PTR CALLBACK frmMain::PageProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_HSCROLL:
        case WM_VSCROLL:
            return DialogProc(Instance().hwnd_, message, wParam, lParam);
        default:
            return FALSE;
    }
}

bool frmMain::OnCommand(int id, int code) {
    if (id == IDC_cmdHelp && code == BN_CLICKED) {
        cmdHelp_Click();
        return true;
    }
    return OnSettingsCommand(id, code) || OnListCommand(id, code) || OnMenuCommand(id, code) ||
           OnCharsetCountryCommand(id, code);
}

bool frmMain::OnNotify(const NMHDR& header) {
    return OnTreeNotify(header) || OnSettingsNotify(header) || OnListNotify(header) || OnCharsetCountryNotify(header);
}
