#include "modMain.h"

namespace modMain {

std::string SubstituteArg(const std::string& text, const std::string& argument) {
    const std::string::size_type at = text.find("%1");
    if (at == std::string::npos) {
        return text;
    }
    std::string result = text;
    result.replace(at, 2, argument);
    return result;
}

std::string StripCommentPrefix(const std::string& text) {
    return text.rfind("# ", 0) == 0 ? text.substr(2) : text;
}

}  // namespace modMain
