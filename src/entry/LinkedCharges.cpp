// The charges a just-inserted movement brings, added at once without a full regeneration when possible.

#include "entry/OperationEntry.h"

#include "ledger/ChargeRules.h"
#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/SystemTexts.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <cstdint>

namespace valmora {

namespace {

// After an insertion the fee and the commission are tested for every operation except taxes, notifications
// and off-account movements. Unlike the scan, an "Interessi" entered by hand is tested too.
bool SoggettaAdAddebitiInserimento(std::string_view operazione) {
    return operazione != operazione::Imposta && operazione != operazione::Notifica &&
           operazione != operazione::FuoriConto;
}

// The operation fee after an insertion. With a negative quota it is due while N + operations is below 0
// (the scan charges it down to 0 included).
bool FeeDovuta(const ChargeSettings& s, std::int32_t numOperazioni) {
    const std::int64_t quota = s.quotaGratuita();
    if (s.numOpe >= Money()) {
        return quota < numOperazioni;
    }
    return quota + numOperazioni < 0;
}

} // namespace

void OperationEntry::DopoInserimento(std::string_view operazione, std::string_view tipo, Money importo, Date data,
                                     Date valuta) {
    MasterState& stato = ledger_.Stato();
    std::int64_t scratch = 0;

    // 1. The new movement enters the totals; the interest accrued on the way is dropped.
    Date precedente = data;
    ledger_.LeggiRecord(precedente, valuta, importo, scratch, scratch, operazione, tipo, false);

    // 2. Not the last movement by value date, or the first of the ledger: everything from the start again.
    if (stato.DataUltimaValuta > valuta || stato.DataPrimaValuta == stato.DataUltimaValuta) {
        ledger_.ScansioneRecord(true, true);
        return;
    }

    const AccountSettings impostazioni = ledger_.Impostazioni();
    const ChargeSettings addebiti = ChargeSettings::from(impostazioni);
    // Under the user's filter the totals are those of the filtered movements only; the fee and the commission
    // must follow the account, so they are decided on every movement (the new one is the last by value date).
    if (SoggettaAdAddebitiInserimento(operazione) && (addebiti.costoOpe > Money() || addebiti.commScope > Money())) {
        decidiSuTuttiIMovimenti();
    }

    // 3.
    if (valuta > clock_.today()) {
        ui_.message(AvvisoValutaFutura(operazione, importo, valuta), Buttons::Ok);
    }

    // 4. The fee of the withdrawal's kind.
    if (auto commissione = CommissioneTipo(addebiti, operazione, tipo)) {
        inserisciAddebito(commissione->tipo, commissione->commento, commissione->importo, valuta);
    }
    // 5. The operation beyond the free quota.
    if (SoggettaAdAddebitiInserimento(operazione) && addebiti.costoOpe > Money() &&
        FeeDovuta(addebiti, ledger_.Totali().NumOperazioni)) {
        inserisciAddebito(tipo::Operazioni, kImpostaOperazioniEccedenti, addebiti.costoOpe, valuta);
    }
    // 6. The overdraft commission, once per passage below zero.
    if (SoggettaAdAddebitiInserimento(operazione) && addebiti.commScope > Money()) {
        const Money saldo = ledger_.Totali().Saldo;
        if (saldo < Money() && !impostazioni.scoperto) {
            inserisciAddebito(tipo::Operazioni, kCommissioneScopertura, addebiti.commScope, valuta);
            scriviScoperto(true);
        } else if (saldo >= Money() && impostazioni.scoperto) {
            // Clearing a flag that is already clear would only rewrite the settings file.
            scriviScoperto(false);
        }
    }
    // 7.
    ledger_.ScansioneRecord(true, false);
}

void OperationEntry::decidiSuTuttiIMovimenti() {
    dbase::Table& movimenti = dm_.MainTable;
    if (!movimenti.filtered()) {
        return;
    }
    movimenti.setFiltered(false);
    struct Ripristino {
        dbase::Table& movimenti;
        ~Ripristino() {
            try {
                movimenti.setFiltered(true);
            } catch (...) {
                // Only reached while a table error is already on its way to the user.
            }
        }
    } ripristino{movimenti};
    ledger_.ScansioneRecord(false, false);
}

void OperationEntry::inserisciAddebito(std::string_view tipo, std::string_view commento, Money importo, Date valuta) {
    dm_.MainTable.appendRecord(
        {valuta, valuta, std::string(operazione::Imposta), std::string(tipo), importo, std::string(commento)});
    std::int64_t scratch = 0;
    Date precedente = valuta;
    ledger_.LeggiRecord(precedente, valuta, importo, scratch, scratch, operazione::Imposta, tipo, false);
}

void OperationEntry::scriviScoperto(bool valore) {
    dbase::Table& impostazioni = dm_.TableImp;
    if (!impostazioni.isOpen() || impostazioni.isEmpty()) {
        return;
    }
    impostazioni.first();
    impostazioni.edit();
    impostazioni.fieldByName(schema::kScoperto).setBoolean(valore);
    impostazioni.post();
}

} // namespace valmora
