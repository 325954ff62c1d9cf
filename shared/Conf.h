#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SortedList.h"
#include "Variant.h"

// One settings file of key=value lines and "#" comment lines, held in memory
// as a key -> value map with keys compared without regard to case. The daemon
// reads the same file and may keep lines we do not know, so rewriting it
// changes only the setting lines whose values the map holds (or drops those
// whose value became empty) and keeps every other line byte for byte, end of
// line included, whatever it holds.
//
// Lines end in CR LF, CR or LF when read; new lines are written with CR LF. A
// key may stand on several lines; lookups and SetValue always answer the first.
// A UTF-8 byte-order mark in front (Notepad's "UTF-8") is the file's, not its
// first line's: a rewrite keeps it in front.
//
// The file has no lock: the daemon, an editor or the updater share it only
// through whole-file replacement, so Save writes what the map holds. Every
// key of the map is written on every line that spells it, in the file's own
// capitals, with the value a lookup finds (its line goes when that value is
// empty); a key the file lacks (another program may have removed it since
// the load) is appended. What another program wrote meanwhile to a key the
// map holds is written over.
//
// Writing goes to the path + ".tmp", which then replaces the file in one step,
// so the file is always either the old or the new version. Save and
// WriteValue give false when the file could not be written: the failure is
// logged ("Conf.Save() Error <number> : <text>") and the file is unchanged; a
// failing final replace also shows the message box "<number> : <text>".
//
// A file that is not text (see ReadableAsText) is never written over: each
// attempt is logged and fails, and the first one says so in a box.
class Conf {
public:
    Conf();

    // Stores the path; loads nothing.
    void ConfigFile(const std::string& path);
    // The value of the key's first line; the empty value when absent.
    Variant GetValue(std::string_view key);
    // The same as text, without a copy; it lasts until the map next changes.
    std::string_view TextValue(std::string_view key);

    // Adds every setting line of the file to the map (the map is not cleared
    // first). A missing file adds nothing; a file that cannot be read raises.
    void Load();
    // False when the last Load found a file that is not text: the map then
    // holds nothing the file means, so no setting should be acted on.
    bool LoadedAsText() const { return loadedAsText_; }
    // Says in a box that the file cannot be read as text and was left alone.
    void ShowNotText() const;
    // Rewrites the file from the map (see above). A key whose value is empty
    // loses its line; keys the file lacks are appended in key order. With an
    // empty map the file is left alone and the result is true.
    bool Save();
    // Sets the key on every line that spells it exactly (case included), or
    // appends the line; the map is not touched.
    bool WriteValue(const std::string& key, const std::string& value);
    // In memory only: replaces the key's value, or adds the key.
    void SetValue(std::string_view key, std::string value);
    bool KeyExists(std::string_view key);

    // False for what a rewrite line by line would garble: UTF-16, with its
    // byte-order mark or without (NULs in most of every other byte), and
    // binary data, which holds bytes no text holds (the controls other than
    // TAB, LF, VT, FF, CR and Ctrl-Z, and DEL) in more than a small share of
    // its length. A few stray ones in a text file do not count.
    static bool ReadableAsText(const std::string& bytes);
    // What a user is told of such a file, before what was not done to it:
    // "<path> cannot be read as text (it may have been saved as ...)".
    static std::string NotTextReason(const std::string& path);

    // The text of a file after the UTF-8 byte-order mark in front of it, if
    // any: the mark belongs to the file, not to its first line. Anywhere else
    // its bytes are ordinary ones. The view lasts as long as the text.
    static std::string_view TextAfterByteOrderMark(std::string_view fileText);
    static bool HasByteOrderMark(std::string_view fileText);
    // The file that holds the text: with the mark in front when `marked`, and
    // also when the text begins with the mark's bytes, which a reader would
    // otherwise take for the file's own mark.
    static std::string WithByteOrderMark(std::string text, bool marked);

private:
    // Gives the text of a setting line of the file (key as spelt there), or
    // false to drop the line.
    using SettingWriter = std::function<bool(std::string_view key, std::string_view line, std::string& out)>;
    // The file's text after its byte-order mark, when there is a file.
    using FileText = std::optional<std::string_view>;

    // The file's lines as a rewrite keeps them: every line as it is, except
    // settings, which are as `setting` says.
    static std::string CopyLines(std::string_view fileText, const SettingWriter& setting);
    // The new file of Save and of WriteValue.
    std::string SavedText(const FileText& fileText);
    // The lines of the keys with values that the copy did not write
    // (written holds the items it wrote, in address order).
    std::string MissingKeys(const std::vector<const Variant*>& written);
    std::string WrittenText(const FileText& fileText, const std::string& key, const std::string& value);
    // Writes the text to the temporary file and puts that in the file's place.
    bool Commit(const std::string& procedure, const std::function<std::string(const FileText&)>& compose);
    // Logs the refusal to write over a file that is not text, and says so
    // in a box the first time.
    void RefuseNotText(const std::string& prefix);

    // Key -> value; every value is text, set from the file or by SetValue.
    SortedList list_;
    std::string path_;
    bool notTextShown_ = false;
    bool loadedAsText_ = true;
};
