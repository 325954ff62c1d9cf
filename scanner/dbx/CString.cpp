#include "CString.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "FileSystem.h"
#include "LogTrap.h"
#include "ObjectError.h"
#include "ScanState.h"
#include "StoreFile.h"
#include "TextCompare.h"

namespace {

constexpr std::int32_t kIndexOutOfBounds = kObjectErrorBase + 0x200;
constexpr std::int32_t kOverflow = 6;

[[noreturn]] void RaiseBounds(const char* source, const char* description = "Index out of bounds") {
    throw ObjectError(kIndexOutOfBounds, source, description);
}

// The capacity the growth rule gives for a content of newLength characters:
// the old capacity times 4 until it is above newLength.
std::int32_t GrownCapacity(std::uint64_t capacity, std::uint64_t newLength) {
    while (capacity <= newLength) {
        capacity *= 4;
        if (capacity > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
            throw ObjectError(kOverflow, "CString::append()", "Overflow");
        }
    }
    return static_cast<std::int32_t>(capacity);
}

// Upper case in code page 1252, whatever the system's.
unsigned char Upper(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
        case 0x9A:
            return 0x8A;  // s caron
        case 0x9C:
            return 0x8C;  // oe
        case 0x9E:
            return 0x8E;  // z caron
        case 0xFF:
            return 0x9F;  // y diaeresis
        default:
            return c;
    }
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::int32_t Sign(int comparison) {
    return comparison < 0 ? -1 : (comparison > 0 ? 1 : 0);
}

std::int32_t Position(std::size_t found) {
    return found == std::string::npos ? -1 : static_cast<std::int32_t>(found + 1);
}

template <class Number>
CString GeneralNumber(Number value, int digits) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits).ptr;
    std::string written(text, end);
    std::replace(written.begin(), written.end(), 'e', 'E');
    CString result;
    result.append(written);
    return result;
}

void Detail(const std::string& line) {
    if (ScanState::DetailLogging()) {
        LogTrap::Write(line);
    }
}

}  // namespace

CString::CString() {
    Clear();
}

CString::CString(std::string content) {
    append(content);
}

// Growth ---------------------------------------------------------------------

void CString::own() {
    if (inPlace_) {
        content_.assign(outside_);
        takeInPlace({}, nullptr);
    }
}

char* CString::grow(std::uint64_t count) {
    own();
    const std::uint64_t newLength = content_.size() + count;
    if (newLength > static_cast<std::uint64_t>(capacity_)) {
        capacity_ = GrownCapacity(static_cast<std::uint64_t>(capacity_), newLength);
    }
    const std::size_t old = content_.size();
    content_.resize(static_cast<std::size_t>(newLength));
    return content_.data() + old;
}

void CString::append(std::string_view str) {
    Detail("CString::append");
    if (!str.empty()) {
        std::memcpy(grow(str.size()), str.data(), str.size());
    }
}

std::string CString::toString() const {
    return std::string(view());
}

std::int32_t CString::length() const {
    return static_cast<std::int32_t>(view().size());
}

std::int32_t CString::getCapacity() const {
    return capacity_;
}

void CString::setCapacity(std::int32_t newSize) {
    capacity_ = std::max(capacity_, newSize);
}

void CString::Clear() {
    capacity_ = DEFALT_SIZE;
    // A store may have filled the buffer or be mapped; give that memory back.
    std::string().swap(content_);
    takeInPlace({}, nullptr);
    loadFailure_.clear();
}

// New objects ----------------------------------------------------------------

CString CString::replace(std::string_view oldChar, std::string_view newChar) const {
    const std::string_view content = view();
    if (oldChar.empty()) {
        return CString(std::string(content));
    }
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = content.find(oldChar); at != std::string::npos; at = content.find(oldChar, from)) {
        result.append(content.substr(from, at - from)).append(newChar);
        from = at + oldChar.size();
    }
    result.append(content.substr(from));
    return CString(std::move(result));
}

CString CString::toLowerCase() const {
    return CString(LowerCase(toString()));
}

CString CString::toUpperCase() const {
    return CString(UpperCase(toString()));
}

CString CString::trim() const {
    return CString(TrimSpaces(toString()));
}

CString CString::subString(std::int32_t beginIndex, std::optional<std::int32_t> endIndex) const {
    return CString(subStringVB(beginIndex, endIndex));
}

CString CString::valueOfBool(bool value) {
    return CString(value ? "True" : "False");
}

CString CString::valueOfLong(std::int32_t value) {
    return CString(std::to_string(value));
}

CString CString::valueOfInt(std::int16_t value) {
    return CString(std::to_string(value));
}

CString CString::valueOfDouble(double dbl) {
    return GeneralNumber(dbl, 15);
}

CString CString::valueOfSingle(float sng) {
    return GeneralNumber(sng, 7);
}

// Extraction and search ------------------------------------------------------

std::string CString::charAt(std::int32_t Index) const {
    return subStringVB(Index, Index);
}

std::vector<std::uint8_t> CString::toCharArray() const {
    return {view().begin(), view().end()};
}

bool CString::getBytes(std::int32_t srcBegin, std::int32_t srcEnd, std::vector<std::uint8_t>& dst) const {
    return LogTrap::Trap("CString::getBytes Error ", " : ", [&] {
        if (srcBegin <= 0 || srcEnd < srcBegin || srcEnd > length()) {
            RaiseBounds("CString::getBytes()");
        }
        dst.assign(view().begin() + (srcBegin - 1), view().begin() + srcEnd);
    });
}

std::string CString::subStringVB(std::int32_t beginIndex, std::optional<std::int32_t> endIndex) const {
    const std::int64_t last = std::min<std::int64_t>(endIndex.value_or(length()), length());
    if (beginIndex < 1 || last < beginIndex) {
        return "";
    }
    return std::string(
        view().substr(static_cast<std::size_t>(beginIndex - 1), static_cast<std::size_t>(last - beginIndex + 1)));
}

std::int32_t CString::indexOf(const CString* subString) const {
    return subString ? indexOfVB(subString->view()) : -1;
}

std::int32_t CString::indexOfVB(std::string_view subString) const {
    return Position(view().find(subString));
}

std::int32_t CString::lastIndexOf(const CString* subString) const {
    return subString ? lastIndexOfVB(subString->view()) : -1;
}

std::int32_t CString::lastIndexOfVB(std::string_view subString) const {
    return Position(view().rfind(subString));
}

double CString::hashCode() const {
    double hash = 0;
    for (const char c : view()) {
        hash = hash * 31 + static_cast<unsigned char>(c);
    }
    return hash;
}

// Comparison -----------------------------------------------------------------

bool CString::equals(const CString* aCString) const {
    return aCString && equalsVB(aCString->view());
}

bool CString::equalsVB(std::string_view aString) const {
    return view() == aString;
}

bool CString::equalsIgnoreCase(const CString* aCString) const {
    return aCString && equalsIgnoreCaseVB(aCString->view());
}

bool CString::equalsIgnoreCaseVB(std::string_view aString) const {
    return UpperCase(toString()) == UpperCase(std::string(aString));
}

std::int32_t CString::compareTo(const CString* aCString) const {
    return aCString ? Sign(view().compare(aCString->view())) : -1;
}

std::int32_t CString::compareToIgnoreCase(const CString* aCString) const {
    return aCString ? Sign(LowerCase(toString()).compare(LowerCase(aCString->toString()))) : -1;
}

bool CString::startsWith(const CString* prefix) const {
    return prefix && startsWithVB(prefix->view());
}

bool CString::startsWithVB(std::string_view prefix) const {
    return view().starts_with(prefix);
}

bool CString::endsWith(const CString* suffix) const {
    return suffix && endsWithVB(suffix->view());
}

bool CString::endsWithVB(std::string_view suffix) const {
    return view().ends_with(suffix);
}

bool CString::regionMatches(bool ignoreCase, std::int32_t toffset, const CString* otherString, std::int32_t ooffset,
                            std::int32_t compareLength) const {
    constexpr const char* kSource = "CString::regionMatches()";
    if (!otherString) {
        RaiseBounds(kSource, "NullPointer Exeption");
    }
    // 64-bit sums: offsets near the 32-bit limit must not wrap into range.
    if (toffset < 1 || ooffset < 1 || compareLength < 0 || std::int64_t{toffset} + compareLength - 1 > length() ||
        std::int64_t{ooffset} + compareLength - 1 > otherString->length()) {
        RaiseBounds(kSource);
    }
    std::string mine(view().substr(static_cast<std::size_t>(toffset - 1), static_cast<std::size_t>(compareLength)));
    std::string theirs(
        otherString->view().substr(static_cast<std::size_t>(ooffset - 1), static_cast<std::size_t>(compareLength)));
    return ignoreCase ? LowerCase(mine) == LowerCase(theirs) : mine == theirs;
}

// Files ----------------------------------------------------------------------

void CString::load(const std::string& path) {
    Clear();
    try {
        append(FileSystem::ReadWholeFile(path));
    } catch (...) {
        // A text that cannot be read loads as nothing.
        Clear();
    }
}

void CString::loadBinary(const std::string& path) {
    Clear();
    std::string failure;
    const bool loaded = LogTrap::Trap("loadBinary() Error ", " : ", [&] {
        // The file's pages are held in place, and a quarter more for what is
        // made from them.
        std::shared_ptr<StoreFile> file = StoreFile::openWithin(
            path, [](std::uint64_t size) { return size + size / 4; }, failure);
        if (!file) {
            return;
        }
        // The file is read in place: the system's file cache is its only copy.
        Detail("CString::append");
        const std::string_view bytes = file->map();
        Detail("Get file_handle");
        takeInPlace(bytes, std::move(file));
        Detail("End of loadBinary.  No Exceptions");
    });
    if (!loaded) {
        Clear();
    }
    loadFailure_ = std::move(failure);
}

void CString::takeInPlace(std::string_view bytes, std::shared_ptr<StoreFile> file) {
    // The capacity the growth rule would give, as far as it reaches.
    if (bytes.size() > static_cast<std::size_t>(capacity_)) {
        capacity_ = bytes.size() < (1u << 30) ? GrownCapacity(static_cast<std::uint64_t>(capacity_), bytes.size())
                                              : std::numeric_limits<std::int32_t>::max();
    }
    inPlace_ = !bytes.empty();
    outside_ = bytes;
    file_ = std::move(file);
}

bool CString::save(const std::string& path) const {
    // Written beside the target and put in its place in one step: the file
    // ends up exactly the content (no tail of a longer old file), and a
    // failed write leaves the old file whole.
    try {
        FileSystem::ReplaceWithText(path, toString());
        return true;
    } catch (...) {
        return false;
    }
}
