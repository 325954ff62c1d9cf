#include "FieldPages.h"

#include "DaemonControl.h"
#include "FieldRules.h"
#include "KXProxyConf.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StatsFigures.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "ThresholdRules.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

using FieldRules::FieldKind;

constexpr int kPages[] = {2, 5, 9, 10, 12, 20, 24, 26, 27};

struct CheckedBox {
    int id;
    FieldKind kind;
    int title;
};

const CheckedBox kCheckedBoxes[] = {
    {IDC_txtInPort, FieldKind::Port, kStrInboundPortField},
    {IDC_txtMaxTimeoutSpamChk, FieldKind::Count, kStrMaximumTimeoutField},
    {IDC_txtProxyPort, FieldKind::Port, kStrProxyPortField},
    {IDC_txtMaxWordEntries, FieldKind::Count, kStrProductTitle},
    {IDC_txtMinTraining, FieldKind::Count, kStrProductTitle},
    {IDC_txtMinAutoTrainingThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMaxAutoTrainingThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMinNetcheckThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMaxNetcheckThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMinRBLThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMaxRBLThreshold, FieldKind::Number, kStrProductTitle},
    {IDC_txtMaxRBLIPs, FieldKind::Count, kStrProductTitle},
    {IDC_txtRBLTimeout, FieldKind::Count, kStrProductTitle},
};

struct ThresholdBox {
    int id;
    const char* node;
    int title;
};

const ThresholdBox kThresholdBoxes[] = {
    {IDC_txtMsgModThreshold, "SpamFlagging", kStrFlaggingThresholdField},
    {IDC_txtSubjModThreshold, "SubjectModification", kStrSubjectThresholdField},
    {IDC_txtOESpamThreshold, "OESpamThreshold", kStrMailClientThresholdField},
};

}  // namespace

std::span<const int> FieldPages::Pages() const {
    return kPages;
}

bool FieldPages::OnCommand(int id, int code) {
    if (OnTextBoxCommand(id, code)) {
        return true;
    }
    if (code == CBN_SELCHANGE && (id == IDC_cmbRuleUpdFreq || id == IDC_cmbOEScanFrequency)) {
        MarkSettingsChanged(id == IDC_cmbRuleUpdFreq);
        return true;
    }
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_cmdOEScanNow:
            window_.Daemon().cmdOEScanNow_Click();
            return true;
        case IDC_chkAddScoringSummary:
        case IDC_chkEnableExtendedRules:
        case IDC_chkRBLMultiHit:
        case IDC_optHighTrainingWeight:
        case IDC_optLowTrainingWeight:
            MarkSettingsChanged(true);
            return true;
        case IDC_chkDoNotRemoveScanned:
            MarkSettingsChanged(false);
            return true;
        default:
            return false;
    }
}

bool FieldPages::ValidateField(int id) {
    HWND box = Control(id);
    if (id == IDC_txtOEApproveFolderName || id == IDC_txtOEBlockFolderName) {
        if (FieldRules::SameFolders(WindowText(Control(IDC_txtOEApproveFolderName)),
                                    WindowText(Control(IDC_txtOEBlockFolderName)))) {
            mFieldsValid = false;
            MsgBox(LoadResText(kStrBlockApproveSameFolder), MsgBoxStyle::OKOnly, ProgramTitle());
            return false;
        }
        return true;
    }
    for (const ThresholdBox& threshold : kThresholdBoxes) {
        if (threshold.id != id) {
            continue;
        }
        if (TrimSpaces(WindowText(box)).empty()) {
            SetWindowTextA(box, "0");
        }
        const std::string text = WindowText(box);
        if (!FieldRules::Acceptable(FieldKind::Number, text)) {
            return RefuseField(id, kStrNumericValue, threshold.title);
        }
        // The daemon knows no threshold outside 1-100; one that is off is never read.
        if (window_.NodeImage(threshold.node) == OptionTree::kImageOn && !ThresholdRules::InRange(text)) {
            return RefuseField(id, kStrValueRange, threshold.title);
        }
        return true;
    }
    for (const CheckedBox& checked : kCheckedBoxes) {
        if (checked.id != id) {
            continue;
        }
        if (id == IDC_txtInPort && FieldRules::Acceptable(FieldKind::Number, WindowText(box))) {
            // Rewriting the same text would count as an edit.
            const auto port = FieldRules::AbsoluteWhole(WindowText(box));
            if (port && *port != WindowText(box)) {
                SetWindowTextA(box, port->c_str());
            }
        }
        if (!FieldRules::Acceptable(checked.kind, WindowText(box))) {
            return RefuseField(id, kStrNumericValue, checked.title);
        }
        return true;
    }
    return true;
}

bool FieldPages::RefuseField(int id, int message, int title) {
    mFieldsValid = false;
    refusing_ = true;
    // The box may sit on a page that is not shown: the user must see it.
    window_.ShowPageOf(id);
    MsgBox(LoadResText(message), MsgBoxStyle::OKOnly, LoadResText(title));
    SetFocus(Control(id));
    refusing_ = false;
    return false;
}

void FieldPages::FieldLostFocus(int id) {
    if (refusing_ || window_.Closing() || ValidateField(id)) {
        return;
    }
    // The click that took the focus away must not act on a refused text.
    if (id != IDC_txtOEApproveFolderName && id != IDC_txtOEBlockFolderName) {
        refusedBox_ = id;
    }
}

bool FieldPages::SwallowRefusedClick(int id, int code) {
    if (refusedBox_ == 0) {
        return false;
    }
    if (code == EN_CHANGE && id == refusedBox_) {
        refusedBox_ = 0;
        return false;
    }
    if (code == BN_CLICKED) {
        refusedBox_ = 0;
        return true;
    }
    return false;
}

bool FieldPages::ValidateSettings() {
    mFieldsValid = true;
    for (int id : {IDC_txtInPort, IDC_txtMaxTimeoutSpamChk, IDC_txtMsgModThreshold, IDC_txtSubjModThreshold,
                   IDC_txtOESpamThreshold}) {
        if (!ValidateField(id)) {
            return false;
        }
    }
    if (window_.NodeImage("ProxySupport") == OptionTree::kImageOn) {
        if (!ValidateField(IDC_txtProxyPort)) {
            return false;
        }
        if (WindowText(Control(IDC_txtProxyServer)).empty()) {
            MsgBox("Please enter your proxy server.", MsgBoxStyle::OKOnly, "Proxy Server");
            return false;
        }
    }
    // Boxes checked only on leaving them would otherwise be saved as typed.
    for (const CheckedBox& checked : kCheckedBoxes) {
        if (checked.id != IDC_txtProxyPort && !ValidateField(checked.id)) {
            return false;
        }
    }
    return mFieldsValid;
}

// Every box of the family marks the settings as changed, and a checked one
// is checked when it loses the focus.
bool FieldPages::OnTextBoxCommand(int id, int code) {
    const bool folder = id == IDC_txtOEApproveFolderName || id == IDC_txtOEBlockFolderName;
    bool known = folder || id == IDC_txtProxyServer;
    for (const CheckedBox& checked : kCheckedBoxes) {
        known = known || checked.id == id;
    }
    if (!known) {
        return false;
    }
    if (code == EN_CHANGE) {
        MarkSettingsChanged(true);
    } else if (code == EN_KILLFOCUS && id != IDC_txtProxyServer) {
        FieldLostFocus(id);
    }
    return true;
}

void FieldPages::UpdateTrainingProgress() {
    // Totals that cannot be read leave the last ones standing.
    LogTrap::Trap("UpdateTrainingProgress() Error ", " ",
                  [] { modMain::GetTrainingCounts(modMain::gHamTrainingCount, modMain::gSpamTrainingCount); });
    const std::string minimum = modMain::gProxyConf ? modMain::gProxyConf->GetValue("min_training").ToText() : "";
    SetWindowTextA(Control(IDC_lblPercentBlockTrainingComplete),
                   StatsFigures::TrainingPercentText(modMain::gSpamTrainingCount, minimum).c_str());
    SetWindowTextA(Control(IDC_lblPercentApproveComplete),
                   StatsFigures::TrainingPercentText(modMain::gHamTrainingCount, minimum).c_str());
}
