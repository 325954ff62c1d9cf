#include "countries.h"

#include <algorithm>
#include <cctype>

#include "LogTrap.h"
#include "ObjectError.h"
#include "Resources.h"
#include "TextCompare.h"

namespace {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

ObjectError DuplicateKey() {
    return ObjectError(457, "countries", "This key is already associated with an element of this collection");
}

}  // namespace

countries::countries() : countries(TextSource(LoadResText)) {}

countries::countries(const TextSource& text) {
    LogTrap::Trap("CountriesInit ", " : ", [&] {
        for (int id = kFirstRow; id <= kLastRow; ++id) {
            AddRow(text(id));
        }
    });
}

void countries::AddRow(const std::string& row) {
    const auto comma = row.find(',');
    if (comma == std::string::npos) {
        return;
    }
    const std::string code = UpperCase(TrimSpaces(row.substr(0, comma)));
    const std::string name = TrimSpaces(row.substr(comma + 1));
    if (name.empty() || code.size() != 2) {
        return;
    }
    if (codeToName_.count(code) || nameToCode_.count(name)) {
        throw DuplicateKey();
    }
    codeToName_.emplace(code, name);
    nameToCode_.emplace(name, code);
    rows_.emplace_back(code, name);
}

std::string countries::GetCodeFromName(const std::string& name) const {
    const auto found = nameToCode_.find(name);
    return found == nameToCode_.end() ? "" : found->second;
}

std::string countries::GetNameFromCode(std::string& code) const {
    code = UpperCase(code);
    const auto found = codeToName_.find(code);
    return found == codeToName_.end() ? "" : found->second;
}

std::vector<std::string> countries::getAllNames() const {
    std::vector<std::string> names;
    names.reserve(rows_.size());
    for (const auto& row : rows_) {
        names.push_back(row.second);
    }
    return names;
}

std::vector<std::string> countries::UnknownCodes(const std::vector<std::string>& codes) const {
    std::vector<std::string> unknown;
    for (const std::string& code : codes) {
        if (!codeToName_.count(UpperCase(code))) {
            unknown.push_back(code);
        }
    }
    return unknown;
}
