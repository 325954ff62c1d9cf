#pragma once
#include <cstdint>
#include <string>

// The upgrade check's rules and procedures: reading the maker's version file,
// comparing release numbers, and deciding on the new-release notice.
namespace modMain {

// ---- Rules (portable).

// The text in front of the first code-0 character of a response buffer.
std::string ResponseBody(const std::string& response);

// The value of the body's "version=" line (exact case), wherever the line
// stands and whatever blanks (or, on the first line, a byte-order mark) come
// before it, trimmed of blanks; "" when the body has no such line.
std::string ReleaseNumber(const std::string& body);

// True when the text is a release number: parts separated by ".", each a
// decimal number (the first three are looked at, as IsNewerVersion does).
bool IsReleaseNumber(const std::string& release);

// True when the release (major.minor.revision, further parts ignored) is newer
// than the running version. Parts compare as numbers; a release that is empty
// or has a part that is not a number is never newer.
bool IsNewerVersion(const std::string& release, const std::string& running);

// True when the notice for the latest release may be shown although the user
// dismissed an earlier one: a dismissed release of three parts silences every
// release that is not newer than it.
bool NoticeWanted(const std::string& latest, const std::string& dismissed);

// What a failed request's result code means, for the log and the user.
std::string RequestFailureText(std::int32_t errorCode, const std::string& proxyServer);

// ---- Procedures (Windows).

// The latest release number from the maker's version file; "" when none can
// be had. A failed request is logged; its description goes to *failure
// ("" when the request succeeded).
std::string GetLatestVersion(std::string* failure = nullptr);

// True when the release is newer than this program's own version.
bool IsNewerVersion(const std::string& release);

}  // namespace modMain
