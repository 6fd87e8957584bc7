#include "model/ProgrammedOperation.h"

#include "model/TableSchemas.h"

namespace valmora {

ProgrammedOperation ProgrammedOperation::read(dbase::Table& table) {
    ProgrammedOperation p;
    p.descrizione = table.fieldByName(schema::kDescrizion).asString();
    p.importo = table.fieldByName(schema::kAccImporto).asMoney();
    p.operazione = table.fieldByName(schema::kAccOperazione).asString();
    p.tipo = table.fieldByName(schema::kAccTipo).asString();
    p.frequenza = table.fieldByName(schema::kFrequenza).asString();
    p.inizio = table.fieldByName(schema::kInizio).asString();
    p.giorno = table.fieldByName(schema::kGiorno).asMoney();
    return p;
}

std::vector<dbase::Value> ProgrammedOperation::values() const {
    return {descrizione, importo, operazione, tipo, frequenza, inizio, giorno};
}

std::vector<ProgrammedOperation> ProgrammedOperation::defaults() {
    return {
        {"Imposta Statale", Money(), "Imposta", "Bolli", "Mensile", "Gennaio", Money()},
        {"Commissione annuale", Money(), "Imposta", "Bancomat", "Annuale", "Dicembre", Money()},
        {"Commissione annuale", Money(), "Imposta", "Carta di Credito", "Annuale", "Dicembre", Money()},
        {"Stipendio", Money(), "Accredito", "Stipendio", "Mensile", "Gennaio", Money::fromWhole(27)},
    };
}

} // namespace valmora
