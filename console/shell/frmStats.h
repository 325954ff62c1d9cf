#pragma once
#include <windows.h>

#include <string>

// The statistics window: the proxy's message counters, the last mail-store
// scan and the training progress, with a reset of the two counters.
class frmStats {
public:
    // Shows the window modally over the owner until it is closed.
    static void Show(HWND owner);

    void Form_Load();
    // Clears and refills the labels and the values.
    void LoadStats();
    void cmdResetStats_Click();
    void cmdClose_Click();

private:
    explicit frmStats(HWND hwnd) : hwnd_(hwnd) {}
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void AddRow(int labelId, const std::string& value);

    HWND hwnd_;
};
