#pragma once
// Numbers and dates in byte buffers, as the .dbf header, the .mdx and the journals store them.

#include "core/Date.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace valmora::dbase {

// The low `bytes` bytes of `v` at `at` of `buf`, least significant first.
inline void putLittleEndian(std::string& buf, std::size_t at, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        buf[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void appendLittleEndian(std::string& buf, std::uint64_t v, int bytes) {
    buf.resize(buf.size() + static_cast<std::size_t>(bytes));
    putLittleEndian(buf, buf.size() - static_cast<std::size_t>(bytes), v, bytes);
}

inline std::uint64_t getLittleEndian(std::string_view buf, std::size_t at, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(buf[at + static_cast<std::size_t>(i)]);
    return v;
}

// dBase's three-byte date of a last update: year - 1900, month, day; the zero date leaves them as they are.
inline void putUpdateDate(std::string& buf, std::size_t at, Date date) {
    if (date.isNull())
        return;
    buf[at] = static_cast<char>(date.year() - 1900);
    buf[at + 1] = static_cast<char>(date.month());
    buf[at + 2] = static_cast<char>(date.day());
}

} // namespace valmora::dbase
