#include "frmMain.h"

#include "FieldRules.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "StringIds.h"
#include "TextCompare.h"
#include "ThresholdRules.h"
#include "WindowHelpers.h"
#include "frmMainIds.h"
#include "modMain.h"

// The checks of the window's text boxes, on leaving a box and at save.

namespace {

using FieldRules::FieldKind;

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

bool frmMain::ValidateField(int id) {
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
        if (NodeImage(threshold.node) == OptionTree::kImageOn && !ThresholdRules::InRange(text)) {
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

bool frmMain::RefuseField(int id, int message, int title) {
    mFieldsValid = false;
    refusing_ = true;
    // The box may sit on a page that is not shown: the user must see it.
    ShowPageOf(id);
    MsgBox(LoadResText(message), MsgBoxStyle::OKOnly, LoadResText(title));
    SetFocus(Control(id));
    refusing_ = false;
    return false;
}

void frmMain::FieldLostFocus(int id) {
    if (refusing_ || ValidateField(id)) {
        return;
    }
    // The click that took the focus away must not act on a refused text.
    if (id != IDC_txtOEApproveFolderName && id != IDC_txtOEBlockFolderName) {
        refusedBox_ = id;
    }
}

bool frmMain::SwallowRefusedClick(int id, int code) {
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

bool frmMain::ValidateSettings() {
    for (int id : {IDC_txtInPort, IDC_txtMaxTimeoutSpamChk, IDC_txtMsgModThreshold, IDC_txtSubjModThreshold,
                   IDC_txtOESpamThreshold}) {
        if (!ValidateField(id)) {
            return false;
        }
    }
    if (NodeImage("ProxySupport") == OptionTree::kImageOn) {
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
bool frmMain::OnFieldCommand(int id, int code) {
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
