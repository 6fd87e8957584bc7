#include "dbase/UndoLog.h"

#include "dbase/ByteFields.h"
#include "dbase/EditJournal.h"
#include "dbase/FileCopy.h"

#include <algorithm>
#include <string_view>

namespace valmora::dbase {
namespace {

constexpr std::string_view kMagic = "VUND";
constexpr std::size_t kStartSize = 4 + 8 + 4;
// Past this many separate entries a command is rewriting rows all over the file: one entry then
// takes the rest of it, so a regeneration syncs the log a few times, not once a row.
constexpr int kEntriesBeforeWholeTail = 16;
// Logged at once when the log begins: the header's count and date, and the end mark an append
// overwrites, so an insert syncs the log only there.
constexpr std::uint64_t kHeadBytes = 32;

std::string startOf(std::uint64_t size) {
    std::string start(kMagic);
    appendLittleEndian(start, size, 8);
    appendLittleEndian(start, journalChecksum(start), 4);
    return start;
}

std::string oldBytes(File& table, std::uint64_t offset, std::uint64_t count) {
    std::string bytes(static_cast<std::size_t>(count), '\0');
    bytes.resize(table.readAt(offset, bytes.data(), bytes.size()));
    return bytes;
}

} // namespace

UndoLog::UndoLog(FileSystem& fs, std::string path, const std::string& folder, File& table) : path_(std::move(path)) {
    originalSize_ = table.size();
    savedFrom_ = originalSize_;
    std::string image = startOf(originalSize_);
    const std::uint64_t head = std::min(kHeadBytes, originalSize_);
    image += journalEntry(0, oldBytes(table, 0, head));
    if (originalSize_ > head) {
        savedFrom_ = originalSize_ - 1;
        image += journalEntry(savedFrom_, oldBytes(table, savedFrom_, 1));
    }
    file_ = fs.open(path_, OpenMode::Create);
    file_->writeAt(0, image.data(), image.size());
    file_->sync();
    fs.syncDirectory(folder); // the log's name must outlast a cut as well as its bytes
    end_ = image.size();
}

void UndoLog::saveBefore(File& table, std::uint64_t offset, std::uint64_t count) {
    const std::uint64_t end = std::min(offset + count, savedFrom_);
    if (offset < kHeadBytes) {
        // The head is logged already.
        if (offset + count <= kHeadBytes)
            return;
        count -= kHeadBytes - offset;
        offset = kHeadBytes;
    }
    if (offset >= end)
        return;
    if (entries_ >= kEntriesBeforeWholeTail) {
        append(journalEntry(offset, oldBytes(table, offset, savedFrom_ - offset)));
        savedFrom_ = offset;
        return;
    }
    append(journalEntry(offset, oldBytes(table, offset, end - offset)));
    ++entries_;
}

void UndoLog::append(const std::string& entry) {
    file_->writeAt(end_, entry.data(), entry.size());
    file_->sync();
    end_ += entry.size();
}

bool UndoLog::restore(FileSystem& fs, const std::string& tablePath, const std::string& logPath,
                      const std::string& folder) {
    if (!fs.exists(logPath))
        return false;
    const std::string image = readWhole(fs, logPath);
    // A log cut before its mark was whole holds the start of the mark, or nothing; a dBase file never starts so.
    const std::size_t marked = std::min(image.size(), kMagic.size());
    if (std::string_view(image).substr(0, marked) != kMagic.substr(0, marked)) {
        fs.rename(logPath, tablePath); // a whole copy
        fs.syncDirectory(folder);
        return true;
    }
    const bool whole = image.size() >= kStartSize && journalChecksum(std::string_view(image).substr(0, 12)) ==
                                                         static_cast<std::uint32_t>(getLittleEndian(image, 12, 4));
    if (whole) {
        const std::uint64_t size = getLittleEndian(image, 4, 8);
        const std::vector<JournalEntry> entries = journalEntries(image, kStartSize);
        auto table = fs.open(tablePath, OpenMode::ReadWrite);
        // Last to first: bytes logged twice get back the value they had when the log began.
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            table->writeAt(it->offset, it->bytes.data(), it->bytes.size());
        table->truncate(size);
        table->sync();
    }
    fs.remove(logPath);
    fs.syncDirectory(folder);
    return true;
}

void UndoLoggedFile::writeAt(std::uint64_t offset, const void* data, std::size_t count) {
    log_.saveBefore(*inner_, offset, count);
    inner_->writeAt(offset, data, count);
}

void UndoLoggedFile::truncate(std::uint64_t size) {
    log_.saveBefore(*inner_, size, inner_->size() > size ? inner_->size() - size : 0);
    inner_->truncate(size);
}

} // namespace valmora::dbase
