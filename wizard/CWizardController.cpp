#include "CWizardController.h"

#include "CWizard.h"
#include "FileSystem.h"
#include "HTMLHelp.h"
#include "MsgBox.h"
#include "Page1.h"
#include "Page2.h"
#include "Page3.h"
#include "Resources.h"
#include "StringIds.h"

CWizardController::CWizardController() : m_Wizard(std::make_unique<CWizard>()) {
    m_Wizard->ClientHandle(this);
    m_Wizard->AddPage(std::make_shared<Page1>(), Variant("One"));
    m_Wizard->AddPage(std::make_shared<Page2>(), Variant("Two"));
    m_Wizard->AddPage(std::make_shared<Page3>(), Variant("Three"));
    m_Wizard->Start();
}

CWizardController::~CWizardController() = default;

// The controller neither refuses nor redirects a move.
void CWizardController::BeforeUILoad() {}
void CWizardController::BeforeStep(std::int32_t, bool&) {}
void CWizardController::AfterStep() {}

void CWizardController::OnRequestHelp() {
    if (!help_)
        help_ = std::make_unique<HTMLHelp>();
    help_->CHMFile(FileSystem::ProgramDirectory() + "\\" + LoadResText(kStrHelpFile));
    help_->HHWindow("Main");
    help_->HHTopicURL(LoadResText(kStrSmtpAuthHelpPage));
    help_->HHDisplayTopicURL(nullptr);
}

void CWizardController::OnCancel(bool& Cancel) {
    // Leaving the last page ends the wizard as it should; before it, ask.
    if (m_Wizard->CurrentStep() == m_Wizard->StepCount())
        return;
    const int answer = MsgBox(LoadResText(kStrCancelWizardQuestion), MsgBoxStyle::YesNo | MsgBoxStyle::Question,
                              LoadResText(kStrWizardCaption));
    Cancel = answer != MsgBoxResult::Yes;
}
