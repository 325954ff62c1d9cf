#include "modOE.h"

namespace modOE {

std::string StripLastChar(const std::string& text) {
    return text.empty() ? text : text.substr(0, text.size() - 1);
}

}  // namespace modOE
