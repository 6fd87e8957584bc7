#pragma once
// The layout of a .dbf file: its header and field descriptors, read from any
// dBase III, IV, 5 or level-7 table and written as dBase IV.

#include "dbase/CodePage.h"
#include "dbase/Table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace valmora::dbase {

constexpr std::uint8_t kLiveRecord = 0x20;
constexpr std::uint8_t kDeletedRecord = 0x2A;
constexpr char kEndOfData = 0x1A;

struct DbfLayout {
    std::uint8_t version = 0x03;
    bool level7 = false;
    std::uint32_t recordCount = 0;  // as the header states it
    std::uint32_t headerLength = 0; // offset of the first record
    std::uint32_t recordLength = 0; // flag byte included
    CodePage codePage = CodePage::Windows1252;
    std::vector<FieldDef> fields;
    std::vector<std::uint32_t> offsets; // of each field within a record (the flag byte is at 0)
    std::string headerBytes;            // the whole header as found, rewritten as it is on compaction

    std::uint64_t dataEnd(std::uint64_t records) const {
        return headerLength + records * static_cast<std::uint64_t>(recordLength);
    }
};

// Reads the header from the first bytes of a file of `fileSize` bytes. Throws a
// TableError naming `path` when the file is not a dBase table this engine reads.
DbfLayout parseDbfHeader(std::string_view head, std::uint64_t fileSize, const std::string& path);

// A dBase IV header (version 0x03, Windows-1252 driver 0x57) for `fields`, with
// `indexedField` marked as having its own tag and the production-index flag set
// when there is one.
// Throws TableError for field definitions dBase cannot hold.
DbfLayout buildDbfLayout(const std::vector<FieldDef>& fields, std::string_view indexedField, const std::string& path);

// Header bytes 1-7: the date of the last update and the record count.
std::string headerCountBytes(Date lastUpdate, std::uint32_t recordCount);

// "Il file X è danneggiato: " + detail.
TableError damagedFile(const std::string& path, const std::string& detail);

} // namespace valmora::dbase
