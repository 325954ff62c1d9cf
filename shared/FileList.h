#pragma once
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ObjectError.h"
#include "SortedList.h"

// A list file of one entry per line, held as a set of entries in a
// SortedList (text mode unless told otherwise). Entries are lower-cased and
// trimmed when loaded; the file is written in ascending order, CR LF after
// each entry, without the UTF-8 byte-order mark it may have had in front
// (see ListFileEntries).
//
// A load that could not read the file leaves the list incomplete; saving it
// over the file would throw away every entry that was not read. Until a
// later load succeeds (or another file is named), Save refuses to write over
// the list's own file and raises kListNotLoaded instead. A line the list
// refuses (a word in a numeric list) is skipped with the "LoadList Error"
// box, the rest of the file is still loaded, and a save then writes the file
// without that line.
//
// A list file that cannot be read as text (see Conf::ReadableAsText: saved
// as Unicode, or binary) would be garbled by a rewrite line by line, so Save
// never writes over it and raises kListNotText instead; the file stays as it
// was.
class FileList {
public:
    static constexpr std::int32_t kListNotLoaded = kObjectErrorBase + 0x101;
    static constexpr std::int32_t kListNotText = kObjectErrorBase + 0x102;

    FileList();

    // Names the list file; loads nothing.
    void FileLocation(const std::string& path);
    // Raises the SortedList's "SortMode Failure" unless the list is empty.
    void SortMode(std::int32_t mode);
    // Replaces the entries with those of the file; a missing file gives an
    // empty list. Failures show the "LoadList Error" box, never raise.
    void Load();
    // Adds the entry as it is, without looking for it first.
    void Add(const std::string& entry);
    // Removes one entry equal to this one (letter case aside).
    void Remove(const std::string& entry);
    bool Exists(const std::string& entry);
    // Writes the list to the path, or to its own file when the path is
    // missing or blank (then under that file's FileLock). Raises what the
    // lock and the file system raise, kListNotLoaded and kListNotText (see
    // above).
    void Save(const std::string& path = "");
    std::int32_t Count() const;
    // The entries in ascending order.
    std::vector<std::string> Items();
    // Empties the list in memory; the file stays as it is.
    void Clear();
    // Loads the file again when it no longer holds what the list last loaded
    // from it or saved to it (another program has written it since), so that
    // a save that follows keeps that program's entries. Changes not saved
    // yet are dropped with the old entries: catch up before changing the
    // list. Raises what the file system raises when the file cannot be read.
    void CatchUp();
    // Runs a change of the list file as one step among all the programs
    // that write it: under the file's FileLock the list catches up with the
    // file, then the change runs and saves what it changed. Raises what the
    // lock, the catch-up or the change raise; the lock is let go either way.
    void Update(const std::function<void()>& change);

private:
    // Replaces the entries with those of the file's text, which the list
    // then matches; a line the list refuses is skipped, and the first
    // refusal is given back.
    std::exception_ptr LoadText(const std::string& text);
    // The list file's text; "" when there is no file.
    std::string FileText() const;

    SortedList list_;
    std::string path_;
    bool loadFailed_ = false;
    // Fingerprint of the file's text as last loaded or saved; none before
    // the first load and after a load that failed.
    std::optional<std::size_t> matched_;
};

// The entries a list file's text holds: each line lower-cased and trimmed of
// spaces, empty ones left out. Lines may end in CR LF, LF or CR. A UTF-8
// byte-order mark in front of the text is the file's, not the first entry's.
std::vector<std::string> ListFileEntries(const std::string& text);
