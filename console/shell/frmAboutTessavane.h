#pragma once
#include <windows.h>

#include <string>

// The about box: product caption, platform and version lines, the legal
// notices, the logo, and a button that starts the System Information tool.
// It is loaded hidden at start-up; showing it modally loads it when it is
// not loaded, and OK unloads it, so each later showing loads it anew.
class frmAboutTessavane {
public:
    static frmAboutTessavane& Instance();

    // Creates the box hidden, owned by the window, and runs its load steps
    // (logo included).
    void Load(HWND owner);
    // Shows the box modally over the owner (loading it first when it is not
    // loaded); returns once it is unloaded.
    void ShowModal(HWND owner);
    void Unload();
    HWND Window() const { return hwnd_; }

    // Starts the System Information tool, or tells the user it is unavailable.
    void StartSysInfo();
    // Reads a registry value, of any length, through RegOp: REG_SZ as stored
    // (without its terminator), REG_EXPAND_SZ expanded, REG_DWORD in decimal,
    // any other type as RegOp reads it. False, with text "", when the key or
    // value cannot be read.
    static bool GetKeyValue(HKEY root, const std::string& keyPath, const std::string& valueName, std::string& text);

private:
    frmAboutTessavane() = default;

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Form_Load();
    void SetFonts();
    void cmdOK_Click();
    void cmdSysInfo_Click();

    HWND hwnd_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT textFont_ = nullptr;
};
