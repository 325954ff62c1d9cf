#pragma once
#include <windows.h>
#include <commctrl.h>

#include <span>

class frmMain;

// A group of the settings window's option pages: it owns the controls on its
// pages and answers their events. Each of its pages carries the group in
// DWLP_USER, so an event is routed by its control's id to the page that
// holds the control and from there to the group.
class PageGroup {
public:
    PageGroup(const PageGroup&) = delete;
    PageGroup& operator=(const PageGroup&) = delete;

    // The option pages the group owns.
    virtual std::span<const int> Pages() const = 0;
    // Each answers whether the event was one the group acts on.
    virtual bool OnCommand(int id, int code) = 0;
    virtual bool OnNotify(const NMHDR& header);
    virtual bool OnScroll(HWND control);

    // The settings window, which owns every page.
    HWND Window() const;
    HWND Control(int id) const;
    void MarkSettingsChanged(bool restartNeeded) const;

protected:
    explicit PageGroup(frmMain& window) : window_(window) {}
    ~PageGroup() = default;

    frmMain& window_;
};
