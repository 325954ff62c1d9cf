#include <algorithm>

#include "ResourceError.h"
#include "Resources.h"
#include "StringTable.h"

// The portable lane has no resource section; it reads the same texts from
// the table generated beside the Windows string table.
std::string LoadResText(int id) {
    const StringTableEntry* end = kStringTable + kStringTableSize;
    const StringTableEntry* found =
        std::lower_bound(kStringTable, end, id, [](const StringTableEntry& e, int key) { return e.id < key; });
    if (found == end || found->id != id) {
        throw ResourceNotFound(std::to_string(id));
    }
    return found->text;
}
