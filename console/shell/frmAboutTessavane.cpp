#include "frmAboutTessavane.h"

#include "DialogFrame.h"
#include "FileSystem.h"
#include "MsgBox.h"
#include "ProgramTitle.h"
#include "RegOp.h"
#include "Resources.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "frmAboutTessavaneIds.h"
#include "modMain.h"

namespace {

const char kUnavailable[] = "System Information Is Unavailable At This Time";

HFONT ArialFont(int hundredthsOfPoint, int weight) {
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(hundredthsOfPoint, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    ReleaseDC(nullptr, screen);
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
}

// The path as one quoted argument, so that a path with blanks cannot start
// a program named by its first words.
std::string Quoted(const std::string& path) {
    const bool quoted = path.size() >= 2 && path.front() == '"' && path.back() == '"';
    return quoted ? path : "\"" + path + "\"";
}

bool StartProgram(const std::string& path) {
    std::string commandLine = Quoted(path);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

}  // namespace

frmAboutTessavane& frmAboutTessavane::Instance() {
    static frmAboutTessavane instance;
    return instance;
}

void frmAboutTessavane::Load(HWND owner) {
    if (hwnd_ == nullptr) {
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_frmAboutTessavane), owner, DialogProc, 0);
    }
}

void frmAboutTessavane::ShowModal(HWND owner) {
    Load(owner);
    if (hwnd_ == nullptr) {
        return;
    }
    EnableWindow(owner, FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    MSG msg;
    while (hwnd_ != nullptr) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            // The program is ending: leave the quit message for its own loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            Unload();
            break;
        }
        if (!IsDialogMessageA(hwnd_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
}

void frmAboutTessavane::Unload() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

INT_PTR CALLBACK frmAboutTessavane::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM) {
    return WindowBoundary::Guard("frmAboutTessavane", INT_PTR{TRUE}, [&]() -> INT_PTR {
        frmAboutTessavane& form = Instance();
        switch (message) {
            case WM_INITDIALOG:
                form.hwnd_ = hwnd;
                form.Form_Load();
                return TRUE;
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) {
                    return FALSE;
                }
                if (LOWORD(wParam) == IDC_cmdOK || LOWORD(wParam) == IDCANCEL) {
                    form.cmdOK_Click();
                } else if (LOWORD(wParam) == IDC_cmdSysInfo) {
                    form.cmdSysInfo_Click();
                }
                return TRUE;
            case WM_CLOSE:
                form.Unload();
                return TRUE;
            case WM_DESTROY:
                if (HGDIOBJ logo = reinterpret_cast<HGDIOBJ>(
                        SendDlgItemMessageA(hwnd, IDC_picIcon, STM_GETIMAGE, IMAGE_BITMAP, 0))) {
                    DeleteObject(logo);
                }
                DeleteObject(form.titleFont_);
                DeleteObject(form.textFont_);
                form.titleFont_ = form.textFont_ = nullptr;
                form.hwnd_ = nullptr;
                return TRUE;
            default:
                return FALSE;
        }
    });
}

void frmAboutTessavane::Form_Load() {
    const WindowBoundary::Handler handler(__func__);
    DecorateDialogFrame(hwnd_);
    modMain::LoadGifResource(GetDlgItem(hwnd_, IDC_picIcon), "TESSAVANE-ANTI-SPAM");
    SetDlgItemTextA(hwnd_, IDC_lblTitle, LoadResText(kStrProductTitle).c_str());
    SetDlgItemTextA(hwnd_, IDC_lblPlatform, LoadResText(kStrAboutPlatform).c_str());
    SetDlgItemTextA(hwnd_, IDC_lblVersion, LoadResText(kStrAboutVersion).c_str());
    SetDlgItemTextA(hwnd_, IDC_lblDescription, LoadResText(kStrAboutCopyright).c_str());
    SetDlgItemTextA(hwnd_, IDC_Label1, LoadResText(kStrAboutPortions).c_str());
    SetFonts();
}

void frmAboutTessavane::SetFonts() {
    titleFont_ = ArialFont(1200, FW_BOLD);
    textFont_ = ArialFont(825, FW_NORMAL);
    SendDlgItemMessageA(hwnd_, IDC_lblTitle, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    SendDlgItemMessageA(hwnd_, IDC_lblVersion, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
    SendDlgItemMessageA(hwnd_, IDC_lblDescription, WM_SETFONT, reinterpret_cast<WPARAM>(textFont_), FALSE);
}

void frmAboutTessavane::cmdOK_Click() {
    const WindowBoundary::Handler handler(__func__);
    Unload();
}

void frmAboutTessavane::cmdSysInfo_Click() {
    const WindowBoundary::Handler handler(__func__);
    StartSysInfo();
}

void frmAboutTessavane::StartSysInfo() {
    std::string path;
    bool found = GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", path);
    if (!found && GetKeyValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", path)) {
        path += "\\MSINFO32.EXE";
        found = FileSystem::FileExists(path);
    }
    if (!found || !StartProgram(path)) {
        MsgBox(kUnavailable, MsgBoxStyle::OKOnly, ProgramTitle());
    }
}

bool frmAboutTessavane::GetKeyValue(HKEY root, const std::string& keyPath, const std::string& valueName,
                                    std::string& text) {
    RegOp key;
    key.root(root);
    key.key(keyPath);
    key.Options(RegOp::kExpandReferences);
    const Variant value = key.Value(valueName);
    text = value.IsInteger() ? std::to_string(static_cast<std::uint32_t>(value.Integer())) : value.ToText();
    return !value.IsEmpty();
}
