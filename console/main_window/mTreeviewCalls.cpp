#include "mTreeviewCalls.h"

namespace mTreeviewCalls {

HTREEITEM TreeViewHitTest(HWND tree, TVHITTESTINFO& info) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

}  // namespace mTreeviewCalls
