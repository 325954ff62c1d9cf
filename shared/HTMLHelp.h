#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Access to a compiled help file through the HTML Help viewer. The viewer
// (HtmlHelpA of hhctrl.ocx) is loaded when first needed, so a machine
// without it only goes without help. Every message is a box titled
// "HTML Help Class".
class HTMLHelp {
public:
    HTMLHelp();

    const std::string& CHMFile() const { return chmFile_; }
    void CHMFile(const std::string& path) { chmFile_ = path; }
    const std::string& HHWindow() const { return window_; }
    void HHWindow(const std::string& name) { window_ = name; }
    const std::string& HHTopicURL() const { return topicURL_; }
    void HHTopicURL(const std::string& topic) { topicURL_ = topic; }
    std::int32_t HHTopicID() const { return topicID_; }
    void HHTopicID(std::int32_t id) { topicID_ = id; }
    const std::string& HHKeyword() const { return keyword_; }
    void HHKeyword(const std::string& keyword) { keyword_ = keyword; }
    const std::string& HHALink() const { return aLink_; }
    void HHALink(const std::string& name) { aLink_ = name; }
    const std::string& HHDefaultURL() const { return defaultURL_; }
    void HHDefaultURL(const std::string& topic) { defaultURL_ = topic; }
    const std::string& HHMsgTitle() const { return msgTitle_; }
    void HHMsgTitle(const std::string& title) { msgTitle_ = title; }
    const std::string& HHMsgText() const { return msgText_; }
    void HHMsgText(const std::string& text) { msgText_ = text; }
    bool HHShowOnTop() const { return showOnTop_; }
    void HHShowOnTop(bool onTop) { showOnTop_ = onTop; }

    // The window the last display call returned; 0, with a message, when
    // there is none or it has been closed since.
    HWND HHWndHandle();

    // The result of the last HHCheckRegistry.
    const std::string& HHRegFileName() const { return regFileName_; }
    const std::string& HHRegFilePath() const { return regFilePath_; }
    bool HHRegFileExists() const { return regFileExists_; }

    // Pop-up source: 1 a text file inside the help file, 2 a string of the
    // program's string table, 4 a literal text.
    void HHPopupType(std::int32_t type) { popupType_ = type; }
    void HHPopupFile(const std::string& file) { popupFile_ = file; }
    void HHPopupID(std::int32_t id) { popupID_ = id; }
    void HHPopupText(const std::string& text) { popupText_ = text; }
    // Colours are COLORREF values; -1 leaves the viewer's own colour.
    void HHPopupTextColor(std::int32_t color) { popupTextColor_ = color; }
    void HHPopupBackColor(std::int32_t color) { popupBackColor_ = color; }
    void HHPopupCustomTextColor(std::int32_t color) { popupCustomTextColor_ = color; }
    void HHPopupCustomBackColor(std::int32_t color) { popupCustomBackColor_ = color; }
    bool HHPopupCustomColors() const { return popupCustomColors_; }
    void HHPopupCustomColors(bool custom) { popupCustomColors_ = custom; }
    void HHPopupTextFont(const std::string& face) { popupFont_ = face; }
    void HHPopupTextSize(const std::string& points) { popupSize_ = points; }
    void HHPopupTextBold(bool bold) { popupBold_ = bold; }
    void HHPopupTextItalic(bool italic) { popupItalic_ = italic; }
    void HHPopupTextUnderline(bool underline) { popupUnderline_ = underline; }

    // Whether the viewer's type library is registered.
    bool HHInstalled() const;
    // Filled by HHVerifyMinConfig; "unknown" until then or when not found.
    const std::string& HHVersion() const { return hhVersion_; }
    const std::string& IEVersion() const { return ieVersion_; }
    const std::string& HHFriendlyName() const { return hhFriendlyName_; }
    const std::string& IEFriendlyName() const { return ieFriendlyName_; }

    // The display operations: the window handle owns the viewer only while
    // HHShowOnTop is set.
    void HHDisplayTopicURL(HWND window);
    void HHDisplayTopicID(HWND window);
    void HHDisplayContents(HWND window);
    void HHDisplayIndex(HWND window);
    void HHDisplaySearch(HWND window);
    void HHDisplayKeyword(HWND window);
    void HHDisplayALink(HWND window);
    void HHDisplayPopup(HWND window);
    void HHClose();

    void HHDeleteJumpURLSysMenu(HWND window);
    void HHInvokeWhatsThisHelp(HWND window);

    void HHRegister(const std::string& path);
    void HHUnRegister(const std::string& path);
    bool HHCheckRegistry(const std::string& path);
    // Whether the viewer and the browser are at least the versions the codes
    // name (viewer 16 to 26, browser from 256).
    bool HHVerifyMinConfig(std::int32_t viewerCode, std::int32_t browserCode);
    // Completes a bare file name and tells whether the file is there.
    bool EnsureFileExists(std::string& path);
    std::string HHSetHelpFile(std::int16_t kind) const;

private:
    bool ValidateHelpFile(const std::string& path) const;
    bool HelpFileReady();
    bool OwnerGiven(HWND window, const std::string& operation) const;
    HWND Owner(HWND window) const;
    std::string Target() const;
    void Display(HWND window, const std::string& operation, UINT command, DWORD_PTR data);
    void LookUp(HWND window, const std::string& operation, UINT command, const std::string& keywords);
    void ShowPopup(HWND owner);
    std::string PopupFontText() const;
    void ResetPopupFont();
    bool VerifyComponent(const char* classKey, const char* notRegistered, const char* notInPlace, std::int32_t code,
                         bool viewer);

    std::string chmFile_;
    std::string window_;
    std::string topicURL_;
    std::int32_t topicID_ = 0;
    std::string keyword_;
    std::string aLink_;
    std::string defaultURL_;
    std::string msgTitle_;
    std::string msgText_;
    bool showOnTop_ = false;
    HWND wndHandle_ = nullptr;
    std::string regFileName_;
    std::string regFilePath_;
    bool regFileExists_ = false;
    std::int32_t popupType_ = 0;
    std::string popupFile_;
    std::int32_t popupID_ = 0;
    std::string popupText_;
    std::int32_t popupTextColor_ = -1;
    std::int32_t popupBackColor_ = -1;
    std::int32_t popupCustomTextColor_ = -1;
    std::int32_t popupCustomBackColor_ = -1;
    bool popupCustomColors_ = false;
    std::string popupFont_;
    std::string popupSize_;
    bool popupBold_ = false;
    bool popupItalic_ = false;
    bool popupUnderline_ = false;
    std::string hhVersion_;
    std::string ieVersion_;
    std::string hhFriendlyName_;
    std::string ieFriendlyName_;
};

// The viewer as HTMLHelp calls it: owner, target, command, data; gives the
// viewer's window. Tests put a recorder in its place; an empty one restores
// HtmlHelpA.
using HtmlHelpCall = std::function<HWND(HWND owner, const char* target, UINT command, DWORD_PTR data)>;
void SetHtmlHelpCall(HtmlHelpCall call);
