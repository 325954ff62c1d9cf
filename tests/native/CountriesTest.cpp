#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "LogTrap.h"
#include "ObjectError.h"
#include "countries.h"

namespace {

TEST(Countries, ReadsTheWholeTableInItsOrder) {
    const countries table;
    const std::vector<std::string> names = table.getAllNames();
    ASSERT_EQ(names.size(), 238u);
    EXPECT_EQ(names[0], "United States");
    EXPECT_EQ(names[1], "Afghanistan");
    EXPECT_EQ(names[3], "Algeria");
    EXPECT_EQ(names.back(), "Zimbabwe");
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST(Countries, TranslatesNamesAsTheTableHoldsThem) {
    const countries table;
    struct Case {
        const char* name;
        const char* code;
    };
    const Case cases[] = {
        {"United States", "US"},
        {"Korea,Democratic People's Republic", "KP"},
        {"Korea", "KR"},
        {"Bameroon", "CM"},
        {"Columbia", "CO"},
        {"Cyrus", "CY"},
        {"Croatia Republic of", "HR"},
        {"Kenya Cost Republic", "KE"},
        {"South Georgia and the South Sandwich Islands", "GZ"},
        {"united states", ""},
        {"Korea,Democratic People's Republic ", ""},
        {"Cameroon", ""},
        {"", ""},
        {"US", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(table.GetCodeFromName(c.name), c.code) << c.name;
    }
}

TEST(Countries, CodesRoundTripAndAreUpperCasedForTheCaller) {
    const countries table;
    for (const std::string& name : table.getAllNames()) {
        std::string code = table.GetCodeFromName(name);
        ASSERT_EQ(code.size(), 2u) << name;
        EXPECT_EQ(table.GetNameFromCode(code), name);
    }
    std::string code = "kp";
    EXPECT_EQ(table.GetNameFromCode(code), "Korea,Democratic People's Republic");
    EXPECT_EQ(code, "KP") << "the caller's variable is upper-cased";
    for (std::string unknown : {"xx", "usa", "", "u"}) {
        EXPECT_EQ(table.GetNameFromCode(unknown), "") << unknown;
    }
}

TEST(Countries, KeepsAsideStoredCodesTheTableLacks) {
    const countries table;
    EXPECT_EQ(table.UnknownCodes({"us", "CN", "usa", "x1", "Kp", ""}), (std::vector<std::string>{"usa", "x1", ""}));
    EXPECT_TRUE(table.UnknownCodes({}).empty());
}

// A table of our own, to show how rows are read and where a bad one stops.
class CountriesFromRows : public ::testing::Test {
protected:
    void SetUp() override {
        LogTrap::SetWriter([this](const std::string& line) { log.push_back(line); });
    }
    void TearDown() override { LogTrap::SetWriter(nullptr); }

    countries Build(const std::map<int, std::string>& rows) {
        return countries([&rows](int id) -> std::string {
            const auto found = rows.find(id);
            if (found == rows.end()) {
                throw ObjectError(326, "LoadRes", "Resource with identifier '" + std::to_string(id) + "' not found");
            }
            return found->second;
        });
    }

    std::vector<std::string> log;
};

TEST_F(CountriesFromRows, TrimsAndSkipsRowsThatAreNoCountry) {
    std::map<int, std::string> rows;
    for (int id = countries::kFirstRow; id <= countries::kLastRow; ++id) {
        rows[id] = "no comma";
    }
    rows[1500] = " de , Germany ";
    rows[1501] = "fra,France";
    rows[1502] = "it,";
    rows[1503] = ",Nowhere";
    rows[1504] = "es,Spain,Kingdom of";
    const countries table = Build(rows);
    EXPECT_EQ(table.getAllNames(), (std::vector<std::string>{"Germany", "Spain,Kingdom of"}));
    EXPECT_EQ(table.GetCodeFromName("Germany"), "DE");
    EXPECT_EQ(table.GetCodeFromName("Spain,Kingdom of"), "ES");
    EXPECT_TRUE(log.empty());
}

TEST_F(CountriesFromRows, AFailingRowEndsTheTableThereWithALogLine) {
    struct Case {
        const char* what;
        std::map<int, std::string> rows;
        std::vector<std::string> names;
        std::string line;
    };
    const Case cases[] = {
        {"missing row",
         {{1500, "de,Germany"}, {1501, "fr,France"}},
         {"Germany", "France"},
         "CountriesInit 326 : Resource with identifier '1502' not found"},
        {"code twice",
         {{1500, "de,Germany"}, {1501, "DE,Deutschland"}, {1502, "fr,France"}},
         {"Germany"},
         "CountriesInit 457 : This key is already associated with an element of this collection"},
        {"name twice",
         {{1500, "de,Germany"}, {1501, "dd,Germany"}},
         {"Germany"},
         "CountriesInit 457 : This key is already associated with an element of this collection"},
    };
    for (const Case& c : cases) {
        log.clear();
        const countries table = Build(c.rows);
        EXPECT_EQ(table.getAllNames(), c.names) << c.what;
        EXPECT_EQ(log, std::vector<std::string>{c.line}) << c.what;
    }
}

}  // namespace
