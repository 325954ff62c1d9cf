#pragma once
#include "LocalServer.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "MessagePump.h"
#include "ModalDialogDriver.h"
#include "MsgBox.h"
#include "ProcessDriver.h"
#include "ProgramTitle.h"
#include "StringIds.h"
#include "frmMain.h"
#include "frmNewReleaseIds.h"
#include "modMain.h"

// What the upgrade tests share: the HTTP library found in the program
// directory, a configuration of their own, the updater stand-in beside the
// test (the check starts it from the program's own folder), and console.txt.
class UpgradeFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetDllDirectoryA(std::string(TEST_DIST_DIR).c_str());
        FileSystem::CopyIntoPlace(DistPath("kxvarnhupdate.exe"), Beside("kxvarnhupdate.exe"));
    }
    void SetUp() override {
        SetProgramTitle(kStrConsoleTitle);
        FileSystem::WriteWholeFile(Beside("upgrade_test.conf"), "enable_upgrade_notification=yes\r\n");
        modMain::gProxyConf = std::make_shared<KXProxyConf>();
        modMain::gProxyConf->ConfigurationFile(Beside("upgrade_test.conf"));
        modMain::gProxyConf->Load();
        modMain::gUseProxy = false;
        modMain::gProxyServer = modMain::gProxyPort = modMain::gProxyUser = modMain::gProxyPassword = "";
        FileSystem::DeleteFileIfPresent(UpdaterRecord());
        FileSystem::DeleteFileIfPresent(Beside("console.txt"));
    }
    void TearDown() override {
        SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", nullptr);
        modMain::gProxyConf.reset();
        // An updater the test's check started must be gone before the next
        // suite replaces the program.
        WaitUntil([] { return ProcessesNamed("kxvarnhupdate.exe") == 0; }, 10000);
    }

    static std::string Beside(const std::string& file) { return FileSystem::ProgramDirectory() + "\\" + file; }
    static std::string UpdaterRecord() { return Beside("kxvarnhupdate.record"); }
    static std::string ConsoleLog() { return ReadWholeFile(Beside("console.txt")); }

    // Points the web-service host at the server.
    static void ServeFrom(const HttpServer& server) {
        SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", server.Host().c_str());
    }
    // Serves the version file with that body (status 200) or that status.
    void Serve(const std::string& body, const std::string& status = "200 OK") {
        server_ = std::make_unique<HttpServer>(std::map<std::string, HttpServer::Response>{
            {"/win/brindlecote//ucversion.txt", {status, body, std::to_string(body.size())}}});
        ServeFrom(*server_);
    }
    // The updater's record once no updater runs any more, "" when none ran.
    // The check starts the updater before it returns, so once every copy
    // has ended no record can come later.
    static std::string WaitForUpdater() {
        EXPECT_TRUE(WaitUntil([] { return ProcessesNamed("kxvarnhupdate.exe") == 0; }, 10000));
        return ReadWholeFile(UpdaterRecord());
    }

    Winsock winsock_;
    std::unique_ptr<HttpServer> server_;
};

// The settings window over a conf folder beside the test, loaded as the
// console loads it, its boxes recorded; what its load checks is served by
// the test.
class UpgradeWindow : public UpgradeFixture {
protected:
    void SetUp() override {
        UpgradeFixture::SetUp();
        CreateDirectoryA(Beside("conf").c_str(), nullptr);
        FileSystem::WriteWholeFile(Beside("conf\\brindlecote.conf"), "enable_upgrade_notification=yes\r\n");
        ASSERT_TRUE(modMain::InitializeObjects());
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes.push_back(box);
            return MsgBoxResult::No;
        });
    }
    void TearDown() override {
        if (frmMain::Instance().Window() != nullptr) {
            DestroyWindow(frmMain::Instance().Window());
        }
        // The window's end posts the quit message a modal loop would end on.
        Pump();
        SetMsgBoxResponder(nullptr);
        UpgradeFixture::TearDown();
    }

    // Loads the window serving that version file. The release notice that
    // the load may show is closed with "No"; true when it was shown.
    bool LoadShowsNotice(const std::string& body) {
        Serve(body);
        ModalDialogDriver driver(IDC_chkIgnore, [](HWND notice) { Click(notice, IDC_cmdIgnore); });
        EXPECT_TRUE(frmMain::Instance().Load());
        return driver.Ran();
    }
    // A command of the menu bar.
    static void Command(int id) { SendMessageA(frmMain::Instance().Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    std::vector<MsgBoxRequest> boxes;
};

// The running program's version, and releases relative to it.
inline int RunningMajor() {
    return std::stoi(TEST_PROGRAM_VERSION);
}
inline std::string NextMajor(const std::string& rest) {
    return std::to_string(RunningMajor() + 1) + rest;
}
