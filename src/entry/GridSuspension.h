#pragma once
// The ledger grid does not follow the movements table while the operation dialog is open or its confirmation
// writes: the screen stops redrawing it, and the table gathers its flushes to disk into one at the end (each
// post still reaches the file at once, so a crash of the program loses nothing).

#include "dbase/Table.h"
#include "model/UserInterface.h"

namespace valmora {

class SospensioneGriglia {
public:
    SospensioneGriglia(UserInterface& ui, dbase::Table& movimenti) : ui_(ui), lotto_(movimenti) {
        ui_.ledgerGridSuspended(true);
    }
    // The normal end: the gathered flush may fail, and that failure is the caller's to report.
    void termina() {
        if (attiva_) {
            attiva_ = false;
            ui_.ledgerGridSuspended(false);
            lotto_.finish();
        }
    }
    // Leaving on an error: the batch ends quietly, as the first failure is the one reported.
    ~SospensioneGriglia() {
        if (attiva_)
            ui_.ledgerGridSuspended(false);
    }
    SospensioneGriglia(const SospensioneGriglia&) = delete;
    SospensioneGriglia& operator=(const SospensioneGriglia&) = delete;

private:
    UserInterface& ui_;
    dbase::TableBatch lotto_; // no notifications, one sync at the end
    bool attiva_ = true;
};

} // namespace valmora
