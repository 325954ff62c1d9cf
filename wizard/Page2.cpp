#include "Page2.h"

#include <string>
#include <utility>

#include "AccountTitle.h"
#include "KXProxyConf.h"
#include "OEIdentity.h"
#include "ProxyAccount.h"
#include "Resources.h"
#include "SortedList.h"
#include "StringIds.h"
#include "WindowBoundary.h"
#include "WizardIds.h"
#include "modOE.h"
#include "modShellExecute.h"

namespace {

constexpr COLORREF kLinkColour = 0xFF0000;  // blue, in the blue-green-red order

// The change lines under the heading, each a caption and its value.
const std::pair<int, int> kChangeRows[] = {{IDC_lblPOP, IDC_lblPOPServerTo},
                                           {IDC_lblUsernameChgTo, IDC_lblUsernameTo},
                                           {IDC_lblPOP3ServerPortChgTo, IDC_lblPOPPortTo}};
// In dialog units: the space under the heading, the pitch of the change
// lines, the room the group box keeps beside its caption.
constexpr int kGapBelowHeading = 2;
constexpr int kChangeRowPitch = 11;
constexpr int kTitleMargins = 12;

// The dialog's font with one thing changed.
HFONT DerivedFont(HWND dialog, bool bold, bool underline) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (bold)
        font.lfWeight = FW_BOLD;
    font.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectA(&font);
}

// Runs `use` on a device context holding the control's font.
template <class Use>
auto WithControlFont(HWND control, Use&& use) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    const auto result = use(dc);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return result;
}

// A group box takes "&" for the mark of an access key; doubled, an account's
// name shows as it is.
std::string AsCaption(const std::string& text) {
    std::string caption;
    for (const char c : text) {
        caption += c;
        if (c == '&') {
            caption += '&';
        }
    }
    return caption;
}

int TextWidth(HWND control, const std::string& text) {
    return WithControlFont(control, [&](HDC dc) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    });
}

// The height of the text wrapped as a label of that width wraps it.
int TextHeight(HWND label, const std::string& text, int width) {
    return WithControlFont(label, [&](HDC dc) {
        RECT rect{0, 0, width, 0};
        DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_LEFT);
        return static_cast<int>(rect.bottom);
    });
}

RECT ChildRect(HWND page, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

Page2::Page2() : WizardForm(IDD_Page2) {}

Page2::~Page2() {
    Unload();
    DeleteObject(boldFont_);
    DeleteObject(linkFont_);
}

void Page2::Form_Load() {
    Caption(IDC_Label1_0, kStrAccountDetected);
    Caption(IDC_Check1, kStrReconfigureAccount);
    Caption(IDC_Label2, kStrEmailAddress);
    Caption(IDC_Label3, kStrPop3Server);
    Caption(IDC_lblPOP, kStrPop3Server);
    Caption(IDC_Label4, kStrPop3Username);
    Caption(IDC_lblUsernameChgTo, kStrPop3Username);
    Caption(IDC_lblFieldsChanged, kStrFieldsChanged);
    Caption(IDC_lblPOP3ServerPortChgTo, kStrPop3ServerPort);
    Caption(IDC_lblMoreInfo, kStrMoreInfo);
    boldFont_ = DerivedFont(hWnd(), true, false);
    linkFont_ = DerivedFont(hWnd(), false, true);
}

void Page2::BeforePageShow(CWizard&, std::int16_t) {
    if (modOE::gOEAccts->Count() == 0)
        return;
    const std::string key = modOE::gOEAcctKeys.at(modOE::gOEAcctIndex - 1);
    SendMessageA(Item(IDC_lblMoreInfo), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_), TRUE);
    ShowAccount(key);
    const Variant choice = modOE::gOEAccts->item(key);
    const bool chosen = choice.IsInteger() && choice.Integer() == 1;
    SendMessageA(Item(IDC_Check1), BM_SETCHECK, chosen ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Page2::ShowAccount(const std::string& key) {
    const auto [guid, accountKey] = modOE::SplitAccountKey(key);
    OEIdentity identity;
    identity.Identity(guid);
    identity.LoadAllPOPAccounts();
    for (const auto& account : identity.m_colPOPAccounts) {
        if (account->key() != accountKey)
            continue;
        const HWND frame = Item(IDC_Frame1);
        const RECT frameRect = ChildRect(hWnd(), frame);
        SetText(IDC_Frame1,
                AsCaption(AccountTitle::Fitted(account->Account_Name(), identity.Identity_Username(),
                                               frameRect.right - frameRect.left - DialogUnits(kTitleMargins, 0).x,
                                               [&](const std::string& text) { return TextWidth(frame, text); })));
        SetText(IDC_lblEmail, account->SMTP_Email_Address());
        SetText(IDC_lblPOPServer, account->POP_Server());
        SetText(IDC_lblPOPUsername, account->User_name());
        if (!modOE::SettingsReadable()) {
            ShowRefusal(modOE::NotTextNotice(), false);
            return;
        }
        const std::string listenPort = modOE::gProxyConf->GetValue("listen_port").ToText();
        std::string message;
        m_lngRefusalCode = identity.AcctConfigurable(accountKey, listenPort, message);
        if (m_lngRefusalCode != OEIdentity::kConfigurable) {
            ShowRefusal(message, m_lngRefusalCode >= OEIdentity::kAntivirusProxy);
        } else {
            ShowChanges(account->User_name(), account->POP_Server(), account->POP3_Port());
            const bool samePort = account->POP3_Port() == listenPort;
            ShowControl(IDC_lblPOP3ServerPortChgTo, !samePort);
            SetText(IDC_lblPOPPortTo, samePort ? "" : listenPort);
        }
        return;
    }
}

void Page2::ShowRefusal(const std::string& message, bool link) {
    SendMessageA(Item(IDC_lblFieldsChanged), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), TRUE);
    SetText(IDC_lblFieldsChanged, message);
    FitFieldsChanged(message);
    EnableWindow(Item(IDC_Check1), FALSE);
    ShowChangeLines(false);
    ShowControl(IDC_lblMoreInfo, link);
}

void Page2::ShowChanges(const std::string& userName, const std::string& server, const std::string& port) {
    SendMessageA(Item(IDC_lblFieldsChanged), WM_SETFONT, SendMessageA(hWnd(), WM_GETFONT, 0, 0), TRUE);
    Caption(IDC_lblFieldsChanged, kStrFieldsChanged);
    FitFieldsChanged(LoadResText(kStrFieldsChanged));
    EnableWindow(Item(IDC_Check1), TRUE);
    ShowChangeLines(true);
    ShowControl(IDC_lblMoreInfo, false);
    Caption(IDC_lblPOPServerTo, kStrLocalhost);
    SetText(IDC_lblUsernameTo, ProxyAccount::NewUserName(userName, server, port));
}

void Page2::ShowChangeLines(bool visible) const {
    for (const auto& [caption, value] : kChangeRows) {
        ShowControl(caption, visible);
        ShowControl(value, visible);
    }
}

POINT Page2::DialogUnits(int x, int y) const {
    RECT rect{0, 0, x, y};
    MapDialogRect(hWnd(), &rect);
    return {rect.right, rect.bottom};
}

// The heading (or the refusal) is as tall as its text, and what follows it
// starts right below: the link, or the change lines.
void Page2::FitFieldsChanged(const std::string& text) {
    const HWND heading = Item(IDC_lblFieldsChanged);
    const RECT rect = ChildRect(hWnd(), heading);
    const int width = rect.right - rect.left;
    const int height = TextHeight(heading, text, width);
    MoveWindow(heading, rect.left, rect.top, width, height, TRUE);
    int y = rect.top + height + DialogUnits(0, kGapBelowHeading).y;
    MoveTop(IDC_lblMoreInfo, y);
    for (const auto& [caption, value] : kChangeRows) {
        MoveTop(caption, y);
        MoveTop(value, y);
        y += DialogUnits(0, kChangeRowPitch).y;
    }
}

void Page2::MoveTop(int control, int top) const {
    const RECT rect = ChildRect(hWnd(), Item(control));
    SetWindowPos(Item(control), nullptr, rect.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// An error leaves the choice as it was and the move goes on: the frame logs
// it, and the choice of an account that is gone is no loss.
void Page2::BeforePageHide(CWizard&, std::int16_t, bool&) {
    const std::string& key = modOE::gOEAcctKeys.at(modOE::gOEAcctIndex - modOE::gdirection - 1);
    const bool ticked = SendMessageA(Item(IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
    modOE::gOEAccts->SetItem(key, Variant(std::int32_t{ticked ? 1 : 0}));
    if (ticked)
        modOE::gAnyAccountChosen = true;
}

void Page2::lblMoreInfo_Click() {
    const WindowBoundary::Handler handler(__func__);
    const bool internal = modOE::gProxyConf->GetValue("use_internal_rpc").ToText() == "yes";
    std::string address =
        "http://" + LoadResText(internal ? kStrInternalHost : kStrPublicHost) + LoadResText(kStrHelpFolder);
    if (m_lngRefusalCode == OEIdentity::kAntivirusProxy)
        address += LoadResText(kStrAntivirusHelpPage);
    if (m_lngRefusalCode == OEIdentity::kSmtpAuthSameAsPop)
        address += LoadResText(kStrSmtpAuthHelpPage);
    // The address alone: a web address takes no parameters or working folder.
    modShellExecute::ShellOpen(address, "", "");
}

bool Page2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_lblMoreInfo && HIWORD(wParam) == STN_CLICKED) {
        lblMoreInfo_Click();
        return true;
    }
    if (message == WM_CTLCOLORSTATIC && reinterpret_cast<HWND>(lParam) == Item(IDC_lblMoreInfo)) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kLinkColour);
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    return false;
}
