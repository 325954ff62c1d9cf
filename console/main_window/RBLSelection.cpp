#include "RBLSelection.h"

#include <algorithm>

#include "TextCompare.h"

namespace RBLSelection {

namespace {

bool Holds(const std::vector<std::string>& zones, const std::string& zone) {
    return std::any_of(zones.begin(), zones.end(),
                       [&](const std::string& other) { return TextCompare(other, zone) == 0; });
}

}  // namespace

std::vector<Zone> ZonesToShow(const std::vector<std::string>& available, const std::vector<std::string>& active) {
    std::vector<Zone> zones;
    for (const std::string& zone : available) {
        zones.push_back({zone, Holds(active, zone)});
    }
    for (const std::string& zone : active) {
        if (!Holds(available, zone)) {
            zones.push_back({zone, true});
        }
    }
    return zones;
}

}  // namespace RBLSelection
