#include "AccountTitle.h"

#include <optional>

#include "Resources.h"
#include "StringIds.h"

namespace AccountTitle {

namespace {

const char kEllipsis[] = "...";

// The title `compose` makes of the longest start of `text` that fits with
// the ellipsis after it; none when not even the ellipsis alone fits. A
// longer start is never narrower, so the length is found by halving, in
// about log2 of the text's length measurements.
std::optional<std::string> Shortened(const std::string& text, int width,
                                     const std::function<int(const std::string&)>& measure,
                                     const std::function<std::string(const std::string&)>& compose) {
    if (text.empty()) {
        return std::nullopt;
    }
    const auto titleOf = [&](std::size_t length) { return compose(text.substr(0, length) + kEllipsis); };
    if (measure(titleOf(0)) > width) {
        return std::nullopt;
    }
    // The start of `fits` characters fits; one of `tooLong` does not, or is the whole text.
    std::size_t fits = 0;
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        const std::size_t middle = fits + (tooLong - fits) / 2;
        if (measure(titleOf(middle)) <= width) {
            fits = middle;
        } else {
            tooLong = middle;
        }
    }
    return titleOf(fits);
}

}  // namespace

std::string Text(const std::string& accountName, const std::string& identityName) {
    return LoadResText(kStrAccountPrefix) + accountName + LoadResText(kStrForIdentity) + identityName;
}

std::string Fitted(const std::string& accountName, const std::string& identityName, int width,
                   const std::function<int(const std::string&)>& measure) {
    const std::string whole = Text(accountName, identityName);
    if (measure(whole) <= width)
        return whole;
    const auto title =
        Shortened(accountName, width, measure, [&](const std::string& name) { return Text(name, identityName); });
    if (title)
        return *title;
    return Shortened(whole, width, measure, [](const std::string& start) { return start; }).value_or(kEllipsis);
}

}  // namespace AccountTitle
