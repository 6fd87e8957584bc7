#include "bank/Riscontro.h"

#include "model/OperationCatalogue.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <unordered_map>

namespace valmora {

namespace {

// A pair is equal "to the cent": both amounts are taken to whole cents (halves away from zero) before they
// are compared, since a ledger amount may carry four decimals where the bank writes two.
std::int64_t cents(Money m) {
    const std::int64_t u = m.units();
    const std::int64_t half = 50;
    return u >= 0 ? (u + half) / 100 : -((-u + half) / 100);
}

class Abbinamento {
public:
    Abbinamento(Riscontro& r, int giorni) : r_(r), giorni_(giorni), preso_(r.movimenti.size(), false) {
        for (std::size_t i = 0; i < r.movimenti.size(); ++i)
            perImporto_[cents(r.movimenti[i].importo)].push_back(i);
        for (auto& [importo, lista] : perImporto_) {
            std::stable_sort(lista.begin(), lista.end(), [&](std::size_t a, std::size_t b) {
                return r.movimenti[a].movimento.data < r.movimenti[b].movimento.data;
            });
        }
    }

    std::optional<std::size_t> migliore(const BankLine& b) {
        const auto it = perImporto_.find(cents(b.importo));
        if (it == perImporto_.end())
            return std::nullopt;
        const std::vector<std::size_t>& lista = it->second;
        const Date dal = b.data.addDays(-giorni_);
        auto primo = std::lower_bound(lista.begin(), lista.end(), dal, [&](std::size_t i, Date d) {
            return r_.movimenti[i].movimento.data < d;
        });
        std::optional<std::size_t> scelto;
        std::tuple<int, int, std::size_t> chiaveScelta{};
        for (auto i = primo; i != lista.end(); ++i) {
            const Movement& m = r_.movimenti[*i].movimento;
            const int distanza = std::abs(b.data.daysUntil(m.data));
            if (m.data > b.data && distanza > giorni_)
                break;
            if (preso_[*i])
                continue;
            const std::tuple<int, int, std::size_t> chiave{distanza, std::abs(b.valuta.daysUntil(m.valuta)), *i};
            if (!scelto || chiave < chiaveScelta) {
                scelto = *i;
                chiaveScelta = chiave;
            }
        }
        if (scelto)
            preso_[*scelto] = true;
        return scelto;
    }

    bool preso(std::size_t i) const { return preso_[i]; }

private:
    Riscontro& r_;
    int giorni_;
    std::vector<bool> preso_;
    // The movements of each amount in cents, in booking-date order (then ledger order).
    std::unordered_map<std::int64_t, std::vector<std::size_t>> perImporto_;
};

} // namespace

std::optional<Money> ImportoBancario(const Movement& m) {
    const std::string_view op = m.operazione;
    if (op == operazione::Accredito)
        return m.importo;
    if (op == operazione::Prelievo || op == operazione::Addebito || op == operazione::Imposta)
        return -m.importo;
    if (op == operazione::Interessi) {
        // Debit interest lowers the balance by its size whichever sign it was stored with, as the ledger counts it.
        if (m.tipo == tipo::Creditore)
            return m.importo;
        if (m.tipo == tipo::Debitore)
            return -m.importo.abs();
    }
    return std::nullopt;
}

Riscontro Riscontra(std::vector<BankLine> banca, const std::vector<Movement>& ledger, int giorni) {
    Riscontro r;
    r.banca = std::move(banca);
    if (!r.banca.empty()) {
        const auto [primo, ultimo] = std::minmax_element(
            r.banca.begin(), r.banca.end(), [](const BankLine& a, const BankLine& b) { return a.data < b.data; });
        const Date dal = primo->data.addDays(-giorni);
        const Date al = ultimo->data.addDays(giorni);
        for (std::size_t i = 0; i < ledger.size(); ++i) {
            const Movement& m = ledger[i];
            const std::optional<Money> importo = ImportoBancario(m);
            if (importo && m.data >= dal && m.data <= al)
                r.movimenti.push_back({m, *importo, i});
        }
    }

    Abbinamento abbinamento(r, giorni);
    for (std::size_t b = 0; b < r.banca.size(); ++b) {
        const BankLine& riga = r.banca[b];
        r.totaleBanca += riga.importo;
        RigaRiscontro esito;
        esito.banca = b;
        esito.movimento = abbinamento.migliore(riga);
        if (esito.movimento) {
            esito.giorni = r.movimenti[*esito.movimento].movimento.valuta.daysUntil(riga.valuta);
            esito.esito = esito.giorni == 0 ? RigaRiscontro::Esito::Uguale : RigaRiscontro::Esito::ValutaDiversa;
        }
        r.righe.push_back(esito);
    }
    for (std::size_t i = 0; i < r.movimenti.size(); ++i) {
        r.totaleConto += r.movimenti[i].importo;
        if (!abbinamento.preso(i))
            r.soloConto.push_back(i);
    }
    return r;
}

} // namespace valmora
