#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>
// dlgs.h needs windows.h first.
#include <dlgs.h>

#include "AddressList.h"
#include "ConfSamples.h"
#include "KXProxyConf.h"
#include "ModalDialogDriver.h"
#include "NotTextFiles.h"
#include "ObjectError.h"
#include "ProcessDriver.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "SettingsWindowFixture.h"
#include "TextCompare.h"
#include "entryDialogIds.h"
#include "modFileAttributes.h"

namespace {

using Lines = std::vector<std::string>;

const char kListKeys[] =
    "approved_ip_list=10.0.0.2,10.0.0.1\r\n"
    "blocked_ip_list=192.168.5.5,Mixed.Case\r\n"
    "ignored_ip_list=172.16.0.1\r\n"
    "available_rbl_list=zen.example.org,dnsbl.example.com,bl.example.net\r\n"
    "rbl_list=BL.Example.Net,hidden.example.info\r\n";

// The shipped defaults, so that every field of the window is valid, with
// the five lists of the fixture in place of the shipped ones.
const std::string& Conf() {
    static std::string text;
    if (!text.empty()) {
        return text;
    }
    for (const std::string& line : FileSystem::SplitLines(ReadWholeFile(DEFAULT_CONF_PATH))) {
        if (line.find("ip_list=") == std::string::npos && line.find("rbl_list=") == std::string::npos) {
            text += line + "\r\n";
        }
    }
    text += kListKeys;
    return text;
}

const SenderListFiles kLists = {
    {SenderList::Approved, "bob@example.com\r\n# carol@example.com\r\nalice@example.com\r\n"},
    {SenderList::Blocked, "spam@bad.example\r\nworse@bad.example\r\n"},
    {SenderList::Ignored, "list@example.org\r\n"},
    {SenderList::ToMe, "me@example.com\r\n"},
};

// What a test sees of one entry dialog.
struct DialogRun {
    bool shown = false;
    // Still open when the steps were done; it is then closed.
    bool leftOpen = false;
    std::string caption;
    std::string prompt;
    std::string entry;  // the entry box's text when the dialog came up
    bool hasIcon = false;
    bool centred = false;
};

HWND EntryBox(HWND dialog) {
    for (int id : {IDC_txtAddress, IDC_txtIPRange, IDC_txtRBL}) {
        if (HWND box = GetDlgItem(dialog, id)) {
            return box;
        }
    }
    return nullptr;
}

bool CentredOnScreen(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return std::abs((rect.left + rect.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2) <= 1 &&
           std::abs((rect.top + rect.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2) <= 1;
}

// Opens an entry dialog and, inside its own loop, notes how it came up and
// runs the steps.
DialogRun RunDialog(const std::function<void()>& open, const std::function<void(HWND)>& steps) {
    DialogRun run;
    // Every entry dialog has its prompt; the main window has none of its own.
    ModalDialogDriver driver(IDC_Label1, [&](HWND dialog) {
        run.caption = WindowText(dialog);
        run.prompt = WindowText(GetDlgItem(dialog, IDC_Label1));
        run.entry = WindowText(EntryBox(dialog));
        run.hasIcon = SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) != 0;
        run.centred = CentredOnScreen(dialog);
        steps(dialog);
    });
    open();
    run.shown = driver.Ran();
    run.leftOpen = driver.LeftOpen();
    return run;
}

// Types the entry and presses OK.
std::function<void(HWND)> Enter(int box, const std::string& text) {
    return [box, text](HWND dialog) {
        Type(dialog, box, text);
        Click(dialog, IDC_cmdOK);
    };
}

// The window is loaded once; each test starts from the seeded files, which
// the pages show as after a load.
class ListPages : public SettingsWindow {
protected:
    static void SetUpTestSuite() {
        SettingsWindow::SetUpTestSuite();
        OpenSuiteWindow(Conf(), kLists);
    }

    void SetUp() override {
        SettingsWindow::SetUp();
        ShowSenderLists(kLists);
        Form().IPLists().LoadApprovedIPList();
        Form().IPLists().LoadBlockedIPList();
        Form().IPLists().LoadIgnoredIPList();
        Form().IPLists().LoadRBLs();
        EnableWindow(Control(IDC_cmdEditIgnoredSender), FALSE);
        EnableWindow(Control(IDC_cmdDeleteIgnoredSender), FALSE);
        ClearChangeFlags();
    }

    // Seeds the list files and fills the boxes from them, as after a load.
    static void ShowSenderLists(const SenderListFiles& lists) {
        LoadObjects(Conf(), lists);
        for (SenderList which : SenderLists::kAll) {
            Form().Senders().FillListFromAddressList(SenderLists::List(which), Control(SenderLists::Box(which)));
        }
    }

    static Lines Items(int box) { return Form().IPLists().ListBoxItems(box); }
    static void SelectItems(int box, const std::vector<int>& indexes) {
        SendMessageA(Form().Control(box), LB_SETSEL, FALSE, -1);
        for (int index : indexes) {
            SendMessageA(Form().Control(box), LB_SETSEL, TRUE, index);
        }
    }
    // A click on the row: the box selects it alone and tells its page.
    static void ClickRow(int box, int row) {
        SelectItems(box, {row});
        HWND control = Form().Control(box);
        SendMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(box, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control));
    }
    static void SelectCurrent(int box, int index) { SendMessageA(Form().Control(box), LB_SETCURSEL, index, 0); }
    static std::string FileOf(const std::string& name) { return ReadWholeFile(ConfPath(name)); }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const MsgBoxRequest& box : boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }
};

// ---- Sender and address list pages and their dialogs.

struct SenderCase {
    const char* page;
    SenderList list;
    const char* file;
    int box, add, edit, del;
    std::uint64_t* stamp;
    int caption, prompt;
    const char* node;  // the option tree's node of the page
};

const SenderCase kSenderCases[] = {
    {"approved", SenderList::Approved, "approved_senders", IDC_lstApprovedSenders, IDC_cmdAddApproved,
     IDC_cmdEditApproved, IDC_cmdDeleteApproved, &modMain::gApprovedSendersStamp, 149, 150, "ApprovedSenders"},
    {"blocked", SenderList::Blocked, "blocked_senders", IDC_lstBlockedSenders, IDC_cmdAddBlocked, IDC_cmdEditBlocked,
     IDC_cmdDeleteBlocked, &modMain::gBlockedSendersStamp, 149, 150, "BlockedSenders"},
    {"ignored", SenderList::Ignored, "brindlecoteignored.txt", IDC_lstIgnoredSenders, IDC_cmdAddIgnoredSender,
     IDC_cmdEditIgnoredSender, IDC_cmdDeleteIgnoredSender, &modMain::gIgnoredSendersStamp, 149, 150, "IgnoredSenders"},
    {"to me", SenderList::ToMe, "brindlecotetome.txt", IDC_lstToAddresses, IDC_cmdAddToAddress, IDC_cmdEditToAddress,
     IDC_cmdDeleteToAddress, nullptr, 153, 154, "NotSentToMe"},
};

TEST_F(ListPages, AddDialogsStoreTheTrimmedLowerCasedEntryAtOnceAndRecordTheStamp) {
    for (const SenderCase& c : kSenderCases) {
        SetUp();
        const std::string before = FileOf(c.file);
        if (c.stamp) {
            *c.stamp = 1;  // so a recorded stamp shows
        }
        const DialogRun run = RunDialog([&] { Click(c.add); }, Enter(IDC_txtAddress, "  New.Sender@Example.COM  "));
        ASSERT_TRUE(run.shown) << c.page;
        EXPECT_FALSE(run.leftOpen) << c.page;
        EXPECT_EQ(run.caption, LoadResText(c.caption)) << c.page;
        EXPECT_EQ(run.prompt, LoadResText(c.prompt)) << c.page;
        EXPECT_TRUE(run.hasIcon) << c.page;
        EXPECT_TRUE(run.centred) << c.page;
        EXPECT_TRUE(boxes.empty()) << c.page;

        Lines expected = SenderLists::List(c.list).Items();
        EXPECT_TRUE(SenderLists::List(c.list).Exists("new.sender@example.com")) << c.page;
        EXPECT_EQ(Items(c.box), expected) << c.page << ": the box is refilled in order";
        std::string bytes;
        for (const std::string& entry : expected) {
            bytes += entry + "\r\n";
        }
        EXPECT_EQ(FileOf(c.file), bytes) << c.page;
        EXPECT_NE(FileOf(c.file), before) << c.page;
        if (c.stamp) {
            EXPECT_EQ(*c.stamp, modFileAttributes::GetFileDateTime(ConfPath(c.file))) << c.page;
        }
        EXPECT_FALSE(modMain::gSettingsChanged) << c.page << ": the list is saved, Apply has nothing to do";
    }
}

TEST_F(ListPages, AddDialogsRefuseEmptyAndDuplicateEntriesAndStayOpen) {
    for (const SenderCase& c : kSenderCases) {
        SetUp();
        const std::string existing = SenderLists::List(c.list).Items().back();
        std::string shownAfterDuplicate;
        bool openAfterEmpty = false;
        bool openAfterDuplicate = false;
        const DialogRun run =
            RunDialog([&] { Click(c.add); },
                      [&](HWND dialog) {
                          Type(dialog, IDC_txtAddress, "   ");
                          Click(dialog, IDC_cmdOK);
                          openAfterEmpty = IsWindowVisible(dialog);
                          // Appended, not " " + text: GCC 12 wrongly warns that the
                          // copy into the front of the string may overlap (-Wrestrict).
                          Type(dialog, IDC_txtAddress,
                               std::string(" ") + static_cast<char>(toupper(existing[0])) + existing.substr(1) + " ");
                          Click(dialog, IDC_cmdOK);
                          openAfterDuplicate = IsWindowVisible(dialog);
                          shownAfterDuplicate = WindowText(GetDlgItem(dialog, IDC_txtAddress));
                          Click(dialog, IDC_cmdCancel);
                      });
        ASSERT_TRUE(run.shown) << c.page;
        EXPECT_TRUE(openAfterEmpty) << c.page;
        EXPECT_TRUE(openAfterDuplicate) << c.page;
        EXPECT_FALSE(run.leftOpen) << c.page << ": Cancel closes";
        EXPECT_EQ(Texts(), (Lines{"Please enter an email address or domain", existing + " is already on the list."}))
            << c.page;
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[1].style, MsgBoxStyle::OKOnly);
        EXPECT_EQ(boxes[1].title, "Brindlecote Admin Console");
        EXPECT_EQ(shownAfterDuplicate, existing);
        for (const auto& [list, bytes] : kLists) {
            EXPECT_EQ(FileOf(SenderLists::FileName(list)), bytes) << c.page << ": nothing written";
        }
    }
}

// An error inside a dialog is logged under its handler's name, and the
// dialog stays open and goes on.
TEST_F(ListPages, AnErrorInADialogIsLoggedAndTheDialogGoesOn) {
    std::vector<std::string> log;
    LogTrap::SetWriter([&](const std::string& line) { log.push_back(line); });
    SetMsgBoxResponder([](const MsgBoxRequest&) -> int { throw ObjectError(70, "MsgBox", "Permission denied"); });
    bool openAfterError = false;
    const DialogRun run = RunDialog([&] { Click(IDC_cmdAddApproved); },
                                    [&](HWND dialog) {
                                        Type(dialog, IDC_txtAddress, "");
                                        Click(dialog, IDC_cmdOK);  // the empty entry is told of
                                        openAfterError = IsWindowVisible(dialog) != FALSE;
                                        Enter(IDC_txtAddress, "after@example.com")(dialog);
                                    });
    LogTrap::SetWriter(nullptr);
    ASSERT_TRUE(run.shown);
    EXPECT_TRUE(openAfterError);
    EXPECT_FALSE(run.leftOpen) << "OK still works";
    EXPECT_TRUE(SenderLists::List(SenderList::Approved).Exists("after@example.com"));
    EXPECT_EQ(log, (Lines{"cmdOK_Click() Error 70 : Permission denied"}));
}

TEST_F(ListPages, TheMailClientIsToldAfterEachSenderListChange) {
    const std::string record = RecordOf(TestBinPath("msimn.exe"));
    DeleteFileA(record.c_str());
    ChildProcess client(TestBinPath("msimn.exe"), "");
    ASSERT_TRUE(WaitUntil([] { return FindWindowA("Outlook Express Browser Class", nullptr) != nullptr; }, 10000));
    auto count = [&](const std::string& name) {
        const std::string text = ReadWholeFile(record);
        int found = 0;
        for (auto at = text.find(" " + name + " "); at != std::string::npos; at = text.find(" " + name + " ", at + 1)) {
            ++found;
        }
        return found;
    };
    struct Step {
        const char* what;
        std::function<void()> act;
        int balist, engine;
    };
    const Step steps[] = {
        {"add approved", [&] { RunDialog([&] { Click(IDC_cmdAddApproved); }, Enter(IDC_txtAddress, "x@y.z")); }, 1, 0},
        {"add to me", [&] { RunDialog([&] { Click(IDC_cmdAddToAddress); }, Enter(IDC_txtAddress, "i@y.z")); }, 0, 1},
        {"cancelled add",
         [&] { RunDialog([&] { Click(IDC_cmdAddBlocked); }, [](HWND d) { Click(d, IDC_cmdCancel); }); }, 0, 0},
        {"delete three approved",
         [&] {
             SelectItems(IDC_lstApprovedSenders, {0, 1, 2});
             Click(IDC_cmdDeleteApproved);
         },
         1, 0},
        {"delete ignored",
         [&] {
             SelectItems(IDC_lstIgnoredSenders, {0});
             EnableWindow(Form().Control(IDC_cmdDeleteIgnoredSender), TRUE);
             Click(IDC_cmdDeleteIgnoredSender);
         },
         1, 0},
        {"delete to me",
         [&] {
             SelectItems(IDC_lstToAddresses, {0});
             Click(IDC_cmdDeleteToAddress);
         },
         0, 1},
        {"import",
         [&] {
             FileSystem::WriteWholeFile(ConfPath("import.txt"), "imported@example.com\r\n");
             Form().Senders().ImportSenderList(SenderList::Blocked, ConfPath("import.txt"));
         },
         0, 0},
    };
    for (const Step& step : steps) {
        const int balist = count("KX_BALIIST_RELOAD");
        const int engine = count("KX_ENGINE_RELOAD");
        step.act();
        EXPECT_EQ(count("KX_BALIIST_RELOAD") - balist, step.balist) << step.what;
        EXPECT_EQ(count("KX_ENGINE_RELOAD") - engine, step.engine) << step.what;
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ListPages, ApprovedAndBlockedNeverHoldTheSameAddress) {
    struct Case {
        const char* what;
        int add;
        const char* entry;
        SenderList own, other;
        const char* otherFile;
        std::uint64_t* ownStamp;
        std::uint64_t* otherStamp;
    };
    const Case cases[] = {
        {"approving a blocked sender", IDC_cmdAddApproved, "Spam@Bad.Example", SenderList::Approved,
         SenderList::Blocked, "blocked_senders", &modMain::gApprovedSendersStamp, &modMain::gBlockedSendersStamp},
        {"blocking an approved sender", IDC_cmdAddBlocked, "bob@example.com", SenderList::Blocked, SenderList::Approved,
         "approved_senders", &modMain::gBlockedSendersStamp, &modMain::gApprovedSendersStamp},
    };
    for (const Case& c : cases) {
        SetUp();
        const std::uint64_t otherStamp = *c.otherStamp;
        RunDialog([&] { Click(c.add); }, Enter(IDC_txtAddress, c.entry));
        const std::string entry = LowerCase(c.entry);
        EXPECT_TRUE(SenderLists::List(c.own).Exists(entry)) << c.what;
        EXPECT_FALSE(SenderLists::List(c.other).Exists(entry)) << c.what;
        EXPECT_EQ(FileOf(c.otherFile).find(entry), std::string::npos) << c.what << ": the other file is rewritten";
        EXPECT_EQ(*c.otherStamp, otherStamp) << c.what << ": the other page reloads when next opened";
        EXPECT_NE(*c.otherStamp, modFileAttributes::GetFileDateTime(ConfPath(c.otherFile))) << c.what;
    }
    // The ignored and "to me" lists stand apart.
    SetUp();
    RunDialog([&] { Click(IDC_cmdAddIgnoredSender); }, Enter(IDC_txtAddress, "bob@example.com"));
    RunDialog([&] { Click(IDC_cmdAddToAddress); }, Enter(IDC_txtAddress, "spam@bad.example"));
    EXPECT_EQ(FileOf("approved_senders"), kLists.at(SenderList::Approved));
    EXPECT_EQ(FileOf("blocked_senders"), kLists.at(SenderList::Blocked));
}

TEST_F(ListPages, EditDialogsReplaceTheFirstSelectedEntry) {
    struct Case {
        const char* what;
        int box, edit;
        std::vector<int> selected;
        const char* typed;  // nullptr: OK on the text as loaded
        const char* shown;
        Lines after;
        Lines messages;
    };
    const Case cases[] = {
        {"edit to a new address",
         IDC_lstApprovedSenders,
         IDC_cmdEditApproved,
         {1},
         "Alicia@Example.com",
         "alice@example.com",
         {"# carol@example.com", "alicia@example.com", "bob@example.com"},
         {}},
        {"several selected: the lowest index",
         IDC_lstBlockedSenders,
         IDC_cmdEditBlocked,
         {0, 1},
         "new@bad.example",
         "spam@bad.example",
         {"new@bad.example", "worse@bad.example"},
         {}},
        {"unchanged text is no duplicate of itself",
         IDC_lstToAddresses,
         IDC_cmdEditToAddress,
         {0},
         nullptr,
         "me@example.com",
         {"me@example.com"},
         {}},
        {"a change of case only is no duplicate either",
         IDC_lstIgnoredSenders,
         IDC_cmdEditIgnoredSender,
         {0},
         "LIST@example.org",
         "list@example.org",
         {"list@example.org"},
         {}},
        {"edit into another entry is refused",
         IDC_lstApprovedSenders,
         IDC_cmdEditApproved,
         {1},
         "bob@example.com",
         "alice@example.com",
         {"# carol@example.com", "alice@example.com", "bob@example.com"},
         {"bob@example.com is already on the list."}},
        {"an imported entry is shown without its mark and replaced as it stands",
         IDC_lstApprovedSenders,
         IDC_cmdEditApproved,
         {0},
         nullptr,
         "carol@example.com",
         {"alice@example.com", "bob@example.com", "carol@example.com"},
         {}},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.box == IDC_lstIgnoredSenders) {
            EnableWindow(Form().Control(c.edit), TRUE);
        }
        SelectItems(c.box, c.selected);
        const DialogRun run = RunDialog([&] { Click(c.edit); },
                                        [&](HWND dialog) {
                                            if (c.typed) {
                                                Type(dialog, IDC_txtAddress, c.typed);
                                            }
                                            Click(dialog, IDC_cmdOK);
                                        });
        ASSERT_TRUE(run.shown) << c.what;
        EXPECT_EQ(run.entry, c.shown) << c.what;
        EXPECT_EQ(run.leftOpen, !c.messages.empty()) << c.what;
        EXPECT_EQ(Texts(), c.messages) << c.what;
        EXPECT_EQ(Items(c.box), c.after) << c.what;
        boxes.clear();
    }
}

TEST_F(ListPages, EditWithoutASelectionAsksForOne) {
    SelectItems(IDC_lstApprovedSenders, {});
    const DialogRun run = RunDialog([&] { Click(IDC_cmdEditApproved); }, [](HWND) {});
    EXPECT_FALSE(run.shown);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Please select an address to edit");
    EXPECT_EQ(boxes[0].style, MsgBoxStyle::OKOnly);
    EXPECT_EQ(boxes[0].title, "Brindlecote Varnholt");
    EXPECT_EQ(Items(IDC_lstApprovedSenders), SenderLists::List(SenderList::Approved).Items());
}

TEST_F(ListPages, DeleteRemovesEverySelectedEntryAsShown) {
    SelectItems(IDC_lstApprovedSenders, {0, 2});  // "# carol@example.com" and "bob@example.com"
    modMain::gApprovedSendersStamp = 1;
    Click(IDC_cmdDeleteApproved);
    EXPECT_EQ(Items(IDC_lstApprovedSenders), Lines{"alice@example.com"});
    EXPECT_EQ(FileOf("approved_senders"), "alice@example.com\r\n");
    EXPECT_EQ(modMain::gApprovedSendersStamp, modFileAttributes::GetFileDateTime(ConfPath("approved_senders")));
    EXPECT_TRUE(modMain::gSettingsChanged);
    EXPECT_FALSE(modMain::gRestartNeeded);
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ListPages, DeleteWithNothingSelectedChangesNoFlag) {
    SelectItems(IDC_lstBlockedSenders, {});
    Click(IDC_cmdDeleteBlocked);
    EXPECT_EQ(Items(IDC_lstBlockedSenders), (Lines{"spam@bad.example", "worse@bad.example"}));
    EXPECT_FALSE(modMain::gSettingsChanged);
    EXPECT_FALSE(ApplyEnabled());
}

// A line with a stray NUL (a file damaged by a crash, or written by another
// tool) is one entry, though a list box shows it only up to the NUL.
const std::string kDamaged("bad@spam.example\0x", 18);
const char kDamagedShown[] = "bad@spam.example";

// Every list file with the damaged line after its first line.
SenderListFiles WithDamagedLine() {
    SenderListFiles files = kLists;
    for (auto& [list, bytes] : files) {
        bytes.insert(bytes.find("\r\n") + 2, kDamaged + "\r\n");
    }
    return files;
}

// The seeded lists as a save writes them, sorted.
const SenderListFiles kSavedLists = {
    {SenderList::Approved, "# carol@example.com\r\nalice@example.com\r\nbob@example.com\r\n"},
    {SenderList::Blocked, "spam@bad.example\r\nworse@bad.example\r\n"},
    {SenderList::Ignored, "list@example.org\r\n"},
    {SenderList::ToMe, "me@example.com\r\n"},
};

// Each test of a damaged entry: the row the box shows it in, clicked.
class DamagedEntry : public ListPages {
protected:
    // False when the box shows no such row.
    bool ClickDamagedRow(const SenderCase& c) {
        SetUp();
        ShowSenderLists(WithDamagedLine());
        EXPECT_TRUE(SenderLists::List(c.list).Exists(kDamaged)) << c.page << ": loaded whole";
        const Lines shown = Items(c.box);
        const auto row = std::find(shown.begin(), shown.end(), kDamagedShown);
        if (row == shown.end()) {
            ADD_FAILURE() << c.page << ": the box shows no " << kDamagedShown;
            return false;
        }
        ClickRow(c.box, static_cast<int>(row - shown.begin()));
        return true;
    }
};

TEST_F(DamagedEntry, DeleteRemovesTheEntryTheRowWasFilledFrom) {
    for (const SenderCase& c : kSenderCases) {
        if (!ClickDamagedRow(c)) {
            continue;
        }
        Click(c.del);
        EXPECT_EQ(FileOf(c.file), kSavedLists.at(c.list)) << c.page;
        EXPECT_FALSE(SenderLists::List(c.list).Exists(kDamaged)) << c.page;
        const Lines shown = Items(c.box);
        EXPECT_EQ(std::count(shown.begin(), shown.end(), kDamagedShown), 0) << c.page;
        EXPECT_TRUE(boxes.empty()) << c.page;
    }
}

TEST_F(DamagedEntry, EditReplacesTheEntryTheRowWasFilledFrom) {
    // Sorts after every seeded entry, so the file is the others and then it.
    const std::string edited = "zed@spam.example";
    for (const SenderCase& c : kSenderCases) {
        if (!ClickDamagedRow(c)) {
            continue;
        }
        const DialogRun run = RunDialog([&] { Click(c.edit); }, Enter(IDC_txtAddress, edited));
        ASSERT_TRUE(run.shown) << c.page;
        EXPECT_FALSE(run.leftOpen) << c.page;
        EXPECT_EQ(run.entry, kDamagedShown) << c.page << ": all the box can show of it";
        EXPECT_EQ(FileOf(c.file), kSavedLists.at(c.list) + edited + "\r\n") << c.page;
        EXPECT_FALSE(SenderLists::List(c.list).Exists(kDamaged)) << c.page;
        EXPECT_TRUE(boxes.empty()) << c.page;
    }
}

TEST_F(ListPages, IgnoredSendersEditAndDeleteFollowTheList) {
    HWND list = Form().Control(IDC_lstIgnoredSenders);
    auto clickList = [&] {
        SendMessageA(Form().Page(34), WM_COMMAND, MAKEWPARAM(IDC_lstIgnoredSenders, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    };
    auto enabled = [&](int id) { return IsWindowEnabled(Form().Control(id)) != FALSE; };
    clickList();
    EXPECT_TRUE(enabled(IDC_cmdEditIgnoredSender));
    EXPECT_TRUE(enabled(IDC_cmdDeleteIgnoredSender));
    SelectItems(IDC_lstIgnoredSenders, {0});
    Click(IDC_cmdDeleteIgnoredSender);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_FALSE(enabled(IDC_cmdEditIgnoredSender));
    EXPECT_FALSE(enabled(IDC_cmdDeleteIgnoredSender));
    clickList();
    EXPECT_FALSE(enabled(IDC_cmdDeleteIgnoredSender)) << "an empty list enables nothing";
    RunDialog([&] { Click(IDC_cmdAddIgnoredSender); }, Enter(IDC_txtAddress, "again@example.org"));
    clickList();
    EXPECT_TRUE(enabled(IDC_cmdEditIgnoredSender));
    EXPECT_TRUE(enabled(IDC_cmdDeleteIgnoredSender));
}

TEST_F(ListPages, ImportAndExportRoundTrip) {
    FileSystem::WriteWholeFile(ConfPath("import.txt"),
                               "  Mixed@Case.Example  \r\n\r\nplain@example.com\nspam@bad.example\r\n");
    modMain::gBlockedSendersStamp = 1;
    Form().Senders().ImportSenderList(SenderList::Blocked, ConfPath("import.txt"));
    EXPECT_EQ(Items(IDC_lstBlockedSenders), (Lines{"mixed@case.example", "plain@example.com", "spam@bad.example",
                                                   "spam@bad.example", "worse@bad.example"}));
    EXPECT_EQ(modMain::gBlockedSendersStamp, modFileAttributes::GetFileDateTime(ConfPath("blocked_senders")));
    EXPECT_TRUE(ApplyEnabled());
    EXPECT_FALSE(modMain::gRestartNeeded);

    DeleteFileA(ConfPath("export.txt").c_str());
    Form().Senders().ExportSenderList(SenderList::Blocked, ConfPath("export.txt"));
    EXPECT_EQ(FileOf("export.txt"), FileOf("blocked_senders"));
    Form().Senders().ImportSenderList(SenderList::Approved, ConfPath("export.txt"));
    EXPECT_TRUE(SenderLists::List(SenderList::Approved).Exists("mixed@case.example"));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ListPages, ImportAndExportReportAFileTheyCannotUseAndAFailedImportChangesNothing) {
    Form().Senders().ImportSenderList(SenderList::Approved, ConfPath("no-such-file.txt"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find("no-such-file.txt"), std::string::npos) << boxes[0].text;
    EXPECT_EQ(FileOf("approved_senders"), kLists.at(SenderList::Approved));
    EXPECT_EQ(SenderLists::List(SenderList::Approved).Count(), 3);
    EXPECT_FALSE(ApplyEnabled());

    Form().Senders().ExportSenderList(SenderList::Approved, ConfPath("no-such-directory\\export.txt"));
    EXPECT_EQ(boxes.size(), 2u);
    EXPECT_EQ(SenderLists::List(SenderList::Approved).Count(), 3);
}

// Presses the page's Export button and, in the save dialog it opens, names
// the file and presses Save; false when no dialog came up or it stayed open.
bool ExportThroughTheDialog(int exportButton, const std::string& path) {
    // The file name box is the save dialog's own.
    ModalDialogDriver driver(cmb13, [&](HWND dialog) {
        Type(dialog, cmb13, path);
        Click(dialog, IDOK);
    });
    Click(exportButton);
    return driver.Ran() && !driver.LeftOpen();
}

// Another program (the scanner) adds to a list while the console is open;
// the export catches the list up from its file and writes that entry, and
// the box then shows it too, rather than staying behind until the next
// change.
TEST_F(ListPages, AfterAnExportTheBoxShowsWhatTheListHolds) {
    struct Case {
        const char* page;
        SenderList list;
        int exportButton;
        int box;
        Lines exported;
    };
    const Case cases[] = {
        {"approved",
         SenderList::Approved,
         IDC_cmdExportApproved,
         IDC_lstApprovedSenders,
         {"# carol@example.com", "alice@example.com", "bob@example.com", "scanned1@example.com"}},
        {"blocked",
         SenderList::Blocked,
         IDC_cmdExportBlocked,
         IDC_lstBlockedSenders,
         {"scanned1@example.com", "spam@bad.example", "worse@bad.example"}},
    };
    for (const Case& c : cases) {
        SetUp();
        ChildProcess writer(TestBinPath("ListWriter.exe"),
                            std::string("\"").append(SenderLists::FilePath(c.list)).append("\" add scanned 1"));
        DWORD code = 1;
        ASSERT_TRUE(writer.WaitForExit(30000, &code)) << c.page;
        ASSERT_EQ(code, 0u) << c.page;
        const std::string exported = ConfPath("export.txt");
        DeleteFileA(exported.c_str());

        ASSERT_TRUE(ExportThroughTheDialog(c.exportButton, exported)) << c.page;
        std::string bytes;
        for (const std::string& entry : c.exported) {
            bytes += entry + "\r\n";
        }
        EXPECT_EQ(FileOf("export.txt"), bytes) << c.page;
        EXPECT_EQ(Items(c.box), c.exported) << c.page;
        EXPECT_TRUE(boxes.empty()) << c.page;
    }
}

// The scanner appends blocked senders while the console is open; no change
// made in the console may write those entries away.
TEST_F(ListPages, EntriesAnotherProgramWroteMeanwhileSurviveEveryChange) {
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"add", [] { RunDialog([] { Click(IDC_cmdAddBlocked); }, Enter(IDC_txtAddress, "new@bad.example")); }},
        {"edit",
         [] {
             SelectItems(IDC_lstBlockedSenders, {1});
             RunDialog([] { Click(IDC_cmdEditBlocked); }, Enter(IDC_txtAddress, "edited@bad.example"));
         }},
        {"delete",
         [] {
             SelectItems(IDC_lstBlockedSenders, {0});
             Click(IDC_cmdDeleteBlocked);
         }},
        {"import",
         [] {
             FileSystem::WriteWholeFile(ConfPath("import.txt"), "imported@bad.example\r\n");
             Form().Senders().ImportSenderList(SenderList::Blocked, ConfPath("import.txt"));
         }},
        {"approving removes from the blocked list",
         [] { RunDialog([] { Click(IDC_cmdAddApproved); }, Enter(IDC_txtAddress, "worse@bad.example")); }},
    };
    for (const Case& c : cases) {
        SetUp();
        RewriteLater(ConfPath("blocked_senders"), kLists.at(SenderList::Blocked) + "scanned@elsewhere.example\r\n");
        c.change();
        EXPECT_NE(FileOf("blocked_senders").find("scanned@elsewhere.example\r\n"), std::string::npos) << c.what;
        EXPECT_TRUE(SenderLists::List(SenderList::Blocked).Exists("scanned@elsewhere.example")) << c.what;
    }
}

// The box is a copy of the list: opening the page refills it only when the
// list was reloaded, which a marker left in the box shows.
TEST_F(ListPages, OpeningASenderPageRefillsItsBoxOnlyWhenItsListWasReloaded) {
    const auto open = [](const char* node) {
        TreeView_SelectItem(Form().mTreeHwnd, Form().Node("Root"));
        TreeView_SelectItem(Form().mTreeHwnd, Form().Node(node));
    };
    const auto mark = [](int box) {
        SendMessageA(Form().Control(box), LB_RESETCONTENT, 0, 0);
        SendMessageA(Form().Control(box), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("marker"));
    };
    for (const SenderCase& c : kSenderCases) {
        SetUp();
        EXPECT_FALSE(SenderLists::CatchUp(c.list)) << c.page << ": the file is as loaded";
        mark(c.box);
        open(c.node);
        EXPECT_EQ(Items(c.box), Lines{"marker"}) << c.page << ": an unchanged file leaves the box alone";

        RewriteLater(ConfPath(c.file), std::string(FileOf(c.file)) + "scanned@elsewhere.example\r\n");
        open(c.node);
        // The "to me" list has no other writer, so nothing looks for one.
        const bool reloads = c.stamp != nullptr;
        EXPECT_EQ(SenderLists::List(c.list).Exists("scanned@elsewhere.example"), reloads) << c.page;
        EXPECT_EQ(Items(c.box) == Lines{"marker"}, !reloads) << c.page;
        if (reloads) {
            EXPECT_EQ(Items(c.box), SenderLists::List(c.list).Items()) << c.page;
            EXPECT_EQ(*c.stamp, modFileAttributes::GetFileDateTime(ConfPath(c.file))) << c.page;
        }
        EXPECT_FALSE(SenderLists::CatchUp(c.list)) << c.page << ": caught up already";
    }
}

TEST_F(ListPages, AListThatCouldNotBeLoadedIsNeitherSavedOverNorChangedSilently) {
    // Held open without sharing, the file cannot be read at load.
    HANDLE lock =
        CreateFileA(ConfPath("approved_senders").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    SenderLists::List(SenderList::Approved).Clear();
    SenderLists::List(SenderList::Approved).Load();
    boxes.clear();

    // Every change reads the file first, which still fails.
    const DialogRun run = RunDialog([] { Click(IDC_cmdAddApproved); }, Enter(IDC_txtAddress, "new@example.com"));
    CloseHandle(lock);
    EXPECT_TRUE(run.leftOpen) << "the entry was not taken";
    ASSERT_FALSE(boxes.empty());
    EXPECT_NE(boxes[0].text.find(ConfPath("approved_senders")), std::string::npos) << boxes[0].text;
    EXPECT_EQ(FileOf("approved_senders"), kLists.at(SenderList::Approved));
    EXPECT_FALSE(SenderLists::List(SenderList::Approved).Exists("new@example.com"));

    // Once the file can be read again, a change starts from all it holds.
    RunDialog([] { Click(IDC_cmdAddApproved); }, Enter(IDC_txtAddress, "new@example.com"));
    EXPECT_EQ(FileOf("approved_senders"),
              "# carol@example.com\r\nalice@example.com\r\nbob@example.com\r\nnew@example.com\r\n");
}

// Another program is changing the blocked list (it has read it and is about
// to save) when OK is pressed: the dialog waits for that change and adds to
// the list it saved, so neither loses its entry.
TEST_F(ListPages, AnAddWaitsForAChangeAnotherProgramIsMaking) {
    const std::string list = ConfPath("blocked_senders");
    // A mark left by an earlier run would be taken for this holder's.
    DeleteFileA((list + ".held").c_str());
    ChildProcess holder(TestBinPath("ListWriter.exe"),
                        std::string("\"").append(list).append("\" hold held@elsewhere.example 2000"));
    ASSERT_TRUE(WaitUntil([&] { return FileSystem::FileExists(list + ".held"); }, 30000));
    const DialogRun run = RunDialog([] { Click(IDC_cmdAddBlocked); }, Enter(IDC_txtAddress, "new@bad.example"));
    DWORD code = 1;
    ASSERT_TRUE(holder.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
    DeleteFileA((list + ".held").c_str());
    EXPECT_FALSE(run.leftOpen);
    EXPECT_TRUE(boxes.empty()) << Texts().front();
    const Lines expected{"held@elsewhere.example", "new@bad.example", "spam@bad.example", "worse@bad.example"};
    std::string bytes;
    for (const std::string& entry : expected) {
        bytes += entry + "\r\n";
    }
    EXPECT_EQ(FileOf("blocked_senders"), bytes);
    EXPECT_EQ(Items(IDC_lstBlockedSenders), expected);
}

// A list file saved as Unicode, or binary, is never written over: each change
// that would write it is logged, the first one says so in a box, and the file
// stays as it was.
TEST_F(ListPages, AListFileThatIsNotTextIsNeverWrittenOverAndSaidSoOnce) {
    // One file a list, in the order of kSenderCases: the box is shown once a
    // list in a session.
    const std::string files[] = {
        NotTextFiles::Bytes(NotTextFiles::kRandomBytes),
        "\xFF\xFE" + ConfSamples::Utf16("spam@bad.example\r\nworse@bad.example\r\n", false),
        NotTextFiles::Bytes(NotTextFiles::kGzip),
        NotTextFiles::Bytes(NotTextFiles::kBitmap),
    };
    static_assert(std::size(files) == std::size(kSenderCases));
    for (std::size_t i = 0; i < std::size(files); ++i) {
        const SenderCase& c = kSenderCases[i];
        const std::string& file = files[i];
        SetUp();
        FileSystem::WriteWholeFile(ConfPath(c.file), file);
        SenderLists::List(c.list).Load();
        Form().Senders().FillListFromAddressList(SenderLists::List(c.list), Control(c.box));
        std::vector<std::string> log;
        LogTrap::SetWriter([&](const std::string& line) { log.push_back(line); });
        bool openAfterSecondOK = false;
        const DialogRun run = RunDialog([&] { Click(c.add); },
                                        [&](HWND dialog) {
                                            Enter(IDC_txtAddress, "new@bad.example")(dialog);
                                            Click(dialog, IDC_cmdOK);
                                            openAfterSecondOK = IsWindowVisible(dialog) != FALSE;
                                            Click(dialog, IDC_cmdCancel);
                                        });
        SelectItems(c.box, {0});
        EnableWindow(Control(c.del), TRUE);
        Click(c.del);
        LogTrap::SetWriter(nullptr);

        EXPECT_TRUE(openAfterSecondOK) << c.page << ": the entry was not taken";
        EXPECT_FALSE(run.leftOpen) << c.page;
        ASSERT_EQ(boxes.size(), 1u) << c.page;
        EXPECT_NE(boxes[0].text.find(ConfPath(c.file) + " cannot be read as text"), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].title, ProgramTitle());
        ASSERT_EQ(log.size(), 3u) << c.page;
        for (const std::string& line : log) {
            EXPECT_EQ(
                line.rfind("FileList.Save() Error -2147221246 : " + ConfPath(c.file) + " cannot be read as text", 0),
                0u)
                << line;
        }
        EXPECT_TRUE(FileOf(c.file) == file) << c.page << ": the file is as it was";
        EXPECT_FALSE(SenderLists::List(c.list).Exists("new@bad.example")) << c.page;
    }
}

// ---- IP and blocklist pages: working copies written only by a save.

struct IPCase {
    const char* page;
    int box, add, edit, del;
    Lines loaded;
};

const IPCase kIPCases[] = {
    {"approved",
     IDC_lstApprovedIPs,
     IDC_cmdAddApprovedIP,
     IDC_cmdEditApprovedIP,
     IDC_cmdDelApprovedIP,
     {"10.0.0.1", "10.0.0.2"}},
    {"blocked",
     IDC_lstBlockedIPs,
     IDC_cmdAddBlockedIP,
     IDC_cmdEditBlockedIP,
     IDC_cmdDeleteBlockedIP,
     {"192.168.5.5", "Mixed.Case"}},
    {"ignored", IDC_lstIgnoredIPs, IDC_cmdAddIgnoreIP, IDC_cmdEditIgnoreIP, IDC_cmdDeleteIgnoreIP, {"172.16.0.1"}},
};

TEST_F(ListPages, IPPagesLoadAddAndRefuseInTheirBoxesOnly) {
    for (const IPCase& c : kIPCases) {
        SetUp();
        EXPECT_EQ(Items(c.box), c.loaded) << c.page;
        const DialogRun run =
            RunDialog([&] { Click(c.add); },
                      [&](HWND dialog) {
                          for (const char* refused : {"  ", " 1.2.3.4,5.6.7.8", "1.2.3.4 5.6.7.8", " 10.0.0.1 "}) {
                              Type(dialog, IDC_txtIPRange, refused);
                              Click(dialog, IDC_cmdOK);
                          }
                          Type(dialog, IDC_txtIPRange, "  10.9.9.0/24 ");
                          Click(dialog, IDC_cmdOK);
                      });
        ASSERT_TRUE(run.shown) << c.page;
        EXPECT_FALSE(run.leftOpen) << c.page;
        EXPECT_EQ(run.caption, "I.P. Address");
        EXPECT_EQ(run.prompt, "Enter I.P. address or range to be added.");
        const std::string present = c.box == IDC_lstApprovedIPs ? "10.0.0.1 is already on the list." : "";
        ASSERT_GE(boxes.size(), 3u) << c.page;
        EXPECT_EQ(boxes[0].text, "Please enter an I.P. range.");
        EXPECT_NE(boxes[1].text.find("1.2.3.4,5.6.7.8"), std::string::npos);
        EXPECT_NE(boxes[2].text.find("1.2.3.4 5.6.7.8"), std::string::npos);
        EXPECT_EQ(boxes.size(), present.empty() ? 3u : 4u) << c.page;
        Lines expected = c.loaded;
        if (present.empty()) {
            expected.push_back("10.0.0.1");
        }
        expected.push_back("10.9.9.0/24");
        EXPECT_EQ(Items(c.box), expected) << c.page;
        EXPECT_TRUE(modMain::gSettingsChanged && modMain::gRestartNeeded && ApplyEnabled()) << c.page;
        EXPECT_EQ(FileOf("brindlecote.conf"), Conf()) << c.page << ": nothing written before a save";
    }
}

TEST_F(ListPages, IPEditsChangeOnlyTheWorkingCopyAndMoveTheEntryToTheEnd) {
    SelectCurrent(IDC_lstApprovedIPs, 0);
    DialogRun run = RunDialog([] { Click(IDC_cmdEditApprovedIP); }, Enter(IDC_txtIPRange, "10.0.0.9"));
    EXPECT_EQ(run.entry, "10.0.0.1");
    EXPECT_EQ(Items(IDC_lstApprovedIPs), (Lines{"10.0.0.2", "10.0.0.9"}));
    EXPECT_EQ(modMain::gProxyConf->Get_Approved_IPs(), (Lines{"10.0.0.1", "10.0.0.2"}))
        << "only the page's working copy changes";

    // A capital letter in the box does not make the lower-cased entry a duplicate.
    SelectCurrent(IDC_lstBlockedIPs, 1);
    run = RunDialog([] { Click(IDC_cmdEditBlockedIP); }, [](HWND d) { Click(d, IDC_cmdOK); });
    EXPECT_EQ(Items(IDC_lstBlockedIPs), (Lines{"192.168.5.5", "mixed.case"}));

    // The blocked page finds duplicates in its box, like the others.
    RunDialog([] { Click(IDC_cmdAddBlockedIP); }, Enter(IDC_txtIPRange, "10.1.1.1"));
    SelectCurrent(IDC_lstBlockedIPs, 0);
    boxes.clear();
    run = RunDialog([] { Click(IDC_cmdEditBlockedIP); }, Enter(IDC_txtIPRange, "10.1.1.1"));
    EXPECT_TRUE(run.leftOpen);
    EXPECT_EQ(Texts(), Lines{"10.1.1.1 is already on the list."});

    // Without a selection: a message and no dialog.
    SendMessageA(Form().Control(IDC_lstIgnoredIPs), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    boxes.clear();
    run = RunDialog([] { Click(IDC_cmdEditIgnoreIP); }, [](HWND) {});
    EXPECT_FALSE(run.shown);
    EXPECT_EQ(Texts(), Lines{"Please select an I.P. range to edit."});
    EXPECT_EQ(FileOf("brindlecote.conf"), Conf());
}

TEST_F(ListPages, IPDeleteRemovesTheCurrentEntryOnlyFromTheBox) {
    SendMessageA(Form().Control(IDC_lstBlockedIPs), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Click(IDC_cmdDeleteBlockedIP);
    EXPECT_FALSE(modMain::gSettingsChanged || ApplyEnabled()) << "nothing current, nothing changed";
    SelectCurrent(IDC_lstBlockedIPs, 0);
    Click(IDC_cmdDeleteBlockedIP);
    EXPECT_EQ(Items(IDC_lstBlockedIPs), Lines{"Mixed.Case"});
    EXPECT_TRUE(modMain::gSettingsChanged && modMain::gRestartNeeded && ApplyEnabled());
    EXPECT_TRUE(modMain::gProxyConf->BlockedIPExists("192.168.5.5"));
    EXPECT_EQ(FileOf("brindlecote.conf"), Conf());
}

TEST_F(ListPages, ZonesShowTheirCheckMarksAndHandChecksMarkTheSettingsChanged) {
    HWND list = Form().Control(IDC_lstRBLs);
    EXPECT_EQ(Items(IDC_lstRBLs),
              (Lines{"bl.example.net", "dnsbl.example.com", "zen.example.org", "hidden.example.info"}));
    std::vector<bool> checks;
    for (int i = 0; i < ListView_GetItemCount(list); ++i) {
        checks.push_back(ListView_GetCheckState(list, i) != 0);
    }
    EXPECT_EQ(checks, (std::vector<bool>{true, false, false, true}))
        << "the active zone that is not available shows too, so a save keeps it";
    EXPECT_FALSE(modMain::gSettingsChanged) << "loading marks nothing";

    ListView_SetCheckState(list, 2, TRUE);
    EXPECT_TRUE(modMain::gSettingsChanged && modMain::gRestartNeeded && ApplyEnabled());

    modMain::gSettingsChanged = modMain::gRestartNeeded = false;
    const DialogRun run = RunDialog([] { Click(IDC_cmdAddRBL); },
                                    [](HWND dialog) {
                                        Click(dialog, IDC_cmdOK);
                                        Type(dialog, IDC_txtRBL, "ZEN.example.org");
                                        Click(dialog, IDC_cmdOK);
                                        Type(dialog, IDC_txtRBL, " New.Zone.Example ");
                                        Click(dialog, IDC_cmdOK);
                                    });
    EXPECT_EQ(run.caption, "Public Blacklist");
    EXPECT_EQ(run.prompt, "Enter the public blacklist to be added.");
    EXPECT_EQ(Texts(), (Lines{"Please enter a public blacklist.", "zen.example.org is already on the list."}));
    EXPECT_EQ(Items(IDC_lstRBLs).back(), "new.zone.example");
    EXPECT_TRUE(ListView_GetCheckState(list, 4));
    EXPECT_TRUE(modMain::gSettingsChanged && modMain::gRestartNeeded);

    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    Click(IDC_cmdDeleteRBL);
    EXPECT_EQ(Items(IDC_lstRBLs).front(), "dnsbl.example.com");
    EXPECT_EQ(FileOf("brindlecote.conf"), Conf());
}

TEST_F(ListPages, TheWorkingCopiesReachTheConfigurationFileAtApply) {
    RunDialog([] { Click(IDC_cmdAddIgnoreIP); }, Enter(IDC_txtIPRange, "10.7.7.7"));
    SelectCurrent(IDC_lstBlockedIPs, 0);
    Click(IDC_cmdDeleteBlockedIP);
    ListView_SetCheckState(Form().Control(IDC_lstRBLs), 0, FALSE);
    EXPECT_EQ(FileOf("brindlecote.conf"), Conf());

    Click(IDC_cmdOK);
    EXPECT_EQ(Texts(), Lines{});
    KXProxyConf saved;
    saved.ConfigurationFile(ConfPath("brindlecote.conf"));
    saved.Load();
    EXPECT_EQ(saved.Get_Ignored_IPs(), (Lines{"10.7.7.7", "172.16.0.1"}));
    EXPECT_EQ(saved.Get_Blocked_IPs(), Lines{"Mixed.Case"});
    EXPECT_EQ(saved.Get_Approved_IPs(), (Lines{"10.0.0.1", "10.0.0.2"}));
    EXPECT_EQ(saved.Get_RBL_List(), Lines{"hidden.example.info"}) << "an active zone never offered is kept";
}

// ---- Long lists.

// Counts the entries a list takes while it is drawing: each of those is
// drawn on its own, which makes a long list cost many times what it holds.
// The list's window procedure is replaced (staying Unicode, as the list is),
// not subclassed through the common controls: under Wine their subclass asks
// the server for a window property at every message, which costs more than
// 20,000 entries themselves.
class DrawnAdds {
public:
    explicit DrawnAdds(HWND list)
        : list_(list), listProc_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(list, GWLP_WNDPROC))) {
        SetWindowLongPtrA(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc));
    }
    ~DrawnAdds() {
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc_));
        SetWindowLongPtrA(list_, GWLP_USERDATA, 0);
    }
    DrawnAdds(const DrawnAdds&) = delete;
    DrawnAdds& operator=(const DrawnAdds&) = delete;

    int Count() const { return count_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        DrawnAdds& adds = *reinterpret_cast<DrawnAdds*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_SETREDRAW) {
            adds.drawing_ = wParam != FALSE;
        } else if ((message == LB_ADDSTRING || message == LVM_INSERTITEMA) && adds.drawing_) {
            ++adds.count_;
        }
        return CallWindowProcW(adds.listProc_, hwnd, message, wParam, lParam);
    }

    HWND list_;
    WNDPROC listProc_;
    bool drawing_ = true;
    int count_ = 0;
};

constexpr int kLongList = 20000;

std::vector<std::string> LongList(const std::string& format, int count = kLongList) {
    std::vector<std::string> entries;
    for (int i = 0; i < count; ++i) {
        char entry[64];
        std::snprintf(entry, sizeof entry, format.c_str(), i / 250, i % 250);
        entries.push_back(entry);
    }
    return entries;
}

std::string Joined(const std::vector<std::string>& entries, const std::string& separator) {
    std::string joined;
    for (const std::string& entry : entries) {
        if (!joined.empty()) {
            joined += separator;
        }
        joined += entry;
    }
    return joined;
}

class LongLists : public SettingsWindow {};

// Apply of an edit writes the working copies back and fills the pages again
// from the file; every entry is there, in the configuration's order, every
// ticked zone is still ticked, and none was drawn on its own.
TEST_F(LongLists, TwentyThousandEntriesOfAConfigurationListFillTheirPageWithoutDrawingEachEntry) {
    const std::vector<std::string> ips = LongList("10.%d.%d.1");
    const std::vector<std::string> zones = LongList("zone%d-%d.example.org");
    const std::vector<std::string> active(zones.begin(), zones.begin() + kLongList / 2);
    std::string conf = Conf();
    for (const auto& [key, entries] : {std::pair{"blocked_ip_list=", ips}, std::pair{"available_rbl_list=", zones},
                                       std::pair{"rbl_list=", active}}) {
        const auto line = conf.find(std::string("\n") + key);
        ASSERT_NE(line, std::string::npos) << key;
        const auto at = line + 1;
        conf.replace(at, conf.find("\r\n", at) - at, key + Joined(entries, ","));
    }
    LoadWindow(conf);
    const DrawnAdds ipAdds(Control(IDC_lstBlockedIPs));
    const DrawnAdds zoneAdds(Control(IDC_lstRBLs));
    Type(IDC_txtMinTraining, "120");
    Click(IDC_cmdOK);
    EXPECT_TRUE(boxes.empty());
    for (const auto& [box, entries] : {std::pair{IDC_lstBlockedIPs, ips}, std::pair{IDC_lstRBLs, zones}}) {
        Lines ascending = entries;
        std::sort(ascending.begin(), ascending.end(),
                  [](const std::string& a, const std::string& b) { return TextCompare(a, b) < 0; });
        EXPECT_EQ(Form().IPLists().ListBoxItems(box), ascending) << box;
    }
    KXProxyConf saved;
    saved.ConfigurationFile(ConfPath("brindlecote.conf"));
    saved.Load();
    Lines ticked = saved.Get_RBL_List();
    std::sort(ticked.begin(), ticked.end());
    Lines expected = active;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(ticked, expected) << "every ticked zone stays ticked";
    EXPECT_EQ(ipAdds.Count(), 0);
    EXPECT_EQ(zoneAdds.Count(), 0);
}

// Opening a sender page after another program wrote its list fills the box
// with the whole list in order, drawing no entry on its own.
TEST_F(LongLists, TwentyThousandSendersFillTheirPageWithoutDrawingEachEntry) {
    LoadWindow(Conf());
    const DrawnAdds adds(Control(IDC_lstBlockedSenders));
    const Lines senders = LongList("sender%d.%d@example.com");
    RewriteLater(ConfPath("blocked_senders"), Joined(senders, "\r\n") + "\r\n");
    TreeView_SelectItem(Form().mTreeHwnd, Form().Node("Root"));
    TreeView_SelectItem(Form().mTreeHwnd, Form().Node("BlockedSenders"));
    const Lines shown = Form().IPLists().ListBoxItems(IDC_lstBlockedSenders);
    EXPECT_EQ(shown.size(), senders.size());
    EXPECT_EQ(shown, SenderLists::List(SenderList::Blocked).Items());
    EXPECT_EQ(adds.Count(), 0);
}

}  // namespace
