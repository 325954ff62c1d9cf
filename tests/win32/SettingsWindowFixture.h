#pragma once
#include <gtest/gtest.h>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

#include <string>
#include <vector>

#include "AddressList.h"
#include "FileSystem.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "frmMain.h"
#include "frmMainControls.h"
#include "frmMainIds.h"
#include "modMain.h"

// Driving the settings window's controls as the user would.
inline std::string ConfPath(const std::string& name) {
    return FileSystem::ProgramDirectory() + "\\conf\\" + name;
}
inline frmMain& Form() {
    return frmMain::Instance();
}
inline HWND Control(int id) {
    return Form().Control(id);
}

inline std::string Text(int id) {
    char text[1024] = "";
    GetWindowTextA(Control(id), text, sizeof text);
    return text;
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

inline void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
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

// The settings window loaded afresh for each test over a seeded
// brindlecote.conf in the conf directory beside the test, with message boxes
// and log lines recorded.
class SettingsWindow : public ::testing::Test {
protected:
    void LoadWindow(const std::string& conf) {
        if (Form().Window() != nullptr) {
            DestroyWindow(Form().Window());
            Pump();
        }
        boxes.clear();
        logLines.clear();
        CreateDirectoryA((FileSystem::ProgramDirectory() + "\\conf").c_str(), nullptr);
        FileSystem::WriteWholeFile(ConfPath("brindlecote.conf"), conf);
        modMain::gProxyConf = std::make_shared<KXProxyConf>();
        modMain::gProxyConf->ConfigurationFile(ConfPath("brindlecote.conf"));
        modMain::gProxyConf->Load();
        LoadList(modMain::gApprovedSenders, "approved_senders");
        LoadList(modMain::gBlockedSenders, "blocked_senders");
        LoadList(modMain::gIgnoredSenders, "ignored_senders");
        LoadList(modMain::gToMeAddresses, "to_me_addresses");
        ASSERT_TRUE(Form().Load());
    }

    void SetUp() override {
        modMain::gPlatformId = 2;
        modMain::gInstallMode = false;
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes.push_back(box);
            return MsgBoxResult::OK;
        });
        LogTrap::SetWriter([this](const std::string& line) { logLines.push_back(line); });
    }

    void TearDown() override {
        if (Form().Window() != nullptr) {
            DestroyWindow(Form().Window());
        }
        Pump();
        SetMsgBoxResponder(nullptr);
        LogTrap::SetWriter(nullptr);
    }

    std::vector<MsgBoxRequest> boxes;
    std::vector<std::string> logLines;

private:
    static void LoadList(std::shared_ptr<AddressList>& list, const std::string& name) {
        if (!FileSystem::FileExists(ConfPath(name))) {
            FileSystem::WriteWholeFile(ConfPath(name), "");
        }
        list = std::make_shared<AddressList>();
        list->FileLocation(ConfPath(name));
        list->Load();
    }
};
