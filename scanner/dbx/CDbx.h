#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <variant>

#include "CEmails.h"
#include "CFolders.h"
#include "FileTime.h"
#include "ObjectError.h"
#include "StoreWindow.h"

// Reads one mail store file (.dbx), through one reused window over the
// file, and turns its items into records: a message store gives CEmail
// records, the folder store "Folders.dbx" CFolder records. It never writes.
// Every read is checked against the file in 64-bit arithmetic, so a damaged
// or crafted store ends in a failed open or an empty text, never in a read
// outside the file or a walk without end.
class CDbx {
public:
    static constexpr std::int32_t dbxTypeEmail = 0;
    static constexpr std::int32_t dbxTypeFolder = 2;
    static constexpr std::int32_t dbxTypeVoid = 3;
    // Raised by openFile for anything that is not a store it can read.
    static constexpr std::int32_t dbxErrBadFile = kObjectErrorBase + 0x201;

    // Messages keyed "M_" and the Id in decimal.
    CEmails& EMails() { return EMails_; }
    // Folders keyed "F_" and the Id in decimal.
    CFolders& Folders() { return Folders_; }
    std::int32_t IndexCount() const { return IndexCount_; }
    std::int32_t FileType() const { return FileType_; }
    // The path of the last open that passed the signature test.
    const std::string& FileName() const { return FileName_; }
    // The result code of the last operation, in decimal.
    std::string ErrNo() const { return std::to_string(ErrNo_); }

    // Opens the file within the load rules of StoreFile::openWithin (free
    // memory for the records, and the texts when they are kept) and reads
    // every item into EMails or Folders (with each message's text when
    // fRetrieveBody). False, with ErrNo 1 and an
    // "openFile() Error " log line, when the file is no readable store;
    // records added before the failure stay.
    bool openFile(const std::string& sFileName, bool fRetrieveBody);
    // openFile of a store already in memory, read in place: the caller keeps
    // the bytes alive and unchanged while this reader is used. FileName
    // becomes "".
    bool openBytes(std::string_view bytes, bool fRetrieveBody);
    // Why the last open found no store to read: the store was missing or
    // refused by the load rules (the text names the cause, the path and the
    // size); "" when the file was loaded. openFile writes no log line of its
    // own for these, so the caller can report the cause once.
    const std::string& LoadFailure() const;

    // The message text whose chain of blocks starts at pos; "" (ErrNo 7)
    // when the chain is broken, loops or leaves the file.
    std::string getBody(std::int32_t pos);

private:
    using Bytes = std::span<const std::uint8_t>;
    using Record = std::variant<std::shared_ptr<CEmail>, std::shared_ptr<CFolder>>;

    // One entry of an item's field table: the value itself for an id of
    // 0x80 or more, else the place of the field's bytes, which start at
    // `start` in the record data.
    struct Field {
        std::uint8_t id;
        std::int32_t value;
        std::int64_t start;
    };

    // Opens the store with `load`, then reads it.
    bool open(const std::string& name, bool fRetrieveBody, const std::function<void()>& load);
    void getIndexes();
    bool readIndex(std::int64_t node, int depth);
    std::optional<Record> readItem(std::int64_t pos, std::int32_t fileType, bool fRetrieveBody);
    static std::string readString(const Bytes& data, std::int64_t start);
    static std::int32_t readLong(const Bytes& data, std::int64_t start);
    static std::uint8_t readByte(const Bytes& data, std::int64_t start);
    static FileTime readDate(const Bytes& data, std::int64_t start);

    static void SetField(CEmail& email, const Field& field, const Bytes& data);
    static void SetField(CFolder& folder, const Field& field, const Bytes& data);
    std::int32_t SignatureType();
    std::int32_t HeaderLong(std::int64_t offset);
    void AddRecord(const std::optional<Record>& record, std::int64_t pos);
    // The count bytes at offset, valid until the next read; false when any
    // lies outside the file or count is less than 1.
    bool ReadBytes(std::int64_t offset, std::int64_t count, Bytes& into);

    std::int32_t ErrNo_ = 0;
    StoreWindow window_;
    std::string loadFailure_;
    std::string FileName_;
    std::int32_t FileType_ = dbxTypeEmail;
    std::vector<std::int32_t> index_;
    std::int32_t IndexCount_ = 0;
    // Slots of index_ still free while the index is walked.
    std::int32_t slotsLeft_ = 0;
    // Index nodes already walked: a node met again is part of a cycle or of
    // a subtree that two parents share, and is not walked twice.
    std::unordered_set<std::int64_t> walkedNodes_;
    CEmails EMails_;
    CFolders Folders_;
};
