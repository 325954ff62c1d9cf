// Arbitrary bytes as a sender list file: every entry loaded must be a
// non-empty, trimmed, lower-cased line, in ascending order; a duplicate is
// refused with its message; removing an entry takes every copy of it; and
// what is saved, to the own file or exported, loads back as the same list.
// A file that is not text is never written over: its save raises and the
// file keeps its bytes.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "AddressList.h"
#include "Conf.h"
#include "FileList.h"
#include "FileSystem.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

int gBoxes = 0;

void Require(bool condition) {
    if (!condition) {
        abort();
    }
}

// The files live in memory (MemoryFileSystem.cpp), so the paths name no disk.
const char kOwnFile[] = "/fuzz/blocked_senders";
const char kExportedFile[] = "/fuzz/exported";

void CheckEntries(const std::vector<std::string>& entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        // Lowering leaves spaces alone, so trimmed and lowered is this.
        Require(!entry.empty() && entry.front() != ' ' && entry.back() != ' ' && entry == LowerCase(entry));
        Require(entry.find_first_of("\r\n") == std::string::npos);
        Require(i == 0 || TextCompare(entries[i - 1], entry) <= 0);
    }
}

std::vector<std::string> LoadedItems(const std::string& path) {
    AddressList list;
    list.FileLocation(path);
    list.Load();
    return list.Items();
}

// Removes the entry; false when the save was refused for a file not text.
bool RemoveSaved(AddressList& list, const std::string& entry) {
    try {
        list.Remove(entry);
        return true;
    } catch (const ObjectError& error) {
        Require(error.Number() == FileList::kListNotText);
        return false;
    }
}

}  // namespace

// Every box is counted and answered at once.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    SetMsgBoxResponder([](const MsgBoxRequest&) {
        ++gBoxes;
        return MsgBoxResult::OK;
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const bool text = Conf::ReadableAsText(input);
    FileSystem::WriteWholeFile(kOwnFile, input);
    gBoxes = 0;

    AddressList list;
    list.FileLocation(kOwnFile);
    list.Load();
    std::vector<std::string> items = list.Items();
    Require(static_cast<std::size_t>(list.Count()) == items.size());
    CheckEntries(items);

    // Loading a readable list shows nothing; only the duplicate below does.
    Require(gBoxes == 0);
    if (!items.empty()) {
        const std::string victim = items[items.size() / 2];
        Require(list.Exists(victim));
        list.Add(victim);
        Require(gBoxes == 1 && list.Items() == items);
        Require(RemoveSaved(list, victim) == text);
        // A refused save keeps the change in memory only.
        Require(!list.Exists(victim));
        items.erase(std::remove(items.begin(), items.end(), victim), items.end());
    }
    Require(list.Items() == items);

    list.Save(kExportedFile);
    Require(LoadedItems(kExportedFile) == items);
    Require(text ? LoadedItems(kOwnFile) == items : FileSystem::ReadWholeFile(kOwnFile) == input);
    return 0;
}
