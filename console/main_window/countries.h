#pragma once
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

// The country table of the string table (ids 1500-1737, "code,name"): names
// to two-letter codes and back. Built once; lookups are exact and
// case-sensitive.
class countries {
public:
    using TextSource = std::function<std::string(int id)>;

    static constexpr int kFirstRow = 1500;
    static constexpr int kLastRow = 1737;

    // Reads the rows from the program's string table, or from the given
    // source. A failing row ends the table there (logged as "CountriesInit ").
    countries();
    explicit countries(const TextSource& text);

    // The upper-case code of the name; "" when the table has no such name.
    std::string GetCodeFromName(const std::string& name) const;
    // Upper-cases the caller's code and gives its name; "" when unknown.
    std::string GetNameFromCode(std::string& code) const;
    // Every name, in table order.
    std::vector<std::string> getAllNames() const;
    // The stored codes (any letter case) that the table does not carry, as
    // they stand: they have no entry in the lists but must not be lost.
    std::vector<std::string> UnknownCodes(const std::vector<std::string>& codes) const;

private:
    void AddRow(const std::string& row);

    // Rows in table order, with an index by each side.
    std::vector<std::pair<std::string, std::string>> rows_;
    std::map<std::string, std::string> codeToName_;
    std::map<std::string, std::string> nameToCode_;
};
