#include "FileList.h"

#include <exception>

#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "TextCompare.h"

namespace {

void ShowLoadError(std::exception_ptr error) {
    const ObjectError e = LogTrap::AsObjectError(error);
    MsgBox(LogTrap::ErrorLine("", e.Number(), ":", e.Description()), MsgBoxStyle::OKOnly, "LoadList Error");
}

}  // namespace

std::vector<std::string> ListFileEntries(const std::string& text) {
    std::vector<std::string> entries;
    for (const std::string& line : FileSystem::SplitLines(text)) {
        std::string entry = TrimSpaces(LowerCase(line));
        if (!entry.empty()) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

FileList::FileList() {
    list_.SortMode(SortedList::kText);
}

void FileList::FileLocation(const std::string& path) {
    path_ = path;
    loadFailed_ = false;
}

void FileList::SortMode(std::int32_t mode) {
    list_.SortMode(mode);
}

void FileList::Load() {
    Clear();
    loadFailed_ = false;
    if (!FileSystem::FileExists(path_)) {
        return;
    }
    std::exception_ptr refused;
    try {
        refused = AddEntries(FileSystem::ReadWholeFile(path_));
    } catch (...) {
        loadFailed_ = true;
        ShowLoadError(std::current_exception());
        return;
    }
    if (refused) {
        ShowLoadError(refused);
    }
}

std::exception_ptr FileList::AddEntries(const std::string& text) {
    std::exception_ptr refused;
    for (const std::string& entry : ListFileEntries(text)) {
        try {
            list_.Add(entry, std::int32_t{0});
        } catch (const ObjectError&) {
            if (!refused) {
                refused = std::current_exception();
            }
        }
    }
    return refused;
}

void FileList::Add(const std::string& entry) {
    list_.Add(entry, std::int32_t{0});
}

void FileList::Remove(const std::string& entry) {
    list_.Remove(entry);
}

bool FileList::Exists(const std::string& entry) {
    return list_.Exists(entry);
}

void FileList::Save(const std::string& path) {
    const bool own = TrimSpaces(path).empty() || TextCompare(path, path_) == 0;
    const std::string target = own ? path_ : path;
    if (target.empty()) {
        throw ObjectError(75, "FileList::Save", "Path/File access error: the list has no file");
    }
    if (own && loadFailed_) {
        throw ObjectError(kListNotLoaded, "FileList::Save",
                          "List not saved: " + path_ +
                              " could not be loaded, and saving would overwrite it with an incomplete list");
    }
    std::string text;
    for (const std::string& key : list_.keys()) {
        text += key;
        text += "\r\n";
    }
    FileSystem::ReplaceWithText(target, text);
}

std::int32_t FileList::Count() const {
    return list_.Count();
}

std::vector<std::string> FileList::Items() {
    return list_.keys();
}

void FileList::Clear() {
    list_.Clear();
}
