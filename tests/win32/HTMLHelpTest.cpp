#include <gtest/gtest.h>
#include <windows.h>
#include <htmlhelp.h>
#include <objbase.h>

#include <cctype>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "FileSystem.h"
#include "HTMLHelp.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProcessDriver.h"
#include "Resources.h"

// The help-file storage's own interface, which the SDK headers do not carry.
// It lives outside the anonymous namespace: with internal linkage the
// compiler would take its pure methods for the only ones there are.
MIDL_INTERFACE("88cc31de-27ab-11d0-9df9-00a0c922e6ec")
IITStorage : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfile(const WCHAR*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgCreateDocfileOnILockBytes(ILockBytes*, DWORD, DWORD, IStorage**) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageFile(const WCHAR*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgIsStorageILockBytes(ILockBytes*) = 0;
    virtual HRESULT STDMETHODCALLTYPE StgOpenStorage(const WCHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) = 0;
};

namespace {

const char kTitle[] = "HTML Help Class";
const char kRegisteredFilesKey[] = "Software\\Microsoft\\Windows\\HTML Help";
const char kViewerClass[] = "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}";
const char kBrowserClass[] = "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}";

std::optional<std::string> Opt(const char* text) {
    return text ? std::optional<std::string>(text) : std::nullopt;
}

// What the viewer was asked, copied while the caller's records still live.
struct ViewerCall {
    HWND owner = nullptr;
    std::optional<std::string> target;
    UINT command = 0;
    DWORD_PTR data = 0;
    std::optional<std::string> topic;
    HH_AKLINK link{};
    std::optional<std::string> keywords, url, msgText, msgTitle, linkWindow;
    HH_FTS_QUERY query{};
    std::optional<std::string> searchQuery, searchWindow;
    HH_POPUP popup{};
    std::optional<std::string> popupText, popupFont;
};

ViewerCall Record(HWND owner, const char* target, UINT command, DWORD_PTR data) {
    ViewerCall call;
    call.owner = owner;
    call.target = Opt(target);
    call.command = command;
    call.data = data;
    if (command == HH_DISPLAY_TOPIC) {
        call.topic = Opt(reinterpret_cast<const char*>(data));
    } else if (command == HH_KEYWORD_LOOKUP || command == HH_ALINK_LOOKUP) {
        call.link = *reinterpret_cast<const HH_AKLINK*>(data);
        call.keywords = Opt(call.link.pszKeywords);
        call.url = Opt(call.link.pszUrl);
        call.msgText = Opt(call.link.pszMsgText);
        call.msgTitle = Opt(call.link.pszMsgTitle);
        call.linkWindow = Opt(call.link.pszWindow);
    } else if (command == HH_DISPLAY_SEARCH) {
        call.query = *reinterpret_cast<const HH_FTS_QUERY*>(data);
        call.searchQuery = Opt(call.query.pszSearchQuery);
        call.searchWindow = Opt(call.query.pszWindow);
    } else if (command == HH_DISPLAY_TEXT_POPUP) {
        call.popup = *reinterpret_cast<const HH_POPUP*>(data);
        call.popupText = Opt(call.popup.pszText);
        call.popupFont = Opt(call.popup.pszFont);
    }
    return call;
}

std::string TempDirectory() {
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    const std::string dir = std::string(base) + "htmlhelp_test_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string Missing(const std::string& path) {
    return "The file " + path +
           " does not exist.\nPlease make sure the correct path and file name have been specified.";
}

// Records every message box and every viewer call; the viewer answers with
// `viewerAnswer`.
class HTMLHelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes.push_back(box);
            return MsgBoxResult::OK;
        });
        SetHtmlHelpCall([this](HWND owner, const char* target, UINT command, DWORD_PTR data) {
            calls.push_back(Record(owner, target, command, data));
            return viewerAnswer;
        });
        dir = TempDirectory();
        chm = MakeFile("topics.chm");
    }

    void TearDown() override {
        SetHtmlHelpCall({});
        SetMsgBoxResponder({});
        for (const std::string& file : made) {
            DeleteFileA(file.c_str());
        }
        RemoveDirectoryA(dir.c_str());
    }

    std::string MakeFile(const std::string& name) {
        const std::string path = dir + "\\" + name;
        FileSystem::WriteWholeFile(path, "ITSF");
        made.push_back(path);
        return path;
    }

    void ExpectOnlyBox(const std::string& text, unsigned icon) {
        ASSERT_EQ(boxes.size(), 1u) << (boxes.empty() ? "no box" : boxes.back().text);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_EQ(boxes[0].style, MsgBoxStyle::OKOnly | icon);
        EXPECT_EQ(boxes[0].title, kTitle);
    }

    std::vector<MsgBoxRequest> boxes;
    std::vector<ViewerCall> calls;
    HWND viewerAnswer = nullptr;
    std::vector<std::string> made;
    std::string dir;
    std::string chm;
};

// The main road of the console and the wizard.
TEST_F(HTMLHelpTest, TopicOpensInTheNamedWindowOrTheFilesDefault) {
    struct Case {
        const char* window;
        bool named;
    };
    for (const Case& c : {Case{"Main", true}, Case{"   ", false}, Case{"", false}}) {
        calls.clear();
        HTMLHelp help;
        help.CHMFile(chm);
        help.HHWindow(c.window);
        help.HHTopicURL("help_pp_3a.html#listeningport");
        help.HHDisplayTopicURL(nullptr);
        ASSERT_EQ(calls.size(), 1u) << '"' << c.window << '"';
        EXPECT_EQ(calls[0].target, c.named ? chm + ">Main" : chm) << '"' << c.window << '"';
        EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
        EXPECT_EQ(calls[0].topic, "help_pp_3a.html#listeningport");
        EXPECT_EQ(calls[0].owner, nullptr);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpTest, EachDisplayOperationSendsItsCommand) {
    struct Case {
        const char* name;
        void (HTMLHelp::*operation)(HWND);
        UINT command;
        DWORD_PTR data;
    };
    const Case cases[] = {
        {"HHDisplayTopicID", &HTMLHelp::HHDisplayTopicID, HH_HELP_CONTEXT, 4242},
        {"HHDisplayContents", &HTMLHelp::HHDisplayContents, HH_DISPLAY_TOC, 0},
        {"HHDisplayIndex", &HTMLHelp::HHDisplayIndex, HH_DISPLAY_INDEX, 0},
    };
    for (const Case& c : cases) {
        calls.clear();
        HTMLHelp help;
        help.CHMFile(chm);
        help.HHWindow("Main");
        help.HHTopicID(4242);
        (help.*c.operation)(nullptr);
        ASSERT_EQ(calls.size(), 1u) << c.name;
        EXPECT_EQ(calls[0].target, chm + ">Main") << c.name;
        EXPECT_EQ(calls[0].command, c.command) << c.name;
        EXPECT_EQ(calls[0].data, c.data) << c.name;
    }
}

TEST_F(HTMLHelpTest, SearchExecutesAnEmptyAnsiQuery) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHDisplaySearch(nullptr);
    ASSERT_EQ(calls.size(), 1u);
    const ViewerCall& call = calls[0];
    EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_SEARCH));
    EXPECT_EQ(call.target, chm);
    EXPECT_EQ(call.query.cbStruct, static_cast<int>(sizeof(HH_FTS_QUERY)));
    EXPECT_FALSE(call.query.fUniCodeStrings);
    EXPECT_EQ(call.searchQuery, "");
    EXPECT_EQ(call.query.iProximity, 0);
    EXPECT_FALSE(call.query.fStemmedSearch);
    EXPECT_FALSE(call.query.fTitleOnly);
    EXPECT_TRUE(call.query.fExecute);
    EXPECT_EQ(call.searchWindow, "");
}

TEST_F(HTMLHelpTest, KeywordLookupOpensTheBareFileThenLooksUp) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHWindow("Main");
    help.HHKeyword("Subject modification");
    help.HHDefaultURL("help_pp.html");
    help.HHMsgTitle("Not found");
    help.HHDisplayKeyword(nullptr);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(calls[0].target, chm);
    EXPECT_EQ(calls[0].topic, std::nullopt);
    const ViewerCall& lookup = calls[1];
    EXPECT_EQ(lookup.command, static_cast<UINT>(HH_KEYWORD_LOOKUP));
    EXPECT_EQ(lookup.target, chm);
    EXPECT_EQ(lookup.link.cbStruct, static_cast<int>(sizeof(HH_AKLINK)));
    EXPECT_EQ(lookup.keywords, "Subject modification");
    EXPECT_EQ(lookup.url, "help_pp.html");
    EXPECT_EQ(lookup.msgText, std::nullopt);
    EXPECT_EQ(lookup.msgTitle, "Not found");
    EXPECT_EQ(lookup.linkWindow, "Main");
}

TEST_F(HTMLHelpTest, ALinkLookupPassesTheALinkAndNoBlankWindow) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHWindow("  ");
    help.HHALink("RuleUpdates");
    help.HHMsgText("No topic");
    help.HHDisplayALink(nullptr);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_ALINK_LOOKUP));
    EXPECT_EQ(calls[0].target, chm);
    EXPECT_EQ(calls[0].keywords, "RuleUpdates");
    EXPECT_EQ(calls[0].url, std::nullopt);
    EXPECT_EQ(calls[0].msgText, "No topic");
    EXPECT_EQ(calls[0].linkWindow, std::nullopt);
}

TEST_F(HTMLHelpTest, CloseAllTakesNoOwnerAndNoFile) {
    HTMLHelp help;
    help.HHClose();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_CLOSE_ALL));
    EXPECT_EQ(calls[0].owner, nullptr);
    EXPECT_EQ(calls[0].target, "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpTest, TheCallersWindowOwnsTheViewerOnlyWhenOnTop) {
    const HWND caller = GetDesktopWindow();
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHDisplayContents(caller);
    help.HHShowOnTop(true);
    help.HHDisplayContents(caller);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].owner, nullptr);
    EXPECT_EQ(calls[1].owner, caller);
}

TEST_F(HTMLHelpTest, OnTopWithoutAWindowWarnsAndOpensNothing) {
    struct Case {
        void (HTMLHelp::*operation)(HWND);
        const char* text;
    };
    const Case cases[] = {
        {&HTMLHelp::HHDisplayContents,
         "The HHDisplayContents method was called without a form being specified, while HHShowOnTop was set to True."},
        {&HTMLHelp::HHDisplayKeyword,
         "The HHDisplayKeyword method was called without a form being specified, while HHShowOnTop was set to True."},
    };
    for (const Case& c : cases) {
        boxes.clear();
        HTMLHelp help;
        help.CHMFile(chm);
        help.HHShowOnTop(true);
        (help.*c.operation)(nullptr);
        ExpectOnlyBox(c.text, MsgBoxStyle::Exclamation);
    }
    EXPECT_TRUE(calls.empty());
}

TEST_F(HTMLHelpTest, OnlyAnExistingChmFileIsOpened) {
    const std::string text = MakeFile("readme.txt");
    struct Case {
        std::string file;
        std::string warning;
    };
    const Case cases[] = {
        {text, text + " is not a valid HTML Help file."},
        {"", " is not a valid HTML Help file."},
        {dir + "\\absent.chm", Missing(dir + "\\absent.chm")},
        {dir + "\\topics.chm.bak", dir + "\\topics.chm.bak is not a valid HTML Help file."},
    };
    for (const Case& c : cases) {
        boxes.clear();
        HTMLHelp help;
        help.CHMFile(c.file);
        help.HHDisplayTopicURL(nullptr);
        ExpectOnlyBox(c.warning, MsgBoxStyle::Exclamation);
    }
    EXPECT_TRUE(calls.empty());

    // The name's ending counts in any letter case.
    const std::string upper = MakeFile("UPPER.CHM");
    HTMLHelp help;
    help.CHMFile(upper);
    help.HHDisplayTopicURL(nullptr);
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(HTMLHelpTest, BareFileNameIsLookedForInTheProgramDirectory) {
    const std::string expected = FileSystem::ProgramDirectory() + "\\htmlhelp_no_such_file.chm";
    HTMLHelp help;
    help.CHMFile("htmlhelp_no_such_file.chm");
    help.HHDisplayTopicURL(nullptr);
    ExpectOnlyBox(Missing(expected), MsgBoxStyle::Exclamation);
    EXPECT_EQ(help.CHMFile(), expected);
    EXPECT_TRUE(calls.empty());
}

TEST_F(HTMLHelpTest, SetHelpFileNamesTheLibraryFiles) {
    const HTMLHelp help;
    EXPECT_EQ(help.HHSetHelpFile(1), FileSystem::ProgramDirectory() + "\\Library.chm");
    EXPECT_EQ(help.HHSetHelpFile(2), "Library.txt");
    for (std::int16_t kind : {0, 3, -1}) {
        EXPECT_EQ(help.HHSetHelpFile(kind), "") << kind;
    }
}

TEST_F(HTMLHelpTest, WindowHandleIsTheViewersWhileItLives) {
    HTMLHelp help;
    help.CHMFile(chm);
    EXPECT_EQ(help.HHWndHandle(), nullptr);
    ExpectOnlyBox("No HTML Help window handle to retrieve.", MsgBoxStyle::Information);

    boxes.clear();
    viewerAnswer = CreateWindowExA(0, "STATIC", "viewer", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(viewerAnswer, nullptr);
    help.HHDisplayTopicURL(nullptr);
    EXPECT_EQ(help.HHWndHandle(), viewerAnswer);
    EXPECT_TRUE(boxes.empty());

    DestroyWindow(viewerAnswer);
    EXPECT_EQ(help.HHWndHandle(), nullptr);
    ExpectOnlyBox("The last HTML Help window opened has been closed.", MsgBoxStyle::Information);

    boxes.clear();
    EXPECT_EQ(help.HHWndHandle(), nullptr);
    ExpectOnlyBox("No HTML Help window handle to retrieve.", MsgBoxStyle::Information);
}

TEST_F(HTMLHelpTest, LiteralPopupCarriesItsTextColoursAndFont) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHPopupType(4);
    help.HHPopupText("Enter one address per line.");
    help.HHPopupTextColor(0x112233);
    help.HHPopupBackColor(0x445566);
    help.HHPopupCustomTextColor(0x778899);
    help.HHPopupCustomBackColor(0xAABBCC);
    help.HHPopupTextBold(true);
    help.HHPopupTextUnderline(true);
    help.HHDisplayPopup(nullptr);

    help.HHPopupCustomColors(true);
    help.HHPopupTextFont("Tahoma");
    help.HHPopupTextSize("12");
    help.HHPopupTextItalic(true);
    help.HHDisplayPopup(nullptr);

    // Each call puts the font back to plain Arial 10.
    help.HHDisplayPopup(nullptr);

    ASSERT_EQ(calls.size(), 3u);
    for (const ViewerCall& call : calls) {
        EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TEXT_POPUP));
        EXPECT_EQ(call.target, std::nullopt);
        EXPECT_EQ(call.popup.cbStruct, static_cast<int>(sizeof(HH_POPUP)));
        EXPECT_EQ(call.popupText, "Enter one address per line.");
    }
    EXPECT_EQ(calls[0].popupFont, "Arial, 10, ascii, Bold Underline");
    EXPECT_EQ(calls[0].popup.clrForeground, 0x112233u);
    EXPECT_EQ(calls[0].popup.clrBackground, 0x445566u);
    EXPECT_EQ(calls[1].popupFont, "Tahoma, 12, ascii, Italic ");
    EXPECT_EQ(calls[1].popup.clrForeground, 0x778899u);
    EXPECT_EQ(calls[1].popup.clrBackground, 0xAABBCCu);
    EXPECT_EQ(calls[2].popupFont, "Arial, 10, ascii, ");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpTest, PopupFromATextFileInsideTheHelpFile) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHPopupType(1);
    help.HHPopupFile("cshelp.htm");
    help.HHPopupID(7);
    help.HHDisplayPopup(nullptr);
    ExpectOnlyBox("The file specified as the text popup source, 'cshelp.htm', is not a valid popup file.",
                  MsgBoxStyle::Exclamation);
    EXPECT_TRUE(calls.empty());

    help.HHPopupFile("cshelp.txt");
    help.HHDisplayPopup(nullptr);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].target, chm + "::/cshelp.txt");
    EXPECT_EQ(calls[0].popup.idString, 7u);
    EXPECT_EQ(calls[0].popupText, std::nullopt);
}

TEST_F(HTMLHelpTest, PopupFromTheStringTable) {
    HTMLHelp help;
    help.CHMFile(chm);
    help.HHPopupType(2);
    help.HHPopupID(343);
    help.HHDisplayPopup(nullptr);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].popupText, "help_desktop_varnholt.chm");

    // A string the table does not hold, an empty literal and an unknown
    // source show nothing and say nothing.
    calls.clear();
    help.HHPopupID(1040);
    help.HHDisplayPopup(nullptr);
    help.HHPopupType(4);
    help.HHDisplayPopup(nullptr);
    help.HHPopupType(3);
    help.HHPopupText("text");
    help.HHDisplayPopup(nullptr);
    EXPECT_TRUE(calls.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpTest, JumpURLItemLeavesTheSystemMenu) {
    const HWND window =
        CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    const HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 0xEFFF, "Jump to URL..."));
    ASSERT_NE(GetMenuState(menu, 0xEFFF, MF_BYCOMMAND), static_cast<UINT>(-1));
    const int items = GetMenuItemCount(menu);
    HTMLHelp().HHDeleteJumpURLSysMenu(window);
    EXPECT_EQ(GetMenuState(GetSystemMenu(window, FALSE), 0xEFFF, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(GetMenuItemCount(GetSystemMenu(window, FALSE)), items - 1);
    DestroyWindow(window);
}

// Registration lives in the real registry; each test removes what it wrote.
class HTMLHelpRegistryTest : public HTMLHelpTest {
protected:
    void SetUp() override {
        HTMLHelpTest::SetUp();
        name = "htmlhelp_test_" + std::to_string(GetCurrentProcessId()) + ".chm";
        file = MakeFile(name);
        ASSERT_FALSE(Registered(name).has_value());
    }

    void TearDown() override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRegisteredFilesKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, name.c_str());
            RegCloseKey(key);
        }
        HTMLHelpTest::TearDown();
    }

    // The registered directory of a file, read past the class under test.
    static std::optional<std::string> Registered(const std::string& value, DWORD* type = nullptr) {
        char data[MAX_PATH * 2] = "";
        DWORD size = sizeof data;
        DWORD found = 0;
        if (RegGetValueA(HKEY_LOCAL_MACHINE, kRegisteredFilesKey, value.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &found,
                         data, &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (type) {
            *type = found;
        }
        return std::string(data);
    }

    static void WriteRegistration(const std::string& value, const std::string& directory) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRegisteredFilesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(directory.c_str()),
                       static_cast<DWORD>(directory.size() + 1));
        RegCloseKey(key);
    }

    std::string name;
    std::string file;
};

TEST_F(HTMLHelpRegistryTest, RegisterCheckAndUnregisterAFile) {
    HTMLHelp help;
    EXPECT_FALSE(help.HHCheckRegistry(file));
    EXPECT_EQ(help.HHRegFileName(), "");

    help.HHRegister(file);
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
    DWORD type = 0;
    EXPECT_EQ(Registered(name, &type), dir + "\\");
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

    // The file name counts, in any letter case and from any directory.
    HTMLHelp other;
    std::string upper = name;
    for (char& c : upper) {
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_TRUE(other.HHCheckRegistry("C:\\elsewhere\\" + upper));
    EXPECT_EQ(other.HHRegFileName(), name);
    EXPECT_EQ(other.HHRegFilePath(), dir + "\\");
    EXPECT_TRUE(other.HHRegFileExists());

    help.HHRegister(file);
    ExpectOnlyBox(
        "The file " + file + " is already registered.  HHRegister will not be run as no action need be taken.",
        MsgBoxStyle::Information);

    boxes.clear();
    help.HHUnRegister(file);
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(Registered(name).has_value());
    EXPECT_EQ(help.HHRegFileName(), "");
    EXPECT_EQ(help.HHRegFilePath(), "");
    EXPECT_FALSE(help.HHRegFileExists());

    help.HHUnRegister(file);
    ExpectOnlyBox("The file " + file + " is not registered.  HHUnRegister will not be run as no action need be taken.",
                  MsgBoxStyle::Information);
}

TEST_F(HTMLHelpRegistryTest, RegisteredFileIsFoundByItsBareName) {
    HTMLHelp help;
    help.HHRegister(file);
    std::string path = name;
    EXPECT_TRUE(help.EnsureFileExists(path));
    EXPECT_EQ(path, file);

    help.CHMFile(name);
    help.HHWindow("Main");
    help.HHDisplayTopicURL(nullptr);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].target, file + ">Main");
    EXPECT_TRUE(boxes.empty());
}

// Other installers register the directory without its closing "\".
TEST_F(HTMLHelpRegistryTest, RegisteredDirectoryWithoutClosingBackslash) {
    WriteRegistration(name, dir);
    HTMLHelp help;
    EXPECT_TRUE(help.HHCheckRegistry(name));
    EXPECT_EQ(help.HHRegFilePath(), dir);
    EXPECT_TRUE(help.HHRegFileExists());
    std::string path = name;
    EXPECT_TRUE(help.EnsureFileExists(path));
    EXPECT_EQ(path, file);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpRegistryTest, RegisterRefusesWhatItCannotRegister) {
    // A file that is not there: the warning says so and nothing is written.
    const std::string absent = dir + "\\" + name;
    DeleteFileA(absent.c_str());
    HTMLHelp help;
    help.HHRegister(absent);
    ExpectOnlyBox(Missing(absent), MsgBoxStyle::Exclamation);
    EXPECT_FALSE(Registered(name).has_value());

    boxes.clear();
    help.HHRegister(dir + "\\notes.txt");
    ExpectOnlyBox(dir + "\\notes.txt is not a valid HTML Help file.", MsgBoxStyle::Exclamation);

    boxes.clear();
    help.HHRegister("");
    help.HHUnRegister("");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(HTMLHelpRegistryTest, BareNameNeedsAPathToBeRegistered) {
    const std::string beside = FileSystem::ProgramDirectory() + "\\" + name;
    FileSystem::WriteWholeFile(beside, "ITSF");
    made.push_back(beside);
    HTMLHelp help;
    help.HHRegister(name);
    ExpectOnlyBox("Cannot register " + name + " without having a supplied path.\"", MsgBoxStyle::Exclamation);
    EXPECT_FALSE(Registered(name).has_value());
}

TEST_F(HTMLHelpTest, ViewerTypeLibraryCountsAsInstalled) {
    // Wine registers the viewer's type library, as Windows does.
    EXPECT_TRUE(HTMLHelp().HHInstalled());
    EXPECT_TRUE(boxes.empty());
}

bool KeyPresent(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

// The viewer and browser classes are registered for the test only (the
// prefix has neither) and removed again afterwards.
class HTMLHelpVersionTest : public HTMLHelpTest {
protected:
    void SetUp() override {
        HTMLHelpTest::SetUp();
        ASSERT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, kViewerClass));
        ASSERT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, kBrowserClass));
    }

    void TearDown() override {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kViewerClass);
        RegDeleteTreeA(HKEY_CLASSES_ROOT, kBrowserClass);
        HTMLHelpTest::TearDown();
    }

    static void RegisterServer(const char* classKey, const char* subkey, const std::string& path, DWORD type) {
        HKEY key = nullptr;
        const std::string full = std::string(classKey) + "\\" + subkey;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CLASSES_ROOT, full.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        RegSetValueExA(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>(path.size() + 1));
        RegCloseKey(key);
    }

    static void Register(const std::string& viewer, const std::string& browser, DWORD type = REG_SZ) {
        RegisterServer(kViewerClass, "InprocServer32", viewer, type);
        RegisterServer(kBrowserClass, "InProcServer32", browser, type);
    }

    static std::string Fixture(const char* version) {
        return std::string(HTMLHELP_FIXTURE_DIR) + "\\version_fixture_" + version + ".exe";
    }
};

TEST_F(HTMLHelpVersionTest, UnregisteredViewerAndBrowserAreReported) {
    HTMLHelp help;
    EXPECT_FALSE(help.HHVerifyMinConfig(16, 256));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Hhctrl.ocx is not registered.  Please install HTML Help.");
    EXPECT_EQ(boxes[1].text, "Shdocvw.dll is not registered.  Please install Internet Explorer.");
    for (const MsgBoxRequest& box : boxes) {
        EXPECT_EQ(box.style, MsgBoxStyle::OKOnly | MsgBoxStyle::Critical);
        EXPECT_EQ(box.title, kTitle);
    }
    EXPECT_EQ(help.HHVersion(), "unknown");
    EXPECT_EQ(help.IEVersion(), "unknown");
    // Looking must not register anything on the way.
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, kViewerClass));
    EXPECT_FALSE(KeyPresent(HKEY_CLASSES_ROOT, kBrowserClass));
}

TEST_F(HTMLHelpVersionTest, FilesMissingFromTheirRegisteredPlaceAreReported) {
    Register(dir + "\\hhctrl.ocx", dir + "\\shdocvw.dll");
    HTMLHelp help;
    EXPECT_FALSE(help.HHVerifyMinConfig(16, 256));
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.");
    EXPECT_EQ(boxes[1].text,
              "Internet Explorer is not in its registered location.  Please reinstall Internet Explorer.");
    EXPECT_EQ(boxes[0].style, MsgBoxStyle::OKOnly | MsgBoxStyle::Critical);
}

TEST_F(HTMLHelpVersionTest, InstalledVersionsAreComparedAsNumbers) {
    struct Case {
        const char* viewer;
        std::int32_t viewerCode;
        const char* browser;
        std::int32_t browserCode;
        bool expected;
        const char* hhVersion;
        const char* hhName;
        const char* ieVersion;
        const char* ieName;
    };
    const Case cases[] = {
        // Exactly the minimum the codes name.
        {"4_73_8412_0", 21, "5_0_2614_3500", 269, true, "4.73.8412.0", "1.21", "5.0.2614.3500", "5.0b (Windows 98 SE)"},
        // One release short on the viewer side.
        {"4_73_8412_0", 22, "5_0_2614_3500", 256, false, "4.73.8412.0", "1.21", "5.0.2614.3500",
         "5.0b (Windows 98 SE)"},
        // Version 10 is newer than 4.74 and 5.50, though "1" sorts before "4" as text.
        {"10_0_0_0", 26, "10_0_0_0", 277, true, "10.0.0.0", "unknown", "10.0.0.0", "unknown"},
        // Codes outside their tables.
        {"10_0_0_0", 15, "10_0_0_0", 278, false, "unknown", "unknown", "unknown", "unknown"},
        {"10_0_0_0", 27, "10_0_0_0", 255, false, "unknown", "unknown", "unknown", "unknown"},
    };
    for (const Case& c : cases) {
        Register(Fixture(c.viewer), Fixture(c.browser));
        HTMLHelp help;
        EXPECT_EQ(help.HHVerifyMinConfig(c.viewerCode, c.browserCode), c.expected) << c.viewer << " " << c.viewerCode;
        EXPECT_EQ(help.HHVersion(), c.hhVersion) << c.viewerCode;
        EXPECT_EQ(help.HHFriendlyName(), c.hhName) << c.viewerCode;
        EXPECT_EQ(help.IEVersion(), c.ieVersion) << c.browserCode;
        EXPECT_EQ(help.IEFriendlyName(), c.ieName) << c.browserCode;
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
}

TEST_F(HTMLHelpVersionTest, ShortAndEnvironmentPathsAreFollowed) {
    char shortPath[MAX_PATH] = "";
    ASSERT_NE(GetShortPathNameA(Fixture("4_73_8412_0").c_str(), shortPath, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortPath).find('~'), std::string::npos) << shortPath;
    ASSERT_TRUE(SetEnvironmentVariableA("HTMLHELP_TEST_FIXTURES", HTMLHELP_FIXTURE_DIR));
    RegisterServer(kViewerClass, "InprocServer32", shortPath, REG_SZ);
    RegisterServer(kBrowserClass, "InProcServer32", "%HTMLHELP_TEST_FIXTURES%\\version_fixture_5_0_2614_3500.exe",
                   REG_EXPAND_SZ);
    HTMLHelp help;
    EXPECT_TRUE(help.HHVerifyMinConfig(21, 269));
    EXPECT_EQ(help.HHVersion(), "4.73.8412.0");
    EXPECT_EQ(help.IEVersion(), "5.0.2614.3500");
    EXPECT_TRUE(boxes.empty()) << boxes.front().text;
}

// The compiled help file as the build lays it out.
class ChmFile {
public:
    explicit ChmFile(const std::string& path) {
        static const CLSID kITStorage = {0x5d02926a, 0x212e, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
        static const IID kIITStorage = {0x88cc31de, 0x27ab, 0x11d0, {0x9d, 0xf9, 0x00, 0xa0, 0xc9, 0x22, 0xe6, 0xec}};
        CoInitialize(nullptr);
        IITStorage* its = nullptr;
        if (FAILED(CoCreateInstance(kITStorage, nullptr, CLSCTX_INPROC_SERVER, kIITStorage,
                                    reinterpret_cast<void**>(&its)))) {
            return;
        }
        its->StgOpenStorage(Wide(path).c_str(), nullptr, STGM_READ | STGM_SHARE_DENY_WRITE, nullptr, 0, &storage_);
        its->Release();
    }
    ~ChmFile() {
        if (storage_) {
            storage_->Release();
        }
        CoUninitialize();
    }
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool Open() const { return storage_ != nullptr; }

    // The file's bytes; nullopt when the help file does not hold it.
    std::optional<std::string> Read(const std::string& name) const {
        IStream* stream = nullptr;
        if (FAILED(storage_->OpenStream(Wide(name).c_str(), nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream))) {
            return std::nullopt;
        }
        std::string bytes;
        char buffer[4096];
        ULONG got = 0;
        while (SUCCEEDED(stream->Read(buffer, sizeof buffer, &got)) && got > 0) {
            bytes.append(buffer, got);
        }
        stream->Release();
        return bytes;
    }

private:
    static std::wstring Wide(const std::string& text) {
        std::wstring wide(text.size() + 1, L'\0');
        const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
        wide.resize(length > 0 ? length - 1 : 0);
        return wide;
    }

    IStorage* storage_ = nullptr;
};

std::string HelpFilePath() {
    return DistPath(LoadResText(343));
}

TEST(HelpFile, EveryTopicOfTheStringTableIsInTheHelpFile) {
    std::vector<std::string> topics;
    for (int id = 101; id <= 1737; ++id) {
        try {
            const std::string text = LoadResText(id);
            if (text.rfind("help_", 0) == 0 && text.find(".html") != std::string::npos) {
                topics.push_back(text);
            }
        } catch (const ObjectError&) {
            // ids between the runs of the table
        }
    }
    ASSERT_GE(topics.size(), 31u);

    ChmFile help(HelpFilePath());
    ASSERT_TRUE(help.Open()) << HelpFilePath();
    for (const std::string& topic : topics) {
        const std::size_t hash = topic.find('#');
        const std::string file = topic.substr(0, hash);
        const std::optional<std::string> page = help.Read("/" + file);
        ASSERT_TRUE(page.has_value()) << topic;
        EXPECT_NE(page->find("<title>"), std::string::npos) << file;
        if (hash != std::string::npos) {
            const std::string anchor = "<a name=\"" + topic.substr(hash + 1) + "\">";
            EXPECT_NE(page->find(anchor), std::string::npos) << topic;
        }
    }
    EXPECT_FALSE(help.Read("/help_pp_9z.html").has_value());
}

std::uint32_t DwordAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    if (at + 4 <= bytes.size()) {
        memcpy(&value, bytes.data() + at, 4);
    }
    return value;
}

TEST(HelpFile, DefinesTheWindowTypeMain) {
    ChmFile help(HelpFilePath());
    ASSERT_TRUE(help.Open());
    const std::optional<std::string> windows = help.Read("/#WINDOWS");
    const std::optional<std::string> strings = help.Read("/#STRINGS");
    ASSERT_TRUE(windows.has_value());
    ASSERT_TRUE(strings.has_value());
    // A count and an entry size, then the entries; each names its window
    // type by an offset into the string block.
    const std::uint32_t count = DwordAt(*windows, 0);
    const std::uint32_t size = DwordAt(*windows, 4);
    std::vector<std::string> names;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t offset = DwordAt(*windows, 8 + i * size + 8);
        ASSERT_LT(offset, strings->size());
        names.emplace_back(strings->c_str() + offset);
    }
    EXPECT_EQ(names, std::vector<std::string>{"Main"});
}

}  // namespace
