#pragma once
#include <string>
#include <vector>

#include "PageGroup.h"

class KXProxyConf;
enum class RangeDialog : int;

// The IP and blocklist-zone pages: their boxes are working copies of the
// configuration's lists, written back only when the settings are saved.
class IPListPages : public PageGroup {
public:
    explicit IPListPages(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;
    // lstRBLs_ItemCheck.
    bool OnNotify(const NMHDR& header) override;

    void LoadApprovedIPList();
    void LoadBlockedIPList();
    void LoadIgnoredIPList();
    void LoadRBLs();
    // The boxes' entries into the configuration's lists.
    void WriteLists(KXProxyConf& conf) const;

    // The texts of a page's box, top to bottom (a list box or lstRBLs).
    std::vector<std::string> ListBoxItems(int box) const;
    // Appends an entry at the end of a page's box; a zone of lstRBLs with
    // its check mark as given.
    void AppendListItem(int box, const std::string& text, bool checked = false);

    bool mLoadingRBLs = false;

private:
    void ShowRangeDialog(RangeDialog dialog, int box);
    void EditIPEntry(RangeDialog dialog, int box);
    void DeleteCurrentEntry(int box);
    // Of the approved, blocked and ignored IP pages, counted from 0.
    void LoadIPList(int index);
};
