#pragma once
#include <map>
#include <string>
#include <vector>

#include "PageGroup.h"

class AddressList;
enum class SenderList : int;
enum class AddressDialog : int;

// The sender and address list pages: every change is written to the list
// file at once, not held back until Apply.
class SenderListPages : public PageGroup {
public:
    explicit SenderListPages(frmMain& window) : PageGroup(window) {}

    std::span<const int> Pages() const override;
    bool OnCommand(int id, int code) override;

    // Clears the box and adds every entry of the list, remembering which
    // entry each row stands for.
    void FillListFromAddressList(AddressList& list, HWND box);
    // Fills the list's box; a list that failed to load at start-up leaves
    // its box empty.
    void FillSenderList(SenderList which);
    // The page of that tree key refills its box when another program has
    // written its list file since.
    void ReloadPageIfChanged(const std::string& key);

    void lstIgnoredSenders_Click();
    void ShowAddressDialog(AddressDialog dialog, SenderList which, const std::string& editedEntry = "");
    void EditSenderEntry(AddressDialog dialog, SenderList which);
    void DeleteSelectedSenders(SenderList which);
    // Adds the entries of a file to the approved or blocked sender list, or
    // writes the list to a file; the Import and Export buttons ask for it.
    void ImportSenderList(SenderList which, const std::string& path);
    void ExportSenderList(SenderList which, const std::string& path);

private:
    HWND Box(SenderList which) const;
    // The entry the row was filled from, which the box may show cut short: it
    // takes C strings, and a damaged line can hold a NUL.
    std::string RowEntry(HWND box, int row) const;

    // Each box's entries in row order, as it was last filled.
    std::map<HWND, std::vector<std::string>> rows_;
};
