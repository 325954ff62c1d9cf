#include "ListEntryText.h"

namespace ListEntryText {

bool FitsOneLineList(const std::string& entry) {
    for (unsigned char c : entry) {
        if (c == ',' || c == ' ' || c < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace ListEntryText
