#include "PageGroup.h"

#include "frmMain.h"

bool PageGroup::OnNotify(const NMHDR&) {
    return false;
}

bool PageGroup::OnScroll(HWND) {
    return false;
}

HWND PageGroup::Window() const {
    return window_.Window();
}

HWND PageGroup::Control(int id) const {
    return window_.Control(id);
}

void PageGroup::MarkSettingsChanged(bool restartNeeded) const {
    window_.MarkSettingsChanged(restartNeeded);
}
