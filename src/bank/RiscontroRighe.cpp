#include "bank/RiscontroRighe.h"

namespace valmora {

namespace {

std::string campi(std::initializer_list<std::string> parti) {
    std::string riga;
    for (const std::string& p : parti) {
        if (!riga.empty())
            riga += ';';
        riga += p;
    }
    return riga;
}

} // namespace

std::vector<std::string> RigheRiscontro(const Riscontro& r) {
    std::vector<std::string> righe;
    righe.reserve(r.righe.size() + r.soloConto.size() + 4);
    righe.push_back(campi({"RISCONTRO", std::to_string(r.banca.size()), std::to_string(r.movimenti.size())}));
    for (const RigaRiscontro& riga : r.righe) {
        const BankLine& b = r.banca[riga.banca];
        if (!riga.movimento) {
            righe.push_back(
                campi({"SOLO BANCA", b.data.toString(), b.valuta.toString(), b.importo.format(), b.descrizione}));
            continue;
        }
        const Movement& m = r.movimenti[*riga.movimento].movimento;
        if (riga.esito == RigaRiscontro::Esito::Uguale) {
            righe.push_back(campi({"UGUALE", b.data.toString(), b.valuta.toString(), b.importo.format(), b.descrizione,
                                   m.operazione, m.tipo, m.commento}));
        } else {
            righe.push_back(campi({"VALUTA DIVERSA", b.data.toString(), b.valuta.toString(), m.valuta.toString(),
                                   std::to_string(riga.giorni), b.importo.format(), b.descrizione, m.operazione,
                                   m.tipo, m.commento}));
        }
    }
    for (const std::size_t i : r.soloConto) {
        const MovimentoRiscontrato& mr = r.movimenti[i];
        righe.push_back(campi({"SOLO CONTO", mr.movimento.data.toString(), mr.movimento.valuta.toString(),
                               mr.importo.format(), mr.movimento.operazione, mr.movimento.tipo,
                               mr.movimento.commento}));
    }
    righe.push_back(campi({"TOTALE BANCA", r.totaleBanca.format()}));
    righe.push_back(campi({"TOTALE CONTO", r.totaleConto.format()}));
    righe.push_back(campi({"DIFFERENZA", r.differenza().format()}));
    return righe;
}

} // namespace valmora
