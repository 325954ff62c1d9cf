#include "ThresholdPages.h"

#include "FieldPages.h"
#include "NumberText.h"
#include "Resources.h"
#include "ThresholdRules.h"
#include "WindowHelpers.h"
#include "frmMain.h"
#include "frmMainIds.h"

namespace {

constexpr int kPages[] = {7, 8, 30};

using ThresholdRules::UpDownKind;

struct ThresholdGroup {
    int text;
    int slider;
    int upDown;
    int firstOption;  // option k is firstOption + k - 1
    int description;
    UpDownKind kind;
};

const ThresholdGroup kGroups[] = {
    {IDC_txtMsgModThreshold, IDC_sldMsgModThreshold, IDC_udMsgModThreshold, IDC_optFlag1, IDC_lblStrengthDescFlag,
     UpDownKind::Flag},
    {IDC_txtSubjModThreshold, IDC_sldSubjModThreshold, IDC_UpDown1, IDC_optSubjMod1, IDC_lblStrengthDesc,
     UpDownKind::Subject},
    {IDC_txtOESpamThreshold, IDC_sldOESpamThreshold, IDC_udOESpamThreshold, IDC_optOESpamThresholdMod1,
     IDC_lblOESpamThresholdDesc, UpDownKind::MailClient},
};

constexpr int kOptionCount = 4;

}  // namespace

std::span<const int> ThresholdPages::Pages() const {
    return kPages;
}

int ThresholdPages::ThresholdGroupOf(int id) {
    for (int group = 0; group < static_cast<int>(std::size(kGroups)); ++group) {
        const ThresholdGroup& g = kGroups[group];
        if (id == g.text || id == g.slider || id == g.upDown ||
            (id >= g.firstOption && id < g.firstOption + kOptionCount)) {
            return group;
        }
    }
    return -1;
}

// Each load, so that a window created afresh gets them too.
void ThresholdPages::PrepareThresholdControls() {
    for (const ThresholdGroup& g : kGroups) {
        SendMessageA(Control(g.slider), TBM_SETRANGE, FALSE,
                     MAKELPARAM(ThresholdRules::kMinimum, ThresholdRules::kMaximum));
        SendMessageA(Control(g.upDown), UDM_SETRANGE32, ThresholdRules::kMinimum, ThresholdRules::kMaximum);
        // The options report getting the focus, which puts their preset in the box.
        for (int k = 0; k < kOptionCount; ++k) {
            HWND option = Control(g.firstOption + k);
            SetWindowLongPtrA(option, GWL_STYLE, GetWindowLongPtrA(option, GWL_STYLE) | BS_NOTIFY);
        }
    }
}

void ThresholdPages::ThresholdChange(int group) {
    const ThresholdGroup& g = kGroups[group];
    MarkSettingsChanged(true);
    const std::optional<std::int32_t> value = NumberText::Whole32(WindowText(Control(g.text)));
    if (!value || *value < ThresholdRules::kMinimum || *value > ThresholdRules::kMaximum) {
        return;
    }
    SendMessageA(Control(g.slider), TBM_SETPOS, TRUE, *value);
    if (const std::optional<ThresholdRules::Band> band = ThresholdRules::ChangeBand(*value)) {
        SelectThresholdOption(group, band->option);
        SetWindowTextA(Control(g.description), LoadResText(band->description).c_str());
    }
}

void ThresholdPages::ThresholdLostFocus(int group) {
    if (WindowText(Control(kGroups[group].text)) == "1") {
        SelectThresholdOption(group, kOptionCount);
    }
}

void ThresholdPages::ThresholdSliderMove(int group) {
    const ThresholdGroup& g = kGroups[group];
    const auto position = SendMessageA(Control(g.slider), TBM_GETPOS, 0, 0);
    SetWindowTextA(Control(g.text), std::to_string(position).c_str());
    ThresholdLostFocus(group);
}

void ThresholdPages::ThresholdStep(int group, bool up) {
    HWND text = Control(kGroups[group].text);
    if (const std::optional<std::string> next = ThresholdRules::Step(kGroups[group].kind, WindowText(text), up)) {
        SetWindowTextA(text, next->c_str());
    }
}

void ThresholdPages::ThresholdOptionClick(int group, int option) {
    SetWindowTextA(Control(kGroups[group].description), LoadResText(ThresholdRules::OptionDescription(option)).c_str());
}

void ThresholdPages::ThresholdOptionFocus(int group, int option) {
    SetWindowTextA(Control(kGroups[group].text), ThresholdRules::OptionPreset(option).c_str());
}

void ThresholdPages::SelectThresholdOption(int group, int option) {
    for (int k = 1; k <= kOptionCount; ++k) {
        SendMessageA(Control(kGroups[group].firstOption + k - 1), BM_SETCHECK,
                     k == option ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    ThresholdOptionClick(group, option);
}

bool ThresholdPages::OnCommand(int id, int code) {
    const int group = ThresholdGroupOf(id);
    if (group < 0) {
        return false;
    }
    const ThresholdGroup& g = kGroups[group];
    if (id == g.text) {
        if (code == EN_CHANGE) {
            ThresholdChange(group);
        } else if (code == EN_KILLFOCUS) {
            ThresholdLostFocus(group);
            window_.Fields().FieldLostFocus(id);
        }
    } else if (id >= g.firstOption && id < g.firstOption + kOptionCount) {
        if (code == BN_CLICKED) {
            ThresholdOptionClick(group, id - g.firstOption + 1);
        } else if (code == BN_SETFOCUS) {
            ThresholdOptionFocus(group, id - g.firstOption + 1);
        }
    }
    return true;
}

bool ThresholdPages::OnNotify(const NMHDR& header) {
    const int group = ThresholdGroupOf(static_cast<int>(header.idFrom));
    if (group < 0 || header.code != UDN_DELTAPOS || static_cast<int>(header.idFrom) != kGroups[group].upDown) {
        return false;
    }
    ThresholdStep(group, reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0);
    return true;
}

bool ThresholdPages::OnScroll(HWND control) {
    const int group = ThresholdGroupOf(GetDlgCtrlID(control));
    if (group < 0 || GetDlgCtrlID(control) != kGroups[group].slider) {
        return false;
    }
    ThresholdSliderMove(group);
    return true;
}
