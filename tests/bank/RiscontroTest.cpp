// The pairing of the bank's lines with the ledger's movements: which movements are held, which one a bank line
// takes when several could, the signs of each operation, the totals.

#include "bank/Riscontro.h"
#include "bank/RiscontroRighe.h"

#include <gtest/gtest.h>

namespace valmora {
namespace {

Date d(int day, int month = 3) {
    return *Date::fromYmd(2026, month, day);
}

Money eur(std::int64_t cents) {
    return Money::fromUnits(cents * 100);
}

Movement mov(Date data, Date valuta, std::string op, std::string tipo, Money importo, std::string commento = "") {
    return {data, valuta, std::move(op), std::move(tipo), importo, std::move(commento)};
}

BankLine banca(Date data, Date valuta, Money importo, std::string descrizione = "") {
    return {data, valuta, importo, std::move(descrizione), 0};
}

TEST(Riscontro, TheSignOfEveryOperationAsTheBankBooksIt) {
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Accredito", "Bonifico", eur(100))), eur(100));
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Prelievo", "Sportello", eur(100))), eur(-100));
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Addebito", "Luce", eur(100))), eur(-100));
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Imposta", "Bolli", eur(100))), eur(-100));
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Interessi", "Creditore", eur(100))), eur(100));
    // Debit interest lowers the balance by its size, whichever sign it was stored with.
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Interessi", "Debitore", eur(100))), eur(-100));
    EXPECT_EQ(ImportoBancario(mov(d(1), d(1), "Interessi", "Debitore", eur(-100))), eur(-100));
    EXPECT_FALSE(ImportoBancario(mov(d(1), d(1), "FuoriConto", "Entrate", eur(100))));
    EXPECT_FALSE(ImportoBancario(mov(d(1), d(1), "Notifica", "Saldo Anno P.", eur(100))));
    EXPECT_FALSE(ImportoBancario(mov(d(1), d(1), "Giroconto", "Bonifico", eur(100))));
}

TEST(Riscontro, OnlyTheBankMovementsOfTheComparedDatesAreHeld) {
    const std::vector<Movement> ledger = {
        mov(d(1), d(1), "Accredito", "Bonifico", eur(10000), "troppo presto"), // 10/03 - 3 days is 07/03
        mov(d(7), d(7), "Accredito", "Bonifico", eur(20000), "primo giorno"),
        mov(d(8), d(8), "FuoriConto", "Uscite", eur(5000), "mai confrontato"),
        mov(d(9), d(9), "Notifica", "Variazione", eur(0)),
        mov(d(23), d(20), "Prelievo", "Sportello", eur(2000), "ultimo giorno"), // 20/03 + 3
        mov(d(24), d(24), "Prelievo", "Sportello", eur(2000), "troppo tardi"),
    };
    const Riscontro r = Riscontra({banca(d(20), d(20), eur(-2000)), banca(d(10), d(10), eur(99900))}, ledger);
    ASSERT_EQ(r.movimenti.size(), 2u);
    EXPECT_EQ(r.movimenti[0].movimento.commento, "primo giorno");
    EXPECT_EQ(r.movimenti[1].movimento.commento, "ultimo giorno");
    EXPECT_EQ(r.movimenti[1].posizione, 4u);
    EXPECT_EQ(r.totaleBanca, eur(97900));
    EXPECT_EQ(r.totaleConto, eur(18000));
    EXPECT_EQ(r.differenza(), eur(79900));
    EXPECT_EQ(RigheRiscontro(r), (std::vector<std::string>{
                                     "RISCONTRO;2;2",
                                     "UGUALE;20/03/2026;20/03/2026;-20,00 €;;Prelievo;Sportello;ultimo giorno",
                                     "SOLO BANCA;10/03/2026;10/03/2026;999,00 €;",
                                     "SOLO CONTO;07/03/2026;07/03/2026;200,00 €;Accredito;Bonifico;primo giorno",
                                     "TOTALE BANCA;979,00 €",
                                     "TOTALE CONTO;180,00 €",
                                     "DIFFERENZA;799,00 €",
                                 }));
}

TEST(Riscontro, ABankLineTakesTheNearestBookingDateThenValueDateThenTheFirstInTheLedger) {
    const std::vector<Movement> ledger = {
        mov(d(5), d(9), "Prelievo", "P.O.S.", eur(1000), "a"),
        mov(d(6), d(8), "Prelievo", "P.O.S.", eur(1000), "b"),
        mov(d(6), d(6), "Prelievo", "P.O.S.", eur(1000), "c"),
        mov(d(6), d(6), "Prelievo", "P.O.S.", eur(1000), "d"),
        mov(d(9), d(9), "Prelievo", "P.O.S.", eur(1000), "e"),
    };
    const Riscontro r = Riscontra(
        {
            banca(d(6), d(6), eur(-1000)), // c and d share both dates: the first in the ledger
            banca(d(6), d(6), eur(-1000)), // then d
            banca(d(6), d(7), eur(-1000)), // booking 06/03 left in b only: 1 value day apart
            banca(d(6), d(6), eur(-1000)), // a (1 day) before e (3 days)
            banca(d(6), d(6), eur(-1000)), // e, 3 days apart: still within the tolerance
            banca(d(6), d(6), eur(-1000)), // nothing left
        },
        ledger);
    std::vector<std::string> presi;
    for (const RigaRiscontro& riga : r.righe)
        presi.push_back(riga.movimento ? r.movimenti[*riga.movimento].movimento.commento : "-");
    EXPECT_EQ(presi, (std::vector<std::string>{"c", "d", "b", "a", "e", "-"}));
    EXPECT_EQ(r.righe[2].esito, RigaRiscontro::Esito::ValutaDiversa);
    EXPECT_EQ(r.righe[2].giorni, -1); // the bank's value date 07/03 against the ledger's 08/03
    EXPECT_EQ(r.righe[3].giorni, -3);
    EXPECT_EQ(r.righe[5].esito, RigaRiscontro::Esito::SoloBanca);
    EXPECT_TRUE(r.soloConto.empty());
}

TEST(Riscontro, AmountsMeetToTheCentAndTheToleranceIsTheCallers) {
    const std::vector<Movement> ledger = {
        mov(d(10), d(10), "Addebito", "Gas", Money::fromUnits(123449), "12,3449"),
        mov(d(10), d(10), "Accredito", "Bonifico", eur(500), "segno opposto"),
        mov(d(12), d(12), "Addebito", "Acqua", eur(700), "due giorni dopo"),
    };
    const Riscontro r = Riscontra({banca(d(10), d(10), eur(-1234)), banca(d(10), d(10), eur(-500)),
                                   banca(d(10), d(10), eur(-700))},
                                  ledger, 1);
    ASSERT_EQ(r.righe.size(), 3u);
    EXPECT_EQ(r.righe[0].esito, RigaRiscontro::Esito::Uguale); // 12,3449 is 12,34 to the cent
    EXPECT_EQ(r.righe[1].esito, RigaRiscontro::Esito::SoloBanca);
    EXPECT_EQ(r.righe[2].esito, RigaRiscontro::Esito::SoloBanca); // two days apart with one allowed
    EXPECT_EQ(r.soloConto, (std::vector<std::size_t>{1}));          // 12/03 lies beyond the compared dates
    const Riscontro largo = Riscontra({banca(d(10), d(10), eur(-700))}, ledger, 2);
    EXPECT_EQ(largo.righe[0].esito, RigaRiscontro::Esito::ValutaDiversa);
    EXPECT_EQ(largo.righe[0].giorni, -2);
}

TEST(Riscontro, AnEmptyBankListHoldsNoMovement) {
    const Riscontro r = Riscontra({}, {mov(d(1), d(1), "Accredito", "Bonifico", eur(1))});
    EXPECT_EQ(RigheRiscontro(r), (std::vector<std::string>{"RISCONTRO;0;0", "TOTALE BANCA;0,00 €",
                                                           "TOTALE CONTO;0,00 €", "DIFFERENZA;0,00 €"}));
}

} // namespace
} // namespace valmora
