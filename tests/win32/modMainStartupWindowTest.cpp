// The settings window loaded as the console's start-up loads it, without
// the rest of the start-up: what its Cancel, OK and unload do at the end of
// an install run, a first run or a failed save. No start-up runs, so the
// console's single-instance mutex is not taken.
#include <algorithm>
#include <optional>
#include <string>

#include "ConsoleStartupFixture.h"
#include "ModalDialogDriver.h"
#include "SavedRegistryValue.h"
#include "frmNewRelease.h"
#include "frmNewReleaseIds.h"

namespace {

// An install run of a mail client of version 5 or later records once that
// the account wizard has had its turn, when the window is cancelled.
TEST_F(ConsoleStartup, CancelAfterAnInstallRunMarksTheAccountWizardAsRun) {
    SavedRegistryValue ran(kProductKey, "RanOEWizard");
    struct Case {
        bool install;
        int oeVersion;
        const char* before;
        std::optional<std::string> after;
        bool marks;
    };
    const Case cases[] = {
        {true, 6, nullptr, "1", true},
        {true, 5, "0", "1", true},
        {true, 4, nullptr, std::nullopt, false},
        {false, 6, nullptr, std::nullopt, false},
        {true, 6, "1", "1", false},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.install ? "install" : "plain") + " OE " + std::to_string(c.oeVersion);
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, "RanOEWizard");
        if (c.before) {
            ran.SetText(c.before);
        }
        LoadWindow(kPluginOff);
        modMain::gInstallMode = c.install;
        modMain::gOEMajorVersion = c.oeVersion;
        Click(IDC_cmdCancel);
        Pump();
        EXPECT_EQ(RegistryText(kProductKey, "RanOEWizard"), c.after) << name;
        // Marked once, the install run is over for the rest of the session.
        EXPECT_EQ(modMain::gInstallMode, c.install && !c.marks) << name;
    }
    modMain::gInstallMode = false;
}

// The first run, whose file has no plug-in setting yet, starts the plug-in
// launcher with Windows from then on; a file that says "no" does not.
TEST_F(ConsoleStartup, TheFirstRunPutsTheLauncherIntoTheRunKey) {
    SavedRegistryValue run(kRunKey, "OE_Plugin_Startup");
    LoadWindow("listen_port=8110\r\n");
    EXPECT_EQ(RegistryText(kRunKey, "OE_Plugin_Startup"),
              std::string("\"").append(FileSystem::ProgramDirectory()) + "\\Launcher.exe\"");

    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "OE_Plugin_Startup");
    LoadWindow(kPluginOff);
    EXPECT_EQ(RegistryText(kRunKey, "OE_Plugin_Startup"), std::nullopt);
}

// A save that does not reach the file keeps the edits marked and says so.
TEST_F(ConsoleStartup, AFailedWriteSettingsKeepsApplyAvailable) {
    LoadWindow(std::string(kPluginOff) + "listen_port=8110\r\n");
    const std::string before = SavedConf();
    CreateDirectoryA(ConfPath("brindlecote.conf.tmp").c_str(), nullptr);
    Type(IDC_txtInPort, "8111");
    Click(IDC_cmdOK);
    RemoveDirectoryA(ConfPath("brindlecote.conf.tmp").c_str());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Debug SaveSettings");
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(modMain::gSettingsChanged);
    EXPECT_EQ(SavedConf(), before);
    EXPECT_TRUE(std::any_of(logLines.begin(), logLines.end(), [](const std::string& line) {
        return line.rfind("Conf.Save() Error 75 : ", 0) == 0;
    })) << testing::PrintToString(logLines);
}

// A form still shown when the main window unloads goes with it: the release
// notice, which the window's load shows with no owner, among them.
TEST_F(ConsoleStartup, TheReleaseNoticeIsUnloadedWithTheMainWindow) {
    LoadWindow(kPluginOff);
    bool shownAfterClose = true;
    ModalDialogDriver driver(IDC_chkIgnore, [&](HWND notice) {
        SendMessageA(Form().Window(), WM_CLOSE, 0, 0);
        shownAfterClose = IsWindow(notice) && IsWindowVisible(notice);
    });
    frmNewRelease notice;
    notice.ReleaseVersion("9.9.9");
    notice.Show();
    ASSERT_TRUE(driver.Ran());
    EXPECT_FALSE(shownAfterClose);
    EXPECT_FALSE(driver.LeftOpen());
    EXPECT_EQ(Form().Window(), nullptr);
    EXPECT_NE(ConsoleLogText().find(" : Application End"), std::string::npos);
}

}  // namespace
