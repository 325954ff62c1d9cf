#include "UpgradeTestFixture.h"

#include "ModalDialogDriver.h"
#include "SavedRegistryKey.h"
#include "SavedRegistryValue.h"
#include "MsgBox.h"
#include "Resources.h"
#include "frmAboutTessavane.h"
#include "frmAboutTessavaneIds.h"
#include "frmMainIds.h"

namespace {

const char kPathKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kFolderKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
const char kUnavailable[] = "System Information Is Unavailable At This Time";

std::string Text(HWND window) {
    char text[1024] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The kxgif*.gif files in the temporary folder.
int TemporaryLogoFiles() {
    char folder[MAX_PATH] = "";
    GetEnvironmentVariableA("TEMP", folder, MAX_PATH);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(folder) + "\\kxgif*.gif").c_str(), &found);
    int count = 0;
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        ++count;
    }
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
    }
    return count;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

class AboutBox : public UpgradeFixture {
protected:
    static frmAboutTessavane& Box() { return frmAboutTessavane::Instance(); }

    // Shows the box modally and runs the action on it.
    static void ShowWith(const std::function<void(HWND)>& action) {
        ModalDialogDriver driver(IDC_cmdSysInfo, action);
        Box().ShowModal(nullptr);
        EXPECT_TRUE(driver.Ran());
        EXPECT_FALSE(driver.LeftOpen());
        EXPECT_EQ(Box().Window(), nullptr) << "OK unloads the box";
    }
};

TEST_F(AboutBox, LoadsHiddenWithItsTextsFontsAndLogo) {
    const int filesBefore = TemporaryLogoFiles();
    Box().Load(nullptr);
    HWND box = Box().Window();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(box));
    const struct {
        int id;
        std::string text;
    } labels[] = {
        {IDC_lblTitle, "Brindlecote Varnholt"}, {IDC_lblPlatform, "Platform: Windows 2000/XP"},
        {IDC_lblVersion, "Version 4.0"},        {IDC_lblDescription, LoadResText(125)},
        {IDC_Label1, LoadResText(239)},         {IDC_cmdOK, "OK"},
        {IDC_cmdSysInfo, "&System Info..."},
    };
    for (const auto& label : labels) {
        EXPECT_EQ(Text(GetDlgItem(box, label.id)), label.text) << label.id;
    }
    EXPECT_EQ(Text(box), "Brindlecote Varnholt");
    EXPECT_NE(SendMessageA(box, WM_GETICON, ICON_BIG, 0), 0);

    LOGFONTA title{};
    GetObjectA(reinterpret_cast<HFONT>(SendDlgItemMessageA(box, IDC_lblTitle, WM_GETFONT, 0, 0)), sizeof title, &title);
    EXPECT_STREQ(title.lfFaceName, "Arial");
    EXPECT_EQ(title.lfWeight, FW_BOLD);

    const auto logo = reinterpret_cast<HBITMAP>(SendDlgItemMessageA(box, IDC_picIcon, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(BitmapSize(logo).cx, 150);
    EXPECT_EQ(BitmapSize(logo).cy, 50);
    EXPECT_EQ(TemporaryLogoFiles(), filesBefore) << "the logo's temporary file is gone";
    Box().Unload();
    EXPECT_EQ(Box().Window(), nullptr);
}

TEST_F(AboutBox, ShowingLoadsOnlyWhenNotLoadedAndOKUnloads) {
    Box().Load(nullptr);
    HWND loaded = Box().Window();
    ShowWith([&](HWND box) {
        EXPECT_EQ(box, loaded) << "the box loaded at start-up is the one shown";
        Click(box, IDC_cmdOK);
    });
    ShowWith([](HWND box) {
        EXPECT_NE(SendDlgItemMessageA(box, IDC_picIcon, STM_GETIMAGE, IMAGE_BITMAP, 0), 0)
            << "a later showing loads the box, logo included, anew";
        Click(box, IDC_cmdOK);
    });
}

// Escape and the frame's close box unload the box as OK does.
TEST_F(AboutBox, EscapeAndTheCloseBoxUnloadItToo) {
    const struct {
        const char* how;
        void (*close)(HWND);
    } cases[] = {
        {"Escape",
         [](HWND box) {
             MSG escape{GetDlgItem(box, IDC_cmdOK), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
             IsDialogMessageA(box, &escape);
         }},
        {"close box", [](HWND box) { SendMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        Box().Load(nullptr);
        ASSERT_NE(Box().Window(), nullptr) << c.how;
        ShowWindow(Box().Window(), SW_SHOW);
        c.close(Box().Window());
        EXPECT_EQ(Box().Window(), nullptr) << c.how;
        Box().Unload();
    }
}

// The About command of the window's menu shows the box, owned by the window.
TEST_F(UpgradeWindow, TheAboutCommandShowsTheBoxOverTheWindow) {
    ASSERT_FALSE(LoadShowsNotice(""));
    HWND owner = nullptr;
    ModalDialogDriver driver(IDC_cmdSysInfo, [&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        Click(box, IDC_cmdOK);
    });
    Command(IDM_About);
    EXPECT_TRUE(driver.Ran());
    EXPECT_FALSE(driver.LeftOpen());
    EXPECT_EQ(owner, frmMain::Instance().Window());
}

class SystemInformation : public AboutBox {
protected:
    void SetUp() override {
        AboutBox::SetUp();
        CreateDirectoryA(Tools().c_str(), nullptr);
        FileSystem::CopyIntoPlace(DistPath("kxvarnhupdate.exe"), Tools() + "\\msinfo32.exe");
        // What an unquoted start of "...\msinfo tools\msinfo32.exe" would run.
        FileSystem::CopyIntoPlace(DistPath("kxvarnhupdate.exe"), Beside("msinfo.exe"));
        for (const std::string& record : {Tools() + "\\msinfo32.record", Beside("msinfo.record")}) {
            FileSystem::DeleteFileIfPresent(record);
        }
        SetMsgBoxResponder([this](const MsgBoxRequest& box) {
            boxes_.push_back(box.text);
            return MsgBoxResult::OK;
        });
    }
    void TearDown() override {
        SetMsgBoxResponder(nullptr);
        SetEnvironmentVariableA("UPGRADE_TEST_TOOLS", nullptr);
        AboutBox::TearDown();
    }
    static std::string Tools() { return Beside("msinfo tools"); }
    static bool ToolStarted() {
        return WaitUntil([] { return FileSystem::FileExists(Tools() + "\\msinfo32.record"); }, 5000);
    }
    static void PressSystemInfo() {
        ShowWith([](HWND box) {
            Click(box, IDC_cmdSysInfo);
            EXPECT_TRUE(IsWindow(box)) << "the box stays open";
            Click(box, IDC_cmdOK);
        });
    }

    SavedRegistryValue path_{kPathKey, "PATH"};
    SavedRegistryValue folder_{kFolderKey, "MSINFO"};
    std::vector<std::string> boxes_;
};

TEST_F(SystemInformation, StartsTheToolNamedByPathQuoted) {
    path_.SetText(Tools() + "\\msinfo32.exe");
    PressSystemInfo();
    EXPECT_TRUE(ToolStarted());
    EXPECT_FALSE(FileSystem::FileExists(Beside("msinfo.record"))) << "the path's first word was run";
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(SystemInformation, ExpandsAPathOfTypeExpandSz) {
    SetEnvironmentVariableA("UPGRADE_TEST_TOOLS", Tools().c_str());
    path_.SetText("%UPGRADE_TEST_TOOLS%\\msinfo32.exe", REG_EXPAND_SZ);
    PressSystemInfo();
    EXPECT_TRUE(ToolStarted());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(SystemInformation, FindsTheToolInTheSharedToolsFolder) {
    folder_.SetText(Tools());
    PressSystemInfo();
    EXPECT_TRUE(ToolStarted());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(SystemInformation, TellsTheUserWhenThereIsNoToolToStart) {
    const struct {
        const char* what;
        std::string path;
        std::string folder;
    } cases[] = {
        {"neither value", "", ""},
        {"a folder without the tool", "", Beside("conf")},
        {"a path that names nothing", Beside("no such tool.exe"), ""},
    };
    for (const auto& c : cases) {
        boxes_.clear();
        SetUp();
        if (!c.path.empty()) {
            path_.SetText(c.path);
        }
        if (!c.folder.empty()) {
            folder_.SetText(c.folder);
        }
        PressSystemInfo();
        EXPECT_EQ(boxes_, std::vector<std::string>{kUnavailable}) << c.what;
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kPathKey, "PATH");
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kFolderKey, "MSINFO");
        AboutBox::TearDown();
    }
}

// Looking for the tool only reads: neither key it looks in is made.
TEST_F(SystemInformation, LookingForTheToolCreatesNeitherKey) {
    const SavedRegistryKey pathKey(kPathKey);
    const SavedRegistryKey folderKey(kFolderKey);
    PressSystemInfo();
    EXPECT_EQ(boxes_, std::vector<std::string>{kUnavailable});
    for (const char* key : {kPathKey, kFolderKey}) {
        EXPECT_FALSE(SavedRegistryKey::Present(key)) << key;
    }
}

TEST(GetKeyValue, ReadsTextsAndNumbersAndAnswersFalseForWhatIsNotThere) {
    const char key[] = "Software\\Brindlecote Upgrade Test";
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "withNul", REG_SZ, "abc", 4);
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "withoutNul", REG_SZ, "abcd", 4);
    const DWORD number = 0x1001;
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "number", REG_DWORD, &number, sizeof number);
    // Longer than any fixed buffer a reader might guess: a path deep in folders.
    const std::string longText = "C:\\" + std::string(3000, 'p') + "\\msinfo32.exe";
    RegSetKeyValueA(HKEY_CURRENT_USER, key, "long", REG_SZ, longText.c_str(), static_cast<DWORD>(longText.size() + 1));
    const struct {
        const char* name;
        bool found;
        std::string text;
    } cases[] = {
        {"withNul", true, "abc"}, {"withoutNul", true, "abcd"}, {"number", true, "4097"},
        {"long", true, longText}, {"missing", false, ""},
    };
    for (const auto& c : cases) {
        std::string text = "old";
        EXPECT_EQ(frmAboutTessavane::GetKeyValue(HKEY_CURRENT_USER, key, c.name, text), c.found) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
    std::string text = "old";
    EXPECT_FALSE(frmAboutTessavane::GetKeyValue(HKEY_CURRENT_USER, "Software\\No Such Key Here", "x", text));
    EXPECT_EQ(text, "");
    EXPECT_FALSE(SavedRegistryKey::Present("Software\\No Such Key Here", HKEY_CURRENT_USER));
    RegDeleteTreeA(HKEY_CURRENT_USER, key);
}

class GifLoader : public ::testing::Test {
protected:
    void SetUp() override {
        picture_ = CreateWindowA("Static", "", SS_BITMAP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
        before_ = CreateBitmap(3, 3, 1, 32, nullptr);
        SendMessageA(picture_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(before_));
    }
    void TearDown() override { DestroyWindow(picture_); }
    HBITMAP Picture() const { return reinterpret_cast<HBITMAP>(SendMessageA(picture_, STM_GETIMAGE, IMAGE_BITMAP, 0)); }

    HWND picture_ = nullptr;
    HBITMAP before_ = nullptr;
};

TEST_F(GifLoader, PutsTheLogoInThePictureAndLeavesNoFileBehind) {
    const int filesBefore = TemporaryLogoFiles();
    modMain::LoadGifResource(picture_, "TESSAVANE-ANTI-SPAM");
    ASSERT_NE(Picture(), before_);
    EXPECT_EQ(BitmapSize(Picture()).cx, 150);
    EXPECT_EQ(TemporaryLogoFiles(), filesBefore);
}

TEST_F(GifLoader, AFailureKeepsThePictureAndDeletesTheFile) {
    const int filesBefore = TemporaryLogoFiles();
    for (const char* name : {"BROKEN-LOGO", "NO-SUCH-LOGO"}) {
        modMain::LoadGifResource(picture_, name);
        EXPECT_EQ(Picture(), before_) << name;
        EXPECT_EQ(TemporaryLogoFiles(), filesBefore) << name;
    }
}

}  // namespace
