#pragma once
// The filter bar of the main window (BarraQuery) and FiltraDati, which turns its controls into the movements
// table's filter and totals only the movements that pass. The bar's state is plain data: the desktop toolbar
// binds its controls to BarraQuery and calls the handlers below; valmora-cli sets the members and presses "&Vai".
//
// FiltraDati also serves the withdrawal limits: in its as-of mode it narrows the movements to those valued up to
// a booking date, so that the totals describe the account on that day (OperationEntry::PrimaDiInserire).

#include "core/Date.h"
#include "model/StringList.h"

#include <string>
#include <string_view>

namespace valmora {

class Ledger;
class TDM;

// The control whose change called FiltraDati. `Nessuno` is a call from the program itself (restoring the
// user's filter after a check), which rearranges neither the totals grid's rows nor its period caption.
enum class MittenteFiltro { Nessuno, ComboData, ComboData2, ComboOperazioni, ComboTipo, TBCerca };

inline constexpr std::string_view kTutto = "Tutto";

struct BarraQuery {
    std::string ComboData{kTutto};       // start month, or "Tutto"
    std::string ComboData2;              // end month as typed or chosen; "" or a non-month leaves it open
    bool ComboData2Abilitato = false;    // with the label " fino a"
    std::string ComboOperazioni{kTutto}; // operation, or "Tutto"
    StringList ComboTipoVoci{true};      // sorted: the operation's types and "Tutto"
    std::string ComboTipo;               // selected type ("" when the selection was cleared)
    bool ComboTipoAbilitato = false;     // with the label "Tipo "
    std::string EditCerca;               // description prefix; takes effect at "&Vai" or the next combo change

    // The items of the fixed lists: the twelve months then "Tutto"; the seven operations and "Tutto", sorted.
    static StringList VociComboData();
    static StringList VociComboData2();
    static StringList VociComboOperazioni();

    // What an account's activation shows (the search text is kept across accounts); what closing leaves.
    void Attiva();
    void Chiudi();
};

// A text in single quotes with each inner quote doubled: 'l''aff*'.
std::string TraApici(std::string_view testo);

// The filter expression the bar's controls give for an account year, without touching anything:
// Valuta >='01/03/2005' And Valuta <='30/06/2005' And Operazione ='Prelievo' And Tipo ='S. Bancomat'
// And Commento = 'aff*'. Empty when nothing is selected. The type counts only while its box is enabled.
std::string TestoFiltro(const BarraQuery& barra, int annoConto);

// The as-of filter: "Valuta <='dd/mm/yyyy'".
std::string TestoFiltroAllaData(Date data);

class FiltroMovimenti {
public:
    FiltroMovimenti(TDM& dm, Ledger& ledger);
    FiltroMovimenti(const FiltroMovimenti&) = delete;
    FiltroMovimenti& operator=(const FiltroMovimenti&) = delete;

    BarraQuery& Barra() { return barra_; }
    const BarraQuery& Barra() const { return barra_; }

    // Normal mode (`allaData` false): builds the filter from the bar, switches filtering on exactly when it is
    // not empty, refreshes the status bar, rearranges the totals grid when the sender asks for it, totals the
    // movements that pass and shows the balance row. As-of mode: the filter text becomes "Valuta <=" and the
    // date, the filtering switch is left to the caller, and the passing movements are totalled; nothing else
    // of the bar, the grid or the status bar is touched.
    void FiltraDati(MittenteFiltro mittente, bool allaData, Date data);

    // The bar's handlers: each calls FiltraDati in normal mode with itself as the sender.
    void ComboDataChange(MittenteFiltro mittente = MittenteFiltro::ComboData); // ComboData or ComboData2
    void ComboOperazioniChange();
    void ComboTipoChange();
    void TBCercaClick();

    // The account year the period clauses use: the year of the ledger's first value date.
    int AnnoFiltro() const;

private:
    void righeGriglia();
    void didascaliaPeriodo();

    TDM& dm_;
    Ledger& ledger_;
    BarraQuery barra_;
};

} // namespace valmora
