#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "FileList.h"

// A user-facing sender or address list over a FileList: every change is
// written to the list file at once, and an entry already on the list is
// refused with a message. A change whose save fails (FileList::Save raises,
// e.g. kListNotLoaded after a failed load) stays in memory only.
class AddressList {
public:
    // Names the list file; loads nothing.
    void FileLocation(const std::string& path);
    void Load();
    // Refuses an entry already present (letter case aside) with "Entry is
    // already on the list"; otherwise adds it as given and saves.
    void Add(const std::string& entry);
    // Removes every copy of the entry (an imported list may hold it more
    // than once) and saves; an absent entry changes nothing.
    void Remove(const std::string& entry);
    bool Exists(const std::string& entry);
    std::vector<std::string> Items();
    std::int32_t Count() const;
    // Writes the list to the path (an export), or to its own file when the
    // path is missing or blank.
    void Save(const std::string& path = "");
    // Adds every entry of the other file, repeats included, then saves the
    // list to its own file (also when the other file is missing).
    void Import(const std::string& path);
    // Empties the list in memory; the file stays as it is.
    void Clear();

private:
    FileList list_;
};
