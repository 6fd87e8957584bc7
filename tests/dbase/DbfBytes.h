#pragma once
// Builds .dbf files byte by byte, as other dBase programs write them, for tests
// of what the engine reads.

#include <cstdint>
#include <string>
#include <vector>

namespace valmora::dbase::testing {

struct RawField {
    std::string name;
    char code;
    int width;
    int decimals = 0;
};

struct RawTable {
    std::uint8_t version = 0x03;
    std::uint8_t driver = 0x57;
    std::string driverName; // level 7 only
    std::vector<RawField> fields;
    std::vector<std::string> records; // each a whole record, flag byte first

    bool level7() const { return version == 0x04 || version == 0x8C; }

    std::string bytes() const {
        const std::size_t descriptorSize = level7() ? 48 : 32;
        const std::size_t start = level7() ? 68 : 32;
        const std::size_t headerLength = start + descriptorSize * fields.size() + 1;
        std::size_t recordLength = 1;
        for (const RawField& f : fields)
            recordLength += static_cast<std::size_t>(f.width);
        std::string h(headerLength, '\0');
        h[0] = static_cast<char>(version);
        h[1] = 105;
        h[2] = 3;
        h[3] = 1;
        put32(h, 4, static_cast<std::uint32_t>(records.size()));
        h[8] = static_cast<char>(headerLength & 0xFF);
        h[9] = static_cast<char>(headerLength >> 8);
        h[10] = static_cast<char>(recordLength & 0xFF);
        h[11] = static_cast<char>(recordLength >> 8);
        h[29] = static_cast<char>(driver);
        if (level7())
            h.replace(32, driverName.size(), driverName);
        std::size_t pos = start;
        for (const RawField& f : fields) {
            h.replace(pos, f.name.size(), f.name);
            const std::size_t typeAt = pos + (level7() ? 32 : 11);
            h[typeAt] = f.code;
            h[level7() ? typeAt + 1 : pos + 16] = static_cast<char>(f.width);
            h[level7() ? typeAt + 2 : pos + 17] = static_cast<char>(f.decimals);
            pos += descriptorSize;
        }
        h[pos] = '\x0D';
        for (const std::string& r : records)
            h += r;
        h += '\x1A';
        return h;
    }

    static void put32(std::string& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
};

inline std::string bigEndian(std::uint64_t v, int bytes) {
    std::string out(static_cast<std::size_t>(bytes), '\0');
    for (int i = bytes - 1; i >= 0; --i) {
        out[static_cast<std::size_t>(i)] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
    return out;
}

} // namespace valmora::dbase::testing
