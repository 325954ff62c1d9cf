#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "SortedList.h"

// The senders the user blocked in Outlook Express for one identity.
class OEBlockedList {
public:
    OEBlockedList();

    // The identity GUID, in braces; nothing is read yet.
    void Identity(const std::string& guid) { identity_ = guid; }
    // Adds every blocked sender of the identity, without clearing first (a
    // second load adds them all again). A sender without "Value" adds "".
    void Load();
    // The senders in case-insensitive text order.
    std::vector<std::string> Keys();
    std::int32_t Count() const { return entries_.Count(); }

private:
    std::string identity_;
    SortedList entries_;
};
