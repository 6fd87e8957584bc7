#include "dbase/EditJournal.h"

#include "dbase/ByteFields.h"
#include "dbase/FileCopy.h"

#include <vector>

namespace valmora::dbase {
namespace {

constexpr std::string_view kMagic = "VJNL";

} // namespace

// FNV-1a: enough to tell an entry written whole from one a cut tore.
std::uint32_t journalChecksum(std::string_view bytes) {
    std::uint32_t h = 2166136261u;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

std::string journalEntry(std::uint64_t offset, std::string_view bytes) {
    std::string entry;
    entry.reserve(16 + bytes.size());
    appendLittleEndian(entry, offset, 8);
    appendLittleEndian(entry, bytes.size(), 4);
    entry += bytes;
    appendLittleEndian(entry, journalChecksum(entry), 4);
    return entry;
}

std::vector<JournalEntry> journalEntries(std::string_view image, std::size_t at) {
    std::vector<JournalEntry> entries;
    while (image.size() - at >= 12) {
        const std::uint64_t offset = getLittleEndian(image, at, 8);
        const auto length = static_cast<std::size_t>(getLittleEndian(image, at + 8, 4));
        if (image.size() - at - 12 < length + 4)
            break;
        const std::string_view covered = image.substr(at, 12 + length);
        if (journalChecksum(covered) != static_cast<std::uint32_t>(getLittleEndian(image, at + 12 + length, 4)))
            break;
        entries.push_back({offset, image.substr(at + 12, length)});
        at += 12 + length + 4;
    }
    return entries;
}

void EditJournal::record(FileSystem& fs, const std::string& tablePath, const std::string& folder, std::uint64_t offset,
                         std::string_view oldBytes) {
    std::string entry;
    if (!file_) {
        path_ = pathFor(tablePath);
        file_ = fs.open(path_, OpenMode::Create);
        end_ = 0;
        entry = kMagic;
    }
    entry += journalEntry(offset, oldBytes);
    file_->writeAt(end_, entry.data(), entry.size());
    file_->sync();
    if (end_ == 0)
        fs.syncDirectory(folder); // the journal's name must outlast a cut as well as its bytes
    end_ += entry.size();
}

void EditJournal::repairLater(std::uint64_t offset, std::string_view oldBytes) {
    repairs_.emplace_back(offset, std::string(oldBytes));
}

void EditJournal::discard(FileSystem& fs, const std::string& folder, File& table) {
    if (path_.empty())
        return;
    if (!repairs_.empty()) {
        for (auto it = repairs_.rbegin(); it != repairs_.rend(); ++it)
            table.writeAt(it->first, it->second.data(), it->second.size());
        table.sync();
        repairs_.clear();
    }
    file_.reset();
    fs.remove(path_); // a failure leaves the journal active, to be removed at the next sync
    path_.clear();
    fs.syncDirectory(folder);
}

std::size_t EditJournal::replay(FileSystem& fs, File& table, const std::string& tablePath, const std::string& folder) {
    const std::string path = pathFor(tablePath);
    if (!fs.exists(path))
        return 0;
    const std::string image = readWhole(fs, path);
    const std::vector<JournalEntry> entries =
        image.substr(0, kMagic.size()) == kMagic ? journalEntries(image, kMagic.size()) : std::vector<JournalEntry>();
    // Last to first: a record edited twice gets back the bytes it had before the first edit.
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        table.writeAt(it->offset, it->bytes.data(), it->bytes.size());
    if (!entries.empty())
        table.sync();
    fs.remove(path);
    fs.syncDirectory(folder);
    return entries.size();
}

} // namespace valmora::dbase
