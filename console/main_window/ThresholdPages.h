#pragma once
#include "PageGroup.h"

// The three spam-threshold pages: each group of text box, slider, up-down,
// four strength options and a description is kept in step. The text box
// holds the value.
class ThresholdPages : public PageGroup {
public:
    explicit ThresholdPages(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;
    // The up-down buttons.
    bool OnNotify(const NMHDR& header) override;
    // The sliders.
    bool OnScroll(HWND control) override;

    // The threshold group whose text box, slider, up-down or option that is; -1 for none.
    static int ThresholdGroupOf(int id);
    // The sliders' and up-downs' ranges and the options' focus reports.
    void PrepareThresholdControls();
    void SelectThresholdOption(int group, int option);

private:
    void ThresholdChange(int group);
    void ThresholdLostFocus(int group);
    void ThresholdSliderMove(int group);
    void ThresholdStep(int group, bool up);
    void ThresholdOptionClick(int group, int option);
    void ThresholdOptionFocus(int group, int option);
};
