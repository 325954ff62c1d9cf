#pragma once
#include "LocalServer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "KXProxyConf.h"
#include "ProcessDriver.h"
#include "ProgramTitle.h"
#include "StringIds.h"
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
    }

    static std::string Beside(const std::string& file) { return FileSystem::ProgramDirectory() + "\\" + file; }
    static std::string UpdaterRecord() { return Beside("kxvarnhupdate.record"); }
    static std::string ConsoleLog() { return ReadWholeFile(Beside("console.txt")); }

    // Points the web-service host at the server.
    static void ServeFrom(const HttpServer& server) {
        SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", server.Host().c_str());
    }
    // The updater's record once no updater runs any more, "" when none ran.
    // The check starts the updater before it returns, so once every copy
    // has ended no record can come later.
    static std::string WaitForUpdater() {
        EXPECT_TRUE(WaitUntil([] { return ProcessesNamed("kxvarnhupdate.exe") == 0; }, 10000));
        return ReadWholeFile(UpdaterRecord());
    }

    Winsock winsock_;
};

// The running program's version, and releases relative to it.
inline int RunningMajor() {
    return std::stoi(TEST_PROGRAM_VERSION);
}
inline std::string NextMajor(const std::string& rest) {
    return std::to_string(RunningMajor() + 1) + rest;
}
