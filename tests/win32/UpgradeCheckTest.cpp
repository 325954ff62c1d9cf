#include "UpgradeTestFixture.h"

#include "ModalDialogDriver.h"
#include "SavedRegistryValue.h"
#include "ShownText.h"
#include "MsgBox.h"
#include "Resources.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "frmNewRelease.h"
#include "frmNewReleaseIds.h"
#include "modFileVersionInfo.h"
#include "modMainRelease.h"

namespace {

std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsDefaultButton(HWND dialog, int id) {
    return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// While it lives, the web browser is a recorder: the http protocol's open
// command starts a copy of the updater stand-in, which records its arguments.
class RecordingBrowser {
public:
    RecordingBrowser() {
        FileSystem::CopyIntoPlace(DistPath("kxvarnhupdate.exe"), Path("browser.exe"));
        FileSystem::DeleteFileIfPresent(Path("browser.record"));
        handler_.SetText("\"" + Path("browser.exe") + "\" \"%1\"");
    }
    // The arguments the browser got; "" when none started within 5 s.
    static std::string Opened() {
        WaitUntil([] { return !ReadWholeFile(Path("browser.record")).empty(); }, 5000);
        return ReadWholeFile(Path("browser.record"));
    }

private:
    static std::string Path(const std::string& file) { return FileSystem::ProgramDirectory() + "\\" + file; }

    SavedRegistryValue handler_{"http\\shell\\open\\command", nullptr, HKEY_CLASSES_ROOT};
};

class UpgradeCheck : public UpgradeFixture {
protected:
    void Setting(const std::string& key, const std::string& value) { modMain::gProxyConf->SetValue(key, value); }

    // Runs the start-up check; true when it showed the notice (closed with "No").
    bool CheckShowsNotice() {
        ModalDialogDriver driver(IDC_chkIgnore, [](HWND notice) { Click(notice, IDC_cmdIgnore); });
        modMain::CheckForUpgrade();
        return driver.Ran();
    }
};

TEST_F(UpgradeCheck, TheLatestReleaseIsReadFromTheVersionFileAndOnlyItsBodyIsLogged) {
    Serve("a=b\r\nversion=4.1.7\r\n");
    std::string failure = "unset";
    EXPECT_EQ(modMain::GetLatestVersion(&failure), "4.1.7");
    EXPECT_EQ(failure, "");
    const auto requests = server_->Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find('\n')), "GET /win/brindlecote//ucversion.txt HTTP/1.1");
    const std::string log = ConsoleLog();
    EXPECT_NE(log.find(" : cRequest.errorCode = 0\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find(" : cRequest.Response = a=b\r\nversion=4.1.7\r\n\r\n"), std::string::npos) << log;
    EXPECT_EQ(log.find('\0'), std::string::npos) << "the buffer's padding stays out of the log";
}

TEST_F(UpgradeCheck, AFailedRequestSaysSoInTheLog) {
    const struct {
        std::string body;
        std::string status;
        std::string why;
    } cases[] = {
        {"gone", "404 Not Found", "Connection Failure."},
        {"name=x\r\n", "200 OK", "The version file holds no release number."},
        {"version=4.x.1\r\n", "200 OK", "The version file holds no release number."},
    };
    for (const auto& c : cases) {
        FileSystem::DeleteFileIfPresent(Beside("console.txt"));
        Serve(c.body, c.status);
        std::string failure;
        modMain::GetLatestVersion(&failure);
        EXPECT_EQ(failure, c.why) << c.body;
        EXPECT_NE(ConsoleLog().find("GetLatestVersion() : no release number: " + c.why), std::string::npos)
            << ConsoleLog();
    }
    SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", ("127.0.0.1:" + std::to_string(ClosedPort())).c_str());
    std::string failure;
    EXPECT_EQ(modMain::GetLatestVersion(&failure), "");
    EXPECT_EQ(failure, "Failed to connect to host or proxy.");
    EXPECT_NE(ConsoleLog().find("cRequest.errorCode = 7"), std::string::npos);
}

TEST_F(UpgradeCheck, IsNewerVersionComparesWithTheRunningProgram) {
    ASSERT_EQ(modFileVersionInfo::OwnVersion(), TEST_PROGRAM_VERSION);
    EXPECT_FALSE(modMain::IsNewerVersion(TEST_PROGRAM_VERSION));
    EXPECT_TRUE(modMain::IsNewerVersion(NextMajor(".0.0")));
    EXPECT_FALSE(modMain::IsNewerVersion(std::to_string(RunningMajor() - 1) + ".99.99"));
    EXPECT_FALSE(modMain::IsNewerVersion(""));
}

TEST_F(UpgradeCheck, ANewerReleaseShowsTheNoticeAndNothingElseStartsTheUpdater) {
    const struct {
        std::string body;
        std::string dismissed;
        bool notice;
        bool updater;
    } cases[] = {
        {"version=" + NextMajor(".0.0") + "\r\n", "", true, false},
        {"\xEF\xBB\xBFversion=" + NextMajor(".0.0") + "\r\n", "", true, false},
        {"version=" + NextMajor(".0.0") + "\r\n" + std::string(200, '#'), "", true, false},
        {"a=b\r\nversion=" + NextMajor(".1.7") + "\r\n", "", true, false},
        {"version=" + NextMajor(".1.7") + "\r\n", NextMajor(".1.7"), false, false},
        {"version=" + NextMajor(".0.10") + "\r\n", NextMajor(".0.9"), true, false},
        {"version=" + NextMajor(".0.9") + "\r\n", NextMajor(".0.10"), false, false},
        {"version=" + NextMajor(".1.7") + "\r\n", NextMajor(".1"), true, false},
        {std::string("version=") + TEST_PROGRAM_VERSION + "\r\n", "", false, true},
        {"version=" + std::to_string(RunningMajor() - 1) + ".9.9\r\n", "", false, true},
        {"version=" + NextMajor(".x.0") + "\r\n", "", false, true},
        {"", "", false, true},
    };
    for (const auto& c : cases) {
        FileSystem::DeleteFileIfPresent(UpdaterRecord());
        Serve(c.body);
        Setting("last_upgrade_notification", c.dismissed);
        EXPECT_EQ(CheckShowsNotice(), c.notice) << c.body << " dismissed " << c.dismissed;
        EXPECT_EQ(WaitForUpdater(), c.updater ? "args 1\r\n" : "") << c.body;
        EXPECT_EQ(FileSystem::FileExists(UpdaterRecord()), c.updater) << c.body;
    }
}

// Only the front of a long file arrives: it is read, and the log says it was
// cut off rather than blaming the connection.
TEST_F(UpgradeCheck, ALongVersionFileIsReadFromItsFront) {
    const struct {
        std::string body;
        std::string release;
    } cases[] = {
        {"version=4.1.7\r\n" + std::string(200, '#') + "\r\n", "4.1.7"},
        {std::string(40, ' ') + "version=4.1.8\r\n" + std::string(100, 'x'), "4.1.8"},
        {std::string(120, '#') + "\r\nversion=4.1.9\r\n", ""},
    };
    for (const auto& c : cases) {
        FileSystem::DeleteFileIfPresent(Beside("console.txt"));
        Serve(c.body);
        std::string failure;
        EXPECT_EQ(modMain::GetLatestVersion(&failure), c.release) << c.body;
        EXPECT_EQ(failure, c.release.empty() ? "The version file holds no release number." : "") << c.body;
        const std::string log = ConsoleLog();
        EXPECT_NE(log.find("GetLatestVersion() : the version file was cut off after 99 characters"), std::string::npos)
            << log;
        EXPECT_EQ(log.find("Connection Failure."), std::string::npos) << log;
    }
}

TEST_F(UpgradeCheck, WithTheCheckOffTheFileIsStillFetchedAndNothingFollows) {
    for (const char* setting : {"no", "Yes", "YES", ""}) {
        Serve("version=" + NextMajor(".0.0") + "\r\n");
        Setting("enable_upgrade_notification", setting);
        EXPECT_FALSE(CheckShowsNotice()) << setting;
        EXPECT_EQ(server_->Requests().size(), 1u) << setting;
    }
    Serve("version=0.0.1\r\n");
    EXPECT_FALSE(CheckShowsNotice());
    WaitForUpdater();
    EXPECT_FALSE(FileSystem::FileExists(UpdaterRecord()));
}

TEST_F(UpgradeCheck, AnUnreachableServiceHoldsTheCheckForLessThanFifteenSeconds) {
    const SOCKET silent = Listen(0);  // takes the connection, never answers
    SetEnvironmentVariableA("BRINDLECOTE_UPDATE_HOST", ("127.0.0.1:" + std::to_string(PortOf(silent))).c_str());
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(CheckShowsNotice());
    const ULONGLONG took = GetTickCount64() - start;
    closesocket(silent);
    EXPECT_LT(took, 15000u);
    EXPECT_NE(ConsoleLog().find("cRequest.errorCode = 28"), std::string::npos) << ConsoleLog();
    EXPECT_NE(ConsoleLog().find("GetLatestVersion() : no release number: Connection Failure."), std::string::npos);
}

// The window's load runs the check: a newer release shows the notice.
TEST_F(UpgradeWindow, LoadingTheWindowChecksForANewRelease) {
    EXPECT_TRUE(LoadShowsNotice("version=" + NextMajor(".0.0") + "\r\n"));
    EXPECT_EQ(server_->Requests().size(), 1u);
    EXPECT_EQ(WaitForUpdater(), "");
}

TEST_F(UpgradeWindow, TheUpdateCommandTellsNewerUpToDateAndFailure) {
    ASSERT_FALSE(LoadShowsNotice(std::string("version=") + TEST_PROGRAM_VERSION + "\r\n"));
    const struct {
        std::string body;
        std::string status;
        std::string text;
        unsigned buttons;
        std::string title;
    } cases[] = {
        {"version=" + NextMajor(".0.0") + "\r\n", "200 OK", LoadResText(158), MsgBoxStyle::YesNo,
         "Brindlecote Varnholt"},
        {std::string("version=") + TEST_PROGRAM_VERSION + "\r\n", "200 OK", LoadResText(157), MsgBoxStyle::OKOnly,
         "Brindlecote Varnholt"},
        {"gone", "404 Not Found", "Connection Failure.", MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation,
         "Brindlecote Admin Console"},
    };
    for (const auto& c : cases) {
        boxes.clear();
        Serve(c.body, c.status);
        Command(IDM_mnuUpdates);
        ASSERT_EQ(boxes.size(), 1u) << c.body;
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].style, c.buttons);
        EXPECT_EQ(boxes[0].title, c.title);
    }
}

TEST_F(UpgradeWindow, TheUpdateCommandOpensTheDownloadPageOnYes) {
    ASSERT_FALSE(LoadShowsNotice(std::string("version=") + TEST_PROGRAM_VERSION + "\r\n"));
    RecordingBrowser browser;
    SetMsgBoxResponder([](const MsgBoxRequest&) { return MsgBoxResult::Yes; });
    Serve("version=" + NextMajor(".0.0") + "\r\n");
    Command(IDM_mnuUpdates);
    EXPECT_EQ(browser.Opened(), "args \"" + LoadResText(1002) + "\"\r\n");
}

class NewReleaseNotice : public UpgradeFixture {
protected:
    // Shows the notice for release 9.9.9 and runs the action on it.
    void ShowWith(const std::function<void(HWND)>& action) {
        ModalDialogDriver driver(IDC_chkIgnore, action);
        frmNewRelease notice;
        notice.ReleaseVersion("9.9.9");
        notice.Show();
        EXPECT_TRUE(driver.Ran());
        EXPECT_FALSE(driver.LeftOpen());
    }
    static std::string Dismissed() { return modMain::gProxyConf->GetValue("last_upgrade_notification").ToText(); }
    static std::string DismissedInFile() {
        KXProxyConf reread;
        reread.ConfigurationFile(Beside("upgrade_test.conf"));
        reread.Load();
        return reread.GetValue("last_upgrade_notification").ToText();
    }
};

TEST_F(NewReleaseNotice, ShowsItsTextsWithYesAsTheDefault) {
    ShowWith([](HWND notice) {
        EXPECT_EQ(Text(notice), "Brindlecote Varnholt");
        EXPECT_EQ(Text(GetDlgItem(notice, IDC_cmdOK)), "Yes");
        EXPECT_EQ(Text(GetDlgItem(notice, IDC_cmdIgnore)), "No");
        EXPECT_EQ(Text(GetDlgItem(notice, IDC_chkIgnore)), "Do not remind me about this release.");
        const std::string text = "A new release of Brindlecote is available from " + LoadResText(1002) +
                                 ". Would you like to download the free upgrade now?";
        EXPECT_EQ(Text(GetDlgItem(notice, IDC_lblNewRelease)), text);
        // The address's "&"s are drawn, not taken for access keys.
        EXPECT_NE(text.find('&'), std::string::npos);
        EXPECT_EQ(ShownText(GetDlgItem(notice, IDC_lblNewRelease)), text);
        EXPECT_EQ(IsDlgButtonChecked(notice, IDC_chkIgnore), BST_UNCHECKED);
        EXPECT_TRUE(IsDefaultButton(notice, IDC_cmdOK));
        EXPECT_NE(SendMessageA(notice, WM_GETICON, ICON_BIG, 0), 0);
        Click(notice, IDC_cmdIgnore);
    });
    EXPECT_EQ(Dismissed(), "") << "No with the box unchecked stores nothing";
}

TEST_F(NewReleaseNotice, YesOpensTheDownloadPageAndStoresNothing) {
    RecordingBrowser browser;
    ShowWith([](HWND notice) { Click(notice, IDC_cmdOK); });
    EXPECT_EQ(browser.Opened(), "args \"" + LoadResText(1002) + "\"\r\n");
    EXPECT_EQ(Dismissed(), "");
}

TEST_F(NewReleaseNotice, TheCheckBoxSwitchesTheButtons) {
    ShowWith([](HWND notice) {
        Click(notice, IDC_chkIgnore);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(notice, IDC_cmdOK)));
        EXPECT_FALSE(IsDefaultButton(notice, IDC_cmdOK));
        EXPECT_TRUE(IsDefaultButton(notice, IDC_cmdIgnore));
        Click(notice, IDC_cmdOK);
        EXPECT_TRUE(IsWindowVisible(notice)) << "the disabled Yes does nothing";
        Click(notice, IDC_chkIgnore);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(notice, IDC_cmdOK)));
        EXPECT_FALSE(IsDefaultButton(notice, IDC_cmdOK));
        EXPECT_FALSE(IsDefaultButton(notice, IDC_cmdIgnore));
        Click(notice, IDC_cmdIgnore);
    });
    EXPECT_EQ(Dismissed(), "");
}

TEST_F(NewReleaseNotice, NoWithTheBoxTickedStoresTheReleaseAndEscapeActsAsNo) {
    const struct {
        const char* how;
        std::function<void(HWND)> close;
        bool stored;
    } cases[] = {
        {"No", [](HWND notice) { Click(notice, IDC_cmdIgnore); }, true},
        {"Escape",
         [](HWND notice) {
             SetFocus(GetDlgItem(notice, IDC_chkIgnore));
             PostMessageA(GetDlgItem(notice, IDC_chkIgnore), WM_KEYDOWN, VK_ESCAPE, 0);
         },
         true},
        {"close box", [](HWND notice) { PostMessageA(notice, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
    };
    for (const auto& c : cases) {
        SetUp();
        ShowWith([&](HWND notice) {
            Click(notice, IDC_chkIgnore);
            c.close(notice);
        });
        EXPECT_EQ(Dismissed(), c.stored ? "9.9.9" : "") << c.how;
        EXPECT_EQ(DismissedInFile(), c.stored ? "9.9.9" : "") << c.how;
    }
}

}  // namespace
