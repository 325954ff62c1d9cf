#include "AccountTitle.h"

#include <optional>

#include "Resources.h"
#include "StringIds.h"
#include "modOE.h"

namespace AccountTitle {

namespace {

const char kEllipsis[] = "...";

// The title `compose` makes of the longest start of `text` that fits with
// the ellipsis after it; none when not even the ellipsis alone fits.
std::optional<std::string> Shortened(std::string text, int width, const std::function<int(const std::string&)>& measure,
                                     const std::function<std::string(const std::string&)>& compose) {
    while (!text.empty()) {
        text = modOE::StripLastChar(text);
        const std::string title = compose(text + kEllipsis);
        if (measure(title) <= width)
            return title;
    }
    return std::nullopt;
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
