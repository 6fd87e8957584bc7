#pragma once
// A change of the movements table that is all or nothing on disk: an insert with its charges, a modify (the old
// movement deleted, the ledger regenerated, the new one appended), a delete.
//
// Before the change the table's file is copied whole beside it (NAME.dbf.annulla, written under a temporary name,
// synced and renamed into place); the copy is removed once the change is in the file. A change that fails puts the
// copy back and reopens the table, so a command that reports a failure has written nothing; a program that dies
// in the middle leaves the copy, which the next open puts back before it reads the table. Either way the account
// holds the old movements or the new ones, never neither and never both. At a heavy year's size (a megabyte) the
// copy takes a few milliseconds.

#include <string>

namespace valmora {

namespace dbase {
class FileSystem;
class Table;
} // namespace dbase

class TransazioneMovimenti {
public:
    // Copies the open table's file; throws (writing nothing) when the copy cannot be made.
    explicit TransazioneMovimenti(dbase::Table& movimenti, dbase::FileSystem& fs);
    // Without conferma(): the change failed; the table is put back as it was and reopened.
    ~TransazioneMovimenti();
    TransazioneMovimenti(const TransazioneMovimenti&) = delete;
    TransazioneMovimenti& operator=(const TransazioneMovimenti&) = delete;

    // The change is whole in the file: the copy goes.
    void conferma();

private:
    void annulla() noexcept;

    dbase::Table& movimenti_;
    dbase::FileSystem& fs_;
    std::string copia_;
    bool attiva_ = false;
};

// The copy of `percorso` a stopped program left, put back over it; no-op when there is none.
void RipristinaMovimentiInterrotti(dbase::FileSystem& fs, const std::string& percorso);

} // namespace valmora
