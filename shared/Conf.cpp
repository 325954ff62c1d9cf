#include "Conf.h"

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

std::string SettingLine(const std::string& key, const std::string& value) {
    return key + "=" + value + kLineEnd;
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

std::string Conf::CopyLines(const std::string& fileText, const SettingWriter& setting) {
    std::string out;
    for (const std::string& line : FileSystem::SplitLines(fileText)) {
        if (TrimSpaces(line).empty()) {
            out += kLineEnd;
            continue;
        }
        if (line[0] == '#') {
            out += line + kLineEnd;
            continue;
        }
        const auto equals = line.find('=');
        std::string text;
        if (equals != std::string::npos && setting(line.substr(0, equals), line, text)) {
            out += text + kLineEnd;
        }
    }
    return out;
}

std::string Conf::SavedText() {
    if (!FileSystem::FileExists(path_)) {
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
    const std::string out = CopyLines(FileSystem::ReadWholeFile(path_), rewrite);
    return out + AppendMissingKeys(written);
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
    return Commit("Conf.Save", [this] { return SavedText(); });
}

bool Conf::WriteValue(const std::string& key, const std::string& value) {
    return Commit("Conf.WriteValue", [&] { return WrittenText(key, value); });
}

std::string Conf::WrittenText(const std::string& key, const std::string& value) {
    if (!FileSystem::FileExists(path_)) {
        return SettingLine(key, value);
    }
    bool matched = false;
    const auto rewrite = [&](const std::string& lineKey, const std::string& line, std::string& text) {
        const bool match = lineKey == key;
        matched = matched || match;
        text = match ? key + "=" + value : line;
        return true;
    };
    const std::string out = CopyLines(FileSystem::ReadWholeFile(path_), rewrite);
    return matched ? out : out + SettingLine(key, value);
}

bool Conf::Commit(const std::string& procedure, const std::function<std::string()>& compose) {
    const std::string prefix = LogTrap::ProcedurePrefix(procedure);
    const std::string temp = path_ + ".tmp";
    bool replacing = false;
    try {
        if (path_.empty()) {
            // Without a path the temporary file would land in whatever the
            // current directory is.
            throw ObjectError(75, "Conf", "No configuration file is set");
        }
        FileSystem::WriteWholeFile(temp, compose());
        replacing = true;
        FileSystem::AtomicReplace(temp, path_);
        return true;
    } catch (...) {
        const ObjectError error = LogTrap::AsObjectError(std::current_exception());
        LogTrap::Write(LogTrap::ErrorLine(prefix, error.Number(), " : ", error.Description()));
        if (replacing) {
            MsgBox(std::to_string(error.Number()) + " : " + error.Description(), MsgBoxStyle::OKOnly,
                   ProgramTitle());
        }
        return false;
    }
}
