#include "Page1.h"

#include "StringIds.h"
#include "WizardIds.h"
#include "modOE.h"

Page1::Page1() : WizardForm(IDD_Page1) {}

void Page1::Form_Load() {
    Caption(IDC_Label1_0, kStrWizardWelcome);
    Caption(IDC_Label1_1, kStrClickNext);
    Caption(IDC_Label2, kStrWizardPopOnly);
}

void Page1::BeforePageShow(CWizard&, std::int16_t) {
    modOE::gAnyAccountChosen = false;
}

void Page1::BeforePageHide(CWizard&, std::int16_t, bool&) {
    // The account page starts at the first account.
    modOE::gOEAcctIndex = 1;
}
