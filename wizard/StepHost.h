#pragma once
#include <cstdint>

// What the step machine asks of the window that shows the pages. The host
// traps the errors of the callbacks it makes: a failing callback never stops
// a move half-way.
class StepHost {
public:
    virtual ~StepHost() = default;
    // The client's consent to the move in progress; true refuses it. The
    // client may redirect the move meanwhile (StepMachine::NextStep).
    virtual bool BeforeStep(std::int32_t direction) = 0;
    // Hides the page of `from` (none when 0) and shows that of `to`; false
    // when the page being left refused to go.
    virtual bool ShowPage(std::int16_t from, std::int16_t to) = 0;
    // After a completed move: the buttons, the first and last step, the
    // client's AfterStep.
    virtual void AfterMove() = 0;
};
