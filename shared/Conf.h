#pragma once
#include <functional>
#include <string>

#include "SortedList.h"
#include "Variant.h"

// One settings file of key=value lines and "#" comment lines, held in memory
// as a key -> value map with keys compared without regard to case. The daemon
// reads the same file and may keep lines we do not know, so rewriting it keeps
// comments, blank lines, unknown settings, line order and each key's spelling
// and changes only the values the map holds.
//
// Lines end in CR LF, CR or LF when read and in CR LF when written. A key may
// stand on several lines; lookups and SetValue always answer the first.
//
// Writing goes to the path + ".tmp", which then replaces the file in one step,
// so the file is always either the old or the new version. Save and
// WriteValue give false when the file could not be written: the failure is
// logged ("Conf.Save() Error <number> : <text>") and the file is unchanged; a
// failing final replace also shows the message box "<number> : <text>".
class Conf {
public:
    Conf();

    // Stores the path; loads nothing.
    void ConfigFile(const std::string& path);
    // The value of the key's first line; the empty value when absent.
    Variant GetValue(const std::string& key);

    // Adds every setting line of the file to the map (the map is not cleared
    // first). A missing file adds nothing; a file that cannot be read raises.
    void Load();
    // Rewrites the file from the map. A key whose value is empty loses its
    // line; keys the file lacks are appended in key order. With an empty map
    // the file is left alone and the result is true.
    bool Save();
    // Sets the key on every line that spells it exactly (case included), or
    // appends the line; the map is not touched.
    bool WriteValue(const std::string& key, const std::string& value);
    // In memory only: replaces the key's value, or adds the key.
    void SetValue(const std::string& key, const std::string& value);
    bool KeyExists(const std::string& key);

private:
    // Gives the text of a setting line of the file (key as spelt there), or
    // false to drop the line.
    using SettingWriter = std::function<bool(const std::string& key, const std::string& line, std::string& out)>;

    // The file's lines as a rewrite keeps them: blank lines emptied, comments
    // as they are, lines without "=" dropped, settings as `setting` says.
    static std::string CopyLines(const std::string& fileText, const SettingWriter& setting);
    // The new file of Save and of WriteValue.
    std::string SavedText();
    std::string AppendMissingKeys(SortedList& written);
    std::string WrittenText(const std::string& key, const std::string& value);
    // Writes the text to the temporary file and puts that in the file's place.
    bool Commit(const std::string& procedure, const std::function<std::string()>& compose);

    SortedList list_;
    std::string path_;
};
