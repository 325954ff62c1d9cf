#include "ProcessName.h"

#include "TextCompare.h"

bool ProcessNameMatches(const std::string& executablePath, const std::string& name) {
    const auto slash = executablePath.find_last_of("\\/");
    const std::string base = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    if (TextCompare(base, name) == 0) {
        return true;
    }
    const std::string extension = ".exe";
    return base.size() > extension.size() && TextCompare(base.substr(base.size() - extension.size()), extension) == 0 &&
           TextCompare(base.substr(0, base.size() - extension.size()), name) == 0;
}
