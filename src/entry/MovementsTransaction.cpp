#include "entry/MovementsTransaction.h"

#include "dbase/FileSystem.h"
#include "dbase/Table.h"
#include "dbase/UndoLog.h"
#include "model/TableSchemas.h"

#include "core/Paths.h"

#include <filesystem>
#include <stdexcept>

namespace valmora {

namespace {

constexpr const char* kAnnulla = ".annulla";

} // namespace

TransazioneMovimenti::TransazioneMovimenti(dbase::Table& movimenti, dbase::FileSystem& fs)
    : movimenti_(movimenti), fs_(fs), copia_(movimenti.path() + kAnnulla) {
    if (!movimenti_.isOpen())
        return; // nothing to protect: the command will fail on its own
    try {
        if (fs_.exists(copia_ + ".tmp"))
            fs_.remove(copia_ + ".tmp"); // an earlier version's copy cut short: never taken for one
        movimenti_.beginUndo(copia_);
    } catch (const std::runtime_error& e) {
        try {
            if (fs_.exists(copia_))
                fs_.remove(copia_); // a log cut short by the failure; the table is not touched
        } catch (...) {
            // A log whose start is torn is never put back.
        }
        throw std::runtime_error("Operazione non eseguita: non si può preparare la modifica del file " +
                                 movimenti_.path() + " (" + e.what() + "). Il conto è rimasto com'era.");
    }
    attiva_ = true;
}

TransazioneMovimenti::~TransazioneMovimenti() {
    if (attiva_)
        annulla();
}

void TransazioneMovimenti::conferma() {
    if (!attiva_)
        return;
    movimenti_.endUndo();
    fs_.remove(copia_);
    attiva_ = false;
    fs_.syncDirectory(parentFolder(copia_));
}

void TransazioneMovimenti::annulla() noexcept {
    attiva_ = false;
    try {
        const std::string filtro = movimenti_.filter();
        const bool filtrato = movimenti_.filtered();
        movimenti_.close(); // still logging: nothing it writes escapes the log
        movimenti_.endUndo();
        dbase::UndoLog::restore(fs_, movimenti_.path(), copia_, parentFolder(copia_));
        movimenti_.open();
        movimenti_.setIndexName(schema::kIndiceValuta);
        if (!filtro.empty())
            movimenti_.setFilter(filtro);
        movimenti_.setFiltered(filtrato);
    } catch (...) {
        // The copy stays where it is when it could not be put back: the next open puts it back.
    }
}

void RipristinaMovimentiInterrotti(dbase::FileSystem& fs, const std::string& percorso) {
    const std::string copia = percorso + kAnnulla;
    if (fs.exists(copia + ".tmp"))
        fs.remove(copia + ".tmp");
    dbase::UndoLog::restore(fs, percorso, copia, parentFolder(percorso));
}

} // namespace valmora
