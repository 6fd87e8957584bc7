#pragma once
// The production index (.mdx) beside a table, in the dBase IV multiple-index layout.
//
// The engine keeps its order in memory and never trusts an .mdx for it (the file
// may be stale after a crash); the .mdx is written so that the file set is
// complete for other dBase programs, and read only to list its tag names.
//
// How the table calls this:
//   - after writing the .dbf (create, pack, any change of the indexed column), build
//     one MdxTag per index tag with the key of every live record, encoded with
//     encodeCharKey / encodeDateKey / encodeNumericKey, and call writeMdx. The
//     entries may come in any order: the writer sorts them by key, ties by record
//     number, which is the order the table itself walks.
//   - indexTags() is readMdxTagNames on the .mdx path; it never throws.
//
// Layout (dBase IV, version 2): a 2048-byte file header with the tag table at 544,
// then for each tag one header block followed by its B-tree nodes. Pages are 512
// bytes, pointers are page numbers, every block is 1024 bytes (two pages).

#include "core/Date.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace valmora::dbase {

class FileSystem;

inline constexpr int kMdxPageSize = 512;
inline constexpr int kMdxBlockSize = 1024;
inline constexpr int kMdxHeaderSize = 2048;
inline constexpr int kMdxMaxTagNameLength = 10;
inline constexpr int kMdxNumericKeyLength = 12;
inline constexpr int kMdxDateKeyLength = 8;

// One record's key: its 1-based record number in the .dbf and the encoded key bytes.
using MdxEntry = std::pair<std::uint32_t, std::string>;

struct MdxTag {
    std::string name;       // up to 10 characters; stored upper case
    std::string expression; // the key expression, here the indexed field's name
    char keyType = 'C';     // 'C', 'D' or 'N'
    int keyLength = 0;      // C: the field width (1-254); D: 8; N: 12
    std::vector<MdxEntry> entries;
};

// Key encoders. Each returns exactly the key length of its type.
//   C: the field's stored bytes (already in the table's code page), space-padded to width.
//   D: the Julian day number as a little-endian IEEE double; the empty date encodes as 0.
//   N: dBase's 12-byte BCD: byte 0 = 0x34 + digits before the point, byte 1 = sign
//      (0x80) | (significant digit bytes << 3) | 0x01, then the significant digits
//      two per byte, no leading or trailing zeros. Zero is 0x34 0x01. The same bytes as
//      TDbf writes (checked against its files in the tests).
std::string encodeCharKey(std::string_view storedBytes, int width); // throws TableError when longer than width
std::string encodeDateKey(Date date);
// From a stored N field's text (" -12.5000", blanks = 0). Throws TableError on text that is not a number.
std::string encodeNumericKey(std::string_view decimalText);

// The order dBase gives these keys: value for D and N; bytes for C, which is the collation of
// the DBWINUS0 language driver (0x57) our tables declare (other drivers may collate otherwise).
int compareMdxKeys(char keyType, std::string_view a, std::string_view b);

// The whole file image. Throws TableError on a bad tag (name, type, key length, more than 47 tags).
// `updated` is the date stamped as creation and last update.
std::string buildMdxImage(std::string_view tableBaseName, std::vector<MdxTag> tags, Date updated);

// Tag names as stored (upper case), in tag-table order. Never throws: a file that is not a
// readable .mdx header gives an empty list. Reads only the 2048-byte header.
std::vector<std::string> parseMdxTagNames(std::string_view headerBytes);

// Writes path atomically (a temporary beside it, then a rename), so a reader never sees half an
// index. Throws TableError naming the file when the write fails.
void writeMdx(FileSystem& fs, const std::string& path, std::string_view tableBaseName, std::vector<MdxTag> tags,
              Date updated);

// Never throws; an absent, short or broken file gives an empty list. Allocates at most the
// header size, whatever the file claims.
std::vector<std::string> readMdxTagNames(FileSystem& fs, const std::string& path);

} // namespace valmora::dbase
