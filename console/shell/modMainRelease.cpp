#include <algorithm>
#include <cctype>
#include <vector>

#include "Conf.h"
#include "FileSystem.h"
#include "TextCompare.h"
#include "VersionCompare.h"
#include "modMainRelease.h"

namespace modMain {

namespace {

const std::string kVersionKey = "version=";

bool IsNumber(const std::string& text) {
    const std::string part = TrimSpaces(text);
    return !part.empty() &&
           std::all_of(part.begin(), part.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// The major, minor and revision parts that are there.
std::vector<std::string> FirstThreeParts(const std::string& release) {
    std::vector<std::string> parts = SplitText(release, '.');
    parts.resize(std::min<std::size_t>(parts.size(), 3));
    return parts;
}

}  // namespace

std::string ResponseBody(const std::string& response) {
    return response.substr(0, response.find('\0'));
}

std::string ReleaseNumber(const std::string& body) {
    // An editor saving UTF-8 may put a byte-order mark in front of the first line.
    for (const std::string& line : FileSystem::SplitLines(Conf::TextAfterByteOrderMark(body))) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos && line.compare(start, kVersionKey.size(), kVersionKey) == 0) {
            return TrimSpaces(line.substr(start + kVersionKey.size()));
        }
    }
    return "";
}

bool IsReleaseNumber(const std::string& release) {
    const std::vector<std::string> parts = FirstThreeParts(release);
    return std::all_of(parts.begin(), parts.end(), IsNumber);
}

bool IsNewerVersion(const std::string& release, const std::string& running) {
    if (!IsReleaseNumber(release)) {
        return false;
    }
    const std::vector<std::string> parts = FirstThreeParts(release);
    // Missing trailing parts count as 0, which is never newer than the
    // running version's part in that place.
    std::string firstThree = parts[0];
    for (std::size_t i = 1; i < parts.size(); ++i) {
        firstThree += "." + parts[i];
    }
    return VersionCompare(firstThree, running) > 0;
}

bool NoticeWanted(const std::string& latest, const std::string& dismissed) {
    if (SplitText(dismissed, '.').size() != 3) {
        return true;
    }
    return VersionCompare(latest, dismissed) > 0;
}

std::string RequestFailureText(std::int32_t errorCode, const std::string& proxyServer) {
    switch (errorCode) {
        case 0:
            return "";
        case 5:
            return "Couldn't resolve proxy " + proxyServer + ". The given proxy host could not be resolved.";
        case 6:
            return "Couldn't  resolve  host. The given remote host was not resolved.";
        case 7:
            return "Failed to connect to host or proxy.";
        default:
            return "Connection Failure.";
    }
}

}  // namespace modMain
