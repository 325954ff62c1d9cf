#pragma once

class frmMain;

// The window's hold on the daemon: the service on the NT family, a process
// on Windows 9x. The caption of cmdStartStop is the window's record of its
// state.
class DaemonControl {
public:
    explicit DaemonControl(frmMain& window) : window_(window) {}
    DaemonControl(const DaemonControl&) = delete;
    DaemonControl& operator=(const DaemonControl&) = delete;

    // Sets the caption of cmdStartStop from the daemon's real state.
    void UpdateStartStopCaption();
    bool StartStopCaptionIs(int stringId) const;
    void StopProxy();
    void StartProxy();
    void RestartProxy();

    void cmdStartStop_Click();
    void cmdOEScanNow_Click();

private:
    // Waits, then reports whether the daemon runs.
    bool QueryProxyRunning();
    // Save, reload the controls, then restart or start the daemon.
    void ApplySettings();
    // Save, reload the controls, start the daemon.
    void SaveAndStartProxy();
    void SetStartStopCaption(int stringId);

    frmMain& window_;
};
