#include "CharsetPage.h"

#include "KXProxyConf.h"
#include "WindowBoundary.h"
#include "frmMainIds.h"
#include "modMain.h"

namespace {

constexpr int kPages[] = {16};

// The display texts of the checked charset nodes in tree order; group
// nodes only stand for their charsets.
std::vector<std::string> CheckedCharsets(HWND tree) {
    std::vector<std::string> charsets;
    for (HTREEITEM group = TreeView_GetRoot(tree); group; group = TreeView_GetNextSibling(tree, group)) {
        for (HTREEITEM item = group; item;
             item = item == group ? TreeView_GetChild(tree, group) : TreeView_GetNextSibling(tree, item)) {
            TVITEMA node{};
            node.mask = TVIF_PARAM;
            node.hItem = item;
            TreeView_GetItem(tree, &node);
            const int index = static_cast<int>(node.lParam);
            if (std::string(CharsetTree::kNodes[index].key).find("_Group") == std::string::npos &&
                TreeView_GetCheckState(tree, item) == 1) {
                charsets.push_back(CharsetTree::Text(index));
            }
        }
    }
    return charsets;
}

}  // namespace

std::span<const int> CharsetPage::Pages() const {
    return kPages;
}

bool CharsetPage::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    switch (id) {
        case IDC_cmdBlockCharsetsCheckAll:
            cmdBlockCharsetsCheckAll_Click();
            return true;
        case IDC_cmdBlockCharsetsUncheckAll:
            cmdBlockCharsetsUncheckAll_Click();
            return true;
        case IDC_cmdBlockedCharsetReset:
            cmdBlockedCharsetReset_Click();
            return true;
        default:
            return false;
    }
}

void CharsetPage::BuildCharsetTree() {
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
    SetWindowSubclass(tree, CharsetTreeProc, 0, reinterpret_cast<DWORD_PTR>(this));
    ShowCharsetMarks();
}

void CharsetPage::LoadCharsetTree() {
    charsetMarks_.Load([](const std::string& charset) { return modMain::gProxyConf->BlockedCharsetExists(charset); });
    unknownBlockedCharsets_ = CharsetTree::UnknownEntries(modMain::gProxyConf->Get_Blocked_Charset_List());
    ShowCharsetMarks();
}

void CharsetPage::WriteLists(KXProxyConf& conf) const {
    conf.ClearBlockedCharsetList();
    for (const std::string& charset : CheckedCharsets(Control(IDC_tvCharsets))) {
        conf.AddBlockedCharset(charset);
    }
    // Stored entries the tree has no node for stay in the list.
    for (const std::string& charset : unknownBlockedCharsets_) {
        conf.AddBlockedCharset(charset);
    }
}

void CharsetPage::ShowCharsetMarks() {
    HWND tree = Control(IDC_tvCharsets);
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        TreeView_SetCheckState(tree, charsetItems_[i], charsetMarks_.Checked(i));
    }
}

void CharsetPage::FindUserCharsetCheck() {
    HWND tree = Control(IDC_tvCharsets);
    for (int i = 0; i < CharsetTree::kNodeCount; ++i) {
        if ((TreeView_GetCheckState(tree, charsetItems_[i]) == 1) != charsetMarks_.Checked(i)) {
            tvCharsets_NodeCheck(i);
            return;
        }
    }
}

void CharsetPage::tvCharsets_NodeCheck(int index) {
    const WindowBoundary::Handler handler(__func__);
    MarkSettingsChanged(true);
    HWND tree = Control(IDC_tvCharsets);
    TreeView_SelectItem(tree, charsetItems_[index]);
    charsetMarks_.NodeCheck(index, TreeView_GetCheckState(tree, charsetItems_[index]) == 1);
    ShowCharsetMarks();
}

void CharsetPage::SetAllCharsetMarks(bool checked) {
    charsetMarks_.SetAll(checked);
    ShowCharsetMarks();
    MarkSettingsChanged(true);
}

void CharsetPage::cmdBlockCharsetsCheckAll_Click() {
    const WindowBoundary::Handler handler(__func__);
    SetAllCharsetMarks(true);
}

void CharsetPage::cmdBlockCharsetsUncheckAll_Click() {
    const WindowBoundary::Handler handler(__func__);
    SetAllCharsetMarks(false);
}

void CharsetPage::cmdBlockedCharsetReset_Click() {
    const WindowBoundary::Handler handler(__func__);
    LoadCharsetTree();
}

LRESULT CALLBACK CharsetPage::CharsetTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                              DWORD_PTR page) {
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            WindowBoundary::Guard("tvCharsets", false, [page] {
                reinterpret_cast<CharsetPage*>(page)->FindUserCharsetCheck();
                return true;
            });
            break;
        default:
            break;
    }
    return result;
}
