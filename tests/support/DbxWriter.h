#pragma once
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// Writes mail stores (.dbx) for tests and benchmarks: a message store or a
// folder store made of the items added, laid out as the mail client lays
// them out (header, index nodes, then each item's text blocks and record). The
// index is a balanced tree unless one is given node by node, which is how
// tests make cycles and shared subtrees; every other kind of damage is done
// to the built image through its recorded offsets.
class DbxWriter {
public:
    enum class Kind { Messages, Folders };

    // Places of the header, and of the parts of each structure.
    static constexpr std::int64_t kItemCountAt = 0xC4;
    static constexpr std::int64_t kRootNodeAt = 0xE4;
    static constexpr std::int64_t kNodeChildAt = 0x08;
    static constexpr std::int64_t kNodeEntryCountAt = 0x11;
    static constexpr std::int64_t kNodeChildCountAt = 0x14;
    static constexpr std::int64_t kNodeEntriesAt = 0x18;
    static constexpr std::int64_t kNodeEntrySize = 12;
    static constexpr std::int64_t kItemLengthAt = 0x04;
    static constexpr std::int64_t kItemFieldCountAt = 0x0A;
    static constexpr std::int64_t kItemDataAt = 0x0C;
    static constexpr std::int64_t kBlockLengthAt = 0x08;
    static constexpr std::int64_t kBlockNextAt = 0x0C;
    static constexpr std::int64_t kBlockDataAt = 0x10;

    // One entry of an item's field table. A direct field (id 0x80 or more)
    // keeps its 24-bit value in the table; any other field's bytes go into
    // the record data, and the table holds their position there. A field
    // made with At holds the given position and no bytes at all.
    struct Field {
        std::uint8_t id = 0;
        std::uint32_t value = 0;
        std::string bytes;
        std::optional<std::uint32_t> position;
    };
    static Field Direct(std::uint8_t id, std::uint32_t value);
    // The text and its closing 0 byte.
    static Field Text(std::uint8_t id, const std::string& text);
    static Field Long(std::uint8_t id, std::int32_t value);
    static Field Byte(std::uint8_t id, std::uint8_t value);
    static Field Date(std::uint8_t id, std::uint64_t fileTime);
    static Field Raw(std::uint8_t id, const std::string& bytes);
    static Field At(std::uint8_t id, std::uint32_t position);

    struct Item {
        std::vector<Field> fields;
        // The message text in blocks of these data; when there are any, the
        // writer adds the first block's offset after the fields: direct
        // (0x84) when it fits in 24 bits, else as a Long (0x04).
        std::vector<std::string> blocks;
    };
    // A message with its Id first, then the fields, and its text in blocks
    // of at most blockSize bytes (none for an empty text).
    static Item Message(std::int32_t id, std::vector<Field> fields, const std::string& text,
                        std::size_t blockSize = 512);
    // A folder: Id, parent Id, name and store file name (omitted when "").
    static Item Folder(std::int32_t id, std::int32_t parentId, const std::string& name, const std::string& fileName);

    // An index node given by hand. Nodes and items are named by number; a
    // child of -1 is none (offset 0).
    struct Entry {
        std::int32_t item = 0;
        std::int32_t child = -1;
        std::int32_t childCount = 0;
    };
    struct Node {
        std::int32_t child = -1;
        std::int32_t childCount = 0;
        std::vector<Entry> entries;
    };

    // The store as bytes with the offset of every structure, so a test can
    // damage exactly the part it means to.
    struct Image {
        std::string bytes;
        std::vector<std::int64_t> items;
        std::vector<std::vector<std::int64_t>> blocks;  // per item
        std::vector<std::int64_t> nodes;

        void PutLong(std::int64_t at, std::int32_t value);
        void PutInteger(std::int64_t at, std::int16_t value);
        void PutByte(std::int64_t at, std::uint8_t value);
    };

    explicit DbxWriter(Kind kind);

    // Adds an item; its number.
    std::int32_t Add(Item item);
    // Index nodes in place of the balanced tree; nodes[root] is the root.
    void Index(std::vector<Node> nodes, std::int32_t root = 0);
    // Entries per node of the balanced tree (at least 1).
    void EntriesPerNode(std::size_t entries);
    // Lays the index, texts and records out from this file offset on (past
    // the header), as in a store that has grown large; Save leaves the gap a
    // hole, so the file is sparse.
    void StartAt(std::int64_t offset);

    Image Build() const;
    // Writes the store straight to the file (no copy of it in memory).
    void Save(const std::string& path) const;

private:
    struct Layout;

    Layout Plan() const;
    // Writes the store; a gap before the start is skipped over (a hole in a
    // file) when `holes`, else written as zeros.
    void Emit(const Layout& layout, std::ostream& out, bool holes) const;
    std::vector<Node> Nodes() const;

    Kind kind_;
    std::vector<Item> items_;
    std::optional<std::vector<Node>> nodes_;
    std::int32_t root_ = 0;
    std::size_t entriesPerNode_ = 32;
    std::int64_t start_ = 0;
};
