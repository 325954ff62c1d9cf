#include "Page2.h"

#include <string>

#include "KXProxyConf.h"
#include "OEIdentity.h"
#include "ProxyAccount.h"
#include "Resources.h"
#include "SortedList.h"
#include "WizardIds.h"
#include "modOE.h"
#include "modShellExecute.h"

namespace {

constexpr COLORREF kLinkColour = 0xFF0000;  // blue, in the blue-green-red order
constexpr int kTextAccount = 254;
constexpr int kTextForIdentity = 255;
constexpr int kTextFieldsChanged = 251;
constexpr int kTextLocalhost = 270;
// The maker's web service, and its help pages for the refusals with a link.
constexpr int kTextInternalHost = 1004;
constexpr int kTextPublicHost = 1005;
constexpr int kTextHelpFolder = 1021;
constexpr int kTextAntivirusHelp = 1022;
constexpr int kTextSmtpAuthHelp = 1023;

const int kChangeLabels[] = {IDC_lblPOP,           IDC_lblUsernameChgTo, IDC_lblPOP3ServerPortChgTo,
                             IDC_lblPOPServerTo,   IDC_lblUsernameTo,    IDC_lblPOPPortTo};

// The dialog's font with one thing changed.
HFONT DerivedFont(HWND dialog, bool bold, bool underline) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    if (bold) font.lfWeight = FW_BOLD;
    font.lfUnderline = underline ? TRUE : FALSE;
    return CreateFontIndirectA(&font);
}

}  // namespace

Page2::Page2() : WizardForm(IDD_Page2) {}

Page2::~Page2() {
    Unload();
    DeleteObject(boldFont_);
    DeleteObject(linkFont_);
}

void Page2::Form_Load() {
    Caption(IDC_Label1_0, 246);
    Caption(IDC_Check1, 247);
    Caption(IDC_Label2, 248);
    Caption(IDC_Label3, 249);
    Caption(IDC_lblPOP, 249);
    Caption(IDC_Label4, 250);
    Caption(IDC_lblUsernameChgTo, 250);
    Caption(IDC_lblFieldsChanged, kTextFieldsChanged);
    Caption(IDC_lblPOP3ServerPortChgTo, 252);
    Caption(IDC_lblMoreInfo, 253);
    boldFont_ = DerivedFont(hWnd(), true, false);
    linkFont_ = DerivedFont(hWnd(), false, true);
}

void Page2::BeforePageShow(CWizard&, std::int16_t) {
    if (modOE::gOEAccts->Count() == 0) return;
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
        if (account->key() != accountKey) continue;
        SetText(IDC_Frame1, LoadResText(kTextAccount) + account->Account_Name() + LoadResText(kTextForIdentity) +
                                identity.Identity_Username());
        SetText(IDC_lblEmail, account->SMTP_Email_Address());
        SetText(IDC_lblPOPServer, account->POP_Server());
        SetText(IDC_lblPOPUsername, account->User_name());
        const std::string listenPort = modOE::gProxyConf->GetValue("listen_port").ToText();
        std::string message;
        m_lngRefusalCode = identity.AcctConfigurable(accountKey, listenPort, message);
        if (m_lngRefusalCode != OEIdentity::kConfigurable) {
            ShowRefusal(message);
        } else {
            ShowChanges(account->User_name(), account->POP_Server(), account->POP3_Port());
            const bool samePort = account->POP3_Port() == listenPort;
            ShowControl(IDC_lblPOP3ServerPortChgTo, !samePort);
            SetText(IDC_lblPOPPortTo, samePort ? "" : listenPort);
        }
        return;
    }
}

void Page2::ShowRefusal(const std::string& message) {
    SendMessageA(Item(IDC_lblFieldsChanged), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), TRUE);
    SetText(IDC_lblFieldsChanged, message);
    EnableWindow(Item(IDC_Check1), FALSE);
    for (int label : kChangeLabels) ShowControl(label, false);
    ShowControl(IDC_lblMoreInfo, m_lngRefusalCode >= OEIdentity::kAntivirusProxy);
}

void Page2::ShowChanges(const std::string& userName, const std::string& server, const std::string& port) {
    SendMessageA(Item(IDC_lblFieldsChanged), WM_SETFONT, SendMessageA(hWnd(), WM_GETFONT, 0, 0), TRUE);
    Caption(IDC_lblFieldsChanged, kTextFieldsChanged);
    EnableWindow(Item(IDC_Check1), TRUE);
    for (int label : kChangeLabels) ShowControl(label, true);
    ShowControl(IDC_lblMoreInfo, false);
    Caption(IDC_lblPOPServerTo, kTextLocalhost);
    SetText(IDC_lblUsernameTo, ProxyAccount::NewUserName(userName, server, port));
}

void Page2::BeforePageHide(CWizard&, std::int16_t, bool&) {
    // Errors are ignored: the choice of an account that is gone is no loss.
    try {
        const std::string& key = modOE::gOEAcctKeys.at(modOE::gOEAcctIndex - modOE::gdirection - 1);
        const bool ticked = SendMessageA(Item(IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED;
        modOE::gOEAccts->SetItem(key, Variant(std::int32_t{ticked ? 1 : 0}));
        if (ticked) modOE::gAnyAccountChosen = true;
    } catch (...) {
    }
}

void Page2::lblMoreInfo_Click() {
    const bool internal = modOE::gProxyConf->GetValue("use_internal_rpc").ToText() == "yes";
    std::string address =
        "http://" + LoadResText(internal ? kTextInternalHost : kTextPublicHost) + LoadResText(kTextHelpFolder);
    if (m_lngRefusalCode == OEIdentity::kAntivirusProxy) address += LoadResText(kTextAntivirusHelp);
    if (m_lngRefusalCode == OEIdentity::kSmtpAuthSameAsPop) address += LoadResText(kTextSmtpAuthHelp);
    // The address alone: a web address takes no parameters or working folder.
    modShellExecute::ShellOpen(address, "", "");
}

bool Page2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_lblMoreInfo && HIWORD(wParam) == STN_CLICKED) {
        try {
            lblMoreInfo_Click();
        } catch (...) {
        }
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
