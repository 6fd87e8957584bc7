#include "accounts/Automatismi.h"

#include "accounts/AccountWindow.h"
#include "accounts/ProgrammedSchedule.h"
#include "ledger/Ledger.h"
#include "model/ProgrammedOperation.h"
#include "model/TDM.h"

#include <optional>
#include <utility>
#include <vector>

namespace valmora {

namespace {

// Step 1 of the run and its undoing, which must happen however the run ends: the grid suspended, the busy
// cursor, and the movements table held in one batch (its observers and its syncs wait for the run's end).
class RunGuard {
public:
    RunGuard(TDM& dm, UserInterface& ui) : ui_(ui) {
        ui_.ledgerGridSuspended(true);
        movimenti_.emplace(dm.MainTable);
        ui_.busyCursor(true);
    }
    // The normal end: the batch's end syncs what the run wrote, and a failure there is the run's to report.
    void termina() {
        riprendiSchermo();
        movimenti_->finish();
    }
    // Leaving on an error: that error is the one reported; the batch then ends quietly.
    ~RunGuard() { riprendiSchermo(); }
    RunGuard(const RunGuard&) = delete;
    RunGuard& operator=(const RunGuard&) = delete;

private:
    void riprendiSchermo() {
        if (std::exchange(schermoSospeso_, false)) {
            ui_.ledgerGridSuspended(false);
            ui_.busyCursor(false);
        }
    }
    UserInterface& ui_;
    std::optional<dbase::TableBatch> movimenti_;
    bool schermoSospeso_ = true;
};

Date leggiOldData(dbase::Table& impostazioni) {
    impostazioni.first();
    return impostazioni.fieldByName("OLDDATA").asDate();
}

} // namespace

Automatismi::Automatismi(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window)
    : dm_(dm), ledger_(ledger), ui_(ui), clock_(clock), window_(window) {}

void Automatismi::Esegui() {
    RunGuard guard(dm_, ui_);
    MasterState& state = ledger_.Stato();
    const Date today = clock_.today();

    const bool filtroEraAttivo = dm_.MainTable.filtered();
    dm_.MainTable.setFiltered(false);

    Date dopo = leggiOldData(dm_.TableImp);

    if (state.NumMovimenti != 0) {
        // A counter left over from a table emptied by hand elsewhere has no first movement to read: the run then
        // keeps the year the open command set and walks the months from OLDDATA.
        dm_.MainTable.first();
        if (!dm_.MainTable.eof()) {
            state.DataPrimaValuta = dm_.MainTable.fieldByName("VALUTA").asDate();
            state.AnnoPrimaValuta = state.DataPrimaValuta.year();
            state.MesePrimaValuta = state.DataPrimaValuta.month();
        }
        state.AnnoConto = today.year();
        state.MeseCorrente = today.month();
        if (dopo < state.DataPrimaValuta) {
            dopo = state.DataPrimaValuta;
        }
        if (state.AnnoPrimaValuta != 0 && state.AnnoPrimaValuta < state.AnnoConto) {
            state.AnnoConto = state.AnnoPrimaValuta;
            state.MeseCorrente = 12;
            window_.MostraNuovoAnno();
        }
        // The months walked belong to AnnoConto while `dopo` keeps its own year: when it lies in a later year,
        // every date of the walk is before it and nothing is proposed.
        for (int mese = dopo.isNull() ? 1 : dopo.month(); mese <= state.MeseCorrente; ++mese) {
            ledger_.ScriviInteressi(mese, state.AnnoConto, dopo);
            InserisciImposte(mese, state.AnnoConto, dopo);
        }
        dm_.TableImp.first();
        dm_.TableImp.edit();
        dm_.TableImp.fieldByName("OLDDATA").setDate(today);
        dm_.TableImp.post();
    }

    ledger_.ScansioneRecord(true, false);
    ledger_.EliminaInteressiNulli();

    if (state.NumMovimenti == 0) {
        state.DataUltimaValuta = today;
        state.DataPrimaValuta = today;
    }
    dm_.MainTable.setFiltered(filtroEraAttivo);
    dm_.MainTable.last();
    guard.termina();
}

void Automatismi::InserisciImposte(int mese, int anno, Date dopo) {
    const Date today = clock_.today();
    // The rows are read first: a proposal's confirmation may walk the tables, and the walk must not lose its place.
    std::vector<ProgrammedOperation> programmate;
    dbase::Table& acc = dm_.TableAcc;
    for (acc.first(); !acc.eof(); acc.next()) {
        programmate.push_back(ProgrammedOperation::read(acc));
    }
    for (const ProgrammedOperation& op : programmate) {
        const std::optional<Date> scadenza = ScadenzaNelMese(op, mese, anno);
        if (!scadenza || *scadenza <= dopo || *scadenza > today) {
            continue;
        }
        OperationProposal proposta;
        proposta.intestazione = op.operazione;
        proposta.operazione = op.operazione;
        proposta.tipo = op.tipo;
        proposta.descrizione = op.descrizione;
        proposta.frequenza = op.frequenza;
        proposta.inizio = op.inizio;
        proposta.importo = op.importo;
        proposta.giorno = op.giorno;
        proposta.data = *scadenza;
        window_.InserisciProposta(proposta);
        ledger_.Stato().ModificheDaSalvare = true;
    }
}

} // namespace valmora
