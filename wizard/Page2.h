#pragma once
#include <cstdint>

#include "IWizardPage.h"
#include "WizardForm.h"

// The account page: one Outlook Express account at a time, with the changes
// the wizard would make to it or the reason it cannot, and the box that
// chooses it.
class Page2 : public WizardForm, public IWizardPage {
public:
    Page2();
    ~Page2() override;
    void BeforePageShow(CWizard& Wizard, std::int16_t CurrentStep) override;
    void BeforePageHide(CWizard& Wizard, std::int16_t NextStep, bool& Cancel) override;

private:
    void Form_Load() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
    void ShowAccount(const std::string& key);
    void ShowRefusal(const std::string& message, bool link);
    void ShowChanges(const std::string& userName, const std::string& server, const std::string& port);
    void ShowChangeLines(bool visible) const;
    void FitFieldsChanged(const std::string& text);
    void MoveTop(int control, int top) const;
    POINT DialogUnits(int x, int y) const;
    void lblMoreInfo_Click();

    std::int32_t m_lngRefusalCode = 0;
    HFONT boldFont_ = nullptr;
    HFONT linkFont_ = nullptr;
};
