#pragma once
#include "IWizardPage.h"
#include "WizardForm.h"

// The last page: what the wizard did, and whether the mail client must be
// restarted.
class Page3 : public WizardForm, public IWizardPage {
public:
    Page3();
    void BeforePageShow(CWizard& Wizard, std::int16_t CurrentStep) override;
    void BeforePageHide(CWizard& Wizard, std::int16_t NextStep, bool& Cancel) override;

private:
    void Form_Load() override;
};
