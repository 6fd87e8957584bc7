#pragma once
// What a command needs to take a table's file back to the moment it began, all or nothing, even
// after the program was killed part way ("conto.dbf.annulla" beside the table).
//
// Copying the whole file before each command costs its size in writes; this log costs what the
// command overwrites. It holds the file's size when the command began and, before any byte the file
// had then is overwritten or cut off, that byte's old value, synced before the overwrite. Rows
// appended after the old end need nothing: putting the file back cuts them off. So an insert after
// the last row logs a few header bytes, while a command that rewrites many rows soon logs the whole
// rest of the file from its first change in one entry, and then nothing more.
//
// Layout: "VUND", the size (8 bytes) and its checksum (4), then entries as in the edit journal:
// offset (8), length (4), the bytes, a checksum (4) of the three, all little-endian. A log whose start
// is torn or missing was never complete, so its command had not begun to write: nothing to put back.

#include "dbase/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>

namespace valmora::dbase {

class UndoLog {
public:
    // Writes the log for `table` as it stands, durably (its folder synced too), before any change.
    UndoLog(FileSystem& fs, std::string path, const std::string& folder, File& table);

    // Logs (and syncs) the bytes of [offset, offset + count) the file held when the log began, those
    // not logged yet, before the caller overwrites or cuts them.
    void saveBefore(File& table, std::uint64_t offset, std::uint64_t count);

    const std::string& path() const { return path_; }

    // Puts the log at `logPath` back into the table at `tablePath` (no other handle may have it open),
    // syncs it and removes the log. A file there that is not a log is a whole copy an earlier version
    // of the program made: it is renamed over the table. Returns false when there was nothing there.
    static bool restore(FileSystem& fs, const std::string& tablePath, const std::string& logPath,
                        const std::string& folder);

private:
    void append(const std::string& entry);

    std::unique_ptr<File> file_;
    std::string path_;
    std::uint64_t end_ = 0;          // of the log
    std::uint64_t originalSize_ = 0; // of the table when the log began
    std::uint64_t savedFrom_ = 0;    // every byte from here to originalSize_ is logged
    int entries_ = 0;
};

// The table's file seen through an undo log: every write and truncation logs what it replaces first.
class UndoLoggedFile : public File {
public:
    UndoLoggedFile(std::unique_ptr<File> inner, UndoLog& log) : inner_(std::move(inner)), log_(log) {}
    std::uint64_t size() override { return inner_->size(); }
    std::size_t readAt(std::uint64_t offset, void* buffer, std::size_t count) override {
        return inner_->readAt(offset, buffer, count);
    }
    void writeAt(std::uint64_t offset, const void* data, std::size_t count) override;
    void truncate(std::uint64_t size) override;
    void sync() override { inner_->sync(); }
    std::unique_ptr<File> release() { return std::move(inner_); }

private:
    std::unique_ptr<File> inner_;
    UndoLog& log_;
};

} // namespace valmora::dbase
