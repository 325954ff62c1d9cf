#include "Page1.h"

#include "WizardIds.h"
#include "modOE.h"

Page1::Page1() : WizardForm(IDD_Page1) {}

void Page1::Form_Load() {
    Caption(IDC_Label1_0, 243);
    Caption(IDC_Label1_1, 245);
    Caption(IDC_Label2, 244);
}

void Page1::BeforePageShow(CWizard&, std::int16_t) {
    modOE::gAnyAccountChosen = false;
}

void Page1::BeforePageHide(CWizard&, std::int16_t, bool&) {
    // The account page starts at the first account.
    modOE::gOEAcctIndex = 1;
}
