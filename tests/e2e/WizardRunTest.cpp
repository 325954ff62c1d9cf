#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "OERegistryFixture.h"
#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "SavedRegistryValue.h"
#include "WizardIds.h"

namespace {

using Data = OERegistryFixture::Data;

const char kTitle[] = "Outlook Express Configuration Wizard";
const char kProgramTitle[] = "Brindlecote Varnholt Desktop Client";
const std::string kMain = "{0A000000-0000-0000-0000-000000000001}";
const std::string kAnn = "{0B000000-0000-0000-0000-000000000002}";
const std::string kGlobal = OERegistryFixture::kGlobalAccounts;

const char kConfigured[] =
    "Congratulations, you have finished configuring your Outlook Express to work with Brindlecote.";
const char kThanks[] = "Thank you for running the Outlook Express Account Configuration Wizard.";
const char kNoAccounts[] = "We could not find any Outlook Express Accounts that needed configuration.";
const char kRestart[] = "You must restart Outlook Express for your changes to take effect.";

// A dialog window of the process: the frame (titled) or a message box (with Yes).
HWND DialogOf(DWORD processId, bool messageBox) {
    return TopWindowOf(processId, kTitle, [messageBox](HWND window) {
        return IsWindowVisible(window) && (GetDlgItem(window, IDYES) != nullptr) == messageBox;
    });
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    DWORD_PTR length = 0;
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 10000,
                        &length);
    return text;
}

// Wizard.exe run from a program directory of its own, driven through its
// real controls as a user would.
class WizardDriver {
public:
    explicit WizardDriver(const ProgramLayout& layout) : process_(layout.Path("Wizard.exe"), "1") {
        EXPECT_TRUE(process_.Started());
        EXPECT_TRUE(WaitUntil([&] { return (frame_ = DialogOf(process_.Id(), false)) != nullptr; }, 30000));
    }

    bool Found() const { return frame_ != nullptr; }
    HWND Frame() const { return frame_; }
    HWND Button(int button) const { return GetDlgItem(frame_, button); }
    HWND Control(int control) const { return GetDlgItem(Page(), control); }
    // The wizard thread's active window and keyboard focus.
    GUITHREADINFO Input() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info);
        return info;
    }
    // The page form shown in the page area.
    HWND Page() const {
        for (HWND child = GetWindow(GetDlgItem(frame_, IDC_picPage), GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child))
                return child;
        }
        return nullptr;
    }
    std::string Text(int control) const { return TextOf(GetDlgItem(Page(), control)); }
    bool Visible(int control) const { return IsWindowVisible(GetDlgItem(Page(), control)) != FALSE; }
    bool Enabled(int control) const { return IsWindowEnabled(GetDlgItem(Page(), control)) != FALSE; }
    bool ButtonEnabled(int button) const { return IsWindowEnabled(GetDlgItem(frame_, button)) != FALSE; }
    std::string ButtonText(int button) const { return TextOf(GetDlgItem(frame_, button)); }

    // Presses the button and returns once the wizard has handled the press.
    void Press(int button) const { Click(GetDlgItem(frame_, button)); }
    void Next() const { Press(IDC_cmdStepFwd); }
    void Tick() const {
        const HWND box = GetDlgItem(Page(), IDC_Check1);
        if (SendMessageA(box, BM_GETCHECK, 0, 0) != BST_CHECKED)
            Click(box);
    }
    bool Ticked() const { return SendMessageA(GetDlgItem(Page(), IDC_Check1), BM_GETCHECK, 0, 0) == BST_CHECKED; }

    // Cancel on a page before the last: the question, answered.
    std::string CancelAnswering(int answer) {
        PostMessageA(GetDlgItem(frame_, IDC_cmdTerminate), BM_CLICK, 0, 0);
        return Answer([&] { return DialogOf(process_.Id(), true); }, answer);
    }
    // A notice under the program's title, acknowledged: its text.
    std::string Acknowledge() {
        return Answer([&] { return TopWindowOf(process_.Id(), kProgramTitle, IsWindowVisible); }, IDOK);
    }
    bool Ends() { return process_.WaitForExit(15000); }
    // A click on a label of the page, as the mouse gives it.
    void ClickOn(int control) const {
        const HWND label = Control(control);
        DWORD_PTR ignored = 0;
        for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) {
            SendMessageTimeoutA(label, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(2, 2),
                                SMTO_ABORTIFHUNG, 10000, &ignored);
        }
    }

    // A key released on the page; with Alt down when `alt`.
    // The page is hidden for a moment while the account page makes way for
    // the next account: the key goes to the page once one is shown.
    void Release(WPARAM key, bool alt = false) const {
        const LPARAM released = (LPARAM{1} << 31) | (LPARAM{1} << 30) | 1;
        HWND page = nullptr;
        WaitUntil([&] { return (page = Page()) != nullptr; }, 10000);
        PostMessageA(page, alt ? WM_SYSKEYUP : WM_KEYUP, key, alt ? released | (LPARAM{1} << 29) : released);
    }
    // Posted keys take effect in their own time: waits for the page's text.
    bool Shows(int control, const std::string& text) const {
        return WaitUntil([&] { return Text(control) == text; }, 10000);
    }

private:
    // The text of the message box `find` gives once one shows, answered.
    static std::string Answer(const std::function<HWND()>& find, int answer) {
        HWND box = nullptr;
        if (!WaitUntil([&] { return (box = find()) != nullptr; }, 10000))
            return "";
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            char className[64] = "";
            GetClassNameA(child, className, sizeof className);
            if (std::string(className) == "Static" && !TextOf(child).empty())
                text = TextOf(child);
        }
        PostMessageA(box, WM_COMMAND, answer, 0);
        WaitUntil([&] { return find() == nullptr; }, 10000);
        return text;
    }
    static void Click(HWND button) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 20000, &ignored);
    }

    ChildProcess process_;
    HWND frame_ = nullptr;
};

class WizardRun : public testing::Test {
protected:
    void SetUp() override { EndProcessesNamed("msimn.exe"); }
    void TearDown() override { EndProcessesNamed("msimn.exe"); }

    // Main Identity with two accounts in the shared tree, Ann with one of her own.
    void SeedThreeAccounts() const {
        registry.Identity(kMain, "Main Identity");
        registry.Identity(kAnn, "Ann");
        registry.Account(kGlobal, "00000001", "jo", "pop.one.example", {{"POP3 Port", OERegistryFixture::Number(110)}});
        registry.Account(kGlobal, "00000002", "sam", "pop.two.example",
                         {{"POP3 Port", OERegistryFixture::Number(995)}});
        registry.Account(OERegistryFixture::AccountsOf(kAnn), "00000001", "ann", "mail.three.example");
    }
    static std::vector<Data> Snapshot(const std::vector<std::string>& accounts) {
        std::vector<Data> values;
        for (const std::string& account : accounts) {
            for (const char* name : {"POP3 User Name", "POP3 Server", "POP3 Port"}) {
                values.push_back(OERegistryFixture::Read(account, name));
            }
        }
        return values;
    }

    OERegistryFixture registry;
    ProgramLayout layout{"wizard_run", {"Wizard.exe"}};
};

TEST_F(WizardRun, TheTickedAccountsAreRewrittenAndASecondRunChangesNothing) {
    SeedThreeAccounts();
    const std::vector<std::string> accounts = {kGlobal + "\\00000001", kGlobal + "\\00000002",
                                               OERegistryFixture::AccountsOf(kAnn) + "\\00000001"};
    {
        WizardDriver wizard(layout);
        ASSERT_TRUE(wizard.Found());
        EXPECT_FALSE(wizard.ButtonEnabled(IDC_cmdStepBack));
        wizard.Next();
        // Accounts come ordered by identity: Main Identity's two, then Ann's.
        EXPECT_EQ(wizard.Text(IDC_Frame1), "Account: pop.one.example for Identity: Main Identity");
        EXPECT_EQ(wizard.Text(IDC_lblUsernameTo), "jo#pop.one.example");
        EXPECT_EQ(wizard.Text(IDC_lblPOPServerTo), "localhost");
        EXPECT_EQ(wizard.Text(IDC_lblPOPPortTo), "8110");
        wizard.Tick();
        wizard.Next();
        EXPECT_EQ(wizard.Text(IDC_lblUsernameTo), "sam#pop.two.example:995");
        EXPECT_FALSE(wizard.Ticked());
        wizard.Next();
        EXPECT_EQ(wizard.Text(IDC_Frame1), "Account: mail.three.example for Identity: Ann");
        wizard.Tick();
        // Back and forth keeps the choices.
        wizard.Press(IDC_cmdStepBack);
        wizard.Press(IDC_cmdStepBack);
        EXPECT_TRUE(wizard.Ticked());
        wizard.Next();
        wizard.Next();
        EXPECT_TRUE(wizard.Ticked());
        wizard.Next();

        EXPECT_EQ(wizard.Text(IDC_Label1_0), kConfigured);
        EXPECT_EQ(wizard.Text(IDC_Label2), "");
        EXPECT_EQ(wizard.ButtonText(IDC_cmdTerminate), "Finish");
        EXPECT_FALSE(wizard.ButtonEnabled(IDC_cmdStepBack));
        EXPECT_FALSE(wizard.ButtonEnabled(IDC_cmdStepFwd));
        wizard.Press(IDC_cmdTerminate);
        EXPECT_TRUE(wizard.Ends());
    }
    const Data port = OERegistryFixture::Number(8110);
    const Data localhost = OERegistryFixture::Text("localhost");
    EXPECT_EQ(Snapshot(accounts),
              (std::vector<Data>{OERegistryFixture::Text("jo#pop.one.example"), localhost, port,
                                 OERegistryFixture::Text("sam"), OERegistryFixture::Text("pop.two.example"),
                                 OERegistryFixture::Number(995), OERegistryFixture::Text("ann#mail.three.example"),
                                 localhost, port}));

    // Again: the rewritten accounts are refused and nothing changes.
    const std::vector<Data> before = Snapshot(accounts);
    {
        WizardDriver wizard(layout);
        ASSERT_TRUE(wizard.Found());
        wizard.Next();
        EXPECT_EQ(wizard.Text(IDC_lblFieldsChanged),
                  "This POP Account may already be configured to work with Brindlecote");
        EXPECT_FALSE(wizard.Enabled(IDC_Check1));
        wizard.Next();
        wizard.Next();
        EXPECT_FALSE(wizard.Enabled(IDC_Check1));
        wizard.Next();
        EXPECT_EQ(wizard.Text(IDC_Label1_0), kThanks);
        wizard.Press(IDC_cmdTerminate);
        EXPECT_TRUE(wizard.Ends());
    }
    EXPECT_EQ(Snapshot(accounts), before);
}

TEST_F(WizardRun, EachRefusalIsShownOnTheAccountPage) {
    struct Refusal {
        const char* subkey;
        OERegistryFixture::Values values;
        const char* message;
        bool link;
    };
    const std::vector<Refusal> refusals = {
        {"a-ssl",
         {{"POP3 Secure Connection", OERegistryFixture::Number(1)}},
         "Unable to configure this account.  POP Account requires SSL",
         false},
        {"b-spa",
         {{"POP3 Use Sicily", OERegistryFixture::Number(1)}},
         "Unable to configure this account.  This POP Account requires Secure Password Authentication.",
         false},
        {"c-smtp",
         {{"SMTP Use Sicily", OERegistryFixture::Number(2)}},
         "This account requires SMTP Authentication and the username settings are the same as incoming server.  "
         "In order for Brindlecote to work with Outlook Express, please change your settings for SMTP "
         "Authentication to 'Log on using:', enter your Account name and Password, and then run this wizard again.",
         true},
        {"d-hash",
         {{"POP3 User Name", OERegistryFixture::Text("jo#elsewhere")}},
         "This POP Account may already be configured to work with Brindlecote",
         false},
        {"e-antivirus",
         {{"POP3 Server", OERegistryFixture::Text("127.0.0.1")}, {"POP3 Port", OERegistryFixture::Number(8110)}},
         "We detected Norton Antivirus 2001 listening on the same port as the Brindlecote.  Please configure "
         "Brindlecote to listen on a different port, for example port 8110, and then run this wizard again.",
         true},
    };
    registry.Identity(kMain, "Main Identity");
    for (const Refusal& r : refusals)
        registry.Account(kGlobal, r.subkey, "jo", "pop.example", r.values);

    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    for (const Refusal& r : refusals) {
        EXPECT_EQ(wizard.Text(IDC_lblFieldsChanged), r.message) << r.subkey;
        EXPECT_FALSE(wizard.Enabled(IDC_Check1)) << r.subkey;
        EXPECT_EQ(wizard.Visible(IDC_lblMoreInfo), r.link) << r.subkey;
        EXPECT_FALSE(wizard.Visible(IDC_lblUsernameTo)) << r.subkey;
        EXPECT_FALSE(wizard.Visible(IDC_lblPOPServerTo)) << r.subkey;
        wizard.Next();
    }
    EXPECT_EQ(wizard.Text(IDC_Label1_0), kThanks);
}

TEST_F(WizardRun, WithoutAccountsTheWizardGoesStraightToTheLastPage) {
    registry.Identity(kMain, "Main Identity");
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    EXPECT_EQ(wizard.Text(IDC_Label1_0), kNoAccounts);
    EXPECT_EQ(wizard.Text(IDC_Label2), "");
    EXPECT_FALSE(OERegistryFixture::KeyExists(kGlobal));
    wizard.Press(IDC_cmdTerminate);
    EXPECT_TRUE(wizard.Ends());
    EXPECT_EQ(layout.Read("console.txt").find("Error"), std::string::npos);
}

TEST_F(WizardRun, CancelAsksAndOnlyYesEndsTheWizardWithoutWriting) {
    SeedThreeAccounts();
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    wizard.Tick();
    EXPECT_EQ(wizard.CancelAnswering(IDNO), "Are you sure you want to cancel the wizard?");
    EXPECT_EQ(wizard.Text(IDC_Frame1), "Account: pop.one.example for Identity: Main Identity");
    EXPECT_EQ(wizard.CancelAnswering(IDYES), "Are you sure you want to cancel the wizard?");
    EXPECT_TRUE(wizard.Ends());
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 User Name"), OERegistryFixture::Text("jo"));
}

TEST_F(WizardRun, EnterEscapeAndAltArrowsActLikeTheButtons) {
    SeedThreeAccounts();
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    wizard.Release(VK_RETURN);  // Next is the default button
    EXPECT_TRUE(wizard.Shows(IDC_Frame1, "Account: pop.two.example for Identity: Main Identity"));
    wizard.Release(VK_LEFT);  // without Alt nothing happens
    wizard.Release(VK_LEFT, true);
    EXPECT_TRUE(wizard.Shows(IDC_Frame1, "Account: pop.one.example for Identity: Main Identity"));
    wizard.Release(VK_RIGHT, true);
    EXPECT_TRUE(wizard.Shows(IDC_Frame1, "Account: pop.two.example for Identity: Main Identity"));
    wizard.Release(VK_RIGHT, true);
    wizard.Release(VK_RIGHT, true);
    EXPECT_TRUE(wizard.Shows(IDC_Label1_0, kThanks));
    // On the last page Escape closes at once, without a question.
    wizard.Release(VK_ESCAPE);
    EXPECT_TRUE(wizard.Ends());
}

TEST_F(WizardRun, ARunningMailClientGetsTheRestartNotice) {
    SeedThreeAccounts();
    ChildProcess mailClient(TestBinPath("msimn.exe"), "");
    ASSERT_TRUE(mailClient.Started());
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    wizard.Tick();
    wizard.Next();
    wizard.Next();
    wizard.Next();
    EXPECT_EQ(wizard.Text(IDC_Label1_0), kConfigured);
    EXPECT_EQ(wizard.Text(IDC_Label2), kRestart);
}

TEST_F(WizardRun, AnAccountListedByTwoIdentitiesIsRewrittenOnce) {
    // Neither identity has accounts of its own: both list the shared ones.
    registry.Identity(kMain, "Anna");
    registry.Identity(kAnn, "Ann");
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example", {{"POP3 Port", OERegistryFixture::Number(995)}});
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    wizard.Tick();
    wizard.Next();
    wizard.Tick();
    wizard.Next();
    EXPECT_EQ(wizard.Text(IDC_Label1_0), kConfigured);
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 User Name"),
              OERegistryFixture::Text("jo#pop.one.example:995"));
}

// The lines of a label's text.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    lines.push_back(text.substr(start));
    return lines;
}

TEST_F(WizardRun, AccountsRewrittenBeforeOneFailedCountAndTheFailedOneIsNamed) {
    SeedThreeAccounts();
    // A port of a type the rewrite does not overwrite stops it at the second account.
    OERegistryFixture::Values binaryPort = {{"POP3 Port", OERegistryFixture::Binary(std::string("\x6e\x00", 2))}};
    registry.Write(kGlobal + "\\00000002", binaryPort);
    ChildProcess mailClient(TestBinPath("msimn.exe"), "");
    ASSERT_TRUE(mailClient.Started());
    {
        WizardDriver wizard(layout);
        ASSERT_TRUE(wizard.Found());
        wizard.Next();
        for (int account = 0; account < 3; ++account) {
            wizard.Tick();
            wizard.Next();
        }
        EXPECT_EQ(wizard.Text(IDC_Label1_0), kConfigured);
        const std::vector<std::string> notice = LinesOf(wizard.Text(IDC_Label2));
        ASSERT_EQ(notice.size(), 3u) << wizard.Text(IDC_Label2);
        EXPECT_EQ(notice[0], kRestart);
        EXPECT_EQ(notice[1], "Account: pop.two.example for Identity: Main Identity");
        EXPECT_EQ(notice[2],
                  "ConfigureAccounts() Error -2147221231 : Could not store \"POP3 Port\" of account 00000002");
        EXPECT_NE(layout.Read("console.txt").find(notice[2]), std::string::npos);
    }
    // The first is rewritten; the failed one is put back; the third is never reached.
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 Server"), OERegistryFixture::Text("localhost"));
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000002", "POP3 User Name"), OERegistryFixture::Text("sam"));
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000002", "POP3 Server"),
              OERegistryFixture::Text("pop.two.example"));
    EXPECT_EQ(OERegistryFixture::Read(OERegistryFixture::AccountsOf(kAnn) + "\\00000001", "POP3 User Name"),
              OERegistryFixture::Text("ann"));
}

TEST_F(WizardRun, TheWizardIsActiveWithTheFocusOnThePagesFirstControlOrAButton) {
    SeedThreeAccounts();
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    EXPECT_TRUE(WaitUntil([&] { return wizard.Input().hwndFocus == wizard.Button(IDC_cmdStepFwd); }, 10000))
        << "the welcome page has no control: Next";
    EXPECT_EQ(wizard.Input().hwndActive, wizard.Frame());
    wizard.Next();
    EXPECT_EQ(wizard.Input().hwndFocus, wizard.Control(IDC_Check1));
    wizard.Next();
    wizard.Next();
    wizard.Next();
    EXPECT_EQ(wizard.Input().hwndFocus, wizard.Button(IDC_cmdTerminate)) << "Next is disabled on the last page";
    EXPECT_EQ(wizard.Input().hwndActive, wizard.Frame());
}

TEST_F(WizardRun, TheMoreInformationLinkOpensTheHelpPageOfTheRefusalOnTheMakersHost) {
    // The browser: a recorder of the address it is given.
    const std::string browser = layout.Path("StartRecorder.exe");
    ASSERT_TRUE(CopyFileA(TestBinPath("StartRecorder.exe").c_str(), browser.c_str(), FALSE));
    SavedRegistryValue handler("Software\\Classes\\http\\shell\\open\\command", nullptr);
    handler.SetText("\"" + browser + "\" %1");
    registry.Identity(kMain, "Main Identity");
    registry.Account(kGlobal, "a-antivirus", "jo", "127.0.0.1", {{"POP3 Port", OERegistryFixture::Number(8110)}});
    registry.Account(kGlobal, "b-smtp", "jo", "pop.example", {{"SMTP Use Sicily", OERegistryFixture::Number(2)}});
    const std::string help = "http://update.tessavane.example/win/brindlecote/";
    for (const char* internal : {"yes", "no"}) {
        layout.Write("conf\\brindlecote.conf",
                     std::string("listen_port=8110\r\nuse_internal_rpc=") + internal + "\r\n");
        DeleteFileA(layout.Path("StartRecorder.record").c_str());
        WizardDriver wizard(layout);
        ASSERT_TRUE(wizard.Found());
        wizard.Next();
        wizard.ClickOn(IDC_lblMoreInfo);
        ASSERT_TRUE(WaitUntil([&] { return !layout.Read("StartRecorder.record").empty(); }, 20000)) << internal;
        wizard.Next();
        wizard.ClickOn(IDC_lblMoreInfo);
        std::vector<std::string> addresses;
        WaitUntil(
            [&] {
                addresses.clear();
                for (const std::string& line : LinesOf(layout.Read("StartRecorder.record"))) {
                    if (line.rfind("args ", 0) == 0)
                        addresses.push_back(line.substr(5));
                }
                return addresses.size() >= 2;
            },
            20000);
        EXPECT_EQ(addresses, (std::vector<std::string>{help + "help_pp_4a.html", help + "help_pp_2c.html"}))
            << "use_internal_rpc=" << internal;
    }
}

TEST_F(WizardRun, AListenPortOutOfRangeWritesNothingAndTheLastPageSaysSo) {
    SeedThreeAccounts();
    layout.Write("conf\\brindlecote.conf", "listen_port=70000\r\n");
    WizardDriver wizard(layout);
    ASSERT_TRUE(wizard.Found());
    wizard.Next();
    wizard.Tick();
    wizard.Next();
    wizard.Next();
    wizard.Next();
    EXPECT_EQ(wizard.Text(IDC_Label1_0), kThanks);
    // The account it failed on, then the error as logged.
    const std::vector<std::string> failure = LinesOf(wizard.Text(IDC_Label2));
    ASSERT_EQ(failure.size(), 2u) << wizard.Text(IDC_Label2);
    EXPECT_EQ(failure[0], "Account: pop.one.example for Identity: Main Identity");
    EXPECT_EQ(failure[1].rfind("ConfigureAccounts() Error 6 : ", 0), 0u) << failure[1];
    EXPECT_NE(layout.Read("console.txt").find(failure[1]), std::string::npos);
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 User Name"), OERegistryFixture::Text("jo"));
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 Port"), OERegistryFixture::Number(110));
}

// A configuration file damaged by a crash: a listen_port, then NULs.
// The wizard says so at its start, offers the account no rewrite and, even
// with its box clicked, leaves it as it was.
TEST_F(WizardRun, AConfigurationThatIsNotTextRewritesNoAccount) {
    registry.Identity(kMain, "Main Identity");
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    const std::vector<std::string> accounts = {kGlobal + "\\00000001"};
    const std::vector<Data> before = Snapshot(accounts);
    layout.Write("conf\\brindlecote.conf", "listen_port=9999\r\n" + std::string(4096, '\0'));
    const std::string notText = "brindlecote.conf cannot be read as text";
    {
        WizardDriver wizard(layout);
        ASSERT_TRUE(wizard.Found());
        EXPECT_NE(wizard.Acknowledge().find(notText), std::string::npos);
        wizard.Next();
        EXPECT_NE(wizard.Text(IDC_lblFieldsChanged).find(notText), std::string::npos)
            << wizard.Text(IDC_lblFieldsChanged);
        EXPECT_FALSE(wizard.Enabled(IDC_Check1));
        EXPECT_FALSE(wizard.Visible(IDC_lblPOPPortTo));
        wizard.Tick();
        wizard.Next();
        EXPECT_EQ(wizard.Text(IDC_Label1_0), kThanks);
        wizard.Press(IDC_cmdTerminate);
        EXPECT_TRUE(wizard.Ends());
    }
    EXPECT_EQ(Snapshot(accounts), before);
}

}  // namespace
