#pragma once
// The check against the bank as the window shows it and the report prints it: four groups of rows under their
// column headings, and the totals.

#include "bank/RiscontroConto.h"

#include <optional>
#include <string>
#include <vector>

namespace valmora {

struct TabellaRiscontro {
    std::string titolo;
    std::vector<std::string> colonne;
    std::vector<std::vector<std::string>> righe;
    // For each row of the bank-only group, the bank line it shows (index into riscontro.banca); empty elsewhere.
    std::vector<std::size_t> righeBanca;
};

struct TabelleRiscontro {
    TabellaRiscontro uguali;         // the pairs that agree
    TabellaRiscontro valuteDiverse;  // the pairs whose value dates differ, with the days and the interest
    TabellaRiscontro soloBanca;      // the bank's lines no movement pairs with
    TabellaRiscontro soloConto;      // the movements no bank line pairs with
    std::vector<std::pair<std::string, std::string>> totali; // caption, amount

    const TabellaRiscontro& gruppo(int i) const;
    static constexpr int kGruppi = 4;
};

TabelleRiscontro TabelleDi(const RiscontroCompleto& esito);

} // namespace valmora
