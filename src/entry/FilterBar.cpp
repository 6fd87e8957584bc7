#include "entry/FilterBar.h"

#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/PeriodWording.h"
#include "model/TDM.h"

namespace valmora {

StringList BarraQuery::VociComboData() {
    StringList voci;
    FillCombo(voci, "Mesi");
    voci.append(std::string(kTutto));
    return voci;
}

StringList BarraQuery::VociComboData2() {
    StringList voci;
    FillCombo(voci, "Mesi");
    return voci;
}

StringList BarraQuery::VociComboOperazioni() {
    StringList voci(true);
    AggiungiVoci(voci, 12, 7);
    voci.append(std::string(kTutto));
    return voci;
}

void BarraQuery::Attiva() {
    ComboData = kTutto;
    ComboOperazioni = kTutto;
}

void BarraQuery::Chiudi() {
    ComboData2.clear();
    ComboData2Abilitato = false;
    ComboTipoVoci.clear();
    ComboTipo.clear();
    ComboTipoAbilitato = false;
}

std::string TraApici(std::string_view testo) {
    std::string risultato = "'";
    for (char c : testo) {
        risultato += c;
        if (c == '\'') {
            risultato += '\'';
        }
    }
    risultato += '\'';
    return risultato;
}

namespace {

void accoda(std::string& filtro, const std::string& clausola) {
    if (!filtro.empty()) {
        filtro += " And ";
    }
    filtro += clausola;
}

std::string dataFiltro(int anno, int mese, int giorno) {
    auto data = Date::fromYmd(anno, mese, giorno);
    return data ? data->toString() : std::string();
}

} // namespace

std::string TestoFiltro(const BarraQuery& barra, int annoConto) {
    std::string filtro;
    // The start box is a drop-down list; a text that is no month (only a caller could put one there)
    // gives no period rather than a date the filter cannot read.
    if (barra.ComboData != kTutto && NumeroMese(barra.ComboData) != 0) {
        int m1 = NumeroMese(barra.ComboData);
        int m2 = NumeroMese(barra.ComboData2);
        filtro = "Valuta >=" + TraApici(dataFiltro(annoConto, m1, 1));
        if (m2 >= m1 && m2 != 0) {
            filtro += " And Valuta <=" + TraApici(dataFiltro(annoConto, m2, GiorniMese(annoConto, m2)));
        }
    }
    if (barra.ComboOperazioni != kTutto) {
        accoda(filtro, "Operazione =" + TraApici(barra.ComboOperazioni));
    }
    if (barra.ComboTipoAbilitato && barra.ComboTipo != kTutto) {
        accoda(filtro, "Tipo =" + TraApici(barra.ComboTipo));
    }
    if (!barra.EditCerca.empty()) {
        accoda(filtro, "Commento = " + TraApici(barra.EditCerca + "*"));
    }
    return filtro;
}

std::string TestoFiltroAllaData(Date data) {
    return "Valuta <=" + TraApici(data.toString());
}

FiltroMovimenti::FiltroMovimenti(TDM& dm, Ledger& ledger) : dm_(dm), ledger_(ledger) {}

int FiltroMovimenti::AnnoFiltro() const {
    const MasterState& stato = ledger_.Stato();
    // An account always has its first value date's year once it is in view; before any scan has set it,
    // the account's own year is the one the user means.
    return stato.AnnoPrimaValuta > 0 ? stato.AnnoPrimaValuta : stato.AnnoConto;
}

void FiltroMovimenti::FiltraDati(MittenteFiltro mittente, bool allaData, Date data) {
    dbase::Table& movimenti = dm_.MainTable;
    if (allaData) {
        // The same text again would only rebuild the view for nothing.
        std::string testo = TestoFiltroAllaData(data);
        if (movimenti.filter() != testo) {
            movimenti.setFilter(std::move(testo));
        }
        ledger_.ScansioneRecord(false, false);
        return;
    }

    // 1. Period: the end box only means something once a start month is chosen.
    if (barra_.ComboData == kTutto) {
        barra_.ComboData2Abilitato = false;
        barra_.ComboData2.clear();
    } else {
        barra_.ComboData2Abilitato = true;
    }
    // 2. Operation: a newly chosen operation offers its own types, "Tutto" selected.
    if (barra_.ComboOperazioni != kTutto) {
        if (mittente == MittenteFiltro::ComboOperazioni) {
            FillCombo(barra_.ComboTipoVoci, barra_.ComboOperazioni);
            barra_.ComboTipoVoci.append(std::string(kTutto));
            barra_.ComboTipo = kTutto;
        }
        barra_.ComboTipoAbilitato = true;
    } else {
        barra_.ComboTipo.clear();
        barra_.ComboTipoAbilitato = false;
    }
    // 4. A search makes every later filter ignore letter case.
    if (!barra_.EditCerca.empty()) {
        movimenti.setFilterCaseInsensitive(true);
    }
    // 5. Apply; an empty expression switches filtering off and leaves the last text inactive.
    std::string filtro = TestoFiltro(barra_, AnnoFiltro());
    if (!filtro.empty()) {
        movimenti.setFilter(filtro);
        movimenti.setFiltered(true);
    } else {
        movimenti.setFiltered(false);
    }
    // 6.
    ledger_.StatoTabella(ledger_.Stato().ModificheDaSalvare, movimenti.filtered());
    // 7, 8.
    if (mittente == MittenteFiltro::ComboOperazioni) {
        righeGriglia();
    }
    if (mittente == MittenteFiltro::ComboData || mittente == MittenteFiltro::ComboData2) {
        didascaliaPeriodo();
    }
    // 9. Totals of the movements that pass, without writing or regenerating anything.
    ledger_.ScansioneRecord(false, false);
    // 10. The balance row makes sense only over every operation.
    TotalsGrid& griglia = ledger_.GrigliaValori();
    if (barra_.ComboOperazioni == kTutto) {
        griglia.cell(0, 1) = "SALDO";
        griglia.cell(1, 1) = ledger_.Totali().Saldo.format();
    } else {
        griglia.cell(0, 1).clear();
        griglia.cell(1, 1).clear();
    }
    ledger_.MostraGriglia();
}

namespace {

struct BloccoRighe {
    std::string_view operazione;
    int prima;
    int ultima;
};

// The totals grid's block of rows for each operation; "Notifica" has none.
constexpr BloccoRighe kBlocchi[] = {
    {operazione::Accredito, 7, 11}, {operazione::Prelievo, 12, 17},  {operazione::Addebito, 18, 23},
    {operazione::Imposta, 24, 30},  {operazione::Interessi, 31, 33}, {operazione::FuoriConto, 34, 36},
};

} // namespace

void FiltroMovimenti::righeGriglia() {
    TotalsGrid& griglia = ledger_.GrigliaValori();
    if (barra_.ComboOperazioni == kTutto) {
        for (int riga = 1; riga < TotalsGrid::kRows; ++riga) {
            griglia.rows[static_cast<std::size_t>(riga)].height = TotalsGrid::kVisibleRowHeight;
        }
        griglia.horizontalScrollBarOnly = false;
        return;
    }
    int prima = 0;
    int ultima = -1;
    for (const auto& blocco : kBlocchi) {
        if (blocco.operazione == barra_.ComboOperazioni) {
            prima = blocco.prima;
            ultima = blocco.ultima;
        }
    }
    griglia.rows[1].height = 0;
    griglia.horizontalScrollBarOnly = true;
    for (int riga = 2; riga < TotalsGrid::kRows; ++riga) {
        bool mostrata = riga >= prima && riga <= ultima;
        griglia.rows[static_cast<std::size_t>(riga)].height = mostrata ? TotalsGrid::kVisibleRowHeight : -1;
    }
}

void FiltroMovimenti::didascaliaPeriodo() {
    TotalsGrid& griglia = ledger_.GrigliaValori();
    if (barra_.ComboData == kTutto) {
        griglia.cell(0, 0).clear();
        griglia.cell(1, 0).clear();
        return;
    }
    int m1 = NumeroMese(barra_.ComboData);
    int m2 = NumeroMese(barra_.ComboData2);
    griglia.cell(0, 0) = "PERIODO:";
    if (m1 > m2) {
        griglia.cell(1, 0) = "da " + barra_.ComboData;
    } else {
        griglia.cell(1, 0) = barra_.ComboData.substr(0, 3) + " - " + barra_.ComboData2.substr(0, 3);
    }
}

void FiltroMovimenti::ComboDataChange(MittenteFiltro mittente) {
    FiltraDati(mittente, false, Date());
}

void FiltroMovimenti::ComboOperazioniChange() {
    FiltraDati(MittenteFiltro::ComboOperazioni, false, Date());
}

void FiltroMovimenti::ComboTipoChange() {
    FiltraDati(MittenteFiltro::ComboTipo, false, Date());
}

void FiltroMovimenti::TBCercaClick() {
    FiltraDati(MittenteFiltro::TBCerca, false, Date());
}

} // namespace valmora
