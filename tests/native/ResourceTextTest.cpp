#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ObjectError.h"
#include "Resources.h"

namespace {

bool HasText(int id) {
    try {
        LoadResText(id);
        return true;
    } catch (const ObjectError&) {
        return false;
    }
}

TEST(ResourceText, HoldsExactlyTheFourRunsOfIds) {
    std::vector<int> ids;
    for (int id = 0; id <= 2100; ++id) {
        if (HasText(id)) {
            ids.push_back(id);
        }
    }
    std::vector<int> expected;
    for (auto [first, last] : {std::pair{101, 398}, {400, 434}, {1001, 1039}, {1500, 1737}}) {
        for (int id = first; id <= last; ++id) {
            expected.push_back(id);
        }
    }
    EXPECT_EQ(expected.size(), 610u);
    EXPECT_EQ(ids, expected);
}

TEST(ResourceText, MissingIdRaisesResourceError) {
    for (int id : {0, 399, 435, 1000, 1040, 1046, 1499, 1738}) {
        try {
            LoadResText(id);
            ADD_FAILURE() << "id " << id << " should be absent";
        } catch (const ObjectError& e) {
            EXPECT_EQ(e.Number(), 326);
            EXPECT_NE(e.Description().find(std::to_string(id)), std::string::npos);
        }
    }
}

TEST(ResourceText, TextsAreTheSystemsOwn) {
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {101, "Brindlecote Varnholt"},
        {104, "kxvarnholt"},
        {105, "BrindlecoteVarnholt"},
        {152, "%1 is already on the list."},
        {343, "help_desktop_varnholt.chm"},
        {385, "%1%"},
        {386, "Software\\Tessavane Varnholt Desktop Client"},
        {387, "brindlecote.conf"},
        {389, "default_brindlecote.conf"},
        {418, "Software\\Quenmark\\OE_Plugin\\"},
        {1007, "help_pp_3a.html#listeningport"},
        {1039, "help_pp_3d.html#10"},
        {1500, "us,United States"},
        {1536, "cm,Bameroon"},
        {1546, "co,Columbia"},
        {1613, "kp,Korea,Democratic People's Republic"},
        {1737, "zw,Zimbabwe"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LoadResText(c.id), c.text) << "id " << c.id;
    }
}

TEST(ResourceText, EveryCountryRowIsATwoLetterCodeAndAName) {
    for (int id = 1500; id <= 1737; ++id) {
        const std::string row = LoadResText(id);
        const auto comma = row.find(',');
        ASSERT_EQ(comma, 2u) << row;
        EXPECT_TRUE(islower(static_cast<unsigned char>(row[0])) && islower(static_cast<unsigned char>(row[1]))) << row;
        EXPECT_GT(row.size(), 3u) << row;
    }
}

TEST(ResourceText, LengthsStayWithinTheTablesBounds) {
    for (int id = 0; id <= 2100; ++id) {
        if (HasText(id)) {
            const auto length = LoadResText(id).size();
            EXPECT_GE(length, 2u) << "id " << id;
            EXPECT_LE(length, 446u) << "id " << id;
        }
    }
}

}  // namespace
