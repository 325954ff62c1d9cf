#include "ResourcePictures.h"
#include "Resources.h"
#include "StringIds.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

struct Caption {
    int control;
    int text;
};

// Steps that are more than a caption.
constexpr int kPlatformLabel = -1;
constexpr int kRuleUpdateItems = -2;
constexpr int kScanFrequencyItems = -3;
constexpr int kTrainingProgress = -4;

// Every caption the load sets, page by page, in the order it sets them.
const Caption kCaptions[] = {
    // Start page.
    {IDC_lblTitle, 101},
    {IDC_lblVersion, 124},
    {IDC_lblCopyright1, 125},
    {IDC_lblCopyright2, 239},
    {IDC_cmdUserManual, 284},
    {IDC_cmdFAQ, 285},
    {IDC_Label56, 286},
    {IDC_Label57, 287},
    {kPlatformLabel, 0},
    // General, listening port, start-up, upgrades, rule updates, network check.
    {IDC_picFrame_1, 281},
    {IDC_Label41, 282},
    {IDC_picFrame_2, 194},
    {IDC_Label1, 194},
    {IDC_Label2, 195},
    {IDC_picFrame_3, 336},
    {IDC_Label25, 196},
    {IDC_picFrame_4, 337},
    {IDC_Label26, 197},
    {IDC_picFrame_5, 338},
    {IDC_Label5, 198},
    {IDC_Label27, 352},
    {kRuleUpdateItems, 0},
    {IDC_picFrame_6, 272},
    {IDC_Label6, 222},
    // Subject modification, flagging and the mail client's threshold.
    {IDC_picFrame_7, 273},
    {IDC_Label7, 199},
    {IDC_Label8, 200},
    {IDC_Label9, 221},
    {IDC_optSubjMod4, 201},
    {IDC_optSubjMod3, 202},
    {IDC_optSubjMod2, 203},
    {IDC_optSubjMod1, 204},
    {IDC_picFrame_8, 274},
    {IDC_Label11, 205},
    {IDC_Label12, 200},
    {IDC_Label13, 221},
    {IDC_optFlag4, 201},
    {IDC_optFlag3, 202},
    {IDC_optFlag2, 203},
    {IDC_optFlag1, 204},
    {IDC_picFrame_30, 419},
    {IDC_lblOESpamThresholdFilterDesc, 420},
    {IDC_lblOESpamThresholdMoreAggressive, 200},
    {IDC_lblOESpamThreshholdLessAggressive, 221},
    {IDC_optOESpamThresholdMod4, 201},
    {IDC_optOESpamThresholdMod3, 202},
    {IDC_optOESpamThresholdMod2, 203},
    {IDC_optOESpamThresholdMod1, 204},
    {IDC_lblEnableBAConfirmation, 417},
    // Timeout, proxy, "to me" addresses, mail-store scan.
    {IDC_picFrame_9, 275},
    {IDC_Label15, 206},
    {IDC_Label16, 207},
    {IDC_picFrame_10, 276},
    {IDC_Label17, 208},
    {IDC_Label18, 209},
    {IDC_Label19, 210},
    {IDC_picFrame_11, 277},
    {IDC_Label20, 211},
    {IDC_cmdAddToAddress, 212},
    {IDC_cmdEditToAddress, 213},
    {IDC_cmdDeleteToAddress, 214},
    {IDC_picFrame_12, 278},
    {IDC_Label21, 215},
    {IDC_chkDoNotRemoveScanned, 216},
    {IDC_Label22, 217},
    {IDC_Label23, 218},
    {IDC_Label24, 219},
    {IDC_cmdOEScanNow, 220},
    {kScanFrequencyItems, 0},
    // Approve options and their pages.
    {IDC_picFrame_21, 339},
    {IDC_Label43, 312},
    {IDC_Label44, 316},
    {IDC_Label45, 313},
    {IDC_Label46, 314},
    {IDC_Label47, 304},
    {IDC_Label28, 120},
    {IDC_Label29, 356},
    {IDC_picFrame_13, 171},
    {IDC_Label3, 224},
    {IDC_cmdAddApproved, 212},
    {IDC_cmdEditApproved, 213},
    {IDC_cmdDeleteApproved, 214},
    {IDC_cmdImportApproved, 230},
    {IDC_cmdExportApproved, 231},
    {IDC_picFrame_15, 303},
    {IDC_Label48, 304},
    {IDC_cmdAddApprovedIP, 212},
    {IDC_cmdEditApprovedIP, 213},
    {IDC_cmdDelApprovedIP, 214},
    {IDC_cmdHelpSpecifyIPApproved, 348},
    // Block options and their pages.
    {IDC_picFrame_22, 340},
    {IDC_Label32, 382},
    {IDC_Label49, 315},
    {IDC_Label50, 316},
    {IDC_Label51, 355},
    {IDC_Label52, 317},
    {IDC_Label53, 307},
    {IDC_Label54, 318},
    {IDC_Label55, 319},
    {IDC_Label61, 314},
    {IDC_Label62, 309},
    {IDC_Label30, 302},
    {IDC_Label31, 357},
    {IDC_picFrame_14, 172},
    {IDC_Label4, 223},
    {IDC_cmdAddBlocked, 212},
    {IDC_cmdEditBlocked, 213},
    {IDC_cmdDeleteBlocked, 214},
    {IDC_cmdImportBlocked, 230},
    {IDC_cmdExportBlocked, 231},
    {IDC_picFrame_16, 306},
    {IDC_Label63, 307},
    {IDC_cmdBlockCharsetsCheckAll, 358},
    {IDC_cmdBlockCharsetsUncheckAll, 359},
    {IDC_cmdBlockedCharsetReset, 140},
    {IDC_picFrame_17, 308},
    {IDC_Label77, 309},
    {IDC_cmdAddBlockedIP, 212},
    {IDC_cmdEditBlockedIP, 213},
    {IDC_cmdDeleteBlockedIP, 214},
    {IDC_cmdHelpSpecifyIPBlocked, 348},
    {IDC_picFrame_18, 291},
    {IDC_Label10, 292},
    {IDC_cmdCountryCheckAll, 358},
    {IDC_cmdCountryUncheckAll, 359},
    {IDC_cmdCountryReset, 140},
    {IDC_picFrame_19, 293},
    {IDC_Label14, 294},
    {IDC_cmdAddRBL, 212},
    {IDC_cmdDeleteRBL, 214},
    // Ignore lists and their pages.
    {IDC_picFrame_25, 342},
    {IDC_Label74, 325},
    {IDC_Label75, 314},
    {IDC_Label76, 326},
    {IDC_Label33, 316},
    {IDC_Label34, 432},
    {IDC_Label35, 318},
    {IDC_Label36, 434},
    {IDC_cmdHelpSpecifyIP, 348},
    {IDC_picFrame_34, 431},
    {IDC_lblIgnoredSenders, 432},
    {IDC_cmdAddIgnoredSender, 212},
    {IDC_cmdEditIgnoredSender, 213},
    {IDC_cmdDeleteIgnoredSender, 214},
    {IDC_picFrame_35, 433},
    {IDC_lblIgnoredCountriesDesc, 434},
    {IDC_cmdIgnoredCountryCheckAll, 358},
    {IDC_cmdIgnoredCountryUncheckAll, 359},
    {IDC_cmdIgnoredCountryReset, 140},
    {IDC_picFrame_28, 333},
    {IDC_Label79, 334},
    // The buttons below the pages, then the rest of the ignored-IP page.
    {IDC_cmdOK2, 137},
    {IDC_cmdStartStop, 184},
    {IDC_cmdOK, 170},
    {IDC_cmdCancel, 147},
    {IDC_cmdHelp, 169},
    {IDC_cmdAddIgnoreIP, 212},
    {IDC_cmdEditIgnoreIP, 213},
    {IDC_cmdDeleteIgnoreIP, 214},
    // Advanced, mail-client and proxy groups, word training, rules, expert pages.
    {IDC_picFrame_23, 297},
    {IDC_Label60, 320},
    {IDC_picFrame_31, 424},
    {IDC_lblOEOptions, 423},
    {IDC_picFrame_33, 427},
    {IDC_lblEnableOEPlugin, 428},
    {IDC_picFrame_32, 425},
    {IDC_lblPOPProxyOptions, 426},
    {IDC_picFrame_20, 295},
    {IDC_Label71, 310},
    {IDC_Label72, 311},
    {IDC_lblTrainingWeight, 394},
    {IDC_optHighTrainingWeight, 395},
    {IDC_optLowTrainingWeight, 396},
    {IDC_lblApproveTraining, 383},
    {IDC_lblBlockTraining, 384},
    {kTrainingProgress, 0},
    {IDC_chkEnableExtendedRules, 328},
    {IDC_lblEnableRulesDescription, 397},
    {IDC_picFrame_27, 335},
    {IDC_chkRBLMultiHit, 329},
    {IDC_Label80, 330},
    {IDC_Label81, 331},
    {IDC_Label82, 332},
    {IDC_picFrame_24, 341},
    {IDC_Label69, 321},
    {IDC_Label67, 322},
    {IDC_Label65, 323},
    {IDC_Label66, 324},
    {IDC_chkAddScoringSummary, 398},
};

}  // namespace

namespace {

void SetText(HWND control, int text) {
    SetWindowTextA(control, LoadResText(text).c_str());
}

void FillCombo(HWND combo, std::initializer_list<int> items) {
    for (int item : items) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LoadResText(item).c_str()));
    }
}

// The menu-bar position of the pop-up menu that holds the item.
int PopupHolding(HMENU bar, int item) {
    for (int i = 0; i < GetMenuItemCount(bar); ++i) {
        HMENU popup = GetSubMenu(bar, i);
        if (popup && GetMenuState(popup, item, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            return i;
        }
    }
    return -1;
}

void SetMenuText(HMENU menu, UINT item, bool byPosition, const std::string& text) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, item, byPosition, &info);
}

void LoadMenuCaptions(HMENU bar) {
    SetMenuText(bar, PopupHolding(bar, IDM_mnuViewLogFile), true, LoadResText(kStrLogsMenu));
    SetMenuText(bar, IDM_mnuStats, false, LoadResText(kStrViewStatistics));
    SetMenuText(bar, IDM_mnuViewLogFile, false, LoadResText(kStrViewLogFile));
    SetMenuText(bar, IDM_mnuEventViewer, false, LoadResText(kStrEventViewer));
    SetMenuText(bar, PopupHolding(bar, IDM_mnuUpdates), true, LoadResText(kStrToolsMenu));
    SetMenuText(bar, IDM_mnuUpdates, false, LoadResText(kStrCheckForUpdates));
    SetMenuText(bar, IDM_mnuReportBugs, false, LoadResText(kStrReportBug));
    SetMenuText(bar, IDM_mnuOEAccountWizard, false, LoadResText(kStrAccountWizardMenu));
    // Appended, not "&" + text: GCC 12 wrongly warns that the copy into the
    // front of the string may overlap (-Wrestrict).
    SetMenuText(bar, PopupHolding(bar, IDM_mnuHelp), true, std::string("&").append(LoadResText(kStrHelpMenu)));
    SetMenuText(bar, IDM_mnuHelp, false, LoadResText(kStrHelpContents));
    SetMenuText(bar, IDM_About, false, LoadResText(kStrAboutMenu));
}

}  // namespace

void frmMain::LoadCaptions() {
    // Any failure ends the captions where they are: the rest keep their design texts.
    try {
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadResIcon(101)));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadResIcon(101)));
        SetText(hwnd_, 108);
        HMENU bar = GetMenu(hwnd_);
        LoadMenuCaptions(bar);
        modMain::LoadGifResource(Control(IDC_picTessavaneLogo), "TESSAVANE-ANTI-SPAM");
        for (const Caption& caption : kCaptions) {
            switch (caption.control) {
                case kPlatformLabel:
                    SetText(Control(IDC_lblPlatform), modMain::gPlatformId == 2 ? 123 : 122);
                    break;
                case kRuleUpdateItems:
                    FillCombo(Control(IDC_cmbRuleUpdFreq), {225, 226, 227, 228, 229});
                    break;
                case kScanFrequencyItems:
                    FillCombo(Control(IDC_cmbOEScanFrequency), {232, 233, 234});
                    break;
                case kTrainingProgress:
                    fields_.UpdateTrainingProgress();
                    break;
                default:
                    SetText(Control(caption.control), caption.text);
                    break;
            }
        }
        // Windows 9x keeps a log file; the NT family has the event viewer.
        DeleteMenu(bar, modMain::gPlatformId == 1 ? IDM_mnuEventViewer : IDM_mnuViewLogFile, MF_BYCOMMAND);
        DrawMenuBar(hwnd_);
    } catch (const std::exception&) {
    }
}
