#include "OEBlockedList.h"

#include "OERegistry.h"

OEBlockedList::OEBlockedList() {
    entries_.Clear();
    entries_.SortMode(SortedList::kText);
}

void OEBlockedList::Load() {
    const std::string criteria =
        "Identities\\" + identity_ + "\\Software\\Microsoft\\Outlook Express\\5.0\\Block Senders\\Mail\\Criteria";
    for (const std::string& sender : OERegistry::SubkeyNames(criteria)) {
        entries_.Add(Variant(OERegistry::ValueText(HKEY_CURRENT_USER, criteria + "\\" + sender, "Value")), Variant());
    }
}

std::vector<std::string> OEBlockedList::Keys() {
    return entries_.keys();
}
