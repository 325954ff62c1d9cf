#include "CDbx.h"

#include <algorithm>
#include <array>

#include "BlockChain.h"
#include "LogTrap.h"
#include "ScanState.h"

namespace {

constexpr std::uint32_t kSignature1 = 0xFE12ADCF;
constexpr std::uint32_t kSignatureMessages = 0x6F74FDC5;
constexpr std::uint32_t kSignatureFolders = 0x6F74FDC6;
constexpr std::uint32_t kSignature3 = 0x11D1E366;
constexpr std::uint32_t kSignature4 = 0xC0004E9A;

constexpr std::int64_t kSignatureSize = 16;
constexpr std::int64_t kItemCountAt = 0xC4;
constexpr std::int64_t kRootNodeAt = 0xE4;
constexpr std::int64_t kNodeHeadSize = 24;
constexpr std::int64_t kNodeEntrySize = 12;
constexpr std::int64_t kItemHeadSize = 12;
constexpr std::int64_t kFieldEntrySize = 4;
// Far deeper than any real index; a deeper walk is a crafted chain of nodes.
constexpr int kMaxIndexDepth = 64;

constexpr int kErrWalking = 3;
constexpr int kErrEntriesBeyondCount = 5;
constexpr int kErrItemData = 7;
constexpr int kErrOpenFailed = 1;

using Span = std::span<const std::uint8_t>;

std::int32_t LongAt(Span bytes, std::size_t at) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
        static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

void Detail(const std::string& line) {
    if (ScanState::DetailLogging()) {
        LogTrap::Write(line);
    }
}

ObjectError BadFile() {
    return ObjectError(CDbx::dbxErrBadFile, "CDbx::openFile()", "Not a readable mail store");
}

// A field whose bytes would lie outside the record data: the item fails.
[[noreturn]] void OutsideRecord(const char* source) {
    throw ObjectError(9, source, "Subscript out of range");
}

// A store file is named plainly, beside Folders.dbx. A path, a drive or a
// step up would point the reader at some other file on the machine.
bool PlainFileName(const std::string& name) {
    return name.find_first_of("\\/:") == std::string::npos && name.find("..") == std::string::npos;
}

// The free memory a store needs: the reader's window and the records read
// from the store, allowed a quarter of its size (messages of a few kilobytes
// give records of about a tenth), and with every message's text kept, the
// texts too.
std::uint64_t WithoutBodies(std::uint64_t size) {
    return StoreWindow::kWindowSize + size / 4;
}
std::uint64_t WithBodies(std::uint64_t size) {
    return size + WithoutBodies(size);
}

}  // namespace

bool CDbx::openFile(const std::string& sFileName, bool fRetrieveBody) {
    return open(sFileName, fRetrieveBody, [&] {
        std::unique_ptr<StoreFile> file;
        LogTrap::Trap("loadBinary() Error ", " : ", [&] {
            file = StoreFile::openWithin(sFileName, fRetrieveBody ? WithBodies : WithoutBodies, loadFailure_);
        });
        window_ = file ? StoreWindow(std::move(file)) : StoreWindow();
    });
}

bool CDbx::openBytes(std::string_view bytes, bool fRetrieveBody) {
    return open("", fRetrieveBody, [&] { window_ = StoreWindow(bytes); });
}

const std::string& CDbx::LoadFailure() const {
    return loadFailure_;
}

bool CDbx::open(const std::string& name, bool fRetrieveBody, const std::function<void()>& load) {
    loadFailure_.clear();
    // The store is missing or refused: its cause is the caller's to report,
    // not a damaged file's.
    bool refused = false;
    const bool opened = LogTrap::Trap("openFile() Error ", " : ", [&] {
        load();
        refused = !loadFailure_.empty();
        if (refused) {
            return;
        }
        FileType_ = SignatureType();
        FileName_ = name;
        getIndexes();
        for (const std::int32_t item : index_) {
            AddRecord(readItem(item, FileType_, fRetrieveBody), item);
        }
        ErrNo_ = 0;
        Detail("No Exceptions");
    });
    if (!opened || refused) {
        ErrNo_ = kErrOpenFailed;
        return false;
    }
    return true;
}

std::string CDbx::getBody(std::int32_t pos) {
    ErrNo_ = kErrItemData;
    const BlockChain::Walk walk = BlockChain::Measure(window_, pos);
    std::string text;
    if (!walk.sound || !BlockChain::Gather(window_, pos, walk, text)) {
        return "";
    }
    ErrNo_ = 0;
    return text;
}

std::int32_t CDbx::SignatureType() {
    Bytes signature;
    if (!ReadBytes(0, kSignatureSize, signature)) {
        throw BadFile();
    }
    Detail("Len(signature) = " + std::to_string(kSignatureSize));
    Detail("sig(0) = " + std::to_string(signature[0]));
    Detail("Done with CopyMemory");
    const auto part = [&](std::size_t k) { return static_cast<std::uint32_t>(LongAt(signature, 4 * k)); };
    const bool tail = part(2) == kSignature3 && part(3) == kSignature4;
    if (part(0) == kSignature1 && part(1) == kSignatureMessages && tail) {
        Detail("dbxTypeEmail");
        return dbxTypeEmail;
    }
    if (part(0) == kSignature1 && part(1) == kSignatureFolders) {
        if (tail) {
            Detail("dbxTypeFolder");
            return dbxTypeFolder;
        }
        Detail("dbxTypeVoid");
        FileType_ = dbxTypeVoid;
        throw BadFile();
    }
    Detail("dbxErrBadFile");
    throw BadFile();
}

std::int32_t CDbx::HeaderLong(std::int64_t offset) {
    Bytes bytes;
    if (!ReadBytes(offset, 4, bytes)) {
        throw BadFile();
    }
    return LongAt(bytes, 0);
}

void CDbx::getIndexes() {
    Detail("getIndexes");
    const std::int32_t root = HeaderLong(kRootNodeAt);
    const std::int32_t count = HeaderLong(kItemCountAt);
    // Every item takes at least one 12-byte index entry, so a count the
    // file has no room for is a damaged header, not a reason to allocate.
    if (count < 0 || count > window_.size() / kNodeEntrySize) {
        throw BadFile();
    }
    IndexCount_ = count;
    index_.assign(static_cast<std::size_t>(count), 0);
    slotsLeft_ = count;
    walkedNodes_.clear();
    readIndex(root, 0);
    IndexCount_ = count;
    ErrNo_ = 0;
}

// An in-order walk that fills the slots from the last one down. A node that
// cannot be read, has been walked before or lies too deep is skipped; an
// error ends the walk of this node only, and its parent goes on.
bool CDbx::readIndex(std::int64_t node, int depth) {
    ErrNo_ = kErrWalking;
    Bytes read;
    if (depth > kMaxIndexDepth || !walkedNodes_.insert(node).second || !ReadBytes(node, kNodeHeadSize, read)) {
        return false;
    }
    // Kept: the walk below reads other parts of the store.
    std::array<std::uint8_t, kNodeHeadSize> copy{};
    std::copy(read.begin(), read.end(), copy.begin());
    const Bytes head(copy);
    if (LongAt(head, 0x14) > 0) {
        readIndex(LongAt(head, 0x08), depth + 1);
    }
    const int entries = head[0x11];
    Bytes entry;
    for (int k = 0; k < entries; ++k) {
        if (!ReadBytes(node + kNodeHeadSize + kNodeEntrySize * k, kNodeEntrySize, entry)) {
            return false;
        }
        if (slotsLeft_ < 0) {
            ErrNo_ = kErrEntriesBeyondCount;
            return false;
        }
        if (--slotsLeft_ < 0) {
            return false;
        }
        index_[static_cast<std::size_t>(slotsLeft_)] = LongAt(entry, 0);
        if (LongAt(entry, 8) > 0) {
            readIndex(LongAt(entry, 4), depth + 1);
        }
    }
    ErrNo_ = 0;
    return true;
}

std::optional<CDbx::Record> CDbx::readItem(std::int64_t pos, std::int32_t fileType, bool fRetrieveBody) {
    ErrNo_ = kErrWalking;
    Record record;
    if (fileType != dbxTypeEmail) {
        record = std::make_shared<CFolder>();
    } else {
        record = std::make_shared<CEmail>();
    }
    Bytes head;
    if (!ReadBytes(pos, kItemHeadSize, head)) {
        return std::nullopt;
    }
    const std::int64_t fieldCount = head[0x0A];
    const std::int64_t tableSize = kFieldEntrySize * fieldCount;
    Bytes data;
    if (!ReadBytes(pos + kItemHeadSize, LongAt(head, 0x04), data) ||
        tableSize > static_cast<std::int64_t>(data.size())) {
        ErrNo_ = kErrItemData;
        return std::nullopt;
    }
    try {
        if (auto* email = std::get_if<std::shared_ptr<CEmail>>(&record)) {
            (*email)->DataOffset(CEmail::kNoText);
        }
        for (std::int64_t k = 0; k < fieldCount; ++k) {
            const auto at = static_cast<std::size_t>(kFieldEntrySize * k);
            const std::int32_t value = data[at + 1] | data[at + 2] << 8 | data[at + 3] << 16;
            const Field field{data[at], value, tableSize + value};
            std::visit([&](const auto& item) { SetField(*item, field, data); }, record);
        }
    } catch (const ObjectError&) {
        return std::nullopt;
    }
    if (auto* email = std::get_if<std::shared_ptr<CEmail>>(&record); email && fRetrieveBody) {
        (*email)->Body(getBody((*email)->DataOffset()));
    }
    ErrNo_ = 0;
    return record;
}

void CDbx::SetField(CEmail& email, const Field& field, const Bytes& data) {
    switch (field.id) {
        case 0x01:
            email.Flag(readByte(data, field.start));
            break;
        case 0x04:
            email.DataOffset(readLong(data, field.start));
            break;
        case 0x05:
            email.OrigSubject(readString(data, field.start));
            break;
        case 0x07:
            email.MessageID(readString(data, field.start));
            break;
        case 0x08:
            email.Subject(readString(data, field.start));
            break;
        case 0x0A:
            email.ParentMessageID(readString(data, field.start));
            break;
        case 0x0C:
            email.FetchServer(readString(data, field.start));
            break;
        case 0x0D:
            email.SenderName(readString(data, field.start));
            break;
        case 0x0E:
            email.SenderEMail(readString(data, field.start));
            break;
        case 0x12:
            email.MailDate(readDate(data, field.start).ToText());
            break;
        case 0x13:
            email.RecipientName(readString(data, field.start));
            break;
        case 0x14:
            email.RecipientEMail(readString(data, field.start));
            break;
        case 0x1A:
            email.accountname(readString(data, field.start));
            break;
        case 0x1B:
            email.AccountNumber(readString(data, field.start));
            break;
        case 0x80:
            email.Id(field.value);
            break;
        case 0x81:
            email.Flag(field.value);
            break;
        case 0x84:
            email.DataOffset(field.value);
            break;
        default:
            break;
    }
}

void CDbx::SetField(CFolder& folder, const Field& field, const Bytes& data) {
    switch (field.id) {
        case 0x02:
            folder.name(readString(data, field.start));
            break;
        case 0x03:
            if (std::string name = readString(data, field.start); PlainFileName(name)) {
                folder.FileName(name);
            }
            break;
        case 0x80:
            folder.Id(field.value);
            break;
        case 0x81:
            folder.ParentId(field.value);
            break;
        default:
            break;
    }
}

void CDbx::AddRecord(const std::optional<Record>& record, std::int64_t pos) {
    if (!record) {
        throw ObjectError(kObjectErrorBase + 0x200 + ErrNo_, "CDbx::readItem()",
                          "Unreadable item at offset " + std::to_string(pos));
    }
    if (const auto* email = std::get_if<std::shared_ptr<CEmail>>(&*record)) {
        EMails_.Add(*email, "M_" + std::to_string((*email)->Id()));
    } else {
        const auto& folder = std::get<std::shared_ptr<CFolder>>(*record);
        Folders_.Add(folder, "F_" + std::to_string(folder->Id()));
    }
}

std::string CDbx::readString(const Bytes& data, std::int64_t start) {
    if (start < 0 || start >= static_cast<std::int64_t>(data.size())) {
        return "";
    }
    const auto from = data.begin() + start;
    return std::string(from, std::find(from, data.end(), std::uint8_t{0}));
}

std::int32_t CDbx::readLong(const Bytes& data, std::int64_t start) {
    if (start < 0 || start + 4 > static_cast<std::int64_t>(data.size())) {
        OutsideRecord("CDbx::readLong()");
    }
    return LongAt(data, static_cast<std::size_t>(start));
}

std::uint8_t CDbx::readByte(const Bytes& data, std::int64_t start) {
    if (start < 0 || start >= static_cast<std::int64_t>(data.size())) {
        OutsideRecord("CDbx::readByte()");
    }
    return data[static_cast<std::size_t>(start)];
}

FileTime CDbx::readDate(const Bytes& data, std::int64_t start) {
    if (start < 0 || start + 8 > static_cast<std::int64_t>(data.size())) {
        OutsideRecord("CDbx::readDate()");
    }
    const auto at = static_cast<std::size_t>(start);
    const auto low = static_cast<std::uint32_t>(LongAt(data, at));
    const auto high = static_cast<std::uint32_t>(LongAt(data, at + 4));
    return FileTime(static_cast<std::uint64_t>(high) << 32 | low);
}

bool CDbx::ReadBytes(std::int64_t offset, std::int64_t count, Bytes& into) {
    return window_.read(offset, count, into);
}
