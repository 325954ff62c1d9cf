#include "DbxWriter.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

constexpr std::int64_t kHeaderSize = 0x100;
constexpr std::int64_t kItemHeadSize = 12;
constexpr std::int64_t kBlockHeadSize = 16;
constexpr std::int64_t kNodeHeadSize = 24;
constexpr std::uint32_t kDirectLimit = 1u << 24;

void Put(std::string& bytes, std::int64_t at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.at(static_cast<std::size_t>(at + i)) = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

void Append(std::string& bytes, std::uint64_t value, int width) {
    bytes.append(static_cast<std::size_t>(width), '\0');
    Put(bytes, static_cast<std::int64_t>(bytes.size()) - width, value, width);
}

std::int64_t RecordSize(const std::vector<DbxWriter::Field>& fields) {
    std::int64_t size = kItemHeadSize;
    for (const DbxWriter::Field& field : fields) {
        size += 4 + static_cast<std::int64_t>(field.bytes.size());
    }
    return size;
}

// The items first .. first + count - 1, in tree order, as a subtree of
// nodes; the number of its top node.
std::int32_t AddSubtree(std::vector<DbxWriter::Node>& nodes, std::int32_t first, std::int32_t count,
                        std::int32_t perNode) {
    const auto top = static_cast<std::int32_t>(nodes.size());
    nodes.emplace_back();
    DbxWriter::Node node;
    const std::int32_t separators = count < perNode ? count : perNode;
    // The items that are no separator of this node go to its children,
    // spread evenly over the gaps before, between and after the separators.
    const std::int32_t below = count - separators;
    const std::int32_t gaps = separators + 1;
    std::int32_t next = first;
    const auto child = [&](std::int32_t gap, std::int32_t& childNode, std::int32_t& childCount) {
        const std::int32_t size = below / gaps + (gap < below % gaps ? 1 : 0);
        if (size > 0) {
            childNode = AddSubtree(nodes, next, size, perNode);
            childCount = size;
            next += size;
        }
    };
    child(0, node.child, node.childCount);
    for (std::int32_t k = 0; k < separators; ++k) {
        DbxWriter::Entry entry;
        entry.item = next++;
        child(k + 1, entry.child, entry.childCount);
        node.entries.push_back(entry);
    }
    nodes[static_cast<std::size_t>(top)] = node;
    return top;
}

}  // namespace

struct DbxWriter::Layout {
    std::vector<Node> nodes;
    std::vector<std::vector<Field>> tables;
    Image offsets;
};

DbxWriter::Field DbxWriter::Direct(std::uint8_t id, std::uint32_t value) {
    return Field{id, value & (kDirectLimit - 1), "", std::nullopt};
}

DbxWriter::Field DbxWriter::Text(std::uint8_t id, const std::string& text) {
    return Raw(id, text + std::string(1, '\0'));
}

DbxWriter::Field DbxWriter::Long(std::uint8_t id, std::int32_t value) {
    std::string bytes;
    Append(bytes, static_cast<std::uint32_t>(value), 4);
    return Raw(id, bytes);
}

DbxWriter::Field DbxWriter::Byte(std::uint8_t id, std::uint8_t value) {
    return Raw(id, std::string(1, static_cast<char>(value)));
}

DbxWriter::Field DbxWriter::Date(std::uint8_t id, std::uint64_t fileTime) {
    std::string bytes;
    Append(bytes, fileTime, 8);
    return Raw(id, bytes);
}

DbxWriter::Field DbxWriter::Raw(std::uint8_t id, const std::string& bytes) {
    return Field{id, 0, bytes, std::nullopt};
}

DbxWriter::Field DbxWriter::At(std::uint8_t id, std::uint32_t position) {
    return Field{id, 0, "", position};
}

DbxWriter::Item DbxWriter::Message(std::int32_t id, std::vector<Field> fields, const std::string& text,
                                   std::size_t blockSize) {
    Item item;
    item.fields.push_back(Direct(0x80, static_cast<std::uint32_t>(id)));
    item.fields.insert(item.fields.end(), fields.begin(), fields.end());
    for (std::size_t at = 0; at < text.size(); at += blockSize) {
        item.blocks.push_back(text.substr(at, blockSize));
    }
    return item;
}

DbxWriter::Item DbxWriter::Folder(std::int32_t id, std::int32_t parentId, const std::string& name,
                                  const std::string& fileName) {
    Item item;
    item.fields = {Direct(0x80, static_cast<std::uint32_t>(id)), Direct(0x81, static_cast<std::uint32_t>(parentId)),
                   Text(0x02, name)};
    if (!fileName.empty()) {
        item.fields.push_back(Text(0x03, fileName));
    }
    return item;
}

void DbxWriter::Image::PutLong(std::int64_t at, std::int32_t value) {
    Put(bytes, at, static_cast<std::uint32_t>(value), 4);
}

void DbxWriter::Image::PutInteger(std::int64_t at, std::int16_t value) {
    Put(bytes, at, static_cast<std::uint16_t>(value), 2);
}

void DbxWriter::Image::PutByte(std::int64_t at, std::uint8_t value) {
    Put(bytes, at, value, 1);
}

DbxWriter::DbxWriter(Kind kind) : kind_(kind) {}

std::int32_t DbxWriter::Add(Item item) {
    items_.push_back(std::move(item));
    return static_cast<std::int32_t>(items_.size()) - 1;
}

void DbxWriter::Index(std::vector<Node> nodes, std::int32_t root) {
    nodes_ = std::move(nodes);
    root_ = root;
}

void DbxWriter::EntriesPerNode(std::size_t entries) {
    entriesPerNode_ = entries < 1 ? 1 : entries;
}

std::vector<DbxWriter::Node> DbxWriter::Nodes() const {
    if (nodes_) {
        return *nodes_;
    }
    std::vector<Node> nodes;
    if (!items_.empty()) {
        AddSubtree(nodes, 0, static_cast<std::int32_t>(items_.size()), static_cast<std::int32_t>(entriesPerNode_));
    }
    return nodes;
}

void DbxWriter::StartAt(std::int64_t offset) {
    start_ = offset;
}

DbxWriter::Layout DbxWriter::Plan() const {
    Layout layout;
    layout.nodes = Nodes();
    // The index first, so that a file cut short loses items and texts.
    std::int64_t at = start_ > kHeaderSize ? start_ : kHeaderSize;
    for (const Node& node : layout.nodes) {
        layout.offsets.nodes.push_back(at);
        at += kNodeHeadSize + kNodeEntrySize * static_cast<std::int64_t>(node.entries.size());
    }
    for (const Item& item : items_) {
        std::vector<std::int64_t> blocks;
        for (const std::string& data : item.blocks) {
            if (data.empty() || data.size() > 0x7FFF) {
                throw std::invalid_argument("a text block holds 1 to 32767 bytes");
            }
            blocks.push_back(at);
            at += kBlockHeadSize + static_cast<std::int64_t>(data.size());
        }
        std::vector<Field> table = item.fields;
        if (!blocks.empty()) {
            const auto first = static_cast<std::uint32_t>(blocks.front());
            table.push_back(first < kDirectLimit ? Direct(0x84, first) : Long(0x04, static_cast<std::int32_t>(first)));
        }
        layout.offsets.items.push_back(at);
        at += RecordSize(table);
        layout.offsets.blocks.push_back(std::move(blocks));
        layout.tables.push_back(std::move(table));
    }
    return layout;
}

void DbxWriter::Emit(const Layout& layout, std::ostream& out, bool holes) const {
    const Image& at = layout.offsets;
    const auto nodeOffset = [&](std::int32_t node) {
        return node < 0 ? std::int64_t{0} : at.nodes.at(static_cast<std::size_t>(node));
    };

    std::string header(kHeaderSize, '\0');
    const std::uint32_t signature[] = {0xFE12ADCF, kind_ == Kind::Messages ? 0x6F74FDC5u : 0x6F74FDC6u, 0x11D1E366,
                                       0xC0004E9A};
    for (int k = 0; k < 4; ++k) {
        Put(header, 4 * k, signature[k], 4);
    }
    Put(header, kItemCountAt, items_.size(), 4);
    Put(header, kRootNodeAt, static_cast<std::uint64_t>(layout.nodes.empty() ? 0 : nodeOffset(root_)), 4);
    out << header;
    if (start_ > kHeaderSize) {
        if (holes) {
            out.seekp(start_);
        } else {
            out << std::string(static_cast<std::size_t>(start_ - kHeaderSize), '\0');
        }
    }

    for (std::size_t n = 0; n < layout.nodes.size(); ++n) {
        const Node& node = layout.nodes[n];
        std::string bytes;
        Append(bytes, static_cast<std::uint64_t>(at.nodes[n]), 4);
        Append(bytes, 0, 4);
        Append(bytes, static_cast<std::uint64_t>(nodeOffset(node.child)), 4);
        Append(bytes, 0, 5);
        Append(bytes, node.entries.size(), 1);
        Append(bytes, 0, 2);
        Append(bytes, static_cast<std::uint32_t>(node.childCount), 4);
        for (const Entry& entry : node.entries) {
            Append(bytes, static_cast<std::uint64_t>(at.items.at(static_cast<std::size_t>(entry.item))), 4);
            Append(bytes, static_cast<std::uint64_t>(nodeOffset(entry.child)), 4);
            Append(bytes, static_cast<std::uint32_t>(entry.childCount), 4);
        }
        out << bytes;
    }

    for (std::size_t i = 0; i < items_.size(); ++i) {
        const std::vector<std::int64_t>& blocks = at.blocks[i];
        for (std::size_t b = 0; b < blocks.size(); ++b) {
            const std::string& data = items_[i].blocks[b];
            std::string head;
            Append(head, static_cast<std::uint64_t>(blocks[b]), 4);
            Append(head, data.size(), 4);
            Append(head, data.size(), 2);
            Append(head, 0, 2);
            Append(head, b + 1 < blocks.size() ? static_cast<std::uint64_t>(blocks[b + 1]) : 0, 4);
            out << head << data;
        }
        const std::vector<Field>& table = layout.tables[i];
        std::string entries;
        std::string values;
        for (const Field& field : table) {
            const bool direct = field.id >= 0x80;
            const std::uint32_t value =
                direct ? field.value : field.position.value_or(static_cast<std::uint32_t>(values.size()));
            Append(entries, field.id, 1);
            Append(entries, value, 3);
            values += field.bytes;
        }
        std::string head;
        Append(head, static_cast<std::uint64_t>(at.items[i]), 4);
        Append(head, entries.size() + values.size(), 4);
        Append(head, 0, 2);
        Append(head, table.size(), 1);
        Append(head, 0, 1);
        out << head << entries << values;
    }
}

DbxWriter::Image DbxWriter::Build() const {
    Layout layout = Plan();
    std::ostringstream out;
    Emit(layout, out, false);
    Image image = std::move(layout.offsets);
    image.bytes = out.str();
    return image;
}

void DbxWriter::Save(const std::string& path) const {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    Emit(Plan(), out, true);
    out.flush();
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}
