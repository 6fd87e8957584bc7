// The value date and the withdrawal limits checked before a movement is written.

#include "entry/OperationEntry.h"

#include "entry/FilterBar.h"
#include "entry/ValueDates.h"
#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/TDM.h"

namespace valmora {

Date OperationEntry::AssegnaValuta(std::string_view tipo, Date data) {
    return valmora::AssegnaValuta(ledger_.Impostazioni(), tipo, data);
}

Date OperationEntry::valutaInModifica(std::string_view tipo, Date data) {
    // The box shows the stored value date; a date typed over it is what the bank's statement says.
    const std::optional<Date> digitata = ConvertiDataDigitata(scheda_.EditValuta);
    if (digitata && valutaMostrata_ && *digitata != *valutaMostrata_) {
        return *digitata;
    }
    return AssegnaValuta(tipo, data);
}

bool OperationEntry::PrimaDiInserire(std::string_view operazione, std::string_view tipo, Money importo, Date data) {
    dbase::Table& movimenti = dm_.MainTable;
    const bool filtroUtente = movimenti.filtered();

    // The totals of the last scan describe the account at its last value date and within the user's filter.
    // A withdrawal booked earlier, or any check under a filter, is measured against every movement valued up
    // to its booking date instead.
    const bool allaData = ledger_.Stato().DataUltimaValuta > data || filtroUtente;
    if (allaData) {
        // The as-of text goes in before filtering is switched on, so the view is rebuilt once, not twice.
        if (!filtroUtente) {
            movimenti.setFilter(TestoFiltroAllaData(data));
        }
        movimenti.setFiltered(true);
        // The user's view is put back however the check ends, a table error included.
        struct Ripristino {
            dbase::Table& movimenti;
            FiltroMovimenti& filtro;
            bool filtroUtente;
            bool attivo = true;
            ~Ripristino() {
                if (attivo) {
                    try {
                        movimenti.setFiltered(filtroUtente);
                        filtro.FiltraDati(MittenteFiltro::Nessuno, false, Date());
                    } catch (...) {
                        // Already unwinding from the first failure: that one is the one to report.
                    }
                }
            }
        } ripristino{movimenti, filtro_, filtroUtente};
        filtro_.FiltraDati(MittenteFiltro::Nessuno, true, data);
        const bool accettato = verificaLimiti(operazione, tipo, importo);
        ripristino.attivo = false;
        movimenti.setFiltered(filtroUtente);
        filtro_.FiltraDati(MittenteFiltro::Nessuno, false, Date());
        return accettato;
    }
    return verificaLimiti(operazione, tipo, importo);
}

bool OperationEntry::verificaLimiti(std::string_view operazione, std::string_view tipo, Money importo) {
    if (operazione != operazione::Prelievo) {
        return true;
    }
    const LedgerTotals& totali = ledger_.Totali();
    const Money maxScope = ledger_.Impostazioni().maxScope;
    if (totali.Saldo - importo < -maxScope) {
        ui_.message(std::string(kMsgSogliaScopertura), Buttons::Ok);
        return false;
    }
    if ((tipo == tipo::BancomatAltroIstituto || tipo == tipo::BancomatStessoIstituto) &&
        totali.ResiduoBancomatMese - importo < Money()) {
        ui_.message(std::string(kMsgDisponibilitaMensile), Buttons::Ok);
        return false;
    }
    return true;
}

} // namespace valmora
