// The operation dialog's confirmation (BitBtnConfermaClick): what each heading writes.

#include "entry/OperationEntry.h"

#include "entry/GridSuspension.h"
#include "entry/MovementsTransaction.h"
#include "entry/TextFit.h"
#include "ledger/Ledger.h"
#include "model/Movement.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <optional>

namespace valmora {

namespace {

bool ScriveMovimenti(const std::string& h) {
    return IntestazioneInserimento(h) || h == intestazione::Modifica || h == intestazione::Elimina;
}

} // namespace

DialogResult OperationEntry::BitBtnConfermaClick(DialogResult premuto) {
    SospensioneGriglia sospesa(ui_, dm_.MainTable);
    // A movement written, a ledger regenerated: all of it reaches the file, or none of it.
    std::optional<TransazioneMovimenti> transazione;
    if (ScriveMovimenti(scheda_.LabelPanel)) {
        transazione.emplace(dm_.MainTable, dm_.fileSystem());
    }
    try {
        const DialogResult esito = conferma(premuto);
        sospesa.termina(); // the gathered sync: from here the change is on the disk
        if (transazione) {
            transazione->conferma();
        }
        return esito;
    } catch (...) {
        transazione.reset(); // the file as it was before the command
        try {
            ledger_.ScansioneRecord(false, false); // the totals of the file as it is again
        } catch (...) {
            // The first failure is the one the user hears of.
        }
        throw;
    }
}

DialogResult OperationEntry::conferma(DialogResult premuto) {
    const std::string tipo = scheda_.ComboBoxTipo;
    const std::string operazione = scheda_.ComboOp;
    const Date data = scheda_.Calendario;
    const std::string descrizione = scheda_.EditDescrizione;
    // A number that does not convert stops everything before a single change: Enter can confirm while the
    // amount box still has the focus, and the day box is never checked.
    auto importo = ConvertiNumeroDigitato(scheda_.EditImporto);
    if (!importo) {
        ui_.message(MsgNumeroNonValido(scheda_.EditImporto), Buttons::Ok);
        return premuto;
    }
    auto giorno = ConvertiNumeroDigitato(scheda_.CBGiorno);
    if (!giorno) {
        ui_.message(MsgNumeroNonValido(scheda_.CBGiorno), Buttons::Ok);
        return premuto;
    }

    ledger_.Stato().ModificheDaSalvare = true;
    ledger_.StatoTabella(true, dm_.MainTable.filtered());

    const std::string& h = scheda_.LabelPanel;
    if (IntestazioneInserimento(h)) {
        if (!confermaInserimento(operazione, tipo, data, *importo, descrizione)) {
            // Refused by a limit: nothing written, and the opener shows the dialog again.
            return DialogResult::Retry;
        }
        if (scheda_.CBInsAuto) {
            appendiProgrammata(descrizione, *importo, operazione, tipo, *giorno);
        }
    } else if (h == intestazione::Modifica) {
        confermaModifica(operazione, tipo, data, *importo, descrizione);
        // The schedule is the user's wish whatever became of the change itself.
        if (scheda_.CBInsAuto) {
            appendiProgrammata(descrizione, *importo, operazione, tipo, *giorno);
        }
    } else if (h == intestazione::Elimina) {
        confermaElimina();
    } else if (h == intestazione::OperazioneAutomatica) {
        appendiProgrammata(descrizione, *importo, operazione, tipo, *giorno);
    } else if (h == intestazione::ModificaOperazioneAutomatica) {
        modificaProgrammata(descrizione, *importo, operazione, tipo, *giorno);
    }
    // Any other heading ("Interessi", "Notifica" of a due programmed operation) writes nothing.
    return premuto;
}

bool OperationEntry::confermaInserimento(const std::string& operazione, const std::string& tipo, Date data,
                                         Money importo, const std::string& descrizione) {
    const Date valuta = AssegnaValuta(tipo, data);
    if (!PrimaDiInserire(operazione, tipo, importo, data)) {
        return false;
    }
    appendiMovimento({data, valuta, operazione, tipo, importo, descrizione});
    DopoInserimento(operazione, tipo, importo, data, valuta);
    return true;
}

bool OperationEntry::correnteVuota() {
    dbase::Table& movimenti = dm_.MainTable;
    return !movimenti.isOpen() || movimenti.isEmpty() || movimenti.recNo() == 0;
}

void OperationEntry::confermaModifica(const std::string& operazione, const std::string& tipo, Date data, Money importo,
                                      const std::string& descrizione) {
    if (correnteVuota()) {
        // Nothing is selected: there is no movement to replace, and inventing one would be worse.
        return;
    }
    dbase::Table& movimenti = dm_.MainTable;
    const Movement precedente = Movement::read(movimenti);
    // The checks below must see the ledger without the movement being changed.
    movimenti.deleteRecord();
    ledger_.ScansioneRecord(true, true);

    const Date valuta = valutaInModifica(tipo, data);
    if (PrimaDiInserire(operazione, tipo, importo, data)) {
        appendiMovimento({data, valuta, operazione, tipo, importo, descrizione});
        DopoInserimento(operazione, tipo, importo, data, valuta);
    } else {
        appendiMovimento(precedente);
        DopoInserimento(precedente.operazione, precedente.tipo, precedente.importo, precedente.data, precedente.valuta);
    }
}

void OperationEntry::confermaElimina() {
    if (correnteVuota()) {
        return;
    }
    dm_.MainTable.deleteRecord();
    ledger_.ScansioneRecord(true, true);
}

void OperationEntry::appendiMovimento(const Movement& movimento) {
    dbase::Table& t = dm_.MainTable;
    Movement riga = movimento;
    riga.operazione = TagliaAlCampo(t, schema::kOperazione, riga.operazione);
    riga.tipo = TagliaAlCampo(t, schema::kTipo, riga.tipo);
    riga.commento = TagliaAlCampo(t, schema::kCommento, riga.commento);
    t.appendRecord(riga.values());
}

void OperationEntry::appendiProgrammata(const std::string& descrizione, Money importo, const std::string& operazione,
                                        const std::string& tipo, Money giorno) {
    dbase::Table& t = dm_.TableAcc;
    t.append();
    t.fieldByName(schema::kDescrizion).setString(TagliaAlCampo(t, schema::kDescrizion, descrizione));
    t.fieldByName(schema::kAccImporto).setMoney(importo);
    t.fieldByName(schema::kAccOperazione).setString(TagliaAlCampo(t, schema::kAccOperazione, operazione));
    t.fieldByName(schema::kAccTipo).setString(TagliaAlCampo(t, schema::kAccTipo, tipo));
    t.fieldByName(schema::kFrequenza).setString(TagliaAlCampo(t, schema::kFrequenza, scheda_.CBFrequenza));
    t.fieldByName(schema::kInizio).setString(TagliaAlCampo(t, schema::kInizio, scheda_.CBMeseInizio));
    t.fieldByName(schema::kGiorno).setMoney(giorno);
    t.post();
}

void OperationEntry::modificaProgrammata(const std::string& descrizione, Money importo, const std::string& operazione,
                                         const std::string& tipo, Money giorno) {
    dbase::Table& t = dm_.TableAcc;
    if (!t.isOpen() || t.isEmpty() || t.recNo() == 0) {
        return;
    }
    t.edit();
    t.fieldByName(schema::kDescrizion).setString(TagliaAlCampo(t, schema::kDescrizion, descrizione));
    t.fieldByName(schema::kFrequenza).setString(TagliaAlCampo(t, schema::kFrequenza, scheda_.CBFrequenza));
    t.fieldByName(schema::kGiorno).setMoney(giorno);
    t.fieldByName(schema::kAccImporto).setMoney(importo);
    t.fieldByName(schema::kInizio).setString(TagliaAlCampo(t, schema::kInizio, scheda_.CBMeseInizio));
    t.fieldByName(schema::kAccOperazione).setString(TagliaAlCampo(t, schema::kAccOperazione, operazione));
    t.fieldByName(schema::kAccTipo).setString(TagliaAlCampo(t, schema::kAccTipo, tipo));
    t.post();
}

} // namespace valmora
