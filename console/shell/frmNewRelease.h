#pragma once
#include <windows.h>

#include <string>

// The new-release notice: offers the download page of a newer release, or
// with its check box ticked, stops the reminders about that release.
class frmNewRelease {
public:
    // The release number the notice announces.
    void ReleaseVersion(const std::string& release) { releaseVersion_ = release; }
    // Shows the notice modally, owned by no window; returns once it is closed.
    void Show();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCommand(int id, int code);
    void Form_Load();
    void chkIgnore_Click();
    void cmdIgnore_Click();
    void cmdOK_Click();
    // Makes the button the dialog's default one, or none when id is 0.
    void SetDefaultButton(int id);

    HWND hwnd_ = nullptr;
    std::string releaseVersion_;
};
