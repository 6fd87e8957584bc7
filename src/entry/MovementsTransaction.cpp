#include "entry/MovementsTransaction.h"

#include "dbase/FileCopy.h"
#include "dbase/FileSystem.h"
#include "dbase/Table.h"
#include "model/TableSchemas.h"

#include "core/Paths.h"

#include <filesystem>
#include <stdexcept>

namespace valmora {

namespace {

constexpr const char* kAnnulla = ".annulla";

std::string cartellaDi(const std::string& file) {
    const std::string folder = fromPath(toPath(file).parent_path());
    return folder.empty() ? "." : folder;
}

void copiaIntera(dbase::FileSystem& fs, const std::string& from, const std::string& to) {
    const std::string temp = to + ".tmp";
    dbase::copyWhole(fs, from, temp);
    fs.rename(temp, to);
    fs.syncDirectory(cartellaDi(to));
}

} // namespace

TransazioneMovimenti::TransazioneMovimenti(dbase::Table& movimenti, dbase::FileSystem& fs)
    : movimenti_(movimenti), fs_(fs), copia_(movimenti.path() + kAnnulla) {
    if (!movimenti_.isOpen())
        return; // nothing to protect: the command will fail on its own
    try {
        copiaIntera(fs_, movimenti_.path(), copia_);
    } catch (const std::runtime_error& e) {
        try {
            if (fs_.exists(copia_ + ".tmp"))
                fs_.remove(copia_ + ".tmp");
        } catch (...) {
            // A stray temporary file is never taken for the copy.
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
    fs_.remove(copia_);
    attiva_ = false;
    fs_.syncDirectory(cartellaDi(copia_));
}

void TransazioneMovimenti::annulla() noexcept {
    attiva_ = false;
    try {
        const std::string filtro = movimenti_.filter();
        const bool filtrato = movimenti_.filtered();
        movimenti_.close();
        fs_.rename(copia_, movimenti_.path());
        fs_.syncDirectory(cartellaDi(copia_));
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
    if (!fs.exists(copia))
        return;
    fs.rename(copia, percorso);
    fs.syncDirectory(cartellaDi(percorso));
}

} // namespace valmora
