#include "RBLSelection.h"

#include <unordered_set>

#include "TextCompare.h"

namespace RBLSelection {

namespace {

// Zones compare without regard to letter case; a set keeps a long list's
// lookups from growing with the other list's length.
std::unordered_set<std::string> SmallForms(const std::vector<std::string>& zones) {
    std::unordered_set<std::string> forms;
    forms.reserve(zones.size());
    for (const std::string& zone : zones) {
        forms.insert(LowerCase(zone));
    }
    return forms;
}

}  // namespace

std::vector<Zone> ZonesToShow(const std::vector<std::string>& available, const std::vector<std::string>& active) {
    const std::unordered_set<std::string> activeForms = SmallForms(active);
    const std::unordered_set<std::string> availableForms = SmallForms(available);
    std::vector<Zone> zones;
    zones.reserve(available.size() + active.size());
    for (const std::string& zone : available) {
        zones.push_back({zone, activeForms.count(LowerCase(zone)) != 0});
    }
    for (const std::string& zone : active) {
        if (availableForms.count(LowerCase(zone)) == 0) {
            zones.push_back({zone, true});
        }
    }
    return zones;
}

}  // namespace RBLSelection
