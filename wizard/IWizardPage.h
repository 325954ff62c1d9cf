#pragma once
#include <cstdint>

class CWizard;

// A page the wizard frame hosts.
class IWizardPage {
public:
    virtual ~IWizardPage() = default;
    // CurrentStep: the step being left, 0 on the first move.
    virtual void BeforePageShow(CWizard& Wizard, std::int16_t CurrentStep) = 0;
    // Cancel true keeps the page shown.
    virtual void BeforePageHide(CWizard& Wizard, std::int16_t NextStep, bool& Cancel) = 0;
};
