#include "frmMain.h"

#include "FieldRules.h"
#include "MsgBox.h"
#include "OptionTree.h"
#include "ProgramTitle.h"
#include "Resources.h"
#include "TextCompare.h"
#include "ThresholdRules.h"
#include "frmMainIds.h"
#include "modMain.h"

// The checks of the window's text boxes, on leaving a box and at save.

namespace {

using FieldRules::FieldKind;

constexpr int kNumericMessage = 288;
constexpr int kRangeMessage = 289;
constexpr int kProgramTitle = 101;

struct CheckedBox {
    int id;
    FieldKind kind;
    int title;
};

const CheckedBox kCheckedBoxes[] = {
    {IDC_txtInPort, FieldKind::Port, 298},
    {IDC_txtMaxTimeoutSpamChk, FieldKind::Count, 300},
    {IDC_txtProxyPort, FieldKind::Port, 210},
    {IDC_txtMaxWordEntries, FieldKind::Count, kProgramTitle},
    {IDC_txtMinTraining, FieldKind::Count, kProgramTitle},
    {IDC_txtMinAutoTrainingThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMaxAutoTrainingThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMinNetcheckThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMaxNetcheckThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMinRBLThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMaxRBLThreshold, FieldKind::Number, kProgramTitle},
    {IDC_txtMaxRBLIPs, FieldKind::Count, kProgramTitle},
    {IDC_txtRBLTimeout, FieldKind::Count, kProgramTitle},
};

struct ThresholdBox {
    int id;
    const char* node;
    int title;
};

const ThresholdBox kThresholdBoxes[] = {
    {IDC_txtMsgModThreshold, "SpamFlagging", 299},
    {IDC_txtSubjModThreshold, "SubjectModification", 290},
    {IDC_txtOESpamThreshold, "OESpamThreshold", 422},
};

std::string TextOf(HWND control) {
    char text[1024] = "";
    GetWindowTextA(control, text, sizeof text);
    return text;
}

}  // namespace

bool frmMain::ValidateField(int id) {
    HWND box = Control(id);
    if (id == IDC_txtOEApproveFolderName || id == IDC_txtOEBlockFolderName) {
        if (FieldRules::SameFolders(TextOf(Control(IDC_txtOEApproveFolderName)),
                                    TextOf(Control(IDC_txtOEBlockFolderName)))) {
            mFieldsValid = false;
            MsgBox(LoadResText(301), MsgBoxStyle::OKOnly, ProgramTitle());
            return false;
        }
        return true;
    }
    for (const ThresholdBox& threshold : kThresholdBoxes) {
        if (threshold.id != id) {
            continue;
        }
        if (TrimSpaces(TextOf(box)).empty()) {
            SetWindowTextA(box, "0");
        }
        const std::string text = TextOf(box);
        if (!FieldRules::Acceptable(FieldKind::Number, text)) {
            return RefuseField(id, kNumericMessage, threshold.title);
        }
        // The daemon knows no threshold outside 1-100; one that is off is never read.
        if (NodeImage(threshold.node) == OptionTree::kImageOn && !ThresholdRules::InRange(text)) {
            return RefuseField(id, kRangeMessage, threshold.title);
        }
        return true;
    }
    for (const CheckedBox& checked : kCheckedBoxes) {
        if (checked.id != id) {
            continue;
        }
        if (id == IDC_txtInPort && FieldRules::Acceptable(FieldKind::Number, TextOf(box))) {
            // Rewriting the same text would count as an edit.
            const auto port = FieldRules::AbsoluteWhole(TextOf(box));
            if (port && *port != TextOf(box)) {
                SetWindowTextA(box, port->c_str());
            }
        }
        if (!FieldRules::Acceptable(checked.kind, TextOf(box))) {
            return RefuseField(id, kNumericMessage, checked.title);
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
        if (TextOf(Control(IDC_txtProxyServer)).empty()) {
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
