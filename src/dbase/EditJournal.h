#pragma once
// A small file beside a table ("conto.dbf.jnl") that makes an edit survive a power cut.
//
// An edit rewrites its record in place, and a cut in the middle of that write would leave the
// record half old, half new. So before the record is overwritten, its old bytes go to the journal
// and are synced there; once the new bytes are synced in the table, the journal is removed. At
// open, a journal still there means the cut came in between: its old bytes are written back, and
// the table holds the old row whole. An entry the cut itself tore fails its checksum and is
// ignored: the table was not touched yet for it.
//
// The flag byte is never journalled, so replaying an edit cannot bring back a row deleted after it.
//
// Layout: "VJNL" then entries as below.

#include "dbase/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace valmora::dbase {

// The entries of the edit journal and of the undo log (UndoLog.h): offset (8 bytes), length (4), the
// bytes, and a checksum (4) of the three, all little-endian.
struct JournalEntry {
    std::uint64_t offset = 0;
    std::string_view bytes;
};
std::string journalEntry(std::uint64_t offset, std::string_view bytes);
// The entries written whole from `at` on, in order; reading stops at the first torn one.
std::vector<JournalEntry> journalEntries(std::string_view image, std::size_t at);
std::uint32_t journalChecksum(std::string_view bytes); // tells bytes written whole from torn ones

class EditJournal {
public:
    static std::string pathFor(const std::string& tablePath) { return tablePath + ".jnl"; }

    // Records the bytes `oldBytes` found at `offset` of the table, durably, before they are
    // overwritten. The journal is made (and its folder synced) on the first entry.
    void record(FileSystem& fs, const std::string& tablePath, const std::string& folder, std::uint64_t offset,
                std::string_view oldBytes);
    bool active() const { return !path_.empty(); }
    // A rewrite that failed part way and could not put the old bytes back: they are written
    // back (and synced) before the journal may go.
    void repairLater(std::uint64_t offset, std::string_view oldBytes);
    // Once the table's new bytes are synced: the journal goes, after any repair left to do.
    void discard(FileSystem& fs, const std::string& folder, File& table);

    // At open, before anything is read: writes back whatever a journal left by a cut holds, syncs
    // the table and removes the journal. Returns how many entries were written back.
    static std::size_t replay(FileSystem& fs, File& table, const std::string& tablePath, const std::string& folder);

private:
    std::unique_ptr<File> file_; // open while edits go on being recorded
    std::string path_;           // set while a journal is on disk
    std::uint64_t end_ = 0;
    std::vector<std::pair<std::uint64_t, std::string>> repairs_;
};

} // namespace valmora::dbase
