#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AccountTitle.h"
#include "StepMachine.h"
#include "WizardLayout.h"
#include "modOE.h"

namespace {

// ---- Which step a move goes to

struct TargetCase {
    std::int16_t current;
    std::int32_t direction;
    std::int32_t accounts;
    std::int32_t index;
    std::int16_t target;
    std::int32_t indexAfter;
};

TEST(StepMachineTest, TargetWalksTheAccountLoopAndSkipsItWithoutAccounts) {
    const TargetCase cases[] = {
        {0, +1, 2, 0, 1, 0},   // the first move shows the first step
        {0, -1, 2, 0, -1, 0},  // Back from nothing goes nowhere
        {1, +1, 2, 1, 2, 1},   // welcome -> first account
        {1, +1, 0, 1, 3, 1},   // no account: straight to the last page
        {2, +1, 2, 1, 2, 2},   // next account
        {2, +1, 2, 2, 3, 3},   // past the last account
        {2, -1, 2, 2, 2, 1},   // previous account
        {2, -1, 2, 1, 1, 0},   // before the first account
        {3, -1, 2, 3, 2, 2},   // back from the last page to the last account
        {3, -1, 0, 1, 1, 0},   // no account: back to the welcome page
        {3, +1, 2, 3, 4, 3},   // beyond the last step
    };
    for (const TargetCase& c : cases) {
        std::int32_t index = c.index;
        EXPECT_EQ(StepMachine::Target(c.current, c.direction, c.accounts, index), c.target)
            << "from " << c.current << " by " << c.direction << " with " << c.accounts << " accounts";
        EXPECT_EQ(index, c.indexAfter) << "from " << c.current << " by " << c.direction;
    }
}

// ---- Moves, with a host that records what it was asked

class RecordingHost : public StepHost {
public:
    bool BeforeStep(std::int32_t direction) override {
        calls.push_back("before " + std::to_string(direction));
        if (onBeforeStep)
            onBeforeStep();
        return refuseMove;
    }
    bool ShowPage(std::int16_t from, std::int16_t to) override {
        calls.push_back("show " + std::to_string(from) + "->" + std::to_string(to));
        return !pageStays;
    }
    void AfterMove() override { calls.push_back("after"); }

    std::vector<std::string> calls;
    bool refuseMove = false;
    bool pageStays = false;
    std::function<void()> onBeforeStep;
};

class StepMachineMoves : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"One", "Two", "Three"})
            machine.AddPage(Variant(name));
    }
    void Move(std::int32_t direction) { machine.Step(direction, accounts, index); }

    RecordingHost host;
    StepMachine machine{host};
    std::int32_t accounts = 2;
    std::int32_t index = 1;
};

TEST_F(StepMachineMoves, TwoAccountsShowTheAccountPageTwiceThenTheLastPage) {
    Move(+1);
    Move(+1);
    Move(+1);
    Move(+1);
    EXPECT_EQ(host.calls,
              (std::vector<std::string>{"before 1", "show 0->1", "after", "before 1", "show 1->2", "after", "before 1",
                                        "show 2->2", "after", "before 1", "show 2->3", "after"}));
    EXPECT_EQ(machine.CurrentStep(), 3);
    EXPECT_EQ(machine.LastStep(), 2);
    EXPECT_EQ(machine.NextStep(), -1);

    host.calls.clear();
    Move(+1);  // nothing lies beyond the last step
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(machine.CurrentStep(), 3);
}

TEST_F(StepMachineMoves, BackFromTheFirstAccountReturnsToTheWelcomePage) {
    Move(+1);
    Move(+1);
    Move(-1);
    EXPECT_EQ(machine.CurrentStep(), 1);
    EXPECT_EQ(index, 0);
}

TEST_F(StepMachineMoves, ARefusedMoveOrAPageThatStaysLeavesTheStepShown) {
    Move(+1);
    host.refuseMove = true;
    Move(+1);
    EXPECT_EQ(machine.CurrentStep(), 1);
    host.refuseMove = false;
    host.pageStays = true;
    Move(+1);
    EXPECT_EQ(machine.CurrentStep(), 1);
    EXPECT_EQ(machine.NextStep(), -1);
    EXPECT_EQ(host.calls.back(), "show 1->2");
}

TEST_F(StepMachineMoves, TheClientMayRedirectAMoveButNotStartAnother) {
    Move(+1);
    host.onBeforeStep = [&] {
        machine.NextStep(Variant("Three"));
        Move(+1);  // refused: a move is in progress
        machine.StepTo(Variant(std::int32_t{1}));
    };
    Move(+1);
    EXPECT_EQ(machine.CurrentStep(), 3);
    EXPECT_EQ(host.calls.back(), "after");
    EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "before 1"), 2);

    host.onBeforeStep = nullptr;
    machine.NextStep(Variant("One"));  // outside a move: ignored
    EXPECT_EQ(machine.NextStep(), -1);
}

TEST_F(StepMachineMoves, StepToMovesToANamedOrNumberedStepOnly) {
    machine.StepTo(Variant("Two"));
    EXPECT_EQ(machine.CurrentStep(), 2);
    EXPECT_EQ(host.calls.front(), "before 0");
    machine.StepTo(Variant("two"));
    machine.StepTo(Variant(std::int32_t{7}));
    EXPECT_EQ(machine.CurrentStep(), 2);
    machine.StepTo(Variant("3"));
    EXPECT_EQ(machine.CurrentStep(), 3);
}

TEST_F(StepMachineMoves, DirectionsOtherThanOneStepAreIgnored) {
    Move(+2);
    Move(-2);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(machine.CurrentStep(), -1);
}

// ---- The page table

TEST(StepMachinePagesTest, OnlyARepeatedTextNameIsRefused) {
    RecordingHost host;
    StepMachine machine(host);
    EXPECT_TRUE(machine.AddPage(Variant("One")));
    EXPECT_FALSE(machine.AddPage(Variant("One")));
    EXPECT_TRUE(machine.AddPage(Variant("one")));
    EXPECT_TRUE(machine.AddPage(Variant(std::int32_t{5})));
    EXPECT_TRUE(machine.AddPage(Variant(std::int32_t{5})));
    EXPECT_TRUE(machine.AddPage(Variant("7")));
    EXPECT_TRUE(machine.AddPage(Variant("7")));
    EXPECT_TRUE(machine.AddPage(Variant("")));
    EXPECT_TRUE(machine.AddPage(Variant()));
    EXPECT_EQ(machine.StepCount(), 8);
}

TEST(StepMachinePagesTest, KeysResolveToNumberedOrNamedStepsOnly) {
    RecordingHost host;
    StepMachine machine(host);
    for (const char* name : {"One", "Two", "Two-b"})
        machine.AddPage(Variant(name));
    machine.AddPage(Variant(std::int32_t{9}));
    struct Case {
        Variant key;
        std::int16_t step;
    };
    const Case cases[] = {
        {Variant("Two"), 2},
        {Variant("two"), 0},
        {Variant("Two-b"), 3},
        {Variant(std::int32_t{4}), 4},
        {Variant("2"), 2},
        {Variant(2.0), 2},
        {Variant(std::int32_t{9}), 0},  // a numeric name is reached by number only
        {Variant(std::int32_t{0}), 0},
        {Variant(std::int32_t{5}), 0},
        {Variant(""), 0},
        {Variant(), 0},
        {Variant(Variant::Array{Variant("One")}), 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(machine.Resolve(c.key), c.step) << (c.key.IsText() ? c.key.Text() : "(not text)");
    }
}

// ---- Layout

TEST(WizardLayoutTest, APageAsTallAsTheSplashSitsBesideItWithTheButtonsBelow) {
    const auto placed = WizardLayout::Arrange({{120, 290}, WizardLayout::Size{360, 289}, 75, 75, {75, 23}, 15, 15});
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->pageArea, (WizardLayout::Rect{130, 2, 362, 291}));
    EXPECT_EQ(placed->bevelY, 300);  // below the splash, the lower of the two
    EXPECT_EQ(placed->bevelRight, 495);
    EXPECT_EQ(placed->help, (WizardLayout::Point{4, 306}));
    EXPECT_EQ(placed->cancel, (WizardLayout::Point{414, 306}));
    EXPECT_EQ(placed->next, (WizardLayout::Point{326, 306}));
    EXPECT_EQ(placed->back, (WizardLayout::Point{244, 306}));
    EXPECT_EQ(placed->window.width, 504);   // (496 * 15 + 120) / 15
    EXPECT_EQ(placed->window.height, 360);  // (333 * 15 + 410) / 15
}

TEST(WizardLayoutTest, ALowPageIsCentredOnTheSplashAndANarrowOneWidenedForTheButtons) {
    const auto placed = WizardLayout::Arrange({{120, 290}, WizardLayout::Size{100, 100}, 75, 75, {75, 23}, 15, 15});
    ASSERT_TRUE(placed);
    EXPECT_EQ(placed->pageArea, (WizardLayout::Rect{130, 96, 102, 102}));  // 294 / 2 - 102 / 2
    EXPECT_EQ(placed->bevelY, 300);
    EXPECT_EQ(placed->bevelRight, 258);  // 3 * 75 + 30, then 3
    EXPECT_EQ(placed->cancel, (WizardLayout::Point{177, 306}));
}

TEST(WizardLayoutTest, NothingIsPlacedWithoutAPage) {
    EXPECT_FALSE(WizardLayout::Arrange({{120, 290}, std::nullopt, 75, 75, {75, 23}, 15, 15}));
}

// ---- The account title, cut to the width of the account page's frame

TEST(AccountTitleTest, TheAccountNameGivesWayBeforeTheIdentity) {
    // One unit a character.
    const auto measure = [](const std::string& text) { return static_cast<int>(text.size()); };
    struct Case {
        const char* account;
        const char* identity;
        int width;
        const char* title;
    };
    const Case cases[] = {
        {"pop.one.example", "Main Identity", 52, "Account: pop.one.example for Identity: Main Identity"},
        {"pop.one.example", "Main Identity", 51, "Account: pop.one.exa... for Identity: Main Identity"},
        {"pop.one.example", "Main Identity", 40, "Account: ... for Identity: Main Identity"},
        {"pop.one.example", "Main Identity", 39, "Account: pop.one.example for Identit..."},
        {"pop.one.example", "Main Identity", 3, "..."},
        {"pop.one.example", "Main Identity", 0, "..."},
    };
    for (const Case& c : cases) {
        const std::string title = AccountTitle::Fitted(c.account, c.identity, c.width, measure);
        EXPECT_EQ(title, c.title) << "width " << c.width;
    }
}

TEST(AccountTitleTest, AMegabyteNameIsCutInAFewMeasurements) {
    const std::string huge(1 << 20, 'n');
    struct Case {
        std::string account;
        std::string identity;
        int width;
        std::string title;
    };
    const Case cases[] = {
        {huge, "Main Identity", 51, "Account: nnnnnnnnnnn... for Identity: Main Identity"},
        {"pop.one.example", huge, 39, "Account: pop.one.example for Identit..."},
        {huge, huge, 20, "Account: nnnnnnnn..."},
        {huge, huge, 2, "..."},
    };
    for (const Case& c : cases) {
        int measurements = 0;
        const auto measure = [&](const std::string& text) {
            // Each halving costs one measurement; one a character would be a million.
            if (++measurements > 100) {
                throw std::runtime_error("too many measurements");
            }
            return static_cast<int>(text.size());
        };
        std::string title;
        ASSERT_NO_THROW(title = AccountTitle::Fitted(c.account, c.identity, c.width, measure)) << "width " << c.width;
        EXPECT_EQ(title, c.title) << "width " << c.width;
    }
}

TEST(AccountTitleTest, StripLastCharDropsOneCharacterAndLeavesEmptyTextAlone) {
    EXPECT_EQ(modOE::StripLastChar("msimn.exe"), "msimn.ex");
    EXPECT_EQ(modOE::StripLastChar("a"), "");
    EXPECT_EQ(modOE::StripLastChar(""), "");
}

}  // namespace
