#include "Conf.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <vector>

#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProgramTitle.h"
#include "TextCompare.h"

namespace {

const char kLineEnd[] = "\r\n";

// The error number of a refused rewrite of a file that is not text: that of
// any other file failure, so callers need not tell the two apart.
const std::int32_t kNotText = 75;

// NUL bytes a text file may hold, whatever its length, before their share
// of its bytes counts against it: a few stray ones in a user's file are no
// sign of UTF-16 or binary data.
const std::size_t kStrayNuls = 8;

std::string SettingLine(const std::string& key, const std::string& value) {
    return key + "=" + value + kLineEnd;
}

// The text followed by the new lines; a last line without an end of its own
// gets one first, so that the first new line does not run on from it.
std::string WithEndOfLastLine(const std::string& text, const std::string& newLines) {
    if (newLines.empty() || text.empty() || text.back() == '\r' || text.back() == '\n') {
        return text + newLines;
    }
    return text + kLineEnd + newLines;
}

// The keys in key order, a key the map holds twice only once, so that no
// key is written twice where the file had it once.
std::vector<std::string> DistinctKeys(SortedList& list) {
    std::vector<std::string> distinct;
    for (const std::string& key : list.keys()) {
        if (distinct.empty() || TextCompare(distinct.back(), key) != 0) {
            distinct.push_back(key);
        }
    }
    return distinct;
}

}  // namespace

Conf::Conf() {
    list_.Clear();
    list_.SortMode(SortedList::kText);
}

void Conf::ConfigFile(const std::string& path) {
    path_ = path;
}

Variant Conf::GetValue(const std::string& key) {
    return list_.item(key);
}

bool Conf::KeyExists(const std::string& key) {
    return list_.Exists(key);
}

void Conf::SetValue(const std::string& key, const std::string& value) {
    if (KeyExists(key)) {
        list_.SetItem(key, value);
    } else {
        list_.Add(key, value);
    }
}

void Conf::Load() {
    if (!FileSystem::FileExists(path_)) {
        return;
    }
    for (const std::string& line : FileSystem::SplitLines(FileSystem::ReadWholeFile(path_))) {
        const auto equals = line.find('=');
        if (line.empty() || line[0] == '#' || equals == std::string::npos) {
            continue;
        }
        list_.Add(line.substr(0, equals), line.substr(equals + 1));
    }
}

bool Conf::ReadableAsText(const std::string& bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        return false;
    }
    const auto nuls = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\0'));
    return nuls <= kStrayNuls || nuls * 8 <= bytes.size();
}

std::string Conf::CopyLines(const std::string& fileText, const SettingWriter& setting) {
    std::string out;
    for (const FileSystem::TextLine& line : FileSystem::SplitLinesWithEnds(fileText)) {
        const auto equals = line.text.find('=');
        const bool settingLine = !line.text.empty() && line.text[0] != '#' && equals != std::string::npos;
        std::string text = line.text;
        if (settingLine && !setting(line.text.substr(0, equals), line.text, text)) {
            continue;
        }
        out += text;
        // A changed last line still gets an end, as every written line does.
        out += text == line.text || !line.end.empty() ? line.end : kLineEnd;
    }
    return out;
}

std::string Conf::SavedText(const FileText& fileText) {
    if (!fileText) {
        // A new file gets every key, empty values included.
        std::string out;
        for (const std::string& key : DistinctKeys(list_)) {
            out += SettingLine(key, GetValue(key).ToText());
        }
        return out;
    }
    SortedList written;
    written.SortMode(SortedList::kText);
    const auto rewrite = [&](const std::string& key, const std::string& line, std::string& text) {
        if (!KeyExists(key)) {
            text = line;
            return true;
        }
        written.Add(key, Variant());
        const std::string value = GetValue(key).ToText();
        text = key + "=" + value;
        return !value.empty();
    };
    // The copy marks the keys it wrote, so it has to come first.
    const std::string copied = CopyLines(*fileText, rewrite);
    return WithEndOfLastLine(copied, AppendMissingKeys(written));
}

std::string Conf::AppendMissingKeys(SortedList& written) {
    std::string out;
    for (const std::string& key : DistinctKeys(list_)) {
        const std::string value = GetValue(key).ToText();
        if (!value.empty() && !written.Exists(key)) {
            out += SettingLine(key, value);
        }
    }
    return out;
}

bool Conf::Save() {
    if (list_.Count() == 0) {
        return true;
    }
    return Commit("Conf.Save", [this](const FileText& fileText) { return SavedText(fileText); });
}

bool Conf::WriteValue(const std::string& key, const std::string& value) {
    return Commit("Conf.WriteValue", [&](const FileText& fileText) { return WrittenText(fileText, key, value); });
}

std::string Conf::WrittenText(const FileText& fileText, const std::string& key, const std::string& value) {
    if (!fileText) {
        return SettingLine(key, value);
    }
    bool matched = false;
    const auto rewrite = [&](const std::string& lineKey, const std::string& line, std::string& text) {
        const bool match = lineKey == key;
        matched = matched || match;
        text = match ? key + "=" + value : line;
        return true;
    };
    const std::string out = CopyLines(*fileText, rewrite);
    return matched ? out : WithEndOfLastLine(out, SettingLine(key, value));
}

void Conf::RefuseNotText(const std::string& prefix) {
    const std::string why = path_ + " cannot be read as text";
    LogTrap::Write(LogTrap::ErrorLine(prefix, kNotText, " : ", why + "; it was not written"));
    if (!notTextShown_) {
        notTextShown_ = true;
        MsgBox(why +
                   " (it may have been saved as Unicode or be damaged), so no settings were written to it. "
                   "The file was left as it was.",
               MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
    }
}

bool Conf::Commit(const std::string& procedure, const std::function<std::string(const FileText&)>& compose) {
    const std::string prefix = LogTrap::ProcedurePrefix(procedure);
    bool replacing = false;
    try {
        if (path_.empty()) {
            // Without a path the temporary file would land in whatever the
            // current directory is.
            throw ObjectError(75, "Conf", "No configuration file is set");
        }
        const FileText fileText =
            FileSystem::FileExists(path_) ? FileText(FileSystem::ReadWholeFile(path_)) : std::nullopt;
        if (fileText && !ReadableAsText(*fileText)) {
            RefuseNotText(prefix);
            return false;
        }
        const std::string temp = path_ + ".tmp";
        FileSystem::WriteWholeFile(temp, compose(fileText));
        replacing = true;
        FileSystem::AtomicReplace(temp, path_);
        return true;
    } catch (...) {
        const ObjectError error = LogTrap::AsObjectError(std::current_exception());
        LogTrap::Write(LogTrap::ErrorLine(prefix, error.Number(), " : ", error.Description()));
        if (replacing) {
            MsgBox(std::to_string(error.Number()) + " : " + error.Description(), MsgBoxStyle::OKOnly, ProgramTitle());
        }
        return false;
    }
}
