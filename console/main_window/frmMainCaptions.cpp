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
    {IDC_lblTitle, kStrProductTitle},
    {IDC_lblVersion, kStrAboutVersion},
    {IDC_lblCopyright1, kStrAboutCopyright},
    {IDC_lblCopyright2, kStrAboutPortions},
    {IDC_cmdUserManual, kStrUserManual},
    {IDC_cmdFAQ, kStrFAQ},
    {IDC_Label56, kStrUserManualHint},
    {IDC_Label57, kStrFAQHint},
    {kPlatformLabel, 0},
    // General, listening port, start-up, upgrades, rule updates, network check.
    {IDC_picFrame_1, kStrGeneralOptionsFrame},
    {IDC_Label41, kStrGeneralOptionsHint},
    {IDC_picFrame_2, kStrInboundListeningPort},
    {IDC_Label1, kStrInboundListeningPort},
    {IDC_Label2, kStrListeningPortHint},
    {IDC_picFrame_3, kStrLoadAdminConsole},
    {IDC_Label25, kStrLoadInTrayHint},
    {IDC_picFrame_4, kStrUpgradeNotice},
    {IDC_Label26, kStrUpgradeNoticeHint},
    {IDC_picFrame_5, kStrRuleUpdates},
    {IDC_Label5, kStrRuleUpdateFrequency},
    {IDC_Label27, kStrRuleUpdatesHint},
    {kRuleUpdateItems, 0},
    {IDC_picFrame_6, kStrSpamNetworkCheck},
    {IDC_Label6, kStrNetworkCheckHint},
    // Subject modification, flagging and the mail client's threshold.
    {IDC_picFrame_7, kStrSubjectModification},
    {IDC_Label7, kStrSubjectTagThreshold},
    {IDC_Label8, kStrMoreAggressive},
    {IDC_Label9, kStrLessAggressive},
    {IDC_optSubjMod4, kStrExclusive},
    {IDC_optSubjMod3, kStrAggressive},
    {IDC_optSubjMod2, kStrModerate},
    {IDC_optSubjMod1, kStrLenient},
    {IDC_picFrame_8, kStrSpamFlagging},
    {IDC_Label11, kStrFlagHeaderThreshold},
    {IDC_Label12, kStrMoreAggressive},
    {IDC_Label13, kStrLessAggressive},
    {IDC_optFlag4, kStrExclusive},
    {IDC_optFlag3, kStrAggressive},
    {IDC_optFlag2, kStrModerate},
    {IDC_optFlag1, kStrLenient},
    {IDC_picFrame_30, kStrMailClientThreshold},
    {IDC_lblOESpamThresholdFilterDesc, kStrMailClientThresholdHint},
    {IDC_lblOESpamThresholdMoreAggressive, kStrMoreAggressive},
    {IDC_lblOESpamThreshholdLessAggressive, kStrLessAggressive},
    {IDC_optOESpamThresholdMod4, kStrExclusive},
    {IDC_optOESpamThresholdMod3, kStrAggressive},
    {IDC_optOESpamThresholdMod2, kStrModerate},
    {IDC_optOESpamThresholdMod1, kStrLenient},
    {IDC_lblEnableBAConfirmation, kStrConfirmationHint},
    // Timeout, proxy, "to me" addresses, mail-store scan.
    {IDC_picFrame_9, kStrSpamScoringTimeout},
    {IDC_Label15, kStrSpamCheckTimeout},
    {IDC_Label16, kStrSeconds},
    {IDC_picFrame_10, kStrProxyServerSupport},
    {IDC_Label17, kStrProxyServerHint},
    {IDC_Label18, kStrProxyServer},
    {IDC_Label19, kStrProxyPortField},
    {IDC_picFrame_11, kStrMyEmailAddressesFrame},
    {IDC_Label20, kStrToMeHint},
    {IDC_cmdAddToAddress, kStrAddButton},
    {IDC_cmdEditToAddress, kStrEditButton},
    {IDC_cmdDeleteToAddress, kStrDeleteButton},
    {IDC_picFrame_12, kStrScanFolders},
    {IDC_Label21, kStrFolderScanHint},
    {IDC_chkDoNotRemoveScanned, kStrKeepScannedAddresses},
    {IDC_Label22, kStrScanFoldersEvery},
    {IDC_Label23, kStrBlockFolderName},
    {IDC_Label24, kStrApproveFolderName},
    {IDC_cmdOEScanNow, kStrScanNow},
    {kScanFrequencyItems, 0},
    // Approve options and their pages.
    {IDC_picFrame_21, kStrApproveOptions},
    {IDC_Label43, kStrApproveOptionsHint},
    {IDC_Label44, kStrSenders},
    {IDC_Label45, kStrApproveMistakeHint},
    {IDC_Label46, kStrIPAddresses},
    {IDC_Label47, kStrApprovedIPsHint},
    {IDC_Label28, kStrMyEmailAddresses},
    {IDC_Label29, kStrToMeOptionHint},
    {IDC_picFrame_13, kStrApprovedSenders},
    {IDC_Label3, kStrApprovedSendersHint},
    {IDC_cmdAddApproved, kStrAddButton},
    {IDC_cmdEditApproved, kStrEditButton},
    {IDC_cmdDeleteApproved, kStrDeleteButton},
    {IDC_cmdImportApproved, kStrImport},
    {IDC_cmdExportApproved, kStrExport},
    {IDC_picFrame_15, kStrApprovedIPs},
    {IDC_Label48, kStrApprovedIPsHint},
    {IDC_cmdAddApprovedIP, kStrAddButton},
    {IDC_cmdEditApprovedIP, kStrEditButton},
    {IDC_cmdDelApprovedIP, kStrDeleteButton},
    {IDC_cmdHelpSpecifyIPApproved, kStrIPHelpButton},
    // Block options and their pages.
    {IDC_picFrame_22, kStrBlockOptions},
    {IDC_Label32, kStrLanguages},
    {IDC_Label49, kStrBlockedCharsetsHint},
    {IDC_Label50, kStrSenders},
    {IDC_Label51, kStrBlockedSendersUseHint},
    {IDC_Label52, kStrCharacterSets},
    {IDC_Label53, kStrBlockedLanguagesHint},
    {IDC_Label54, kStrCountries},
    {IDC_Label55, kStrCountriesHint},
    {IDC_Label61, kStrIPAddresses},
    {IDC_Label62, kStrBlockedIPsHint},
    {IDC_Label30, kStrPublicBlacklists},
    {IDC_Label31, kStrPublicBlacklistsUseHint},
    {IDC_picFrame_14, kStrBlockedSenders},
    {IDC_Label4, kStrBlockedSendersHint},
    {IDC_cmdAddBlocked, kStrAddButton},
    {IDC_cmdEditBlocked, kStrEditButton},
    {IDC_cmdDeleteBlocked, kStrDeleteButton},
    {IDC_cmdImportBlocked, kStrImport},
    {IDC_cmdExportBlocked, kStrExport},
    {IDC_picFrame_16, kStrBlockedLanguages},
    {IDC_Label63, kStrBlockedLanguagesHint},
    {IDC_cmdBlockCharsetsCheckAll, kStrSelectAll},
    {IDC_cmdBlockCharsetsUncheckAll, kStrClearAll},
    {IDC_cmdBlockedCharsetReset, kStrReset},
    {IDC_picFrame_17, kStrBlockedIPs},
    {IDC_Label77, kStrBlockedIPsHint},
    {IDC_cmdAddBlockedIP, kStrAddButton},
    {IDC_cmdEditBlockedIP, kStrEditButton},
    {IDC_cmdDeleteBlockedIP, kStrDeleteButton},
    {IDC_cmdHelpSpecifyIPBlocked, kStrIPHelpButton},
    {IDC_picFrame_18, kStrBlockedCountries},
    {IDC_Label10, kStrBlockedCountriesHint},
    {IDC_cmdCountryCheckAll, kStrSelectAll},
    {IDC_cmdCountryUncheckAll, kStrClearAll},
    {IDC_cmdCountryReset, kStrReset},
    {IDC_picFrame_19, kStrPublicBlacklistsFrame},
    {IDC_Label14, kStrPublicBlacklistsHint},
    {IDC_cmdAddRBL, kStrAddButton},
    {IDC_cmdDeleteRBL, kStrDeleteButton},
    // Ignore lists and their pages.
    {IDC_picFrame_25, kStrIgnoreLists},
    {IDC_Label74, kStrIgnoreListsHint},
    {IDC_Label75, kStrIPAddresses},
    {IDC_Label76, kStrIgnoredIPsHint},
    {IDC_Label33, kStrSenders},
    {IDC_Label34, kStrIgnoredSendersHint},
    {IDC_Label35, kStrCountries},
    {IDC_Label36, kStrIgnoredCountriesHint},
    {IDC_cmdHelpSpecifyIP, kStrIPHelpButton},
    {IDC_picFrame_34, kStrIgnoredSenders},
    {IDC_lblIgnoredSenders, kStrIgnoredSendersHint},
    {IDC_cmdAddIgnoredSender, kStrAddButton},
    {IDC_cmdEditIgnoredSender, kStrEditButton},
    {IDC_cmdDeleteIgnoredSender, kStrDeleteButton},
    {IDC_picFrame_35, kStrIgnoredCountries},
    {IDC_lblIgnoredCountriesDesc, kStrIgnoredCountriesHint},
    {IDC_cmdIgnoredCountryCheckAll, kStrSelectAll},
    {IDC_cmdIgnoredCountryUncheckAll, kStrClearAll},
    {IDC_cmdIgnoredCountryReset, kStrReset},
    {IDC_picFrame_28, kStrIgnoredIPs},
    {IDC_Label79, kStrIgnoredIPsListHint},
    // The buttons below the pages, then the rest of the ignored-IP page.
    {IDC_cmdOK2, kStrOK},
    {IDC_cmdStartStop, kStrStartDaemon},
    {IDC_cmdOK, kStrApply},
    {IDC_cmdCancel, kStrCancel},
    {IDC_cmdHelp, kStrHelpButton},
    {IDC_cmdAddIgnoreIP, kStrAddButton},
    {IDC_cmdEditIgnoreIP, kStrEditButton},
    {IDC_cmdDeleteIgnoreIP, kStrDeleteButton},
    // Advanced, mail-client and proxy groups, word training, rules, expert pages.
    {IDC_picFrame_23, kStrAdvancedOptionsFrame},
    {IDC_Label60, kStrAdvancedOptionsHint},
    {IDC_picFrame_31, kStrMailClientOptions},
    {IDC_lblOEOptions, kStrMailClientOptionsHint},
    {IDC_picFrame_33, kStrEnableMailClientPlugin},
    {IDC_lblEnableOEPlugin, kStrMailClientPluginHint},
    {IDC_picFrame_32, kStrPOPProxyOptions},
    {IDC_lblPOPProxyOptions, kStrPOPProxyOptionsHint},
    {IDC_picFrame_20, kStrEnableWordTraining},
    {IDC_Label71, kStrMaxWordEntries},
    {IDC_Label72, kStrMinimumTraining},
    {IDC_lblTrainingWeight, kStrTrainingWeight},
    {IDC_optHighTrainingWeight, kStrHigh},
    {IDC_optLowTrainingWeight, kStrLow},
    {IDC_lblApproveTraining, kStrApproveTraining},
    {IDC_lblBlockTraining, kStrBlockTraining},
    {kTrainingProgress, 0},
    {IDC_chkEnableExtendedRules, kStrEnableExtendedRules},
    {IDC_lblEnableRulesDescription, kStrExtendedRulesHint},
    {IDC_picFrame_27, kStrRBLExpertOptions},
    {IDC_chkRBLMultiHit, kStrEnableRBLMultiHit},
    {IDC_Label80, kStrRBLTimeout},
    {IDC_Label81, kStrRBLMaxIPs},
    {IDC_Label82, kStrRBLThreshold},
    {IDC_picFrame_24, kStrExpertOptions},
    {IDC_Label69, kStrAutoTrainingThreshold},
    {IDC_Label67, kStrNetcheckThreshold},
    {IDC_Label65, kStrMessageReadSize},
    {IDC_Label66, kStrMessageScanSize},
    {IDC_chkAddScoringSummary, kStrAddScoringSummary},
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
        ShowProgramIcon(hwnd_);
        SetText(hwnd_, kStrMainWindowCaption);
        HMENU bar = GetMenu(hwnd_);
        LoadMenuCaptions(bar);
        modMain::LoadGifResource(Control(IDC_picTessavaneLogo), "TESSAVANE-ANTI-SPAM");
        for (const Caption& caption : kCaptions) {
            switch (caption.control) {
                case kPlatformLabel:
                    SetText(Control(IDC_lblPlatform), modMain::gPlatformId == 2 ? kStrAboutPlatform : kStrPlatform9x);
                    break;
                case kRuleUpdateItems:
                    FillCombo(Control(IDC_cmbRuleUpdFreq),
                              {kStrEvery15Minutes, kStrEveryHour, kStrEveryDay, kStrEveryWeek, kStrEveryMonth});
                    break;
                case kScanFrequencyItems:
                    FillCombo(Control(IDC_cmbOEScanFrequency), {kStrHalfHour, kStrHour, kStrDay});
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
        // Silent by design: a text that cannot be set ends the captions, the
        // controls after it keep their design texts, and the window loads on
        // as usable as before; no box or log line is worth that at start-up.
    }
}
