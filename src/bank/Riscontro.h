#pragma once
// The bank's movement list held against the ledger: which bank line pairs with which movement.
//
// A bank line and a movement pair when their signed amounts are equal to the cent and their booking dates are at
// most `giorni` days apart. Bank lines are taken in the list's order; each pairs with the unpaired movement of
// nearest booking date, then of nearest value date, then the first in the ledger. The movements held against
// the list are those whose booking date lies from the list's earliest booking date minus `giorni` to its latest
// plus `giorni`; "FuoriConto" and "Notifica" movements are not the bank's and are never held.

#include "bank/BankLine.h"
#include "model/Movement.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace valmora {

// A movement's amount as the bank books it: positive for money into the account; nothing for a movement the
// bank never sees ("FuoriConto", "Notifica", an operation the program does not know).
std::optional<Money> ImportoBancario(const Movement& m);

struct MovimentoRiscontrato {
    Movement movimento;
    Money importo;          // signed as the bank books it
    std::size_t posizione;  // its place in the ledger, 0-based
};

struct RigaRiscontro {
    enum class Esito { Uguale, ValutaDiversa, SoloBanca };
    Esito esito = Esito::SoloBanca;
    std::size_t banca = 0;                   // the bank line, index into Riscontro::banca
    std::optional<std::size_t> movimento;    // index into Riscontro::movimenti when paired
    int giorni = 0;                          // value date of the bank minus that of the ledger
};

struct Riscontro {
    std::vector<BankLine> banca;                 // the bank's list, in its order
    std::vector<MovimentoRiscontrato> movimenti; // the movements held against it, in ledger order
    std::vector<RigaRiscontro> righe;            // one per bank line, in the bank's order
    std::vector<std::size_t> soloConto;          // movements no bank line pairs with, in ledger order
    Money totaleBanca;
    Money totaleConto;
    Money differenza() const { return totaleBanca - totaleConto; }
};

inline constexpr int kGiorniRiscontro = 3;

// `ledger`: every movement in ledger order (value-date order, as the grid shows them unfiltered).
Riscontro Riscontra(std::vector<BankLine> banca, const std::vector<Movement>& ledger, int giorni = kGiorniRiscontro);

} // namespace valmora
