#pragma once
#include <string>

// The IP lists and blocklist zones are stored comma-separated on one line of
// the configuration file, so an entry holding a comma, a blank or a control
// character would come back as several entries, or break the line.
namespace ListEntryText {

// True when the entry can stand in such a list as one entry.
bool FitsOneLineList(const std::string& entry);

}  // namespace ListEntryText
