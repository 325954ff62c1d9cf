#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "ConfSamples.h"
#include "DbxWriter.h"
#include "NotTextFiles.h"
#include "ProcessDriver.h"
#include "ProgramLayout.h"
#include "SavedRegistryKey.h"
#include "SharedFixtures.h"

namespace {

const char kProductKey[] = "Software\\Tessavane Varnholt Desktop Client";
const char kGuid[] = "{5A1E2B3C-0000-4000-8000-00000000E2E1}";
const std::string kIdentityKey = std::string("Identities\\") + kGuid;
const std::string kOutlookKey = kIdentityKey + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kCriteriaKey = kOutlookKey + "\\Block Senders\\Mail\\Criteria";
const std::string kFixtures = FIXTURES_DIR;

void SetText(HKEY root, const std::string& key, const char* name, const std::string& value) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr), ERROR_SUCCESS);
    RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

// The DWORD value, or -1 when there is none.
long long ProductNumber(const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, kProductKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return -1;
    }
    return value;
}

std::uint64_t FileTimeSecondsAgo(std::int64_t seconds) {
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(std::time(nullptr)) - seconds + 11644473600LL) *
           10000000ULL;
}

DbxWriter::Item Mail(std::int32_t id, std::int64_t secondsAgo, const std::string& from, const std::string& to,
                     const std::string& subject) {
    return DbxWriter::Message(id,
                              {DbxWriter::Text(0x08, subject), DbxWriter::Text(0x0E, from), DbxWriter::Text(0x14, to),
                               DbxWriter::Date(0x12, FileTimeSecondsAgo(secondsAgo))},
                              "Subject: " + subject + "\r\n\r\nbody of " + subject + "\r\n");
}

// Direct subkeys of the HKCU key; 0 when it is absent.
DWORD SubkeyCount(const char* key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) {
        return 0;
    }
    DWORD count = 0;
    RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(handle);
    return count;
}

int Count(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A program directory with the scanner and the engine, an identity of the
// current user whose store folder lies in it, and the product key cleared.
class PelwardenRun : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kIdentityKey.c_str());
        for (const char* name : {"spam_training", "ham_training", "scan_limit", "OEScanInbox", "OEScanSent"}) {
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, name);
        }
    }

    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kIdentityKey.c_str());
        RegDeleteKeyValueA(HKEY_CURRENT_USER, "Identities", "Last User ID");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kProductKey, "scan_limit");
    }

    void LayOut(const std::string& name, const std::vector<std::string>& programs = {"Pelwarden.exe", "fendrake.dll"}) {
        layout_ = std::make_unique<ProgramLayout>(name, programs);
        CreateDirectoryA(Store("").c_str(), nullptr);
    }

    void SeedIdentity(const std::vector<std::string>& blocked) {
        SetText(HKEY_CURRENT_USER, "Identities", "Last User ID", kGuid);
        SetText(HKEY_CURRENT_USER, kIdentityKey, "Username", "Test User");
        SetText(HKEY_CURRENT_USER, kOutlookKey, "Store Root", Store(""));
        for (std::size_t i = 0; i < blocked.size(); ++i) {
            SetText(HKEY_CURRENT_USER, kCriteriaKey + "\\" + std::to_string(i), "Value", blocked[i]);
        }
    }

    std::string Store(const std::string& file) const { return layout_->Path("store") + "\\" + file; }

    void WriteStores(const std::vector<DbxWriter::Item>& inbox, const std::vector<DbxWriter::Item>& sent) {
        DbxWriter folders(DbxWriter::Kind::Folders);
        folders.Add(DbxWriter::Folder(4, 1, "Inbox", "Inbox.dbx"));
        folders.Add(DbxWriter::Folder(6, 1, "Sent Items", "Sent Items.dbx"));
        folders.Save(Store("Folders.dbx"));
        DbxWriter inboxStore(DbxWriter::Kind::Messages);
        for (const auto& item : inbox) {
            inboxStore.Add(item);
        }
        inboxStore.Save(Store("Inbox.dbx"));
        DbxWriter sentStore(DbxWriter::Kind::Messages);
        for (const auto& item : sent) {
            sentStore.Add(item);
        }
        sentStore.Save(Store("Sent Items.dbx"));
    }

    // Runs "Pelwarden.exe <arguments>" to its end.
    void Run(const std::string& arguments = "1") {
        ChildProcess scanner(layout_->Path("Pelwarden.exe"), arguments);
        ASSERT_TRUE(scanner.Started());
        ASSERT_TRUE(scanner.WaitForExit(60000));
    }

    std::string Conf(const std::string& file) const { return layout_->Read("conf\\" + file); }
    std::string Log() const { return layout_->Read("console.txt"); }

    std::unique_ptr<ProgramLayout> layout_;
};

TEST_F(PelwardenRun, ImportsBlockedSendersAndFeedsNewMailOnce) {
    LayOut("pelwarden_run");
    layout_->Write("conf\\blocked_senders", "already@host\r\n");
    SeedIdentity({"Spammer@Bad.Example", "<already@host>", ""});
    // 2048 MiB and more must stay a limit, not end start-up.
    SetText(HKEY_LOCAL_MACHINE, kProductKey, "scan_limit", "4096");
    WriteStores({Mail(11, 3600, "Friend@Example.com", "me@home", "fresh"),
                 Mail(12, 3 * 86400, "old@example.com", "me@home", "stale")},
                {Mail(21, 10 * 86400, "me@home", "Pal@Example.org; <boss@work.example>", "report"),
                 Mail(22, 60, "me@home", "", "draft")});
    Run();

    EXPECT_EQ(Conf("blocked_senders"), "already@host\r\nspammer@bad.example\r\n");
    const std::string messages = Conf("fendrake.messages");
    EXPECT_EQ(Count(messages, "-100 0 fresh\r\n"), 1) << messages;
    EXPECT_EQ(Count(messages, "stale"), 0) << messages;
    EXPECT_EQ(Count(messages, "-120 0 report\r\n"), 1) << messages;
    EXPECT_EQ(Count(messages, "-120 0 draft\r\n"), 1) << messages;
    EXPECT_EQ(Conf("fendrake.from"), "friend@example.com\r\n");
    const std::string to = Conf("fendrake.to");
    EXPECT_EQ(Count(to, "pal@example.org\r\n"), 1) << to;
    EXPECT_EQ(Count(to, "boss@work.example\r\n"), 1) << to;
    EXPECT_EQ(Conf("oeinbox"), "11\r\n");
    EXPECT_EQ(Conf("oesent"), "21\r\n22\r\n");
    EXPECT_EQ(ProductNumber("ham_training"), 3);
    EXPECT_EQ(ProductNumber("spam_training"), 0);
    EXPECT_EQ(Count(Log(), "Error"), 0) << Log();

    Run();
    EXPECT_EQ(Conf("fendrake.messages"), messages);
    EXPECT_EQ(Conf("oeinbox"), "11\r\n");
    EXPECT_EQ(Conf("oesent"), "21\r\n22\r\n");
    EXPECT_EQ(ProductNumber("ham_training"), 3);
    EXPECT_EQ(Conf("blocked_senders"), "already@host\r\nspammer@bad.example\r\n");
}

// The console saves the blocked list after the scanner has loaded it, while
// the engine starts: the import keeps the console's entry.
TEST_F(PelwardenRun, TheImportKeepsWhatTheConsoleSavedWhileTheEngineStarted) {
    LayOut("pelwarden_list_saved", {"Pelwarden.exe"});
    ASSERT_TRUE(CopyFileA(TestBinPath("busy_start_engine.dll").c_str(), layout_->Path("fendrake.dll").c_str(), FALSE));
    layout_->Write("conf\\blocked_senders", "early@host\r\n");
    SeedIdentity({"OE@Blocked.Example"});
    WriteStores({}, {});
    Run();
    EXPECT_EQ(Conf("blocked_senders"), "console@saved.example\r\nearly@host\r\noe@blocked.example\r\n");
    EXPECT_EQ(Count(Log(), "Error"), 0) << Log();
}

// Another program is changing the blocked list (it has read it and is about
// to save) when the scanner comes to its import: the scanner waits for that
// change and imports into the list it saved, so neither loses its entries.
TEST_F(PelwardenRun, TheImportWaitsForAChangeAnotherProgramIsMaking) {
    LayOut("pelwarden_list_held");
    layout_->Write("conf\\blocked_senders", "early@host\r\n");
    SeedIdentity({"OE@Blocked.Example", "second@blocked.example"});
    WriteStores({}, {});
    const std::string list = layout_->Path("conf\\blocked_senders");
    // A mark left by an earlier run would be taken for this holder's.
    DeleteFileA((list + ".held").c_str());
    ChildProcess holder(TestBinPath("ListWriter.exe"),
                        std::string("\"").append(list).append("\" hold console@saved.example 4000"));
    ASSERT_TRUE(WaitUntil([&] { return layout_->Exists("conf\\blocked_senders.held"); }, 30000));
    Run();
    DWORD code = 1;
    ASSERT_TRUE(holder.WaitForExit(30000, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(Conf("blocked_senders"),
              "console@saved.example\r\nearly@host\r\noe@blocked.example\r\nsecond@blocked.example\r\n");
    EXPECT_EQ(Count(Log(), "Error"), 0) << Log();
}

// A blocked list saved as Unicode, or binary, would be rewritten as split
// halves of its lines: the import leaves it as it is and logs why, once.
TEST_F(PelwardenRun, TheImportNeverWritesOverABlockedListThatIsNotText) {
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"pelwarden_list_unicode",
         "\xFF\xFE" + ConfSamples::Utf16("Friend@Example.com\r\nOther.Friend@Example.org\r\n", false)},
        {"pelwarden_list_random", NotTextFiles::Bytes(NotTextFiles::kRandomBytes)},
        {"pelwarden_list_gzip", NotTextFiles::Bytes(NotTextFiles::kGzip)},
        {"pelwarden_list_gif", NotTextFiles::Bytes(NotTextFiles::kGif)},
    };
    for (const auto& c : cases) {
        LayOut(c.name);
        layout_->Write("conf\\blocked_senders", c.bytes);
        SeedIdentity({"OE@Blocked.Example"});
        WriteStores({}, {});
        Run();
        EXPECT_TRUE(Conf("blocked_senders") == c.bytes) << c.name << ": the file is as it was";
        const std::string log = Log();
        EXPECT_EQ(Count(log, "\r\n"), 1) << c.name << ": " << log;
        EXPECT_EQ(Count(log, "BlockedSenders() Error "), 1) << c.name << ": " << log;
        EXPECT_EQ(Count(log, layout_->Path("conf\\blocked_senders") + " cannot be read as text"), 1)
            << c.name << ": " << log;
    }
}

// Nobody watches a run from the console's timer: a box would hang it.
TEST_F(PelwardenRun, ABadLineInASeenFileIsLoggedAndSkipped) {
    LayOut("pelwarden_bad_seen");
    layout_->Write("conf\\oeinbox", "7\r\nseven\r\n");
    SeedIdentity({});
    WriteStores({Mail(7, 60, "a@b.example", "", "seen before"), Mail(8, 60, "c@d.example", "", "new")}, {});
    Run();
    EXPECT_NE(Log().find("LoadList Error : "), std::string::npos) << Log();
    EXPECT_EQ(Conf("oeinbox"), "7\r\n8\r\n");
    EXPECT_EQ(Conf("fendrake.messages"), "-100 0 new\r\n");
}

TEST_F(PelwardenRun, DetailLevelLogsThePhasesInOrder) {
    LayOut("pelwarden_detail");
    layout_->Write("conf\\brindlecote.conf", "dbg_verbose_level=8\r\n");
    SeedIdentity({});
    WriteStores({}, {});
    Run();
    const std::string log = Log();
    std::size_t at = 0;
    for (const std::string& line :
         {std::string("dbg_verbose_level = 8"), "identity = " + std::string(kGuid), "gStoreRoot = " + Store(""),
          std::string("Processed OE Blocked List "), "Store Root = " + layout_->Path("store"),
          std::string("Processed Inbox"), std::string("Processed Sent Items")}) {
        at = log.find(" : " + line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << log;
    }
}

TEST_F(PelwardenRun, WithoutTheEngineTheScansAreSkippedAndTheBlockedListStillImported) {
    LayOut("pelwarden_no_engine", {"Pelwarden.exe"});
    SeedIdentity({"x@y.example"});
    WriteStores({Mail(1, 60, "a@b.example", "", "new")}, {});
    Run();
    EXPECT_NE(Log().find("Unable to start the scoring engine."), std::string::npos) << Log();
    EXPECT_EQ(Conf("blocked_senders"), "x@y.example\r\n");
    EXPECT_FALSE(layout_->Exists("conf\\oeinbox"));
    EXPECT_EQ(ProductNumber("ham_training"), -1);
}

// The scanner makes the blocked list's letters small as the system's code
// page does, the file's entries and the imported sender alike. The lane runs
// this in code page 1252, and again with Wine started in a Russian (1251)
// and a Japanese (932) locale, which EXPECTED_CODE_PAGE names.
TEST_F(PelwardenRun, TheBlockedListIsMadeSmallAsTheSystemsCodePageMakesLetters) {
    const struct {
        UINT codePage;
        std::string file;
        std::string imported;
        std::string saved;
    } cases[] = {
        {1252, "\xC9T\xC9@fr.example\r\n\x9F@fr.example\r\n", "\xC0@FR.example",
         "\xE0@fr.example\r\n\xE9t\xE9@fr.example\r\n\xFF@fr.example\r\n"},
        // Che and Dzhe become small; dzhe is small already and stays.
        {1251, "\xD7@ru.example\r\n\x9F@ru.example\r\n\x8F@ru.example\r\n", "\xC4@RU.example",
         "\x9F@ru.example\r\n\x9F@ru.example\r\n\xE4@ru.example\r\n\xF7@ru.example\r\n"},
        // Katakana a (0x83 0x41) and half-width ta chi keep every byte.
        {932, "\x83\x41@jp.example\r\n\xC0\xC1@jp.example\r\nABC@jp.example\r\n", "\x83\x41X@JP.example",
         "abc@jp.example\r\n\x83\x41@jp.example\r\n\x83\x41x@jp.example\r\n\xC0\xC1@jp.example\r\n"},
    };
    if (const char* expected = std::getenv("EXPECTED_CODE_PAGE")) {
        ASSERT_EQ(std::to_string(GetACP()), expected) << "Wine did not take the code page of its locale";
    }
    const auto c =
        std::find_if(std::begin(cases), std::end(cases), [](const auto& c) { return c.codePage == GetACP(); });
    ASSERT_NE(c, std::end(cases)) << "no case for code page " << GetACP();
    LayOut("pelwarden_code_page_" + std::to_string(c->codePage));
    layout_->Write("conf\\blocked_senders", c->file);
    SeedIdentity({c->imported});
    WriteStores({}, {});
    Run();
    EXPECT_EQ(Conf("blocked_senders"), c->saved);
    EXPECT_EQ(Count(Log(), "Error"), 0) << Log();
}

// A file put in the system folder for one case, and taken out again.
class SystemFolderFile {
public:
    SystemFolderFile(const std::string& name, const std::string& content) {
        char system[MAX_PATH] = "";
        GetSystemDirectoryA(system, MAX_PATH);
        path_ = std::string(system) + "\\" + name;
        std::ofstream(path_, std::ios::binary) << content;
    }
    ~SystemFolderFile() { DeleteFileA(path_.c_str()); }
    SystemFolderFile(const SystemFolderFile&) = delete;
    SystemFolderFile& operator=(const SystemFolderFile&) = delete;

private:
    std::string path_;
};

// The engine is loaded by name: from the program folder first, else from
// the system folder, where an installation may keep it.
TEST_F(PelwardenRun, FindsTheEngineInTheProgramFolderFirstThenInTheSystemFolder) {
    const std::string engine = ReadWholeFile(DistPath("fendrake.dll"));
    ASSERT_FALSE(engine.empty());
    const struct {
        const char* name;
        bool inProgramFolder;
        std::string inSystemFolder;
    } cases[] = {
        {"pelwarden_engine_system", false, engine},
        // A broken library in the system folder is never reached.
        {"pelwarden_engine_first", true, "not a library"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LayOut(c.name, c.inProgramFolder ? std::vector<std::string>{"Pelwarden.exe", "fendrake.dll"}
                                         : std::vector<std::string>{"Pelwarden.exe"});
        SeedIdentity({});
        WriteStores({Mail(1, 60, "a@b.example", "", "new")}, {});
        {
            const SystemFolderFile library("fendrake.dll", c.inSystemFolder);
            Run();
        }
        EXPECT_EQ(Conf("fendrake.messages"), "-100 0 new\r\n");
        EXPECT_EQ(Conf("oeinbox"), "1\r\n");
        EXPECT_EQ(Count(Log(), "Unable to start the scoring engine."), 0) << Log();
    }
}

// The run reads scan_limit and its switches from the product key, and the
// current identity, before it finds there is nothing to scan.
TEST_F(PelwardenRun, WithoutACurrentIdentityNothingIsCreated) {
    LayOut("pelwarden_no_identity");
    RegDeleteKeyValueA(HKEY_CURRENT_USER, "Identities", "Last User ID");
    const DWORD before = SubkeyCount("Identities");
    const SavedRegistryKey product(kProductKey);
    Run();
    EXPECT_NE(Log().find("No current Outlook Express identity"), std::string::npos) << Log();
    EXPECT_EQ(SubkeyCount("Identities"), before);
    EXPECT_FALSE(SavedRegistryKey::Present(kProductKey));
    EXPECT_FALSE(layout_->Exists("conf\\fendrake.totals"));
    EXPECT_FALSE(layout_->Exists("conf\\blocked_senders"));
}

TEST_F(PelwardenRun, ReadsTheRealStoresOfTheSharedFixtures) {
    REQUIRE_SHARED_FIXTURE(GetFileAttributesA((kFixtures + "\\Inbox.dbx").c_str()) != INVALID_FILE_ATTRIBUTES,
                           kFixtures);
    LayOut("pelwarden_fixtures");
    SeedIdentity({});
    for (const char* file : {"Folders.dbx", "Inbox.dbx", "Outbox.dbx", "Offline.dbx"}) {
        ASSERT_TRUE(CopyFileA((kFixtures + "\\" + file).c_str(), Store(file).c_str(), FALSE));
    }
    Run();
    // Every Inbox message is older than a day; the Sent Items folder has no store file.
    EXPECT_EQ(Conf("oeinbox"), "");
    EXPECT_FALSE(layout_->Exists("conf\\oesent"));
    EXPECT_NE(Log().find("Unable to open Sent Items folder."), std::string::npos) << Log();
    EXPECT_EQ(Conf("fendrake.messages"), "");
    EXPECT_EQ(ProductNumber("ham_training"), 0);
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Asked in UTF-16: the list box lives in another process.
        wchar_t line[512] = L"";
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        char text[512] = "";
        WideCharToMultiByte(CP_ACP, 0, line, -1, text, sizeof text, nullptr, nullptr);
        lines.push_back(text);
    }
    return lines;
}

// The status window of the scanner once its run has ended (its OK button,
// 1002, enabled); nullptr when none shows within a minute.
HWND FinishedStatusWindow(const ChildProcess& scanner) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = TopWindowOf(scanner.Id(), "Brindlecote Varnholt Desktop Client");
            const HWND ok = window != nullptr ? GetDlgItem(window, 1002) : nullptr;
            return ok != nullptr && IsWindowEnabled(ok);
        },
        60000);
    return window != nullptr && IsWindowEnabled(GetDlgItem(window, 1002)) ? window : nullptr;
}

TEST_F(PelwardenRun, ShowKeepsTheStatusWindowAndASecondInstanceExitsAtOnce) {
    LayOut("pelwarden_show");
    SeedIdentity({"b@c.example"});
    WriteStores({Mail(1, 60, "a@b.example", "", "new")}, {});
    ChildProcess first(layout_->Path("Pelwarden.exe"), "\"-SHOW\"");
    const HWND window = FinishedStatusWindow(first);
    ASSERT_NE(window, nullptr);
    const HWND ok = GetDlgItem(window, 1002);
    EXPECT_TRUE(IsWindowVisible(window));
    const std::vector<std::string> expected = {"Importing Outlook Express block list ...", "Scanning Inbox ...",
                                               "Scanning Sent Items ...", "Outlook Express scan finished."};
    const std::vector<std::string> lines = ListLines(GetDlgItem(window, 1001));
    EXPECT_EQ(lines, expected);
    EXPECT_EQ(SendMessageA(GetDlgItem(window, 1001), LB_GETCURSEL, 0, 0), 3);

    // A second run while the first is up ends at once and touches nothing.
    const std::string log = Log();
    const std::string seen = Conf("oeinbox");
    {
        ChildProcess second(layout_->Path("Pelwarden.exe"), "1");
        ASSERT_TRUE(second.WaitForExit(10000));
    }
    EXPECT_EQ(Log(), log);
    EXPECT_EQ(Conf("oeinbox"), seen);
    EXPECT_TRUE(first.Running());

    SendMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_TRUE(first.WaitForExit(10000));
}

// A status line wider than the list, such as a store's whole path, can be
// scrolled to its end.
TEST_F(PelwardenRun, AStatusLineWiderThanTheListCanBeScrolledTo) {
    LayOut("pelwarden_wide_status");
    SeedIdentity({});
    WriteStores({Mail(1, 60, "a@b.example", "", "new")}, {});
    DeleteFileA(Store("Sent Items.dbx").c_str());
    ChildProcess scanner(layout_->Path("Pelwarden.exe"), "-show");
    const HWND window = FinishedStatusWindow(scanner);
    ASSERT_NE(window, nullptr);
    const HWND list = GetDlgItem(window, 1001);
    const std::vector<std::string> lines = ListLines(list);
    const auto namesTheMissingStore = [&](const std::string& line) {
        return line.starts_with("Unable to open Sent Items folder. " + layout_->Directory()) &&
               line.ends_with("Sent Items.dbx is missing.");
    };
    EXPECT_NE(std::find_if(lines.begin(), lines.end(), namesTheMissingStore), lines.end())
        << ::testing::PrintToString(lines);
    RECT inside{};
    GetClientRect(list, &inside);
    EXPECT_GT(SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), inside.right);
    EXPECT_NE(GetWindowLongA(list, GWL_STYLE) & WS_HSCROLL, 0) << "the list shows its horizontal scroll bar";
    SendMessageA(GetDlgItem(window, 1002), BM_CLICK, 0, 0);
    EXPECT_TRUE(scanner.WaitForExit(10000));
}

// The close box of the frame ends the program as OK does.
TEST_F(PelwardenRun, TheStatusWindowsCloseBoxEndsTheProgram) {
    LayOut("pelwarden_close");
    SeedIdentity({});
    WriteStores({}, {});
    ChildProcess scanner(layout_->Path("Pelwarden.exe"), "-show");
    const HWND window = FinishedStatusWindow(scanner);
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(scanner.WaitForExit(10000));
}

}  // namespace
