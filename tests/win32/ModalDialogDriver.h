#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Acts on a modal dialog from inside the loop that shows it: a thread timer
// looks for a shown top-level window of this thread that holds the control,
// and hands it, once, to the action. The action should close the dialog; one
// that it leaves open is closed by its frame's close box, so no test hangs.
class ModalDialogDriver {
public:
    ModalDialogDriver(int controlId, std::function<void(HWND)> action)
        : controlId_(controlId), action_(std::move(action)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 20, Tick);
    }
    ~ModalDialogDriver() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    ModalDialogDriver(const ModalDialogDriver&) = delete;
    ModalDialogDriver& operator=(const ModalDialogDriver&) = delete;

    // True once the dialog was found and the action ran.
    bool Ran() const { return ran_; }
    // True when the action left the dialog open.
    bool LeftOpen() const { return leftOpen_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        ModalDialogDriver* driver = current_;
        if (driver == nullptr) {
            return;
        }
        if (driver->ran_) {
            driver->WatchClosing();
            return;
        }
        EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&driver->dialog_));
        if (driver->dialog_ != nullptr) {
            driver->ran_ = true;
            driver->action_(driver->dialog_);
        }
    }
    // An action may close the dialog by a posted message: it gets a second
    // to do so before the close box does it.
    void WatchClosing() {
        if (!IsWindow(dialog_) || !IsWindowVisible(dialog_)) {
            KillTimer(nullptr, timer_);
        } else if (++ticksOpen_ == kTicksToClose) {
            leftOpen_ = true;
            PostMessageA(dialog_, WM_CLOSE, 0, 0);
        }
    }
    static BOOL CALLBACK Find(HWND window, LPARAM found) {
        if (IsWindowVisible(window) && GetDlgItem(window, current_->controlId_) != nullptr) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    inline static ModalDialogDriver* current_ = nullptr;
    int controlId_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    static constexpr int kTicksToClose = 50;
    HWND dialog_ = nullptr;
    int ticksOpen_ = 0;
    bool ran_ = false;
    bool leftOpen_ = false;
};

// Presses a button the way a click does.
inline void Click(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

// Puts the text into a box of the dialog, which raises its change
// notification as typing does.
inline void Type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}
