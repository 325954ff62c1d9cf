#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A growable character buffer with a string-class interface. One character
// is one byte of the system code page, so binary files pass through
// unchanged (NUL and 0x80-0xFF included). Positions are 1-based; searches
// give -1 when nothing is found. Operations ending in VB take or give a plain
// string where their twin takes a CString; a CString argument given as
// nullptr is "nothing".
//
// The capacity is the logical one of the growth rule (4096, then times 4
// until above the new length; a step past 2147483647 characters raises
// ObjectError 6 "Overflow", so the largest appended content is 2^30 - 1
// characters); memory is taken only as the content needs it.
//
// A binary load holds the file as a read-only mapped view instead of a copy
// (up to 2147483647 bytes; its capacity is then at least its length). Such
// content is read in place and copied into a buffer of its own only when it
// is changed.
class StoreFile;

class CString {
public:
    static constexpr std::int32_t DEFALT_SIZE = 4096;

    CString();

    // Building and capacity.
    void append(std::string_view str);
    std::string toString() const;
    std::int32_t length() const;
    std::int32_t getCapacity() const;
    // Raises the capacity to newSize when that is larger; never shrinks.
    void setCapacity(std::int32_t newSize);
    // Empties the content; capacity back to DEFALT_SIZE.
    void Clear();

    // New objects made from the content; this one is left unchanged.
    // An empty oldChar replaces nothing.
    CString replace(std::string_view oldChar, std::string_view newChar) const;
    CString toLowerCase() const;
    CString toUpperCase() const;
    CString trim() const;
    CString subString(std::int32_t beginIndex, std::optional<std::int32_t> endIndex = std::nullopt) const;
    static CString valueOfBool(bool value);
    static CString valueOfLong(std::int32_t value);
    static CString valueOfInt(std::int16_t value);
    // The number as the general number-to-text form writes it: up to 15
    // (double) or 7 (single) significant digits, "E+nn" beyond that.
    static CString valueOfDouble(double dbl);
    static CString valueOfSingle(float sng);

    // Extraction and search.
    // The character at Index; "" when Index is outside 1..length.
    std::string charAt(std::int32_t Index) const;
    std::vector<std::uint8_t> toCharArray() const;
    // The bytes of positions srcBegin..srcEnd inclusive into dst (from its
    // index 0). A range outside 1..length logs "CString::getBytes Error
    // -2147220992 : Index out of bounds", leaves dst as it was and gives false.
    bool getBytes(std::int32_t srcBegin, std::int32_t srcEnd, std::vector<std::uint8_t>& dst) const;
    // Characters beginIndex..endIndex (to the end when endIndex is absent),
    // cut at the end; "" when beginIndex < 1 or endIndex < beginIndex.
    std::string subStringVB(std::int32_t beginIndex, std::optional<std::int32_t> endIndex = std::nullopt) const;
    // An empty text is found at 1 by indexOf and at length + 1 by lastIndexOf.
    std::int32_t indexOf(const CString* subString) const;
    std::int32_t indexOfVB(std::string_view subString) const;
    std::int32_t lastIndexOf(const CString* subString) const;
    std::int32_t lastIndexOfVB(std::string_view subString) const;
    double hashCode() const;

    // Comparison (exact byte order unless IgnoreCase; code page 1252 letters).
    bool equals(const CString* aCString) const;
    bool equalsVB(std::string_view aString) const;
    bool equalsIgnoreCase(const CString* aCString) const;
    bool equalsIgnoreCaseVB(std::string_view aString) const;
    // -1, 0 or 1; -1 also when aCString is nothing.
    std::int32_t compareTo(const CString* aCString) const;
    std::int32_t compareToIgnoreCase(const CString* aCString) const;
    bool startsWith(const CString* prefix) const;
    bool startsWithVB(std::string_view prefix) const;
    bool endsWith(const CString* suffix) const;
    bool endsWithVB(std::string_view suffix) const;
    // Raises ObjectError 0x80040200 ("NullPointer Exeption" for a missing
    // otherString, "Index out of bounds" for a region outside either content
    // or a negative compareLength).
    bool regionMatches(bool ignoreCase, std::int32_t toffset, const CString* otherString, std::int32_t ooffset,
                       std::int32_t compareLength) const;

    // Files. A load clears first; a failed load leaves the object empty.
    void load(const std::string& path);
    // The whole file, within ScanState::gScanLimit, or, without a limit,
    // when free physical memory is at least 1.25 times the file's size (the
    // file's pages and the records read from them). A store refused by
    // those rules, larger than the largest content or missing is left
    // unloaded without a log line; loadFailure then says why.
    void loadBinary(const std::string& path);
    // Why the last loadBinary loaded nothing (the cause, the path and the
    // size); "" after any other load and when the file loaded.
    const std::string& loadFailure() const { return loadFailure_; }
    // The content itself, without a copy; valid until the next change.
    std::string_view view() const { return inPlace_ ? outside_ : std::string_view(content_); }
    // Replaces the file with exactly the content; false when it cannot be
    // written (the old file is then left as it was).
    bool save(const std::string& path) const;

#ifdef _WIN32
    // Transfers through MInet (Windows only).
    void loadFTP(const std::string& host, const std::string& user, const std::string& pwd, const std::string& path);
    void loadHTTP(const std::string& host, const std::string& path);
    bool saveFTP(const std::string& host, const std::string& user, const std::string& pwd,
                 const std::string& path) const;
#endif

private:
    explicit CString(std::string content);
    // Applies the growth rule for count more characters and extends the
    // content by that many; the new characters' place.
    char* grow(std::uint64_t count);
    // Content read in place becomes a copy of its own, before a change.
    void own();
    // Reads these bytes of the mapped file in place from now on (no bytes:
    // the content is the buffer's own again).
    void takeInPlace(std::string_view bytes, std::shared_ptr<StoreFile> file);

    std::string content_;
    std::int32_t capacity_ = DEFALT_SIZE;
    // Content read in place: the bytes, and the mapped file that holds them.
    bool inPlace_ = false;
    std::string_view outside_;
    std::shared_ptr<StoreFile> file_;
    std::string loadFailure_;
};
