// Putting an .mdx on disk and reading its tag names, through the engine's file I/O.

#include "dbase/FileSystem.h"
#include "dbase/Mdx.h"
#include "dbase/Table.h"

namespace valmora::dbase {
namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

void writeMdx(FileSystem& fs, const std::string& path, std::string_view tableBaseName, std::vector<MdxTag> tags,
              Date updated) {
    const std::string image = buildMdxImage(tableBaseName, std::move(tags), updated);
    // A crash mid-write must leave the previous index whole: the new one is written
    // beside it, pushed to disk, and only then takes its name.
    const std::string temporary = path + ".tmp";
    try {
        {
            auto file = fs.open(temporary, OpenMode::Create);
            file->writeAt(0, image.data(), image.size());
            file->sync();
        }
        fs.rename(temporary, path);
        fs.syncDirectory(folderOf(path));
    } catch (const FileError& e) {
        try {
            if (fs.exists(temporary))
                fs.remove(temporary);
        } catch (const FileError&) {
            // the temporary stays behind; the next write replaces it
        }
        throw TableError("Impossibile scrivere l'indice " + path + ": " + e.what());
    }
}

std::vector<std::string> readMdxTagNames(FileSystem& fs, const std::string& path) {
    try {
        if (!fs.exists(path))
            return {};
        auto file = fs.open(path, OpenMode::Read);
        const std::uint64_t size = file->size();
        if (size < kMdxHeaderSize)
            return {};
        std::string header(kMdxHeaderSize, '\0');
        if (file->readAt(0, header.data(), header.size()) != header.size())
            return {};
        return parseMdxTagNames(header);
    } catch (const std::exception&) {
        // An unreadable index never stops the table: its order comes from the .dbf.
        return {};
    }
}

} // namespace valmora::dbase
