#pragma once
#include <windows.h>
#include <commctrl.h>

// The tree view's hit test, as the option tree's mouse handling asks it.
namespace mTreeviewCalls {

// Sends TVM_HITTEST for the client point in info; the tree fills in the hit
// flags and the item. Gives the item hit, or nullptr.
HTREEITEM TreeViewHitTest(HWND tree, TVHITTESTINFO& info);

}  // namespace mTreeviewCalls
