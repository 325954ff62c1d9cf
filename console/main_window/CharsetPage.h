#pragma once
#include <array>
#include <string>
#include <vector>

#include "CharsetTree.h"
#include "PageGroup.h"

class KXProxyConf;

// The blocked-charset tree. The marks live in charsetMarks_; the control
// shows them. A mark the user changes is found by comparing the two after
// the mouse and key input the tree handles, so marks the program sets never
// count as the user's.
class CharsetPage : public PageGroup {
public:
    explicit CharsetPage(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;

    void BuildCharsetTree();
    void LoadCharsetTree();
    // The checked charsets, then the stored ones the tree has no node for.
    void WriteLists(KXProxyConf& conf) const;
    // Entries of the stored list that the tree lacks, as the last load found
    // them: the save adds them back.
    const std::vector<std::string>& UnknownBlockedCharsets() const { return unknownBlockedCharsets_; }

    // The user changed the mark of the charset node of that index.
    void tvCharsets_NodeCheck(int index);
    void cmdBlockCharsetsCheckAll_Click();
    void cmdBlockCharsetsUncheckAll_Click();
    void cmdBlockedCharsetReset_Click();

private:
    void SetAllCharsetMarks(bool checked);
    void ShowCharsetMarks();
    void FindUserCharsetCheck();
    static LRESULT CALLBACK CharsetTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR page);

    CharsetTree charsetMarks_;
    std::array<HTREEITEM, CharsetTree::kNodeCount> charsetItems_{};
    std::vector<std::string> unknownBlockedCharsets_;
};
