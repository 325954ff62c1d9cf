#pragma once
#include <string>
#include <vector>

// What the blocklist-zone page shows.
namespace RBLSelection {

struct Zone {
    std::string name;
    bool active;
    bool operator==(const Zone&) const = default;
};

// Every available zone in its order, checked when it is also active; then
// each active zone that is not available, checked. Left out, an active zone
// missing from the available list would be dropped unseen at the next save,
// which rebuilds the active list from the page's check marks. Letter case is
// ignored when comparing zones.
std::vector<Zone> ZonesToShow(const std::vector<std::string>& available, const std::vector<std::string>& active);

}  // namespace RBLSelection
