// Building an .mdx image and reading back its tag table.

#include "dbase/Mdx.h"

#include "dbase/ByteFields.h"
#include "dbase/Table.h"

#include <algorithm>
#include <cstring>

namespace valmora::dbase {
namespace {

constexpr int kPagesPerBlock = kMdxBlockSize / kMdxPageSize;
constexpr std::size_t kTagTableOffset = 544;
constexpr std::size_t kTagEntrySize = 32;
constexpr int kTagSlots = 48;
// The tag table starts at 544 inside the 2048-byte header: room for 47 entries.
constexpr std::size_t kMaxTags = (kMdxHeaderSize - kTagTableOffset) / kTagEntrySize;
constexpr std::size_t kNodeHeaderSize = 8;
constexpr std::size_t kKeyExpressionSize = 220;

// Copies text into a NUL-padded field, never cutting a UTF-8 sequence in two.
void putName(std::string& buf, std::size_t at, std::string_view text, std::size_t room) {
    if (text.size() > room) {
        std::size_t cut = room;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text = text.substr(0, cut);
    }
    std::memcpy(buf.data() + at, text.data(), text.size());
}

std::string upper(std::string_view s) {
    std::string out(s);
    for (auto& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Bytes a node entry takes: the 4-byte pointer and the key, rounded up to 4.
std::size_t itemLength(int keyLength) {
    return (static_cast<std::size_t>(keyLength) + 4 + 3) & ~std::size_t{3};
}

std::size_t maxKeysPerNode(int keyLength) {
    return (kMdxBlockSize - 12) / itemLength(keyLength);
}

void checkTag(const MdxTag& tag) {
    const auto fail = [&](const std::string& why) {
        throw TableError("Indice \"" + tag.name + "\" non valido: " + why);
    };
    if (tag.name.empty() || tag.name.size() > kMdxMaxTagNameLength)
        fail("il nome deve avere da 1 a 10 caratteri");
    for (char c : tag.name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_'))
            fail("il nome contiene caratteri non ammessi");
    int expected = tag.keyLength;
    switch (tag.keyType) {
    case 'C':
        if (tag.keyLength < 1 || tag.keyLength > 254)
            fail("lunghezza della chiave fuori dai limiti");
        break;
    case 'D':
        expected = kMdxDateKeyLength;
        break;
    case 'N':
        expected = kMdxNumericKeyLength;
        break;
    default:
        fail("tipo di chiave non gestito");
    }
    if (tag.keyLength != expected)
        fail("lunghezza della chiave errata");
    for (const auto& [recno, key] : tag.entries) {
        if (recno == 0)
            fail("numero di record nullo");
        if (key.size() != static_cast<std::size_t>(tag.keyLength))
            fail("chiave di lunghezza errata per il record " + std::to_string(recno));
    }
}

// Key order, ties by record number.
void sortEntries(MdxTag& tag) {
    std::sort(tag.entries.begin(), tag.entries.end(), [&](const MdxEntry& a, const MdxEntry& b) {
        const int c = compareMdxKeys(tag.keyType, a.second, b.second);
        return c != 0 ? c < 0 : a.first < b.first;
    });
}

// Splits `count` items into the fewest groups of at most `capacity`, as even as possible,
// so no node is left nearly empty at the end of a level.
std::vector<std::size_t> evenGroups(std::size_t count, std::size_t capacity) {
    const std::size_t groups = std::max<std::size_t>(1, (count + capacity - 1) / capacity);
    std::vector<std::size_t> sizes(groups, count / groups);
    for (std::size_t i = 0; i < count % groups; ++i)
        ++sizes[i];
    return sizes;
}

class ImageWriter {
public:
    explicit ImageWriter(std::string& image) : image_(image) {}

    // A fresh zeroed block at the end of the file; returns its first page.
    std::uint32_t allocateBlock() {
        const auto page = static_cast<std::uint32_t>(image_.size() / kMdxPageSize);
        image_.resize(image_.size() + kMdxBlockSize, '\0');
        return page;
    }
    std::size_t offsetOf(std::uint32_t page) const { return std::size_t{page} * kMdxPageSize; }

    // Writes one tag's header block and B-tree; returns the header's page.
    std::uint32_t writeTag(const MdxTag& tag) {
        const std::uint32_t headerPage = allocateBlock();
        const std::size_t item = itemLength(tag.keyLength);
        const std::size_t maxKeys = maxKeysPerNode(tag.keyLength);

        struct NodeRef {
            std::uint32_t page;
            std::size_t lastEntry; // index in tag.entries of the greatest key below this node
        };
        std::vector<NodeRef> level;
        std::size_t nodes = 0;

        // Leaves: (record number, key) in key order.
        std::size_t next = 0;
        for (std::size_t size : evenGroups(tag.entries.size(), maxKeys)) {
            const std::uint32_t page = allocateBlock();
            ++nodes;
            const std::size_t base = offsetOf(page);
            putLittleEndian(image_, base, static_cast<std::uint32_t>(size), 4);
            for (std::size_t i = 0; i < size; ++i, ++next) {
                const std::size_t at = base + kNodeHeaderSize + i * item;
                putLittleEndian(image_, at, tag.entries[next].first, 4);
                std::memcpy(image_.data() + at + 4, tag.entries[next].second.data(), tag.entries[next].second.size());
            }
            level.push_back({page, next == 0 ? 0 : next - 1});
        }

        // Interior levels: n keys (each the greatest key of its child) and n + 1 child pointers.
        // A node never holds maxKeys keys: readers tell an interior node by the pointer
        // after its last key, which a full node has no room to show.
        while (level.size() > 1) {
            std::vector<NodeRef> upper;
            std::size_t child = 0;
            for (std::size_t size : evenGroups(level.size(), maxKeys)) {
                const std::uint32_t page = allocateBlock();
                ++nodes;
                const std::size_t base = offsetOf(page);
                putLittleEndian(image_, base, static_cast<std::uint32_t>(size - 1), 4);
                for (std::size_t i = 0; i < size; ++i, ++child) {
                    const std::size_t at = base + kNodeHeaderSize + i * item;
                    putLittleEndian(image_, at, level[child].page, 4);
                    if (i + 1 < size) {
                        const auto& key = tag.entries[level[child].lastEntry].second;
                        std::memcpy(image_.data() + at + 4, key.data(), key.size());
                    }
                }
                upper.push_back({page, level[child - 1].lastEntry});
            }
            level = std::move(upper);
        }

        const std::size_t h = offsetOf(headerPage);
        putLittleEndian(image_, h + 0, level.front().page, 4);
        putLittleEndian(image_, h + 4, static_cast<std::uint32_t>((1 + nodes) * kPagesPerBlock), 4);
        image_[h + 8] = tag.keyType == 'C' ? 0x10 : 0x00; // ascending, not unique; 0x10 marks a text key
        image_[h + 9] = tag.keyType;
        putLittleEndian(image_, h + 12, static_cast<unsigned>(tag.keyLength), 2);
        putLittleEndian(image_, h + 14, static_cast<unsigned>(maxKeys), 2);
        putLittleEndian(image_, h + 16, tag.keyType == 'D' ? 1 : 0, 2);
        putLittleEndian(image_, h + 18, static_cast<unsigned>(item), 2);
        putLittleEndian(image_, h + 20, 2, 2);
        putName(image_, h + 24, upper(tag.expression), kKeyExpressionSize - 1);
        image_[h + 246] = 1; // a key expression is present
        return headerPage;
    }

private:
    std::string& image_;
};

} // namespace

std::string buildMdxImage(std::string_view tableBaseName, std::vector<MdxTag> tags, Date updated) {
    if (tags.size() > kMaxTags)
        throw TableError("Troppi indici per un file .mdx: " + std::to_string(tags.size()));
    for (auto& tag : tags) {
        checkTag(tag);
        sortEntries(tag);
    }

    std::string image(kMdxHeaderSize, '\0');
    image[0] = 2; // dBase IV
    putUpdateDate(image, 1, updated);
    putName(image, 4, tableBaseName, 15);
    putLittleEndian(image, 20, kPagesPerBlock, 2);
    putLittleEndian(image, 22, kMdxBlockSize, 2);
    image[24] = 1; // production index: opened with the table
    image[25] = static_cast<char>(kTagSlots);
    image[26] = static_cast<char>(kTagEntrySize);
    putLittleEndian(image, 28, static_cast<unsigned>(tags.size()), 2);
    putUpdateDate(image, 44, updated);
    image[529] = 1;

    ImageWriter writer(image);
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::uint32_t headerPage = writer.writeTag(tags[i]);
        const std::size_t entry = kTagTableOffset + i * kTagEntrySize;
        putLittleEndian(image, entry, headerPage, 4);
        putName(image, entry + 4, upper(tags[i].name), kMdxMaxTagNameLength);
        image[entry + 15] = 0x10; // the key is a field, not a computed expression
        image[entry + 19] = 0x02;
        image[entry + 20] = tags[i].keyType;
        // Bytes 16-18 link the tags in a tree by name; left at 0 as other writers do.
    }
    putLittleEndian(image, 32, static_cast<std::uint32_t>(image.size() / kMdxPageSize), 4);
    return image;
}

std::vector<std::string> parseMdxTagNames(std::string_view header) {
    if (header.size() < kMdxHeaderSize)
        return {};
    const unsigned version = static_cast<unsigned char>(header[0]);
    if (version != 2 && version != 3) // 3: the level-7 layout, with longer tag names
        return {};
    const auto tagsUsed = static_cast<unsigned>(getLittleEndian(header, 28, 2));
    const unsigned entrySize = static_cast<unsigned char>(header[26]);
    const std::size_t nameRoom = version == 2 ? 11 : 33;
    if (entrySize < (version == 2 ? 21u : 32u))
        return {};
    // Wider entries push the table further in (dBase 7 uses 48-byte entries at 560).
    const std::size_t tableStart = kTagTableOffset + entrySize - kTagEntrySize;
    if (tableStart + std::size_t{tagsUsed} * entrySize > kMdxHeaderSize)
        return {};

    std::vector<std::string> names;
    for (unsigned i = 0; i < tagsUsed; ++i) {
        const std::string_view field =
            header.substr(tableStart + std::size_t{i} * entrySize + 4, std::min<std::size_t>(nameRoom, entrySize - 4));
        const std::string_view name = field.substr(0, field.find('\0'));
        const bool printable = std::all_of(name.begin(), name.end(), [](char c) {
            const auto u = static_cast<unsigned char>(c);
            return u > 0x20 && u < 0x7F;
        });
        if (name.empty() || !printable)
            return {};
        names.emplace_back(name);
    }
    return names;
}

} // namespace valmora::dbase
