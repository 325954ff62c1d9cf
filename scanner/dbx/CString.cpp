#include "CString.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "BinaryFile.h"
#include "FileSystem.h"
#include "LogTrap.h"
#include "MemoryStatus.h"
#include "ObjectError.h"
#include "ScanState.h"
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

// Upper case in code page 1252: the inverse of LowerCase's mapping.
unsigned char Upper(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    switch (c) {
        case 0x9A: return 0x8A;  // s caron
        case 0x9C: return 0x8C;  // oe
        case 0x9E: return 0x8E;  // z caron
        case 0xFF: return 0x9F;  // y diaeresis
        default: return c;
    }
}

std::string UpperCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(Upper(static_cast<unsigned char>(c)));
    }
    return text;
}

std::int32_t Sign(int comparison) { return comparison < 0 ? -1 : (comparison > 0 ? 1 : 0); }

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

// Refusals of a store go to the status window and the log alike.
void Refuse(const std::string& message) {
    ScanState::ShowStatus(message);
    LogTrap::Write(message);
}

// Without a scan limit a store may be loaded only with free physical memory
// of eight times its size; figures in MiB, in double precision, taken from
// 64-bit counts so that no memory size wraps.
bool StoreAllowed(const std::string& path, std::uint64_t size) {
    if (ScanState::gScanLimit <= 0) {
        const double needed = static_cast<double>(size) / 1024 / 1024 * 8;
        const double available = static_cast<double>(MemoryStatus::AvailablePhysical()) / 1024 / 1024;
        if (available < needed) {
            Refuse("Insufficient physical memory available to scan " + path);
            return false;
        }
        return true;
    }
    if (size > static_cast<std::uint64_t>(ScanState::gScanLimit)) {
        Refuse(path + " larger than scan limit.");
        return false;
    }
    return true;
}

}  // namespace

CString::CString() { Clear(); }

CString::CString(std::string content) { append(content); }

// Growth ---------------------------------------------------------------------

char* CString::grow(std::uint64_t count) {
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

std::string CString::toString() const { return content_; }

std::int32_t CString::length() const { return static_cast<std::int32_t>(content_.size()); }

std::int32_t CString::getCapacity() const { return capacity_; }

void CString::setCapacity(std::int32_t newSize) { capacity_ = std::max(capacity_, newSize); }

void CString::Clear() {
    capacity_ = DEFALT_SIZE;
    // A store may have filled the buffer; give that memory back.
    std::string().swap(content_);
}

// New objects ----------------------------------------------------------------

CString CString::replace(std::string_view oldChar, std::string_view newChar) const {
    if (oldChar.empty()) {
        return CString(content_);
    }
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = content_.find(oldChar); at != std::string::npos; at = content_.find(oldChar, from)) {
        result.append(content_, from, at - from).append(newChar);
        from = at + oldChar.size();
    }
    result.append(content_, from);
    return CString(std::move(result));
}

CString CString::toLowerCase() const { return CString(LowerCase(content_)); }

CString CString::toUpperCase() const { return CString(UpperCase(content_)); }

CString CString::trim() const { return CString(TrimSpaces(content_)); }

CString CString::subString(std::int32_t beginIndex, std::optional<std::int32_t> endIndex) const {
    return CString(subStringVB(beginIndex, endIndex));
}

CString CString::valueOfBool(bool value) { return CString(value ? "True" : "False"); }

CString CString::valueOfLong(std::int32_t value) { return CString(std::to_string(value)); }

CString CString::valueOfInt(std::int16_t value) { return CString(std::to_string(value)); }

CString CString::valueOfDouble(double dbl) { return GeneralNumber(dbl, 15); }

CString CString::valueOfSingle(float sng) { return GeneralNumber(sng, 7); }

// Extraction and search ------------------------------------------------------

std::string CString::charAt(std::int32_t Index) const { return subStringVB(Index, Index); }

std::vector<std::uint8_t> CString::toCharArray() const { return {content_.begin(), content_.end()}; }

bool CString::getBytes(std::int32_t srcBegin, std::int32_t srcEnd, std::vector<std::uint8_t>& dst) const {
    return LogTrap::Trap("CString::getBytes Error ", " : ", [&] {
        if (srcBegin <= 0 || srcEnd < srcBegin || srcEnd > length()) {
            RaiseBounds("CString::getBytes()");
        }
        dst.assign(content_.begin() + (srcBegin - 1), content_.begin() + srcEnd);
    });
}

std::string CString::subStringVB(std::int32_t beginIndex, std::optional<std::int32_t> endIndex) const {
    const std::int64_t last = std::min<std::int64_t>(endIndex.value_or(length()), length());
    if (beginIndex < 1 || last < beginIndex) {
        return "";
    }
    return content_.substr(static_cast<std::size_t>(beginIndex - 1), static_cast<std::size_t>(last - beginIndex + 1));
}

std::int32_t CString::indexOf(const CString* subString) const {
    return subString ? indexOfVB(subString->content_) : -1;
}

std::int32_t CString::indexOfVB(std::string_view subString) const { return Position(content_.find(subString)); }

std::int32_t CString::lastIndexOf(const CString* subString) const {
    return subString ? lastIndexOfVB(subString->content_) : -1;
}

std::int32_t CString::lastIndexOfVB(std::string_view subString) const {
    return Position(content_.rfind(subString));
}

double CString::hashCode() const {
    double hash = 0;
    for (const char c : content_) {
        hash = hash * 31 + static_cast<unsigned char>(c);
    }
    return hash;
}

// Comparison -----------------------------------------------------------------

bool CString::equals(const CString* aCString) const { return aCString && equalsVB(aCString->content_); }

bool CString::equalsVB(std::string_view aString) const { return content_ == aString; }

bool CString::equalsIgnoreCase(const CString* aCString) const {
    return aCString && equalsIgnoreCaseVB(aCString->content_);
}

bool CString::equalsIgnoreCaseVB(std::string_view aString) const {
    return UpperCase(content_) == UpperCase(std::string(aString));
}

std::int32_t CString::compareTo(const CString* aCString) const {
    return aCString ? Sign(content_.compare(aCString->content_)) : -1;
}

std::int32_t CString::compareToIgnoreCase(const CString* aCString) const {
    return aCString ? Sign(LowerCase(content_).compare(LowerCase(aCString->content_))) : -1;
}

bool CString::startsWith(const CString* prefix) const { return prefix && startsWithVB(prefix->content_); }

bool CString::startsWithVB(std::string_view prefix) const { return std::string_view(content_).starts_with(prefix); }

bool CString::endsWith(const CString* suffix) const { return suffix && endsWithVB(suffix->content_); }

bool CString::endsWithVB(std::string_view suffix) const { return std::string_view(content_).ends_with(suffix); }

bool CString::regionMatches(bool ignoreCase, std::int32_t toffset, const CString* otherString,
                            std::int32_t ooffset, std::int32_t compareLength) const {
    constexpr const char* kSource = "CString::regionMatches()";
    if (!otherString) {
        RaiseBounds(kSource, "NullPointer Exeption");
    }
    // 64-bit sums: offsets near the 32-bit limit must not wrap into range.
    if (toffset < 1 || ooffset < 1 || compareLength < 0 ||
        std::int64_t{toffset} + compareLength - 1 > length() ||
        std::int64_t{ooffset} + compareLength - 1 > otherString->length()) {
        RaiseBounds(kSource);
    }
    std::string mine = content_.substr(static_cast<std::size_t>(toffset - 1), static_cast<std::size_t>(compareLength));
    std::string theirs =
        otherString->content_.substr(static_cast<std::size_t>(ooffset - 1), static_cast<std::size_t>(compareLength));
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
    const bool loaded = LogTrap::Trap("loadBinary() Error ", " : ", [&] {
        if (!path.empty() && path.back() == '\\') {
            return;
        }
        BinaryFile file(path);
        const std::uint64_t size = file.size();
        Detail("filesize = " + std::to_string(size));
        if (!StoreAllowed(path, size)) {
            return;
        }
        // The file is read straight into the content: a store is held once.
        Detail("CString::append");
        const std::uint64_t got = file.read(grow(size), size);
        Detail("Get file_handle");
        content_.resize(content_.size() - static_cast<std::size_t>(size - got));
        Detail("End of loadBinary.  No Exceptions");
    });
    if (!loaded) {
        Clear();
    }
}

bool CString::save(const std::string& path) const {
    // Written beside the target and put in its place in one step: the file
    // ends up exactly the content (no tail of a longer old file), and a
    // failed write leaves the old file whole.
    try {
        FileSystem::ReplaceWithText(path, content_);
        return true;
    } catch (...) {
        return false;
    }
}
