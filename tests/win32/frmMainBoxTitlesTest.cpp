#include <functional>
#include <string>

#include "SettingsWindowFixture.h"

namespace {

// Each box reached as the user reaches it, through the window's own messages.
class BoxTitles : public SettingsWindow {
protected:
    static void SetUpTestSuite() {
        SettingsWindow::SetUpTestSuite();
        OpenSuiteWindow("listen_port=110\r\n");
    }

    static void Command(int id, int code = 0) {
        const HWND control = id < IDM_mnuViewLogFile ? Control(id) : nullptr;
        SendMessageA(Form().Window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
        Pump();
    }
};

TEST_F(BoxTitles, BoxesTitledString101KeepItAndTheOthersCarryTheProgramsTitle) {
    const std::string product = "Brindlecote Varnholt";
    const std::string console = "Brindlecote Admin Console";
    struct Case {
        const char* text;
        std::string title;
        std::function<void()> raise;
    };
    const Case cases[] = {
        {"Please select an address to edit", product, [] { Command(IDC_cmdEditApproved, BN_CLICKED); }},
        {"Please select an I.P. range to edit.", product, [] { Command(IDC_cmdEditApprovedIP, BN_CLICKED); }},
        {"Please enter a numeric value.", product,
         [] {
             Type(IDC_txtMaxWordEntries, "");
             Command(IDC_txtMaxWordEntries, EN_KILLFOCUS);
             // Mended, so the next command is not taken for the click that left the box.
             Type(IDC_txtMaxWordEntries, "5");
         }},
        {"Your Outlook Express block folder can not be the same as your approve folder.", console,
         [] {
             Type(IDC_txtOEApproveFolderName, "Spam");
             Type(IDC_txtOEBlockFolderName, "SPAM");
             Command(IDC_txtOEBlockFolderName, EN_KILLFOCUS);
         }},
        {"There are currently no logs available", console,
         [] {
             DeleteFileA(ProgramPath("report.txt").c_str());
             Command(IDM_mnuViewLogFile);
         }},
        {"Sorry, but the Outlook Express Account Configuration Wizard only supports Outlook Express version 5 and "
         "above.",
         console,
         [] {
             const int version = modMain::gOEMajorVersion;
             modMain::gOEMajorVersion = 4;
             Command(IDM_mnuOEAccountWizard);
             modMain::gOEMajorVersion = version;
         }},
    };
    for (const Case& c : cases) {
        boxes.clear();
        c.raise();
        ASSERT_EQ(boxes.size(), 1u) << c.text;
        EXPECT_EQ(boxes[0].text, c.text);
        EXPECT_EQ(boxes[0].title, c.title) << c.text;
    }
}

}  // namespace
