#pragma once
#include <string>

// Compares two dotted versions ("4.72.7290.00") part by part as numbers:
// -1 when a is older than b, 0 when they are the same version, 1 when newer.
// A missing part counts as 0, so "4.72" equals "4.72.0.0", and leading zeros
// do not count ("03" is 3); numbers of any length compare without overflow.
// A part that is not all digits counts as the number its leading digits form
// (none: 0), and on equal numbers the rest of the part decides, compared as
// text without regard to case, a part without a rest being the older
// ("5.0" < "5.0b" < "5.0c"). Blanks around a part are ignored.
int VersionCompare(const std::string& a, const std::string& b);
