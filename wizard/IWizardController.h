#pragma once
#include <cstdint>

class CWizard;

// The one client that owns the wizard frame.
class IWizardController {
public:
    virtual ~IWizardController() = default;
    virtual void BeforeUILoad() = 0;
    // Before every move; Cancel true refuses it, the frame's NextStep
    // redirects it.
    virtual void BeforeStep(std::int32_t Direction, bool& Cancel) = 0;
    virtual void AfterStep() = 0;
    virtual void OnRequestHelp() = 0;
    // Before the frame closes; Cancel true keeps the wizard open.
    virtual void OnCancel(bool& Cancel) = 0;
    virtual CWizard& WizardHandle() = 0;
};
