#pragma once
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "LogTrap.h"
#include "MessagePump.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "SenderLists.h"
#include "StringIds.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainControls.h"
#include "frmMainIds.h"
#include "modFileAttributes.h"
#include "modMain.h"

// Driving the settings window's controls as the user would.
inline std::string ProgramPath(const std::string& name) {
    return FileSystem::ProgramDirectory() + "\\" + name;
}
inline std::string ConfPath(const std::string& name) {
    return ProgramPath("conf\\" + name);
}
inline frmMain& Form() {
    return frmMain::Instance();
}
inline HWND Control(int id) {
    return Form().Control(id);
}

inline std::string Text(int id) {
    return WindowText(Control(id));
}
// As typed: the box raises its change notification.
inline void Type(int id, const std::string& text) {
    SendMessageA(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
inline void Click(int id) {
    SendMessageA(Control(id), BM_CLICK, 0, 0);
}
inline bool Checked(int id) {
    return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline int ComboIndex(int id) {
    return static_cast<int>(SendMessageA(Control(id), CB_GETCURSEL, 0, 0));
}
// A choice made by the user: the combo reports its new selection.
inline void Choose(int id, int index) {
    SendMessageA(Control(id), CB_SETCURSEL, index, 0);
    SendMessageA(GetParent(Control(id)), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Control(id)));
}
inline bool NodeOn(const std::string& key) {
    return Form().NodeImage(key) == OptionTree::kImageOn;
}
inline void SetNode(const std::string& key, bool on) {
    Form().SetNodeImage(key, on ? OptionTree::kImageOn : OptionTree::kImageOff);
}
inline bool ApplyEnabled() {
    return IsWindowEnabled(Control(IDC_cmdOK)) != FALSE;
}
inline void ClearChangeFlags() {
    modMain::gSettingsChanged = modMain::gRestartNeeded = false;
    EnableWindow(Control(IDC_cmdOK), FALSE);
}
inline std::string SavedConf() {
    return FileSystem::ReadWholeFile(ConfPath("brindlecote.conf"));
}

// Shows the window on the page of that control, so it can take the focus.
inline void ShowPageOf(int id) {
    for (const FormControl& control : kFrmMainControls) {
        if (control.id == id && control.page >= 0) {
            Form().DisplayPicOptions(control.page);
        }
    }
    Form().Show();
    Pump();
}

// Rewrites the file as another program would while the window is open, one
// second after the time it had, so the change shows at any file-time
// resolution.
inline void RewriteLater(const std::string& path, const std::string& bytes) {
    ULARGE_INTEGER later{};
    later.QuadPart = modFileAttributes::GetFileDateTime(path) + 10'000'000;
    FileSystem::WriteWholeFile(path, bytes);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    const FILETIME written{later.LowPart, later.HighPart};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &written)) << path;
    CloseHandle(file);
}

// The console's clock fixed for as long as the guard lives.
class FixedClock {
public:
    explicit FixedClock(ScanSchedule::ClockTime now) {
        modMain::SetClock([now] { return now; });
    }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    ~FixedClock() { modMain::SetClock(nullptr); }
};

// What each sender list's file holds when a test starts; a list not named
// starts empty.
using SenderListFiles = std::map<SenderList, std::string>;

// The settings window over the conf folder beside the test: brindlecote.conf
// and the sender lists seeded, the console's objects loaded from them as its
// start-up loads them, message boxes and log lines recorded. A suite whose
// tests can share one window opens it in SetUpTestSuite (OpenSuiteWindow);
// the others load it afresh in each test.
class SettingsWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { UseConsoleDefaults(); }
    static void TearDownTestSuite() {
        CloseWindow();
        suiteWindow_ = false;
    }

    void SetUp() override {
        UseConsoleDefaults();
        ClearRecords();
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes.push_back(box);
            return MsgBoxResult::OK;
        });
        LogTrap::SetWriter([this](const std::string& line) { logLines.push_back(line); });
    }

    // A suite's window stays for the next test; any other is closed.
    void TearDown() override {
        if (!suiteWindow_) {
            CloseWindow();
        }
        Pump();
        SetMsgBoxResponder(nullptr);
        LogTrap::SetWriter(nullptr);
    }

    // The window of this test alone, over freshly seeded files. The boxes
    // that closing the last one raised (a refused box losing the focus) are
    // not this window's.
    void LoadWindow(const std::string& conf, const SenderListFiles& lists = {}) {
        CloseWindow();
        ClearRecords();
        OpenWindow(conf, lists);
    }

    // The window the tests of the suite share.
    static void OpenSuiteWindow(const std::string& conf, const SenderListFiles& lists = {}) {
        suiteWindow_ = true;
        OpenWindow(conf, lists);
    }

    // Seeds the files and loads the configuration and the four lists from
    // them; an open window keeps what it shows.
    static void LoadObjects(const std::string& conf, const SenderListFiles& lists = {}) {
        Seed(conf, lists);
        ASSERT_TRUE(modMain::InitializeObjects());
    }

    // The conf folder as a first start finds it, with no log written yet and
    // the scan timer off.
    static void Seed(const std::string& conf, const SenderListFiles& lists = {}) {
        Form().EnableScanTimer(false);
        CreateDirectoryA(ProgramPath("conf").c_str(), nullptr);
        FileSystem::WriteWholeFile(ConfPath("brindlecote.conf"), conf);
        for (SenderList which : SenderLists::kAll) {
            const auto seeded = lists.find(which);
            FileSystem::WriteWholeFile(SenderLists::FilePath(which), seeded == lists.end() ? "" : seeded->second);
        }
        FileSystem::DeleteFileIfPresent(ProgramPath("console.txt"));
    }

    static void CloseWindow() {
        if (Form().Window() != nullptr) {
            DestroyWindow(Form().Window());
        }
        Pump();
    }

    void ClearRecords() {
        boxes.clear();
        logLines.clear();
    }

    std::vector<MsgBoxRequest> boxes;
    std::vector<std::string> logLines;

private:
    static void OpenWindow(const std::string& conf, const SenderListFiles& lists) {
        LoadObjects(conf, lists);
        ASSERT_TRUE(Form().Load());
    }

    // What the console's start sets before anything else.
    static void UseConsoleDefaults() {
        SetProgramTitle(kStrConsoleTitle);
        modMain::gPlatformId = 2;
        modMain::gInstallMode = false;
    }

    inline static bool suiteWindow_ = false;
};
