#pragma once
#include "IWizardPage.h"
#include "WizardForm.h"

// The welcome page: what the wizard does and which accounts it cannot serve.
class Page1 : public WizardForm, public IWizardPage {
public:
    Page1();
    void BeforePageShow(CWizard& Wizard, std::int16_t CurrentStep) override;
    void BeforePageHide(CWizard& Wizard, std::int16_t NextStep, bool& Cancel) override;

private:
    void Form_Load() override;
};
