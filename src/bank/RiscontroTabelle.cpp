#include "bank/RiscontroTabelle.h"

namespace valmora {

namespace {

std::string conSegno(int giorni) {
    return giorni > 0 ? "+" + std::to_string(giorni) : std::to_string(giorni);
}

} // namespace

const TabellaRiscontro& TabelleRiscontro::gruppo(int i) const {
    switch (i) {
    case 0:
        return uguali;
    case 1:
        return valuteDiverse;
    case 2:
        return soloBanca;
    default:
        return soloConto;
    }
}

TabelleRiscontro TabelleDi(const RiscontroCompleto& esito) {
    const Riscontro& r = esito.riscontro;
    TabelleRiscontro t;
    t.uguali.titolo = "Movimenti concordanti";
    t.uguali.colonne = {"Data", "Valuta", "Importo", "Descrizione banca", "Operazione", "Tipo", "Descrizione"};
    t.valuteDiverse.titolo = "Valute diverse";
    t.valuteDiverse.colonne = {"Data",     "Valuta banca",      "Valuta conto", "Giorni", "Importo",
                               "Interessi", "Descrizione banca", "Operazione",   "Tipo",   "Descrizione"};
    t.soloBanca.titolo = "Solo in banca";
    t.soloBanca.colonne = {"Data", "Valuta", "Importo", "Descrizione banca"};
    t.soloConto.titolo = "Solo nel conto";
    t.soloConto.colonne = {"Data", "Valuta", "Importo", "Operazione", "Tipo", "Descrizione"};

    for (std::size_t i = 0; i < r.righe.size(); ++i) {
        const RigaRiscontro& riga = r.righe[i];
        const BankLine& b = r.banca[riga.banca];
        if (!riga.movimento) {
            t.soloBanca.righe.push_back({b.data.toString(), b.valuta.toString(), b.importo.format(), b.descrizione});
            t.soloBanca.righeBanca.push_back(riga.banca);
            continue;
        }
        const Movement& m = r.movimenti[*riga.movimento].movimento;
        if (riga.esito == RigaRiscontro::Esito::Uguale)
            t.uguali.righe.push_back({b.data.toString(), b.valuta.toString(), b.importo.format(), b.descrizione,
                                      m.operazione, m.tipo, m.commento});
        else
            t.valuteDiverse.righe.push_back({b.data.toString(), b.valuta.toString(), m.valuta.toString(),
                                             conSegno(riga.giorni), b.importo.format(), esito.interessi[i].format(),
                                             b.descrizione, m.operazione, m.tipo, m.commento});
    }
    for (const std::size_t i : r.soloConto) {
        const MovimentoRiscontrato& mr = r.movimenti[i];
        t.soloConto.righe.push_back({mr.movimento.data.toString(), mr.movimento.valuta.toString(),
                                     mr.importo.format(), mr.movimento.operazione, mr.movimento.tipo,
                                     mr.movimento.commento});
    }
    t.totali = {{"Totale banca", r.totaleBanca.format()},
                {"Totale conto", r.totaleConto.format()},
                {"Differenza", r.differenza().format()},
                {"Interessi delle valute diverse", esito.totaleInteressi.format()}};
    return t;
}

} // namespace valmora
