#include "VersionCompare.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <vector>

#include "TextCompare.h"

namespace {

struct VersionPart {
    std::string digits;  // the number, without leading zeros ("" is 0)
    std::string rest;    // whatever follows the number
};

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

VersionPart ParsePart(const std::string& text) {
    const std::string part = TrimSpaces(text);
    const auto numberEnd = std::find_if_not(part.begin(), part.end(), IsDigit);
    const auto significant = std::find_if(part.begin(), numberEnd, [](char c) { return c != '0'; });
    return {std::string(significant, numberEnd), std::string(numberEnd, part.end())};
}

// Digit strings without leading zeros: the longer is the larger.
int CompareNumbers(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

int ComparePart(const VersionPart& a, const VersionPart& b) {
    const int byNumber = CompareNumbers(a.digits, b.digits);
    return byNumber != 0 ? byNumber : TextCompare(a.rest, b.rest);
}

}  // namespace

int VersionCompare(const std::string& a, const std::string& b) {
    const std::vector<std::string> left = SplitText(a, '.');
    const std::vector<std::string> right = SplitText(b, '.');
    const std::size_t count = std::max(left.size(), right.size());
    for (std::size_t i = 0; i < count; ++i) {
        const VersionPart l = ParsePart(i < left.size() ? left[i] : "");
        const VersionPart r = ParsePart(i < right.size() ? right[i] : "");
        const int order = ComparePart(l, r);
        if (order != 0) {
            return order;
        }
    }
    return 0;
}
