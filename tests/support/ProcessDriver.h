#pragma once
#include <windows.h>

#include <functional>
#include <string>

// The program directory laid out by the build, and the test-only stand-ins.
inline std::string DistPath(const std::string& file) {
    return std::string(TEST_DIST_DIR) + "\\" + file;
}
inline std::string TestBinPath(const std::string& file) {
    return std::string(TEST_TESTBIN_DIR) + "\\" + file;
}

// A program started by a test; ended (if still running) when it goes.
class ChildProcess {
public:
    // Starts "<program>" <arguments> in the program's own directory.
    ChildProcess(const std::string& program, const std::string& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    DWORD ThreadId() const { return info_.dwThreadId; }
    // True when the process ended within the time; its exit code in *code.
    bool WaitForExit(DWORD milliseconds, DWORD* code = nullptr);
    bool Running();
    void Kill();

private:
    PROCESS_INFORMATION info_{};
};

// Polls until the condition holds or the time is up; gives the last answer.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// The whole file, or "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Ends every running process whose executable has that name (the programs
// that a program under test started on its own).
void EndProcessesNamed(const std::string& executable);

// How many processes whose executable has that name are running.
int ProcessesNamed(const std::string& executable);

// The top-level window of that process with exactly that title that also
// passes the check, when one is given, or nullptr.
using WindowCheck = std::function<bool(HWND)>;
HWND TopWindowOf(DWORD processId, const std::string& title, const WindowCheck& check = nullptr);

// The settings console's main window in that process (the window with the
// menu bar; the hidden about box carries the same title), or nullptr.
HWND ConsoleWindowOf(DWORD processId);

// The record file of a stand-in ("kx_daemon.exe" -> "kx_daemon.record").
std::string RecordOf(const std::string& programPath);
