#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "StepHost.h"
#include "Variant.h"

// The wizard's steps: the named page table, the step shown, the one before,
// the move in progress, and which step a move goes to. Step 2 is one page
// shown once per account, walked with an account index (1 to the number of
// accounts); with no account at all step 2 is skipped.
class StepMachine {
public:
    explicit StepMachine(StepHost& host) : host_(host) {}

    // Appends a page; refused only when the name is a non-numeric text that
    // an earlier page already has. Pages with other names are always added.
    bool AddPage(const Variant& name);
    // The step a key names: a number 1..StepCount, or the first page whose
    // name equals a text exactly; 0 when it names none.
    std::int16_t Resolve(const Variant& key) const;

    std::int16_t StepCount() const { return stepCount_; }
    std::int16_t CurrentStep() const { return currentStep_; }
    std::int16_t LastStep() const { return lastStep_; }
    std::int16_t NextStep() const { return nextStep_; }
    bool Stepping() const { return stepping_; }

    // Redirects the move in progress (from the client's BeforeStep); ignored
    // outside a move and for a key that names no step.
    void NextStep(const Variant& step);
    // Moves to the named step when no move is in progress.
    void StepTo(const Variant& step);
    // One move: -1 back, +1 forward, 0 to the step already set as the next.
    // `accounts` is the number of accounts, `accountIndex` the one the
    // account page shows; both drive the account loop.
    void Step(std::int32_t direction, std::int32_t accounts, std::int32_t& accountIndex);

    // The step a move from `current` in `direction` goes to; advances the
    // account index as the move walks the account loop. Outside 1..StepCount
    // means no move.
    static std::int16_t Target(std::int16_t current, std::int32_t direction, std::int32_t accounts,
                               std::int32_t& accountIndex);

private:
    StepHost& host_;
    std::vector<Variant> names_;
    std::int16_t stepCount_ = -1;
    std::int16_t currentStep_ = -1;
    std::int16_t lastStep_ = -1;
    std::int16_t nextStep_ = -1;
    bool stepping_ = false;
};
