#include "MasterFixture.h"

#include "model/ProgrammedOperation.h"

namespace valmora::testing {
namespace {

class AutomatismiTest : public MasterTest {
protected:
    // An account created on `creato` holding one credit of that day, closed with its changes kept.
    void contoConUnMovimento(Date creato) {
        clock.set(creato);
        nuovo("C.dbf");
        accredito(creato, "1000");
        chiudi("si");
    }
};

TEST_F(AutomatismiTest, DueOperationsAreProposedMonthByMonthInTheTablesOrder) {
    contoConUnMovimento(d(2026, 3, 15));
    clock.set(d(2026, 6, 2));
    apri("C.dbf", {"conferma", "conferma", "conferma", "conferma", "conferma", "conferma"});
    EXPECT_EQ(ui.proposalLines(),
              (std::vector<std::string>{"27/03/2026 Accredito Stipendio", "31/03/2026 Imposta Bolli",
                                        "27/04/2026 Accredito Stipendio", "30/04/2026 Imposta Bolli",
                                        "27/05/2026 Accredito Stipendio", "31/05/2026 Imposta Bolli"}));
    EXPECT_EQ(ui.proposals[1].intestazione, "Imposta");
    EXPECT_EQ(ui.proposals[1].descrizione, "Imposta Statale");
    EXPECT_EQ(ui.proposals[1].frequenza, "Mensile");
    EXPECT_EQ(ui.proposals[1].secondoPulsante, "&Nuova Operazione");
    EXPECT_EQ(oldData("C.dbf"), d(2026, 6, 2));
    EXPECT_TRUE(master.Stato().ModificheDaSalvare);
    // The six confirmed occurrences are movements now (interest rows of a credit balance may join them).
    int stipendi = 0;
    for (const std::string& row : movimentiSuDisco("C.dbf")) {
        stipendi += row.find("Accredito Stipendio") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(stipendi, 3);
    EXPECT_EQ(ui.pendingAnswers(), 0U);

    // Closing without saving puts OLDDATA back, so the same occurrences come again at the next open.
    chiudi("no");
    EXPECT_EQ(oldData("C.dbf"), d(2026, 3, 15));
    ui.proposals.clear();
    apri("C.dbf");
    EXPECT_EQ(ui.proposals.size(), 6U);
}

TEST_F(AutomatismiTest, TheMonthsInterestPlaceholderIsWrittenBeforeItsProposals) {
    contoConUnMovimento(d(2026, 3, 15));
    clock.set(d(2026, 4, 30));
    std::vector<std::string> seen;
    ui.onProposal = [&](const OperationProposal& p) {
        std::string interessi;
        for (const std::string& row : movimentiSuDisco("C.dbf")) {
            if (row.find("Interessi") != std::string::npos) {
                interessi += row.substr(0, 10) + " ";
            }
        }
        seen.push_back(p.data.toString() + ": " + interessi);
    };
    apri("C.dbf");
    // Credit and debit both close monthly: two placeholders a month, until the final scan drops the zero ones.
    const std::string marzo = "31/03/2026 31/03/2026 ";
    const std::string aprile = "30/04/2026 30/04/2026 ";
    EXPECT_EQ(seen, (std::vector<std::string>{"27/03/2026: " + marzo, "31/03/2026: " + marzo,
                                              "27/04/2026: " + marzo + aprile, "30/04/2026: " + marzo + aprile}));
}

TEST_F(AutomatismiTest, AProposalChangedInTheDialogIsInsertedWithTheUsersValues) {
    contoConUnMovimento(d(2026, 3, 15));
    clock.set(d(2026, 3, 28));
    ui.changedTo = ProposalValues{d(2026, 3, 26), "Stipendio", Money::fromWhole(1850), "stipendio di marzo"};
    apri("C.dbf");
    ASSERT_EQ(ui.proposals.size(), 1U);
    EXPECT_EQ(movimentiSuDisco("C.dbf"),
              (std::vector<std::string>{"15/03/2026 Accredito Bonifico 1000", "26/03/2026 Accredito Stipendio 1850"}));
    EXPECT_EQ(oldData("C.dbf"), d(2026, 3, 28));
}

TEST_F(AutomatismiTest, CancellingEveryProposalStillMovesOldDataAndMarksChanges) {
    contoConUnMovimento(d(2026, 3, 15));
    clock.set(d(2026, 4, 30));
    apri("C.dbf"); // no answers: every proposal takes its default, annulla
    EXPECT_EQ(ui.proposalLines(),
              (std::vector<std::string>{"27/03/2026 Accredito Stipendio", "31/03/2026 Imposta Bolli",
                                        "27/04/2026 Accredito Stipendio", "30/04/2026 Imposta Bolli"}));
    EXPECT_EQ(oldData("C.dbf"), d(2026, 4, 30));
    EXPECT_TRUE(master.Stato().ModificheDaSalvare);
    for (const std::string& row : movimentiSuDisco("C.dbf")) {
        EXPECT_EQ(row.find("Stipendio"), std::string::npos) << row;
    }
    // Proposed once: a second open the same day proposes nothing.
    chiudi("si");
    ui.proposals.clear();
    apri("C.dbf");
    EXPECT_TRUE(ui.proposals.empty());
}

TEST_F(AutomatismiTest, AnOccurrenceDatedTodayIsProposedAndOneDatedOldDataIsNot) {
    contoConUnMovimento(d(2026, 3, 27)); // OLDDATA 27/03: that day's salary is not due again
    clock.set(d(2026, 4, 27));
    apri("C.dbf");
    EXPECT_EQ(ui.proposalLines(),
              (std::vector<std::string>{"31/03/2026 Imposta Bolli", "27/04/2026 Accredito Stipendio"}));
}

TEST_F(AutomatismiTest, APastYearsAccountWalksToDecemberAndOffersTheNewYear) {
    contoConUnMovimento(d(2025, 11, 15));
    clock.set(d(2026, 1, 10));
    apri("C.dbf");
    EXPECT_EQ(ui.proposalLines(),
              (std::vector<std::string>{"27/11/2025 Accredito Stipendio", "30/11/2025 Imposta Bolli",
                                        "27/12/2025 Accredito Stipendio", "31/12/2025 Imposta Bolli",
                                        "31/12/2025 Imposta Bancomat", "31/12/2025 Imposta Carta di Credito"}));
    EXPECT_EQ(master.Stato().AnnoConto, 2025);
    EXPECT_EQ(master.Stato().MeseCorrente, 12);
    EXPECT_TRUE(master.NuovoAnnoVisibile());
    EXPECT_EQ(oldData("C.dbf"), d(2026, 1, 10));
    master.Chiudi1Click(true);
    EXPECT_FALSE(master.NuovoAnnoVisibile());
}

TEST_F(AutomatismiTest, DayZeroInALeapFebruaryIsThe29th) {
    contoConUnMovimento(d(2028, 1, 15));
    clock.set(d(2028, 3, 1));
    apri("C.dbf");
    EXPECT_EQ(ui.proposalLines(),
              (std::vector<std::string>{"27/01/2028 Accredito Stipendio", "31/01/2028 Imposta Bolli",
                                        "27/02/2028 Accredito Stipendio", "29/02/2028 Imposta Bolli"}));
}

TEST_F(AutomatismiTest, AnAccountWithoutMovementsProposesNothingAndKeepsOldData) {
    clock.set(d(2026, 3, 15));
    nuovo("C.dbf");
    master.Chiudi1Click(true);
    clock.set(d(2026, 6, 2));
    apri("C.dbf");
    EXPECT_TRUE(ui.proposals.empty());
    EXPECT_EQ(oldData("C.dbf"), d(2026, 3, 15));
    EXPECT_EQ(master.Stato().DataPrimaValuta, d(2026, 6, 2));
    EXPECT_EQ(master.Stato().DataUltimaValuta, d(2026, 6, 2));
}

TEST_F(AutomatismiTest, AnErrorInsideTheRunStillRestoresTheGridAndTheCursor) {
    contoConUnMovimento(d(2026, 3, 15));
    clock.set(d(2026, 6, 2));
    ui.failOnProposal = true;
    EXPECT_THROW(apri("C.dbf"), std::runtime_error);
    EXPECT_EQ(ui.proposals.size(), 1U);
    EXPECT_FALSE(ui.view().busy);
    EXPECT_FALSE(ui.view().ledgerGridSuspended);
    EXPECT_FALSE(master.DM().MainTable.controlsDisabled());
    EXPECT_FALSE(master.DM().TableImp.controlsDisabled());
    // The error came before OLDDATA was moved.
    EXPECT_EQ(oldData("C.dbf"), d(2026, 3, 15));
    // The window is usable: the account can be closed and opened again.
    ui.failOnProposal = false;
    master.Chiudi1Click(true);
    ui.proposals.clear();
    apri("C.dbf");
    EXPECT_EQ(ui.proposals.size(), 6U);
}

TEST_F(AutomatismiTest, AConfirmedProposalThatALimitRefusesComesBackWithItsOwnValues) {
    contoConUnMovimento(d(2026, 3, 15));
    // A programmed withdrawal far beyond the overdraft ceiling: every confirmation is refused.
    {
        dbase::Table acc;
        acc.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaAccrediti), "C.dbf");
        acc.open();
        for (acc.first(); !acc.eof();) {
            acc.deleteRecord();
        }
        ProgrammedOperation affitto{"Affitto", Money::fromWhole(100000), "Prelievo", "Sportello", "Mensile",
                                    "Gennaio", Money::fromWhole(20)};
        acc.appendRecord(affitto.values());
    }
    clock.set(d(2026, 3, 25));
    apri("C.dbf", {"conferma", "conferma", "annulla"});
    ASSERT_EQ(ui.proposals.size(), 3U);
    for (const auto& p : ui.proposals) {
        EXPECT_EQ(p.data, d(2026, 3, 20));
        EXPECT_EQ(p.importo, Money::fromWhole(100000));
    }
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 1U);
}

} // namespace
} // namespace valmora::testing
