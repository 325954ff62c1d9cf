#include <gtest/gtest.h>
#include <windows.h>
#include <htmlhelp.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CWizard.h"
#include "CWizardController.h"
#include "Conf.h"
#include "ConfSamples.h"
#include "FileSystem.h"
#include "HTMLHelp.h"
#include "IWizardController.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "NotTextFiles.h"
#include "OERegistryFixture.h"
#include "ObjectError.h"
#include "ShownText.h"
#include "Page1.h"
#include "Page2.h"
#include "Page3.h"
#include "WizardForm.h"
#include "WizardIds.h"
#include "modOE.h"
#include "modWizard.h"

// The wizard's frame with its real pages, run in the test's own process and
// program folder (its conf, log and help file) over seeded accounts.
namespace {

const std::string kMain = "{0A000000-0000-0000-0000-000000000001}";
const std::string kGlobal = OERegistryFixture::kGlobalAccounts;

std::string ProgramFile(const std::string& name) {
    return FileSystem::ProgramDirectory() + "\\" + name;
}

void Pump() {
    MSG msg;
    // The frame ends the program when it goes; the test goes on.
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string TextOf(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// A rectangle in the coordinates of `parent`.
RECT RectIn(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// How the control's own font sizes a text: one line, or wrapped in `width`.
SIZE TextExtent(HWND control, const std::string& text, int width = 0) {
    const HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | DT_LEFT | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right, rect.bottom};
}

// What a client sees of the frame before each move.
struct MoveSeen {
    std::int16_t current;
    std::int16_t next;
    std::int16_t last;
    bool finishedLoading;
    bool operator==(const MoveSeen&) const = default;
};

// The last page, watched: how the frame stands while the page is prepared.
class WatchedPage3 : public Page3 {
public:
    void BeforePageShow(CWizard& Wizard, std::int16_t CurrentStep) override {
        frozen = Wizard.Frozen();
        cancelEnabled = IsWindowEnabled(GetDlgItem(Wizard.hWnd(), IDC_cmdTerminate)) != FALSE;
        // The close box still works on a frozen frame.
        if (closeMeanwhile)
            SendMessageA(Wizard.hWnd(), WM_CLOSE, 0, 0);
        Page3::BeforePageShow(Wizard, CurrentStep);
        if (failing)
            throw ObjectError(70, "Page3", "Permission denied");
    }
    std::optional<bool> frozen;
    bool cancelEnabled = true;
    bool closeMeanwhile = false;
    bool failing = false;
};

// A client that records what it sees and may redirect a move.
class RecordingClient : public IWizardController {
public:
    RecordingClient() {
        wizard.ClientHandle(this);
        wizard.AddPage(std::make_shared<Page1>(), Variant("One"));
        wizard.AddPage(std::make_shared<Page2>(), Variant("Two"));
        wizard.AddPage(lastPage, Variant("Three"));
    }
    void BeforeUILoad() override {}
    void BeforeStep(std::int32_t, bool&) override {
        seen.push_back({wizard.CurrentStep(), wizard.NextStep(), wizard.LastStep(), wizard.FinishedLoading()});
        if (redirect)
            wizard.NextStep(*redirect);
        Fail();
    }
    void AfterStep() override { Fail(); }
    void OnRequestHelp() override { Fail(); }
    void OnCancel(bool&) override { Fail(); }
    CWizard& WizardHandle() override { return wizard; }
    void Fail() const {
        if (failing)
            throw ObjectError(70, "RecordingClient", "Permission denied");
    }

    std::shared_ptr<WatchedPage3> lastPage = std::make_shared<WatchedPage3>();
    CWizard wizard;
    std::vector<MoveSeen> seen;
    std::optional<Variant> redirect;
    bool failing = false;
};

class WizardFrame : public testing::Test {
protected:
    void SetUp() override {
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes.push_back(box);
            return MsgBoxResult::Yes;
        });
        CreateDirectoryA(ProgramFile("conf").c_str(), nullptr);
        FileSystem::WriteWholeFile(ProgramFile("conf\\brindlecote.conf"), "listen_port=8110\r\n");
        registry.Identity(kMain, "Main Identity");
    }
    void TearDown() override {
        client.reset();
        Pump();
        SetMsgBoxResponder({});
    }

    void Start() {
        client = std::make_unique<RecordingClient>();
        Wizard().Start();
        Pump();
    }
    CWizard& Wizard() const { return client->wizard; }
    HWND Frame() const { return Wizard().hWnd(); }
    HWND Button(int id) const { return GetDlgItem(Frame(), id); }
    bool Enabled(int id) const { return IsWindowEnabled(Button(id)) != FALSE; }
    void Press(int id) const {
        SendMessageA(Button(id), BM_CLICK, 0, 0);
        Pump();
    }
    HWND Page(const char* name) const { return modWizard::PageForm(Wizard().PageHandle(Variant(name)))->hWnd(); }
    HWND OnPage2(int id) const { return GetDlgItem(Page("Two"), id); }

    OERegistryFixture registry;
    std::unique_ptr<RecordingClient> client;
    std::vector<MsgBoxRequest> boxes;
};

TEST_F(WizardFrame, TheClientSeesWhereEachMoveComesFromAndGoesAndMayRedirectIt) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    registry.Account(kGlobal, "00000002", "sam", "pop.two.example");
    Start();
    EXPECT_EQ(Wizard().ClientHandle(), client.get());
    EXPECT_TRUE(Wizard().FinishedLoading());
    EXPECT_EQ(Wizard().CurrentStep(), 1);
    EXPECT_EQ(Wizard().LastStep(), 0);
    EXPECT_EQ(Wizard().NextStep(), -1);

    Press(IDC_cmdStepFwd);
    client->redirect = Variant("Three");  // past the second account
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(client->seen, (std::vector<MoveSeen>{{0, 1, -1, false}, {1, 2, 0, true}, {2, 2, 1, true}}));
    EXPECT_EQ(Wizard().CurrentStep(), 3);
    EXPECT_EQ(Wizard().LastStep(), 2);

    // Setting the current step moves there when the key names a step.
    client->redirect.reset();
    Wizard().CurrentStep(Variant("One"));
    EXPECT_EQ(Wizard().CurrentStep(), 1);
    for (const Variant& key : {Variant("one"), Variant(std::int32_t{4}), Variant()}) {
        Wizard().CurrentStep(key);
        EXPECT_EQ(Wizard().CurrentStep(), 1);
    }
    Wizard().CurrentStep(Variant(std::int32_t{2}));
    EXPECT_EQ(Wizard().CurrentStep(), 2);
    EXPECT_EQ(Wizard().LastStep(), 1);
}

// A callback's error neither stops the move nor vanishes: the wizard's log
// names the callback.
TEST_F(WizardFrame, ACallbacksErrorIsLoggedUnderItsNameAndTheMoveGoesOn) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    Start();
    std::vector<std::string> log;
    LogTrap::SetWriter([&](const std::string& line) { log.push_back(line); });
    client->failing = true;
    client->lastPage->failing = true;
    const std::string denied = "() Error 70 : Permission denied";

    Press(IDC_cmdStepFwd);
    EXPECT_EQ(Wizard().CurrentStep(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeStep" + denied, "AfterStep" + denied}));

    // The account page's choice cannot be kept for an account that is gone.
    log.clear();
    modOE::gOEAcctKeys.clear();
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(Wizard().CurrentStep(), 3);
    EXPECT_TRUE(IsWindowVisible(Page("Three")));
    EXPECT_EQ(log, (std::vector<std::string>{"BeforeStep" + denied, "BeforePageHide() Error 9 : Subscript out of range",
                                             "BeforePageShow" + denied, "AfterStep" + denied}));

    log.clear();
    Press(IDC_cmdHelp);
    EXPECT_EQ(log, std::vector<std::string>{"OnRequestHelp" + denied});

    log.clear();
    const HWND frame = Frame();
    Press(IDC_cmdTerminate);
    EXPECT_FALSE(IsWindow(frame)) << "a consent that fails refuses nothing";
    EXPECT_EQ(log, std::vector<std::string>{"OnCancel" + denied});
    LogTrap::SetWriter(nullptr);
}

TEST_F(WizardFrame, PageHandleGivesThePageOfANumberOrNameOnly) {
    Start();
    IWizardPage* two = Wizard().PageHandle(Variant("Two"));
    ASSERT_NE(two, nullptr);
    EXPECT_NE(dynamic_cast<Page2*>(two), nullptr);
    EXPECT_EQ(Wizard().PageHandle(Variant(std::int32_t{2})), two);
    EXPECT_EQ(Wizard().PageHandle(Variant("Three")), client->lastPage.get());
    for (const Variant& key : {Variant("two"), Variant(std::int32_t{0}), Variant(std::int32_t{4}), Variant("")}) {
        EXPECT_EQ(Wizard().PageHandle(key), nullptr);
    }
}

TEST_F(WizardFrame, FreezingTakesAllInputAndThawingEnablesWhatTheStepAllows) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    Start();
    const int controls[] = {IDC_cmdHelp, IDC_cmdTerminate, IDC_picPage, IDC_cmdStepBack, IDC_cmdStepFwd};
    for (std::int32_t step = 1; step <= 3; ++step) {
        Wizard().CurrentStep(Variant(step));
        ASSERT_EQ(Wizard().CurrentStep(), step);
        Wizard().Frozen(true);
        EXPECT_TRUE(Wizard().Frozen());
        for (int id : controls)
            EXPECT_FALSE(Enabled(id)) << "step " << step << ", control " << id;
        Wizard().Frozen(false);
        EXPECT_FALSE(Wizard().Frozen());
        for (int id : {IDC_cmdHelp, IDC_cmdTerminate, IDC_picPage})
            EXPECT_TRUE(Enabled(id)) << id;
        EXPECT_EQ(Enabled(IDC_cmdStepBack), step != 1) << "step " << step;
        EXPECT_EQ(Enabled(IDC_cmdStepFwd), step != 3) << "step " << step;
    }
}

TEST_F(WizardFrame, TheAccountsAreWrittenWhileTheFrameIsFrozen) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    Start();
    Press(IDC_cmdStepFwd);
    SendMessageA(OnPage2(IDC_Check1), BM_CLICK, 0, 0);
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(client->lastPage->frozen, true);
    EXPECT_FALSE(client->lastPage->cancelEnabled);
    EXPECT_EQ(OERegistryFixture::Read(kGlobal + "\\00000001", "POP3 Server"), OERegistryFixture::Text("localhost"));
    // Thawed on the last step: only Finish and Help.
    EXPECT_FALSE(Wizard().Frozen());
    EXPECT_TRUE(Enabled(IDC_cmdTerminate));
    EXPECT_EQ(TextOf(Button(IDC_cmdTerminate)), "Finish");
    EXPECT_TRUE(Enabled(IDC_cmdHelp));
    EXPECT_FALSE(Enabled(IDC_cmdStepBack));
    EXPECT_FALSE(Enabled(IDC_cmdStepFwd));
}

// Names from the registry show as they are, not with "&" taken for an access
// key: in the account frame's caption, and in the last page's notice when
// that account is the one the rewrite failed on (a port out of range).
TEST_F(WizardFrame, AnAccountNamedWithAnAmpersandShowsAsItIs) {
    FileSystem::WriteWholeFile(ProgramFile("conf\\brindlecote.conf"), "listen_port=70000\r\n");
    registry.Identity(kMain, "R&D");
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example",
                     {{"Account Name", OERegistryFixture::Text("Sales & Support")}});
    const std::string title = "Account: Sales & Support for Identity: R&D";
    Start();
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(ShownText(OnPage2(IDC_Frame1)), title);
    SendMessageA(OnPage2(IDC_Check1), BM_CLICK, 0, 0);
    Press(IDC_cmdStepFwd);
    const std::string notice = ShownText(GetDlgItem(Page("Three"), IDC_Label2));
    EXPECT_EQ(notice.substr(0, notice.find("\r\n")), title) << notice;
}

TEST_F(WizardFrame, AClosePressedWhileTheAccountsAreWrittenIsRefusedUntilTheMoveHasEnded) {
    Start();
    client->lastPage->closeMeanwhile = true;
    const HWND frame = Frame();
    Press(IDC_cmdStepFwd);
    ASSERT_TRUE(IsWindow(frame));
    EXPECT_EQ(Wizard().CurrentStep(), 3);
    EXPECT_EQ(TextOf(Button(IDC_cmdTerminate)), "Finish");
    SendMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(frame));
}

TEST_F(WizardFrame, EachPageShownTakesTheFocusOnItsFirstControlElseOnAButton) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    registry.Account(kGlobal, "00000002", "ann", "pop.ssl.example",
                     {{"POP3 Secure Connection", OERegistryFixture::Number(1)}});
    Start();
    EXPECT_EQ(GetFocus(), Button(IDC_cmdStepFwd)) << "the welcome page has no control";
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(GetFocus(), OnPage2(IDC_Check1));
    Press(IDC_cmdStepFwd);
    EXPECT_FALSE(IsWindowEnabled(OnPage2(IDC_Check1))) << "the SSL account cannot be chosen";
    EXPECT_EQ(GetFocus(), Button(IDC_cmdStepFwd));
    Press(IDC_cmdStepFwd);
    EXPECT_EQ(GetFocus(), Button(IDC_cmdTerminate)) << "Next is disabled on the last page";
}

TEST_F(WizardFrame, TransferFocusGoesToTheLastButtonPressedOrOnInTheTabOrder) {
    registry.Account(kGlobal, "00000001", "jo", "pop.one.example");
    Start();
    // The tab order: Next, Cancel, Help, Back, the page area.
    std::vector<int> order;
    for (HWND at = Button(IDC_cmdStepFwd); at != nullptr && order.size() < 5; at = GetWindow(at, GW_HWNDNEXT)) {
        order.push_back(GetDlgCtrlID(at));
    }
    EXPECT_EQ(order, (std::vector<int>{IDC_cmdStepFwd, IDC_cmdTerminate, IDC_cmdHelp, IDC_cmdStepBack, IDC_picPage}));

    Press(IDC_cmdStepFwd);
    Press(IDC_cmdHelp);
    Wizard().TransferFocus();
    EXPECT_EQ(GetFocus(), Button(IDC_cmdHelp));
    // Back to the welcome page, where Back is disabled: the focus goes on round.
    Press(IDC_cmdStepBack);
    EXPECT_EQ(Wizard().CurrentStep(), 1);
    EXPECT_EQ(GetFocus(), Button(IDC_cmdStepFwd));
    Wizard().Frozen(true);
    const HWND before = GetFocus();
    Wizard().TransferFocus();  // every button disabled: the focus stays
    EXPECT_EQ(GetFocus(), before);
}

// ---- The account page's layout

TEST_F(WizardFrame, TheHeadingIsAsTallAsItsTextAndLongValuesEndInAnEllipsis) {
    const std::string address = "kim.very.long.address@pop.secure.example.org";
    registry.Account(kGlobal, "00000001", "kim.very.long.user.name.for.the.account",
                     "pop.secure.example.very.long.host.name.org",
                     {{"Account Name", OERegistryFixture::Text("kim.very.long.account.name.for.testing")},
                      {"SMTP Email Address", OERegistryFixture::Text(address)},
                      {"POP3 Port", OERegistryFixture::Number(995)}});
    registry.Account(kGlobal, "00000002", "jo", "pop.example", {{"SMTP Use Sicily", OERegistryFixture::Number(2)}});
    Start();
    Press(IDC_cmdStepFwd);
    const HWND page = Page("Two");

    // The change lines follow the one-line heading.
    const HWND heading = OnPage2(IDC_lblFieldsChanged);
    const RECT headingRect = RectIn(page, heading);
    EXPECT_EQ(headingRect.bottom - headingRect.top, TextExtent(heading, TextOf(heading)).cy);
    const RECT firstLine = RectIn(page, OnPage2(IDC_lblPOP));
    EXPECT_GE(firstLine.top, headingRect.bottom);
    EXPECT_LT(firstLine.top - headingRect.bottom, TextExtent(heading, "X").cy);

    // Each value keeps to one line and shows its cut with an ellipsis.
    EXPECT_GT(TextExtent(OnPage2(IDC_lblEmail), address).cx,
              RectIn(page, OnPage2(IDC_lblEmail)).right - RectIn(page, OnPage2(IDC_lblEmail)).left);
    for (int id : {IDC_lblEmail, IDC_lblPOPServer, IDC_lblPOPUsername, IDC_lblPOPServerTo, IDC_lblUsernameTo,
                   IDC_lblPOPPortTo}) {
        EXPECT_EQ(GetWindowLongPtrA(OnPage2(id), GWL_STYLE) & SS_ELLIPSISMASK, SS_ENDELLIPSIS) << id;
    }
    // The frame's caption keeps the identity and cuts the account name.
    const HWND frame = OnPage2(IDC_Frame1);
    const std::string title = TextOf(frame);
    EXPECT_EQ(title.rfind("Account: kim.very.long.", 0), 0u) << title;
    EXPECT_NE(title.find("... for Identity: Main Identity"), std::string::npos) << title;
    EXPECT_LT(TextExtent(frame, title).cx, RectIn(page, frame).right - RectIn(page, frame).left);

    // A refusal takes the room its text needs, the link right below it.
    Press(IDC_cmdStepFwd);
    const RECT refusal = RectIn(page, heading);
    EXPECT_GE(refusal.bottom - refusal.top, TextExtent(heading, TextOf(heading), refusal.right - refusal.left).cy);
    EXPECT_LE(refusal.bottom, RectIn(page, frame).bottom);
    const RECT link = RectIn(page, OnPage2(IDC_lblMoreInfo));
    EXPECT_TRUE(IsWindowVisible(OnPage2(IDC_lblMoreInfo)));
    EXPECT_GE(link.top, refusal.bottom);
    EXPECT_LT(link.top - refusal.bottom, TextExtent(heading, "X").cy);
}

// ---- A configuration file that cannot be read as text

// Every value of the key, by name, as its bytes.
OERegistryFixture::Values ValuesOf(const std::string& path) {
    OERegistryFixture::Values values;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return values;
    char name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        values.emplace_back(name, OERegistryFixture::Read(path, name));
    }
    RegCloseKey(key);
    return values;
}

// Whatever such a file seems to say, the wizard offers no account for
// rewriting and rewrites none, and the user is told once; a text file
// with the same setting still rewrites.
TEST_F(WizardFrame, AConfigurationThatIsNotTextRewritesNoAccountAndIsToldOnce) {
    const std::string settings = "listen_port=9999\r\n";
    struct Case {
        std::string name;
        std::string bytes;
        bool text;
    };
    std::vector<Case> cases = {{"text", settings, true}};
    for (const ConfSamples::Sample& sample : ConfSamples::NotText(settings))
        cases.push_back({sample.name, sample.bytes, false});
    cases.push_back({NotTextFiles::kGzip, NotTextFiles::Bytes(NotTextFiles::kGzip), false});

    const std::string confFile = ProgramFile("conf\\brindlecote.conf");
    const std::vector<std::string> accounts = {kGlobal + "\\00000001", kGlobal + "\\00000002"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Each case from the same accounts, whatever the last one did.
        const OERegistryFixture seeded;
        seeded.Identity(kMain, "Main Identity");
        seeded.Account(kGlobal, "00000001", "jo", "pop.one.example");
        seeded.Account(kGlobal, "00000002", "sam", "pop.two.example", {{"POP3 Port", OERegistryFixture::Number(995)}});
        std::vector<OERegistryFixture::Values> before;
        for (const std::string& account : accounts)
            before.push_back(ValuesOf(account));
        FileSystem::WriteWholeFile(confFile, c.bytes);
        boxes.clear();

        Start();
        Press(IDC_cmdStepFwd);
        for (std::size_t account = 0; account < accounts.size(); ++account) {
            EXPECT_EQ(IsWindowEnabled(OnPage2(IDC_Check1)) != FALSE, c.text) << "account " << account;
            EXPECT_EQ(IsWindowVisible(OnPage2(IDC_lblPOPPortTo)) != FALSE, c.text) << "account " << account;
            SendMessageA(OnPage2(IDC_Check1), BM_CLICK, 0, 0);
            Press(IDC_cmdStepFwd);
        }
        ASSERT_EQ(Wizard().CurrentStep(), 3);
        Press(IDC_cmdTerminate);
        EXPECT_EQ(Frame(), nullptr);
        client.reset();
        Pump();

        if (c.text) {
            EXPECT_EQ(OERegistryFixture::Read(accounts[0], "POP3 Server"), OERegistryFixture::Text("localhost"));
            EXPECT_EQ(OERegistryFixture::Read(accounts[1], "POP3 Port"), OERegistryFixture::Number(9999));
            EXPECT_TRUE(boxes.empty()) << boxes.front().text;
        } else {
            for (std::size_t account = 0; account < accounts.size(); ++account)
                EXPECT_EQ(ValuesOf(accounts[account]), before[account]) << accounts[account];
            EXPECT_EQ(boxes.size(), 1u);
            for (const MsgBoxRequest& box : boxes)
                EXPECT_EQ(box.text.rfind(Conf::NotTextReason(confFile), 0), 0u) << box.text;
        }
    }
}

// ---- The program's own client

TEST_F(WizardFrame, HelpOpensTheWizardTopicOfTheHelpFileBesideTheProgram) {
    struct ViewerCall {
        std::string target;
        UINT command;
        std::string topic;
    };
    std::vector<ViewerCall> calls;
    SetHtmlHelpCall([&](HWND, const char* target, UINT command, DWORD_PTR data) {
        calls.push_back({target ? target : "", command, data ? reinterpret_cast<const char*>(data) : ""});
        return static_cast<HWND>(nullptr);
    });
    const std::string helpFile = ProgramFile("help_desktop_varnholt.chm");
    FileSystem::WriteWholeFile(helpFile, "ITSF");
    {
        CWizardController controller;
        Pump();
        SendMessageA(GetDlgItem(controller.WizardHandle().hWnd(), IDC_cmdHelp), BM_CLICK, 0, 0);
        Pump();
        EXPECT_EQ(controller.WizardHandle().CurrentStep(), 1) << "Help does not move";
    }
    Pump();
    SetHtmlHelpCall({});
    DeleteFileA(helpFile.c_str());
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].target, helpFile + ">Main");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(calls[0].topic, "help_pp_2c.html");
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
}

}  // namespace
