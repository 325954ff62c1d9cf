#pragma once
#include <functional>
#include <string>

// The title the account page and the last page give an account:
// "Account: <account name> for Identity: <identity's user name>".
namespace AccountTitle {

std::string Text(const std::string& accountName, const std::string& identityName);

// The title cut to fit `width`, as `measure` sizes a text. The account name
// gives way first and ends in "...", so the identity stays whole; when even
// that leaves no room, the whole title is cut and ends in "...". A title
// that fits is left as it is.
std::string Fitted(const std::string& accountName, const std::string& identityName, int width,
                   const std::function<int(const std::string&)>& measure);

}  // namespace AccountTitle
