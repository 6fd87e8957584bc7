#include "dbase/FileCopy.h"

#include "dbase/FileSystem.h"

#include <vector>

namespace valmora::dbase {

void copyWhole(FileSystem& fs, const std::string& from, const std::string& to) {
    auto source = fs.open(from, OpenMode::Read);
    auto target = fs.open(to, OpenMode::Create);
    std::vector<char> buffer(1 << 20);
    const std::uint64_t size = source->size();
    for (std::uint64_t offset = 0; offset < size;) {
        const std::size_t got = source->readAt(offset, buffer.data(), buffer.size());
        if (got == 0)
            throw FileError(FileError::Kind::Other, "lettura interrotta: " + from);
        target->writeAt(offset, buffer.data(), got);
        offset += got;
    }
    target->sync();
}

std::string readWhole(FileSystem& fs, const std::string& path) {
    auto in = fs.open(path, OpenMode::Read);
    std::string bytes(static_cast<std::size_t>(in->size()), '\0');
    bytes.resize(in->readAt(0, bytes.data(), bytes.size()));
    return bytes;
}

} // namespace valmora::dbase
