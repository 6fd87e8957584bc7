#pragma once
// The ledger engine of the open account: the pass over all movements in value-date order that
// rebuilds the totals, accrues and writes the interest, regenerates the automatic charges, and
// shows the result (totals grid, charts, status bar) through the UserInterface seam.
//
// One Ledger lives as long as the main window. It works on the tables of the data module (TDM),
// which must be open: MainTable ordered by "Valuta", TableTassi by "Data", TableImp holding the
// settings row. Table-engine errors are not caught: they stop the routine where it is and reach
// the command that called (the table's controls are re-enabled and a regenerating scan puts the
// filter back on the way out).
//
// The routines keep the program's names:
//   Inizializza / LeggiRecord         reset the totals / classify one movement
//   ScansioneRecord                   the whole pass (with or without writing interest and regenerating charges)
//   LeggiUltimoTasso / TassiAllaData  the interest rates in force
//   ComputoInteressi / ScriviInteressi  accrue an interval / insert the period-end interest placeholders
//   CancellaAssociate / EliminaInteressiNulli  remove system-written / zero-interest movements
//   AccodaMovimento / InserisciAccodati  queue a charge during a scan / insert the queue after it
//   StrutturaValori / VisualizzaTotali / StatoTabella  lay out and fill the totals grid, refresh the status bar

#include "core/Date.h"
#include "core/Money.h"
#include "ledger/ChargeRules.h"
#include "ledger/LedgerTotals.h"
#include "ledger/MasterState.h"
#include "ledger/RateLookup.h"
#include "model/LedgerView.h"
#include "model/RatePeriod.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valmora {

class TDM;
class UserInterface;

// One charge waiting to be inserted at the end of a regenerating scan.
struct MovimentiTemp {
    Date DATA;
    Date VALUTA;
    std::string OPERAZIONE; // always "Imposta"
    std::string TIPO;
    std::string COMMENTO;
    Money IMPORTO;
};

// The last rate row, copied once per scan (values x 10000).
struct UltimoTasso {
    Date DATA; // the zero date when there are no rates: every date is on or after it
    std::int64_t LIMITE = 0;
    std::int64_t TASSOCRE = 0;
    std::int64_t TASSOH = 0;
    std::int64_t TASSODEB = 0;
    std::int64_t RITENUTA = 0;
};

class Ledger {
public:
    Ledger(TDM& dm, UserInterface& ui, const Clock& clock, MasterState& state);
    Ledger(const Ledger&) = delete;
    Ledger& operator=(const Ledger&) = delete;

    const LedgerTotals& Totali() const { return totali_; }
    MasterState& Stato() { return state_; }
    const MasterState& Stato() const { return state_; }

    // --- Classification ---

    // Empties the totals, the chart series and the pie for a new scan; the monthly allowances
    // start from BMENSILE and MaxCCred. NumMovimenti and the rate copy stay as they are.
    void Inizializza();

    // Accrues the interest of the interval from `valutaPrecedente` to `valuta` (which it then
    // becomes), classifies one movement into the totals and adds one chart point. With
    // `ScriviImporti`, an interest movement met here receives its computed amount: the movements
    // table's current row must then be that movement. A caller that writes no interest may pass
    // one scratch variable for both accumulators.
    void LeggiRecord(Date& valutaPrecedente, Date valuta, Money importo, std::int64_t& interessiCredito,
                     std::int64_t& interessiDebito, std::string_view operazione, std::string_view tipo,
                     bool ScriviImporti);

    // --- Interest ---

    // Copies the last rate row (TableTassi is left on it), and the rows before it for TassiAllaData.
    void LeggiUltimoTasso();
    const UltimoTasso& UltimoTassoLetto() const { return ultimoTasso_; }
    // Every rate row the last LeggiUltimoTasso read, in date order.
    const std::vector<RatePeriod>& TassiLetti() const { return tassi_; }
    // The rate in force on `data` for the current Saldo, and the withholding, from the rate rows
    // read by the last LeggiUltimoTasso.
    TassoInVigore TassiAllaData(Date data);
    // Adds the interest number of the interval to the credit or the debit accumulator.
    void ComputoInteressi(Date& valutaPrecedente, Date valuta, std::int64_t& interessiCredito,
                          std::int64_t& interessiDebito);
    // Inserts a zero-amount "Interessi" movement for each capitalisation period (credit, then
    // debit) that ends with `mese` of `anno`, when that end is after `dallaData` and not after today.
    void ScriviInteressi(int mese, int anno, Date dallaData);

    // --- The scan ---

    // The pass over all movements (see the class comment). `ScriviImporti`: interest movements get
    // their amounts and DataUltimaValuta is recorded. `Rigenera`: with the filter off for its
    // duration, every system-written movement is deleted and created again, with the charges.
    void ScansioneRecord(bool ScriviImporti, bool Rigenera);

    // Deletes every "Interessi" movement and every "Imposta" whose COMMENTO is a charge text, in
    // one pass; expects the movements table unfiltered and may leave it anywhere.
    void CancellaAssociate();
    // Deletes every "Interessi" movement whose IMPORTO is exactly zero.
    void EliminaInteressiNulli();
    // Queues a charge on the running regenerating scan's pending list.
    void AccodaMovimento(std::string_view operazione, std::string_view tipo, std::string_view descrizione, Date data,
                         Date valuta, Money importo);
    // Appends every queued charge to the movements table, in queue order, and empties the queue.
    void InserisciAccodati();
    const std::vector<MovimentiTemp>& MovimentiAccodati() const { return accodati_; }

    // --- What the screen shows ---

    // Lays the totals grid out: widths, heights, captions of column 0.
    void StrutturaValori();
    // Writes the amounts and counts of rows 1-36, appends the seven pie slices and refreshes the
    // status bar with ModificheDaSalvare and the movements filter.
    void VisualizzaTotali();
    // The status bar's two notices and the save button.
    void StatoTabella(bool modificato, bool filtrato);

    // The totals grid as last shown; the filter bar rearranges its rows and shows it again.
    TotalsGrid& GrigliaValori() { return griglia_; }
    const TotalsGrid& GrigliaValori() const { return griglia_; }
    void MostraGriglia(); // hands the grid to the screen as it is now

    // The pie slices of the last totals refresh.
    const std::vector<PieSlice>& FettePercentuali() const { return fette_; }

    // The account's settings row as the ledger reads it (zero conditions when there is none).
    AccountSettings Impostazioni();

private:
    void classificaInteressi(Money importo, std::int64_t& interessiCredito, std::int64_t& interessiDebito,
                             std::string_view tipo, bool ScriviImporti);
    void aggiungiPunto(std::string_view operazione, int mese);
    void messaggioTipoSconosciuto(std::string_view operazione, std::string_view tipo);
    void scriviScoperto(bool valore); // the settings row's SCOPERTO
    int meseDi(Date valuta); // 0 for the zero date
    void addebita(const Charge& c, Date& valutaPrecedente, Date valuta, std::int64_t& interessiCredito,
                  std::int64_t& interessiDebito, bool ScriviImporti);

    TDM& dm_;
    UserInterface& ui_;
    const Clock& clock_;
    MasterState& state_;

    LedgerTotals totali_;
    UltimoTasso ultimoTasso_;
    std::vector<RatePeriod> tassi_; // the rate rows in date order, as LeggiUltimoTasso read them
    TotalsGrid griglia_;
    std::vector<PieSlice> fette_;

    // The pending charges of the running regenerating scan, inserted and emptied at its end.
    std::vector<MovimentiTemp> accodati_;
    // Whether the balance of the running regenerating scan is below zero since its last passage there
    // (SCOPERTO, written to the settings row at the scan's end when it changed).
    bool scoperto_ = false;
    // The month of the last value date asked, with its first and last day: a scan asks in value-date
    // order, so nearly every row is in the month of the row before and no calendar sum is needed.
    struct MeseRicordato {
        std::int32_t primo = 1;
        std::int32_t ultimo = 0; // empty until a first date is asked
        int mese = 0;
    } meseRicordato_;
};

} // namespace valmora
