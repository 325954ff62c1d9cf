#pragma once
#include <cstdint>
#include <memory>

#include "Variant.h"

class IWizardController;
class IWizardPage;
class WizardForm;

// The account wizard's entry and the small helpers of its frame.
namespace modWizard {

// The program's one client; the pages reach the frame through it.
extern std::shared_ptr<IWizardController> gWizardController;

// Builds and shows the wizard, then runs the message loop until it is gone.
int Main();

// A key a step can be named by: present, no array, a number or a text that
// is not empty.
bool IsUsableKey(const Variant& key);

// The larger of the two; the second when they are equal.
std::int32_t MaxOf(std::int32_t first, std::int32_t second);

// The window form that implements the page.
WizardForm* PageForm(IWizardPage* page);

}  // namespace modWizard
