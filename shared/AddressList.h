#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FileList.h"

// A user-facing sender or address list over a FileList: every change is
// written to the list file at once, and an entry already on the list is
// refused with a message. Each change is one FileList::Update, so what
// another program wrote to the file meanwhile is kept. A change whose save
// fails (FileList::Save raises, e.g. kListNotLoaded after a failed load)
// stays in memory only.
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
    // Puts the entry in the place of every copy of `replaced` ("" for none)
    // and saves once. Unlike Add it looks for no duplicate: the caller has.
    void Replace(const std::string& replaced, const std::string& entry);
    // FileList::Update: a change of several steps as one.
    void Update(const std::function<void()>& change);
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
    // Removes every copy of the entry, in memory only; false when absent.
    bool RemoveAll(const std::string& entry);

    FileList list_;
};
