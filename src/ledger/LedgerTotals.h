#pragma once
// The running totals of one ledger scan: an amount and a count for every type of movement,
// the group totals, the balance by value date and the monthly allowances left.

#include "core/Money.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace valmora {

struct CategoryTotal {
    Money Importo;
    std::int32_t Numero = 0;

    void aggiungi(Money importo) {
        Importo += importo;
        ++Numero;
    }
    bool operator==(const CategoryTotal&) const = default;
};

struct LedgerTotals {
    // "Accredito"
    CategoryTotal Bonifici, Stipendi, AssegniVersati, Contante;
    // "Prelievo"
    CategoryTotal PrelieviBancomat, AssegniEmessi, PrelieviSportello, PagamentiPOS, PagamentiCarta;
    // "Addebito"
    CategoryTotal Luce, Acqua, Telefono, Gas, AddebitiGenerici;
    // "Imposta"
    CategoryTotal Bolli, ImposteOperazioni, ImposteBancomat, ImpostePOS, ImposteCarta, ImposteGeneriche;
    // "Interessi": amounts always positive; Numero counts only movements whose IMPORTO is not zero
    CategoryTotal InteressiCreditori, InteressiDebitori;
    // "FuoriConto": kept apart from the balance
    CategoryTotal EntrateFC, UsciteFC;

    // Group totals, recomputed from the categories after every classification.
    CategoryTotal TotAccrediti, TotPrelievi, TotAddebiti, TotImposte, TotInteressi;

    std::int32_t NumNotifiche = 0;
    Money SaldoAnnoPrecedente;      // the signed balances carried from the previous year
    Money Saldo;                    // the account balance; off-account movements stay out of it
    Money Utile;                    // interest net of taxes and charges
    std::int32_t NumOperazioni = 0; // credits, withdrawals and debits counted: the free quota is measured on it

    Money ResiduoBancomatMese; // BMENSILE less this month's cash-machine withdrawals; may go negative
    Money ResiduoCartaMese;    // MaxCCred less this month's credit-card payments; may go negative

    std::string UltimaEtichettaSaldo;  // month name last used as a label on the balance chart
    std::string UltimaEtichettaFC;     // the same on the off-account chart
    std::int32_t LunghezzaTipoMax = 5; // longest TIPO met since the last reset, in characters

    // The category a movement of this operation and type adds to; nullptr for a type the operation
    // does not have. Only "Accredito", "Prelievo", "Addebito", "Imposta" and "FuoriConto" have categories.
    CategoryTotal* categoria(std::string_view operazione, std::string_view tipo);

    // Group totals, then Utile, Saldo and NumOperazioni, by their formulas.
    void ricalcola();

    // NumOperazioni plus the taxes and the interest movements counted.
    std::int32_t movimentiContati() const { return NumOperazioni + TotImposte.Numero + TotInteressi.Numero; }

    bool operator==(const LedgerTotals&) const = default;
};

} // namespace valmora
