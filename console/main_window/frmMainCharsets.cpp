#include "KXProxyConf.h"
#include "WindowBoundary.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "modMain.h"

// The blocked-charset tree. The marks live in charsetMarks_; the control
// shows them. A mark the user changes is found by comparing the two after
// the mouse and key input the tree handles, so marks the program sets never
// count as the user's.

void frmMain::BuildCharsetTree() {
    HWND tree = Control(IDC_tvCharsets);
    // Check boxes take reliably only when the style is set after creation:
    // the control makes their images when it sees the style change.
    const LONG_PTR style = GetWindowLongPtrA(tree, GWL_STYLE);
    SetWindowLongPtrA(tree, GWL_STYLE, style & ~TVS_CHECKBOXES);
    SetWindowLongPtrA(tree, GWL_STYLE, style | TVS_CHECKBOXES);
    TreeView_SetIndent(tree, 19);
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        const CharsetTree::Node& node = CharsetTree::kNodes[i];
        const std::string text = CharsetTree::Text(i);
        TVINSERTSTRUCTA insert{};
        insert.hParent = CharsetTree::IsGroup(i) ? TVI_ROOT : charsetItems_[node.group];
        insert.hInsertAfter = TVI_LAST;
        // Each node gets its check box as it is added, so the tree lays it out with one.
        insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        insert.item.state = INDEXTOSTATEIMAGEMASK(1);
        insert.item.stateMask = TVIS_STATEIMAGEMASK;
        insert.item.pszText = const_cast<char*>(text.c_str());
        insert.item.lParam = i;
        charsetItems_[i] = TreeView_InsertItem(tree, &insert);
    }
    SetWindowSubclass(tree, CharsetTreeProc, 0, 0);
    ShowCharsetMarks();
}

void frmMain::LoadCharsetTree() {
    charsetMarks_.Load([](const std::string& charset) { return modMain::gProxyConf->BlockedCharsetExists(charset); });
    unknownBlockedCharsets_ = CharsetTree::UnknownEntries(modMain::gProxyConf->Get_Blocked_Charset_List());
    ShowCharsetMarks();
}

void frmMain::ShowCharsetMarks() {
    HWND tree = Control(IDC_tvCharsets);
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        TreeView_SetCheckState(tree, charsetItems_[i], charsetMarks_.Checked(i));
    }
}

void frmMain::FindUserCharsetCheck() {
    HWND tree = Control(IDC_tvCharsets);
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        if ((TreeView_GetCheckState(tree, charsetItems_[i]) == 1) != charsetMarks_.Checked(i)) {
            tvCharsets_NodeCheck(i);
            return;
        }
    }
}

void frmMain::tvCharsets_NodeCheck(int index) {
    const WindowBoundary::Handler handler(__func__);
    MarkSettingsChanged(true);
    HWND tree = Control(IDC_tvCharsets);
    TreeView_SelectItem(tree, charsetItems_[index]);
    charsetMarks_.NodeCheck(index, TreeView_GetCheckState(tree, charsetItems_[index]) == 1);
    ShowCharsetMarks();
}

void frmMain::SetAllCharsetMarks(bool checked) {
    charsetMarks_.SetAll(checked);
    ShowCharsetMarks();
    MarkSettingsChanged(true);
}

void frmMain::cmdBlockCharsetsCheckAll_Click() {
    const WindowBoundary::Handler handler(__func__);
    SetAllCharsetMarks(true);
}

void frmMain::cmdBlockCharsetsUncheckAll_Click() {
    const WindowBoundary::Handler handler(__func__);
    SetAllCharsetMarks(false);
}

void frmMain::cmdBlockedCharsetReset_Click() {
    const WindowBoundary::Handler handler(__func__);
    LoadCharsetTree();
}

LRESULT CALLBACK frmMain::CharsetTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            WindowBoundary::Guard("tvCharsets", false, [] {
                Instance().FindUserCharsetCheck();
                return true;
            });
            break;
        default:
            break;
    }
    return result;
}
