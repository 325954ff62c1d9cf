#pragma once
#include <memory>

#include "IWizardController.h"

class CWizard;
class HTMLHelp;

// The wizard's client: builds the frame with its three pages and starts it,
// asks before the wizard is abandoned and opens the help topic.
class CWizardController : public IWizardController {
public:
    CWizardController();
    ~CWizardController() override;

    void BeforeUILoad() override;
    void BeforeStep(std::int32_t Direction, bool& Cancel) override;
    void AfterStep() override;
    void OnRequestHelp() override;
    void OnCancel(bool& Cancel) override;
    CWizard& WizardHandle() override { return *m_Wizard; }

private:
    std::unique_ptr<CWizard> m_Wizard;
    std::unique_ptr<HTMLHelp> help_;
};
