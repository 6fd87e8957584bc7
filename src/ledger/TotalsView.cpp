// The totals grid GrigliaValori, the pie of movement counts and the status-bar notices.

#include "ledger/Ledger.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

#include <array>
#include <string>

namespace valmora {

namespace {

constexpr std::array<const char*, TotalsGrid::kRows> kDidascalie = {"",
                                                                    "SALDO",
                                                                    "Saldo Anno P.",
                                                                    "Bancomat Mese",
                                                                    "C. di Cred. Mese",
                                                                    "Tot. Operazioni",
                                                                    "Utile",
                                                                    "ACCREDITI",
                                                                    "Bonifici",
                                                                    "Stipendi",
                                                                    "Assegni",
                                                                    "Contante",
                                                                    "PRELIEVI",
                                                                    "Bancomat",
                                                                    "P.O.S.",
                                                                    "C. di Credito",
                                                                    "Assegni",
                                                                    "Sportello",
                                                                    "ADDEBITI",
                                                                    "Telefono",
                                                                    "Luce",
                                                                    "Gas",
                                                                    "Acqua",
                                                                    "Generici",
                                                                    "IMPOSTE",
                                                                    "Bolli",
                                                                    "Operazioni",
                                                                    "Bancomat",
                                                                    "P.O.S.",
                                                                    "C. di Credito",
                                                                    "Generiche",
                                                                    "INTERESSI",
                                                                    "Creditore",
                                                                    "Debitore",
                                                                    "FUORI CONTO",
                                                                    "Entrate",
                                                                    "Uscite"};

std::string conteggio(std::int32_t n) {
    return std::to_string(n);
}

} // namespace

void Ledger::StrutturaValori() {
    griglia_.columnWidths = {85, 85, 30};
    griglia_.rows[0].height = 15;
    griglia_.cell(1, 0).clear();
    griglia_.cell(0, 0).clear();
    for (int r = 1; r < TotalsGrid::kRows; ++r)
        griglia_.rows[static_cast<std::size_t>(r)].height = TotalsGrid::kVisibleRowHeight;
    for (int r = 1; r < TotalsGrid::kRows; ++r)
        griglia_.cell(0, r) = kDidascalie[static_cast<std::size_t>(r)];
    MostraGriglia();
}

void Ledger::VisualizzaTotali() {
    const LedgerTotals& t = totali_;
    auto importo = [this](int riga, Money m) { griglia_.cell(1, riga) = m.format(); };
    auto categoria = [this](int riga, const CategoryTotal& c) {
        griglia_.cell(1, riga) = c.Importo.format();
        griglia_.cell(2, riga) = conteggio(c.Numero);
    };

    importo(1, t.Saldo);
    importo(2, t.SaldoAnnoPrecedente);
    importo(3, t.ResiduoBancomatMese);
    importo(4, t.ResiduoCartaMese);
    griglia_.cell(1, 5) = conteggio(t.NumOperazioni);
    importo(6, t.Utile);
    categoria(7, t.TotAccrediti);
    categoria(8, t.Bonifici);
    categoria(9, t.Stipendi);
    categoria(10, t.AssegniVersati);
    categoria(11, t.Contante);
    categoria(12, t.TotPrelievi);
    categoria(13, t.PrelieviBancomat);
    categoria(14, t.PagamentiPOS);
    categoria(15, t.PagamentiCarta);
    categoria(16, t.AssegniEmessi);
    categoria(17, t.PrelieviSportello);
    categoria(18, t.TotAddebiti);
    categoria(19, t.Telefono);
    categoria(20, t.Luce);
    categoria(21, t.Gas);
    categoria(22, t.Acqua);
    categoria(23, t.AddebitiGenerici);
    categoria(24, t.TotImposte);
    categoria(25, t.Bolli);
    categoria(26, t.ImposteOperazioni);
    categoria(27, t.ImposteBancomat);
    categoria(28, t.ImpostePOS);
    categoria(29, t.ImposteCarta);
    categoria(30, t.ImposteGeneriche);
    categoria(31, t.TotInteressi);
    categoria(32, t.InteressiCreditori);
    categoria(33, t.InteressiDebitori);
    categoria(34, {t.EntrateFC.Importo - t.UsciteFC.Importo, t.EntrateFC.Numero + t.UsciteFC.Numero});
    categoria(35, t.EntrateFC);
    categoria(36, t.UsciteFC);
    MostraGriglia();

    // The pie counts movements, not amounts. Inizializza emptied it, so each refresh leaves seven slices.
    const PieSlice fette[] = {
        {"Prelievi", t.TotPrelievi.Numero, {255, 72, 72}},
        {"Accrediti", t.TotAccrediti.Numero, {192, 220, 192}},
        {"Addebiti", t.TotAddebiti.Numero, {255, 147, 255}},
        {"Imposte", t.TotImposte.Numero, {128, 128, 128}},
        {"Interessi", t.TotInteressi.Numero, {166, 202, 240}},
        {"Entrate Fuori Conto", t.EntrateFC.Numero, {104, 172, 121}},
        {"Uscite Fuori Conto", t.UsciteFC.Numero, {179, 109, 98}},
    };
    for (const auto& f : fette) {
        fette_.push_back(f);
        ui_.pieSliceAdded(f);
    }

    StatoTabella(state_.ModificheDaSalvare, dm_.MainTable.filtered());
}

void Ledger::MostraGriglia() {
    ui_.totalsGridChanged(griglia_);
}

void Ledger::StatoTabella(bool modificato, bool filtrato) {
    StatusNotices avvisi;
    avvisi.modifiche = modificato ? "Modifiche da Salvare!" : "";
    avvisi.filtro = filtrato ? "Filtro Attivo!" : "";
    avvisi.salvaAbilitato = modificato;
    ui_.statusNoticesChanged(avvisi);
}

} // namespace valmora
