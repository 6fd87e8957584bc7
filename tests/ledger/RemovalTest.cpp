// Removing the system-written movements before a regeneration, and the zero interest after it.

#include "LedgerFixture.h"

namespace valmora::testing {
namespace {

using Removal = LedgerTest;

std::vector<std::string> commenti(const std::vector<Movement>& righe) {
    std::vector<std::string> out;
    for (const auto& m : righe)
        out.push_back(m.commento);
    return out;
}

TEST_F(Removal, DeletesEveryInterestAndEveryRegeneratedChargeInOnePass) {
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "1", "i1");
    movimento(d(2005, 1, 1), "Interessi", "Debitore", "1", "i2");
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "0", "scritto a mano");
    movimento(d(2005, 1, 2), "Imposta", "Bolli", "1,81", "bollo");
    movimento(d(2005, 1, 3), "Imposta", "Operazioni", "5", "Commissione su Scopertura");
    movimento(d(2005, 1, 3), "Imposta", "Operazioni", "1", "Imposta operazioni eccedenti");
    movimento(d(2005, 1, 4), "Accredito", "Contante", "50", "Commissione su Scopertura");
    movimento(d(2005, 1, 5), "Imposta", "Operazioni", "5", "commissione su scopertura");
    movimento(d(2005, 1, 6), "Imposta", "Bancomat", "2", "Commissione prelievi bancomat altro istituto");
    movimento(d(2005, 1, 6), "Imposta", "Bancomat", "2", "Commissione prelievi bancomat stesso istituto");
    movimento(d(2005, 1, 6), "Imposta", "Carta di Credito", "2", "Commissione pagamenti con Carta di Credito");
    movimento(d(2005, 1, 6), "Imposta", "P.O.S.", "2", "Commissione pagamenti P.O.S.");
    movimento(d(2005, 1, 7), "Interessi", "Creditore", "3", "ultimo");

    ledger.CancellaAssociate();
    EXPECT_EQ(commenti(righe()),
              (std::vector<std::string>{"bollo", "Commissione su Scopertura", "commissione su scopertura"}));
    EXPECT_FALSE(dm.MainTable.controlsDisabled());
}

TEST_F(Removal, ATableOfSystemMovementsOnlyEndsEmptyAndAnEmptyOneStaysSo) {
    ledger.CancellaAssociate();
    EXPECT_TRUE(righe().empty());
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "1");
    movimento(d(2005, 1, 2), "Imposta", "P.O.S.", "2", "Commissione pagamenti P.O.S.");
    ledger.CancellaAssociate();
    EXPECT_TRUE(righe().empty());
}

TEST_F(Removal, ZeroInterestGoesWhereverItStands) {
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "0", "primo");
    movimento(d(2005, 1, 2), "Interessi", "Debitore", "0");
    movimento(d(2005, 1, 3), "Accredito", "Contante", "0", "zero ma non interessi");
    movimento(d(2005, 1, 4), "Interessi", "Debitore", "0,0001", "non zero");
    movimento(d(2005, 1, 5), "Interessi", "Creditore", "0", "ultimo");
    ledger.EliminaInteressiNulli();
    EXPECT_EQ(commenti(righe()), (std::vector<std::string>{"zero ma non interessi", "non zero"}));
}

TEST_F(Removal, QueuedChargesAreInsertedInQueueOrderAndTheQueueEmptied) {
    ledger.AccodaMovimento("Imposta", "P.O.S.", "Commissione pagamenti P.O.S.", d(2005, 2, 1), d(2005, 2, 1), eur("1"));
    ledger.AccodaMovimento("Imposta", "Operazioni", "Imposta operazioni eccedenti", d(2005, 1, 1), d(2005, 1, 1),
                           eur("0,50"));
    ledger.InserisciAccodati();
    EXPECT_TRUE(ledger.MovimentiAccodati().empty());
    const auto tutte = righe();
    ASSERT_EQ(tutte.size(), 2u);
    // Walked by value date, the later-queued earlier charge comes first.
    EXPECT_EQ(tutte[0], (Movement{d(2005, 1, 1), d(2005, 1, 1), "Imposta", "Operazioni", eur("0,50"),
                                  "Imposta operazioni eccedenti"}));
    EXPECT_EQ(tutte[1].importo, eur("1"));
}

} // namespace
} // namespace valmora::testing
