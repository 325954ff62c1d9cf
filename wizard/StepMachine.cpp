#include "StepMachine.h"

#include <cstdlib>

#include "modWizard.h"

namespace {

constexpr std::int16_t kWelcomeStep = 1;
constexpr std::int16_t kAccountStep = 2;
constexpr std::int16_t kResultStep = 3;

bool IsNumericKey(const Variant& key) {
    if (key.IsNumeric())
        return true;
    if (!key.IsText() || key.Text().empty())
        return false;
    char* end = nullptr;
    std::strtod(key.Text().c_str(), &end);
    return *end == '\0';
}

// Marks a move as running for as long as the object lives.
class MoveGuard {
public:
    explicit MoveGuard(bool& stepping) : stepping_(stepping) { stepping_ = true; }
    ~MoveGuard() { stepping_ = false; }
    MoveGuard(const MoveGuard&) = delete;
    MoveGuard& operator=(const MoveGuard&) = delete;

private:
    bool& stepping_;
};

}  // namespace

bool StepMachine::AddPage(const Variant& name) {
    if (name.IsText() && !IsNumericKey(name) && !name.Text().empty()) {
        for (const Variant& existing : names_) {
            if (existing == name)
                return false;
        }
    }
    names_.push_back(name);
    stepCount_ = static_cast<std::int16_t>(names_.size());
    return true;
}

std::int16_t StepMachine::Resolve(const Variant& key) const {
    if (!modWizard::IsUsableKey(key))
        return 0;
    if (IsNumericKey(key)) {
        const double number =
            key.IsText() ? std::strtod(key.Text().c_str(), nullptr) : (key.IsInteger() ? key.Integer() : key.Double());
        return number >= 1 && number <= stepCount_ && number == static_cast<std::int16_t>(number)
                   ? static_cast<std::int16_t>(number)
                   : 0;
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == key)
            return static_cast<std::int16_t>(i + 1);
    }
    return 0;
}

void StepMachine::NextStep(const Variant& step) {
    const std::int16_t resolved = Resolve(step);
    if (stepping_ && resolved > 0)
        nextStep_ = resolved;
}

void StepMachine::StepTo(const Variant& step) {
    const std::int16_t resolved = Resolve(step);
    if (stepping_ || resolved == 0)
        return;
    nextStep_ = resolved;
    std::int32_t unusedIndex = 0;
    Step(0, 0, unusedIndex);
}

std::int16_t StepMachine::Target(std::int16_t current, std::int32_t direction, std::int32_t accounts,
                                 std::int32_t& accountIndex) {
    switch (current) {
        case 0:
            return static_cast<std::int16_t>(direction);
        case kWelcomeStep:
            return static_cast<std::int16_t>(kWelcomeStep + direction + (accounts == 0 ? 1 : 0));
        case kAccountStep: {
            const bool leavesLoop = direction < 0 ? accountIndex - 1 < 1 : accountIndex + 1 > accounts;
            accountIndex += direction;
            if (!leavesLoop)
                return kAccountStep;
            return direction < 0 ? kWelcomeStep : kResultStep;
        }
        case kResultStep:
            if (direction > 0)
                return kResultStep + 1;
            accountIndex -= 1;
            return accounts == 0 ? kWelcomeStep : kAccountStep;
        default:
            return static_cast<std::int16_t>(current + direction);
    }
}

void StepMachine::Step(std::int32_t direction, std::int32_t accounts, std::int32_t& accountIndex) {
    if (stepping_ || direction < -1 || direction > 1)
        return;
    if (currentStep_ < 1) {
        if (direction != 0)
            nextStep_ = 1;
        currentStep_ = 0;
    }
    std::int16_t target = direction == 0 ? nextStep_ : Target(currentStep_, direction, accounts, accountIndex);
    if (target < 1 || target > stepCount_)
        return;

    const MoveGuard guard(stepping_);
    nextStep_ = target;
    const bool refused = host_.BeforeStep(direction);
    target = nextStep_;
    if (refused || !host_.ShowPage(currentStep_, target)) {
        nextStep_ = -1;
        return;
    }
    lastStep_ = currentStep_;
    currentStep_ = target;
    nextStep_ = -1;
    host_.AfterMove();
}
