#pragma once
// A change of the movements table that is all or nothing on disk: an insert with its charges, a modify (the old
// movement deleted, the ledger regenerated, the new one appended), a delete.
//
// Before the change an undo log is started beside the table (NAME.dbf.annulla, dbase/UndoLog.h): it keeps, synced,
// whatever the change overwrites in the file, before it is overwritten; it is removed once the change is in the
// file. A change that fails puts the log back and reopens the table, so a command that reports a failure has
// written nothing; a program that dies in the middle leaves the log, which the next open puts back before it reads
// the table. Either way the account holds the old movements or the new ones, never neither and never both. An
// insert after the last movement logs a few bytes; the log of a regeneration grows to the rest of the file from
// its first change, the whole copy earlier versions made (and which the next open still puts back).

#include <string>

namespace valmora {

namespace dbase {
class FileSystem;
class Table;
} // namespace dbase

class TransazioneMovimenti {
public:
    // Starts the open table's undo log; throws (writing nothing) when it cannot be made.
    explicit TransazioneMovimenti(dbase::Table& movimenti, dbase::FileSystem& fs);
    // Without conferma(): the change failed; the table is put back as it was and reopened.
    ~TransazioneMovimenti();
    TransazioneMovimenti(const TransazioneMovimenti&) = delete;
    TransazioneMovimenti& operator=(const TransazioneMovimenti&) = delete;

    // The change is whole in the file: the log goes.
    void conferma();

private:
    void annulla() noexcept;

    dbase::Table& movimenti_;
    dbase::FileSystem& fs_;
    std::string copia_;
    bool attiva_ = false;
};

// The log (or the whole copy of an earlier version) a stopped program left beside `percorso`, put back into it;
// no-op when there is none.
void RipristinaMovimentiInterrotti(dbase::FileSystem& fs, const std::string& percorso);

} // namespace valmora
