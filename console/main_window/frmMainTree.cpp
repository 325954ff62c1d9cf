#include <cmath>

#include "LogTrap.h"
#include "OptionTree.h"
#include "ResourcePictures.h"
#include "Resources.h"
#include "WindowBoundary.h"
#include "frmMain.h"
#include "frmMainIds.h"
#include "mTreeviewCalls.h"
#include "modMain.h"

namespace {

// The image list numbers images from 1; the tree control from 0.
int ToTreeImage(int image) {
    return image == OptionTree::kImageNone ? I_IMAGENONE : image - 1;
}

}  // namespace

void frmMain::LoadTreeImages() {
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 12, 0);
    for (int icon : OptionTree::kImageIcons) {
        HICON picture =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, 0));
        if (picture == nullptr) {
            // Raised like any missing resource; the tree stays as far as it got.
            LoadResIcon(icon);
        }
        ImageList_AddIcon(images_, picture);
        DestroyIcon(picture);
    }
}

void frmMain::CreateTreeview() {
    LogTrap::Trap("CreateTreeview: Error ", " : ", [&] {
        mIconClicked = false;
        mTreeHwnd = GetDlgItem(hwnd_, IDC_tv);
        SetWindowSubclass(mTreeHwnd, TreeProc, 0, reinterpret_cast<DWORD_PTR>(this));
        TreeView_SetIndent(mTreeHwnd, 19);
        LoadTreeImages();
        TreeView_SetImageList(mTreeHwnd, images_, TVSIL_NORMAL);

        for (int i = 0; i < OptionTree::kNodeCount; ++i) {
            const OptionTree::Node& node = OptionTree::kNodes[i];
            const std::string text = node.textId ? LoadResText(node.textId) : node.text;
            TVINSERTSTRUCTA insert{};
            insert.hParent = *node.parent ? nodes_.at(node.parent) : TVI_ROOT;
            insert.hInsertAfter = TVI_LAST;
            insert.itemex.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            insert.itemex.pszText = const_cast<char*>(text.c_str());
            insert.itemex.lParam = i;
            insert.itemex.iImage = insert.itemex.iSelectedImage = ToTreeImage(node.image);
            if (node.expandedImage) {
                insert.itemex.mask |= TVIF_EXPANDEDIMAGE;
                insert.itemex.iExpandedImage = ToTreeImage(node.expandedImage);
            }
            nodes_[node.key] = TreeView_InsertItem(mTreeHwnd, &insert);
        }
        // The whole tree is shown open.
        for (const OptionTree::Node& node : OptionTree::kNodes) {
            if (node.image == OptionTree::kImageRoot || node.expandedImage) {
                TreeView_Expand(mTreeHwnd, nodes_.at(node.key), TVE_EXPAND);
            }
        }
    });
}

HTREEITEM frmMain::Node(const std::string& key) const {
    const auto found = nodes_.find(key);
    return found == nodes_.end() ? nullptr : found->second;
}

int frmMain::NodeImage(const std::string& key) const {
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_HANDLE;
    item.hItem = Node(key);
    if (item.hItem == nullptr || !TreeView_GetItem(mTreeHwnd, &item) || item.iImage < 0) {
        return OptionTree::kImageNone;
    }
    return item.iImage + 1;
}

void frmMain::SetNodeImage(const std::string& key, int image) {
    TVITEMA item{};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = Node(key);
    item.iImage = item.iSelectedImage = ToTreeImage(image);
    TreeView_SetItem(mTreeHwnd, &item);
}

std::string frmMain::SelectedKey() const {
    TVITEMA item{};
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = TreeView_GetSelection(mTreeHwnd);
    if (item.hItem == nullptr || !TreeView_GetItem(mTreeHwnd, &item)) {
        return "";
    }
    return OptionTree::kNodes[item.lParam].key;
}

void frmMain::ShowPageOf(int controlId) {
    const HWND page = GetParent(Control(controlId));
    for (int index = 0; index < static_cast<int>(pages_.size()); ++index) {
        if (pages_[index] != page) {
            continue;
        }
        // The tree shows where the user is; a page without a node is shown alone.
        for (const OptionTree::Node& node : OptionTree::kNodes) {
            if (node.page == index) {
                TreeView_SelectItem(mTreeHwnd, Node(node.key));
                break;
            }
        }
        DisplayPicOptions(index);
        return;
    }
}

void frmMain::ToggleOptionNode() {
    const std::string key = SelectedKey();
    const int image = NodeImage(key);
    if (image != OptionTree::kImageOn && image != OptionTree::kImageOff) {
        return;
    }
    SetNodeImage(key, image == OptionTree::kImageOn ? OptionTree::kImageOff : OptionTree::kImageOn);
    modMain::gSettingsChanged = true;
    modMain::gRestartNeeded = true;
    EnableWindow(GetDlgItem(hwnd_, IDC_cmdOK), TRUE);
}

void frmMain::tv_NodeClick() {
    const WindowBoundary::Handler handler(__func__);
    const std::string key = SelectedKey();
    if (const OptionTree::Node* node = OptionTree::Find(key)) {
        senders_.ReloadPageIfChanged(key);
        if (key == "WordTraining") {
            fields_.UpdateTrainingProgress();
        }
        DisplayPicOptions(node->page);
    }
    if (mIconClicked) {
        ToggleOptionNode();
        mIconClicked = false;
    }
}

void frmMain::tv_KeyPress(int& keyAscii) {
    const WindowBoundary::Handler handler(__func__);
    if (keyAscii == ' ') {
        ToggleOptionNode();
        keyAscii = 0;
    }
}

void frmMain::tv_MouseDown(int button, int x, int y) {
    const WindowBoundary::Handler handler(__func__);
    if (button != 1) {
        return;
    }
    TVHITTESTINFO info{};
    info.pt = {x, y};
    if (mTreeviewCalls::TreeViewHitTest(mTreeHwnd, info) != nullptr && info.flags == TVHT_ONITEMICON) {
        mIconClicked = true;
    }
}

void frmMain::cmdHelp_Click() {
    const WindowBoundary::Handler handler(__func__);
    const OptionTree::Node* node = OptionTree::Find(SelectedKey());
    menus_.ShowHelpTopic(node ? node->helpId : OptionTree::kNodes[0].helpId);
}

LRESULT CALLBACK frmMain::TreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR window) {
    // The tree goes on with the message whatever its handler met.
    const bool swallowed = WindowBoundary::Guard("tv", false, [&] {
        frmMain& form = *reinterpret_cast<frmMain*>(window);
        switch (message) {
            case WM_LBUTTONDOWN:
            case WM_RBUTTONDOWN:
                form.selectionChangedByClick_ = false;
                form.lastPress_ = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                form.tv_MouseDown(message == WM_LBUTTONDOWN ? 1 : 2, static_cast<short>(LOWORD(lParam)),
                                  static_cast<short>(HIWORD(lParam)));
                return false;
            case WM_CHAR: {
                int key = static_cast<int>(wParam);
                form.tv_KeyPress(key);
                wParam = static_cast<WPARAM>(key);
                return key == 0;
            }
            default:
                return false;
        }
    });
    return swallowed ? 0 : DefSubclassProc(hwnd, message, wParam, lParam);
}

bool frmMain::OnTreeNotify(const NMHDR& header) {
    switch (header.code) {
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW:
            selectionChangedByClick_ = true;
            tv_NodeClick();
            return true;
        case NM_CLICK: {
            // A click on the node already selected changes no selection but
            // is a node click all the same.
            TVHITTESTINFO info{};
            info.pt = lastPress_;
            const HTREEITEM hit = mTreeviewCalls::TreeViewHitTest(mTreeHwnd, info);
            if (!selectionChangedByClick_ && hit != nullptr && hit == TreeView_GetSelection(mTreeHwnd)) {
                tv_NodeClick();
            }
            selectionChangedByClick_ = false;
            return true;
        }
        default:
            return false;
    }
}
