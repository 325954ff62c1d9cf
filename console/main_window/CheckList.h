#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// The report-view lists whose items carry a check box (the blocklist zones
// and the two country lists). Their templates hold a plain report view; the
// check boxes and the one column come at run time.
namespace CheckList {

// Gives the list its check boxes and, when it has none yet, its one column.
void Prepare(HWND list);
// Adds an item at the end, its check box ticked as given; its index.
int Append(HWND list, const std::string& text, bool checked = false);
// Each item's text, and whether its check box is ticked.
std::vector<std::pair<std::string, bool>> Entries(HWND list);
// Whether the notice tells of a check box ticked or cleared. An item being
// inserted gets its first state image (0 to unchecked), which is no change.
bool IsCheckChange(const NMHDR& header);

}  // namespace CheckList
