#include "Conf.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <functional>
#include <string_view>
#include <vector>

#include "FileSystem.h"
#include "LogTrap.h"
#include "MsgBox.h"
#include "ObjectError.h"
#include "ProgramTitle.h"
#include "TextCompare.h"

namespace {

const char kLineEnd[] = "\r\n";

const std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The error number of a refused rewrite of a file that is not text: that of
// any other file failure, so callers need not tell the two apart.
const std::int32_t kNotText = 75;

// The bytes no text file holds but by accident: the C0 controls other than
// TAB, LF, VT, FF, CR and the Ctrl-Z that ends old DOS files, and DEL. Bytes
// 0x80-0xFF are letters in the system code page, or parts of UTF-8 ones.
constexpr std::array<bool, 256> kNonTextByte = [] {
    std::array<bool, 256> nonText{};
    const std::string_view textControls = "\t\n\v\f\r\x1A";
    for (int byte = 0; byte < 0x20; ++byte) {
        nonText[byte] = textControls.find(static_cast<char>(byte)) == std::string_view::npos;
    }
    nonText[0x7F] = true;
    return nonText;
}();

// How many of those a text file may hold: a few stray ones whatever its
// length, and one in 64 of its bytes beyond them. Random or compressed data
// holds one in ten (27 of the 256 values), programs, icons and the help file
// a third or more, the plainest picture we ship (bitmap 107) one in 26.
const std::size_t kStrayBytes = 8;
const std::size_t kStrayShare = 64;

// Where the key of a setting line ends (its first "="); npos for an empty
// line, a comment or a line without "=".
std::string_view::size_type SettingEquals(std::string_view line) {
    return line.empty() || line[0] == '#' ? std::string_view::npos : line.find('=');
}

void AppendSetting(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append(kLineEnd);
}

// The new lines go after the text; a last line without an end of its own
// gets one first, so that the first new line does not run on from it.
void AppendNewLines(std::string& text, const std::string& newLines) {
    if (!newLines.empty() && !text.empty() && text.back() != '\r' && text.back() != '\n') {
        text += kLineEnd;
    }
    text += newLines;
}

// Each key once, in key order, with the value of its first line, so that no
// key is written twice where the file had it once.
void ForEachDistinctKey(SortedList& list, const std::function<void(const std::string&, const Variant&)>& visit) {
    const std::string* previous = nullptr;
    list.ForEachRecord([&](const std::string& key, const Variant& item) {
        if (!previous || !TextEqual(*previous, key)) {
            visit(key, item);
        }
        previous = &key;
    });
}

}  // namespace

Conf::Conf() {
    list_.Clear();
    list_.SortMode(SortedList::kText);
}

void Conf::ConfigFile(const std::string& path) {
    path_ = path;
}

Variant Conf::GetValue(std::string_view key) {
    return list_.item(key);
}

std::string_view Conf::TextValue(std::string_view key) {
    // Every value in the map is text (see SetValue and Load).
    const Variant* value = list_.FindItem(key);
    return value ? std::string_view(value->Text()) : std::string_view();
}

bool Conf::KeyExists(std::string_view key) {
    return list_.Exists(key);
}

void Conf::SetValue(std::string_view key, std::string value) {
    // The key is copied only when it is new.
    if (Variant* item = list_.FindItem(key)) {
        *item = std::move(value);
    } else {
        list_.Add(std::string(key), std::move(value));
    }
}

void Conf::Load() {
    loadedAsText_ = true;
    if (!FileSystem::FileExists(path_)) {
        return;
    }
    const std::string text = FileSystem::ReadWholeFile(path_);
    loadedAsText_ = ReadableAsText(text);
    const std::vector<FileSystem::TextLine> lines = FileSystem::SplitLinesWithEnds(TextAfterByteOrderMark(text));
    list_.Reserve(lines.size());
    for (const FileSystem::TextLine& line : lines) {
        const auto equals = SettingEquals(line.text);
        if (equals != std::string_view::npos) {
            list_.Add(std::string(line.text.substr(0, equals)), std::string(line.text.substr(equals + 1)));
        }
    }
}

bool Conf::ReadableAsText(const std::string& bytes) {
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        return false;
    }
    std::size_t stray = 0;
    // NULs at even and at odd offsets.
    std::size_t nuls[2] = {};
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        stray += kNonTextByte[data[at]];
        nuls[at % 2] += data[at] == 0;
    }
    // UTF-16 without a mark: Latin letters leave NULs in most of its even or
    // its odd bytes, even in a file too short for the count below.
    if (nuls[0] * 2 > (bytes.size() + 1) / 2 || nuls[1] * 2 > bytes.size() / 2) {
        return false;
    }
    return stray <= kStrayBytes + bytes.size() / kStrayShare;
}

bool Conf::HasByteOrderMark(std::string_view fileText) {
    return fileText.substr(0, kByteOrderMark.size()) == kByteOrderMark;
}

std::string_view Conf::TextAfterByteOrderMark(std::string_view fileText) {
    return HasByteOrderMark(fileText) ? fileText.substr(kByteOrderMark.size()) : fileText;
}

std::string Conf::WithByteOrderMark(std::string text, bool marked) {
    if (marked || HasByteOrderMark(text)) {
        text.insert(0, kByteOrderMark);
    }
    return text;
}

std::string Conf::CopyLines(std::string_view fileText, const SettingWriter& setting) {
    std::string out;
    out.reserve(fileText.size());
    std::string text;
    for (const FileSystem::TextLine& line : FileSystem::SplitLinesWithEnds(fileText)) {
        const auto equals = SettingEquals(line.text);
        if (equals == std::string_view::npos) {
            out.append(line.text).append(line.end);
            continue;
        }
        if (!setting(line.text.substr(0, equals), line.text, text)) {
            continue;
        }
        out += text;
        // A changed last line still gets an end, as every written line does.
        out += text == line.text || !line.end.empty() ? line.end : kLineEnd;
    }
    return out;
}

std::string Conf::SavedText(const FileText& fileText) {
    std::string out;
    if (!fileText) {
        // A new file gets every key, empty values included.
        ForEachDistinctKey(
            list_, [&](const std::string& key, const Variant& value) { AppendSetting(out, key, value.Text()); });
        return out;
    }
    // The values the copy wrote, each the item of its key's first record.
    // Nothing is added or removed until MissingKeys has run, so the records
    // stay where they are; one run to search makes each lookup one search.
    list_.Sort();
    std::vector<const Variant*> written;
    written.reserve(static_cast<std::size_t>(list_.Count()));
    const auto rewrite = [&](std::string_view key, std::string_view line, std::string& text) {
        const Variant* value = list_.FindItem(key);
        if (!value) {
            text.assign(line);
            return true;
        }
        written.push_back(value);
        text.assign(key).append("=").append(value->Text());
        return !value->Text().empty();
    };
    // The copy marks the values it wrote, so it has to come first.
    out = CopyLines(*fileText, rewrite);
    std::sort(written.begin(), written.end(), std::less<>());
    AppendNewLines(out, MissingKeys(written));
    return out;
}

std::string Conf::MissingKeys(const std::vector<const Variant*>& written) {
    std::string out;
    // A key was written when the item of its first record was.
    ForEachDistinctKey(list_, [&](const std::string& key, const Variant& item) {
        const std::string& value = item.Text();
        if (!value.empty() && !std::binary_search(written.begin(), written.end(), &item, std::less<>())) {
            AppendSetting(out, key, value);
        }
    });
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
    std::string out;
    if (!fileText) {
        AppendSetting(out, key, value);
        return out;
    }
    bool matched = false;
    const auto rewrite = [&](std::string_view lineKey, std::string_view line, std::string& text) {
        const bool match = lineKey == key;
        matched = matched || match;
        if (match) {
            text.assign(key).append("=").append(value);
        } else {
            text.assign(line);
        }
        return true;
    };
    out = CopyLines(*fileText, rewrite);
    if (!matched) {
        std::string line;
        AppendSetting(line, key, value);
        AppendNewLines(out, line);
    }
    return out;
}

std::string Conf::NotTextReason(const std::string& path) {
    return path + " cannot be read as text (it may have been saved as Unicode or be damaged)";
}

void Conf::ShowNotText() const {
    MsgBox(NotTextReason(path_) + ", so no settings were written to it. The file was left as it was.",
           MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, ProgramTitle());
}

void Conf::RefuseNotText(const std::string& prefix) {
    LogTrap::Write(LogTrap::ErrorLine(prefix, kNotText, " : ", path_ + " cannot be read as text; it was not written"));
    if (!notTextShown_) {
        notTextShown_ = true;
        ShowNotText();
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
        const std::optional<std::string> file =
            FileSystem::FileExists(path_) ? std::optional(FileSystem::ReadWholeFile(path_)) : std::nullopt;
        if (file && !ReadableAsText(*file)) {
            RefuseNotText(prefix);
            return false;
        }
        // The lines are rewritten after the file's mark, which stays in front.
        const FileText lines = file ? FileText(TextAfterByteOrderMark(*file)) : std::nullopt;
        const std::string temp = path_ + ".tmp";
        FileSystem::WriteWholeFile(temp, WithByteOrderMark(compose(lines), file && HasByteOrderMark(*file)));
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
