#include "FileList.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Conf.h"
#include "FileLock.h"
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

// Enough to tell whether a list file still holds the text it held: the
// file's time is too coarse for that, as two writes may share one tick.
std::size_t Fingerprint(const std::string& text) {
    return std::hash<std::string>{}(text);
}

}  // namespace

std::vector<std::string> ListFileEntries(const std::string& text) {
    std::vector<std::string> entries;
    for (const FileSystem::TextLine& line : FileSystem::SplitLinesWithEnds(Conf::TextAfterByteOrderMark(text))) {
        // No byte is a space in one case and not in the other, so trimming
        // first gives the same entry with less to lower.
        std::string entry = LowerCase(TrimSpaces(line.text));
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
    matched_.reset();
}

void FileList::SortMode(std::int32_t mode) {
    list_.SortMode(mode);
}

void FileList::Load() {
    Clear();
    loadFailed_ = false;
    matched_.reset();
    std::exception_ptr refused;
    try {
        refused = LoadText(FileText());
    } catch (...) {
        loadFailed_ = true;
        ShowLoadError(std::current_exception());
        return;
    }
    if (refused) {
        ShowLoadError(refused);
    }
}

void FileList::CatchUp() {
    const std::string text = FileText();
    if (matched_ == Fingerprint(text)) {
        return;
    }
    loadFailed_ = false;
    if (const std::exception_ptr refused = LoadText(text)) {
        ShowLoadError(refused);
    }
}

void FileList::Update(const std::function<void()>& change) {
    const FileLock lock(path_);
    CatchUp();
    change();
}

std::string FileList::FileText() const {
    return FileSystem::FileExists(path_) ? FileSystem::ReadWholeFile(path_) : std::string();
}

std::exception_ptr FileList::LoadText(const std::string& text) {
    Clear();
    matched_ = Fingerprint(text);
    std::exception_ptr refused;
    for (std::string& entry : ListFileEntries(text)) {
        try {
            list_.Add(std::move(entry), std::int32_t{0});
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
    // The list's own file is saved under its lock, taken again inside
    // Update. A list that one program alone writes (the scanner's seen
    // messages) takes it too, so that its saves also clear the temporary
    // files a killed run of that program left behind. An export's file is
    // the user's: nothing beside it is cleared.
    std::optional<FileLock> lock;
    if (own) {
        lock.emplace(target);
    }
    if (own && loadFailed_) {
        throw ObjectError(
            kListNotLoaded, "FileList::Save",
            "List not saved: " + path_ + " could not be loaded, and saving would overwrite it with an incomplete list");
    }
    if (own && FileSystem::FileExists(target) && !Conf::ReadableAsText(FileSystem::ReadWholeFile(target))) {
        throw ObjectError(
            kListNotText, "FileList::Save",
            Conf::NotTextReason(target) + ", so the list was not saved to it. The file was left as it was.");
    }
    std::string entries;
    list_.ForEachRecord([&](const std::string& key, const Variant&) { entries.append(key).append("\r\n"); });
    // A file's mark is not kept: the entries are sorted, and a reader that
    // does not skip a mark (the daemon may not) would take it for part of
    // whichever entry came first. Only an entry that begins with the mark's
    // bytes gets one in front, so that it reads back as it is.
    const std::string text = Conf::WithByteOrderMark(std::move(entries), false);
    // The other programs that write the file use temporary files of their own.
    FileSystem::ReplaceWithText(target, text, FileLock::OwnTemporaryPath(target));
    if (own) {
        matched_ = Fingerprint(text);
    }
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
