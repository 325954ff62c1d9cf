#pragma once
#include "PageGroup.h"

// The option pages of plain text boxes, check boxes and combos (listening
// port, rule updates, timeout, proxy, mail-store scan, word training, expert
// and RBL expert options), and the checks of every text box of the window:
// on leaving a box and at save.
class FieldPages : public PageGroup {
public:
    explicit FieldPages(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;

    // The checks a save runs; false when one refused.
    bool ValidateSettings();
    void FieldLostFocus(int id);
    // After a refusal, the click that took the focus away does not act: true
    // when it is that click.
    bool SwallowRefusedClick(int id, int code);
    // The boxes get the configuration's values again: a refusal is over.
    void ForgetRefusal() { refusedBox_ = 0; }
    // Shows the approve and block training figures of the word-training page.
    void UpdateTrainingProgress();

private:
    // Runs the check of a checked text box; false when it refused the text.
    bool ValidateField(int id);
    // A refused box keeps the focus.
    bool RefuseField(int id, int message, int title);
    bool OnTextBoxCommand(int id, int code);

    // The result of the field checks since ValidateSettings began.
    bool mFieldsValid = true;
    int refusedBox_ = 0;
    bool refusing_ = false;
};
