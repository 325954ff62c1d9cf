#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListEntryText.h"
#include "RBLSelection.h"

namespace {

TEST(ListEntryText, RefusesWhatWouldSplitOrBreakTheOneLineList) {
    struct Case {
        std::string entry;
        bool fits;
    };
    const Case cases[] = {
        {"192.168.1.1", true},       {"10.0.0.0-10.0.0.255", true},      {"zen.example.org", true},
        {"\xE9t\xE9.example", true},  // code-page-1252 letters are fine
        {"1.2.3.4,5.6.7.8", false},  {"1.2.3.4 5.6.7.8", false},         {"1.2.3.4\t", false},
        {"1.2.3.4\r\n", false},      {std::string("1.2\0.3", 5), false}, {"zone\x7F", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ListEntryText::FitsOneLineList(c.entry), c.fits) << c.entry;
    }
}

using Names = std::vector<std::string>;
using Shown = std::vector<RBLSelection::Zone>;

TEST(RBLSelection, ShowsTheAvailableZonesCheckedWhenActiveAndTheActiveOnesNotAvailable) {
    struct Case {
        const char* name;
        Names available, active;
        Shown expected;
    };
    const Case cases[] = {
        {"nothing", {}, {}, {}},
        {"available only", {"a.org", "b.org"}, {}, {{"a.org", false}, {"b.org", false}}},
        {"active in another case",
         {"a.org", "b.org", "c.org"},
         {"B.ORG"},
         {{"a.org", false}, {"b.org", true}, {"c.org", false}}},
        {"active but not available is shown checked, after the others",
         {"a.org"},
         {"hidden.org", "a.org"},
         {{"a.org", true}, {"hidden.org", true}}},
        {"no available list at all", {}, {"hidden.org"}, {{"hidden.org", true}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RBLSelection::ZonesToShow(c.available, c.active), c.expected) << c.name;
    }
}

}  // namespace
