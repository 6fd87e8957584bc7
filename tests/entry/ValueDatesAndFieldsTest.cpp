// Value dates from the cheque kind, text cut to a field, and the checks made when a field is left.

#include "EntryFixture.h"

#include "entry/TextFit.h"
#include "entry/ValueDates.h"

namespace valmora::testing {
namespace {

TEST(AssegnaValuta, ChequesAddTheirCalendarDaysAndEverythingElseKeepsTheBookingDate) {
    AccountSettings s = AccountSettings::defaults(d(2005, 1, 1));
    s.vCircolare = eur("3");
    s.vIstituto = eur("1");
    s.vAltroIst = eur("2,5");
    s.vPostale = Money();
    // Across a month end, and no working-day rule: 3 March 2005 stays, and so would a Sunday.
    EXPECT_EQ(AssegnaValuta(s, "Assegno Circolare", d(2005, 2, 28)), d(2005, 3, 3));
    EXPECT_EQ(AssegnaValuta(s, "Assegno Stesso I.", d(2005, 3, 5)), d(2005, 3, 6)); // a Sunday
    // A fractional setting is cut to the day reached.
    EXPECT_EQ(AssegnaValuta(s, "Assegno Altro I.", d(2005, 12, 31)), d(2006, 1, 2));
    EXPECT_EQ(AssegnaValuta(s, "Assegno C/C Post.", d(2005, 4, 1)), d(2005, 4, 1));
    EXPECT_EQ(AssegnaValuta(s, "Bonifico", d(2005, 4, 1)), d(2005, 4, 1));
    EXPECT_EQ(AssegnaValuta(s, "S. Bancomat", d(2005, 4, 1)), d(2005, 4, 1));
    // Exact text only.
    EXPECT_EQ(AssegnaValuta(s, "assegno circolare", d(2005, 4, 1)), d(2005, 4, 1));
}

TEST(TagliaTesto, CutsWholeCharactersOnly) {
    EXPECT_EQ(TagliaTesto("abcdef", 3), "abc");
    EXPECT_EQ(TagliaTesto("abc", 10), "abc");
    EXPECT_EQ(TagliaTesto("perché sì", 6), "perché");
    EXPECT_EQ(TagliaTesto("èèè", 2), "èè");
    EXPECT_EQ(TagliaTesto("abc", 0), "");
}

TEST(TypedInput, AmountsAndDatesConvertAsTheDialogTypesThem) {
    EXPECT_EQ(ConvertiNumeroDigitato("12,50"), eur("12,5"));
    EXPECT_EQ(ConvertiNumeroDigitato(" -3 "), eur("-3"));
    EXPECT_FALSE(ConvertiNumeroDigitato("12.50"));
    EXPECT_FALSE(ConvertiNumeroDigitato("1.200"));
    EXPECT_FALSE(ConvertiNumeroDigitato("12,50 €"));
    EXPECT_FALSE(ConvertiNumeroDigitato(""));

    EXPECT_EQ(ConvertiDataDigitata("03/03/2005"), d(2005, 3, 3));
    EXPECT_EQ(ConvertiDataDigitata("3/3/05"), d(2005, 3, 3));
    EXPECT_EQ(ConvertiDataDigitata("1/1/99"), d(1999, 1, 1));
    EXPECT_FALSE(ConvertiDataDigitata("31/04/2005"));
    EXPECT_FALSE(ConvertiDataDigitata("2005-03-03"));
    EXPECT_FALSE(ConvertiDataDigitata("03/03/205"));
    EXPECT_FALSE(ConvertiDataDigitata("aa/bb/cc"));
    EXPECT_FALSE(ConvertiDataDigitata("+3/03/2005"));
}

using FieldChecks = EntryTest;

TEST_F(FieldChecks, AmountCheckRefusesSymbolsAndSeparatorsAndKeepsTheFocus) {
    entry.Scheda().EditImporto = "12,50";
    EXPECT_TRUE(entry.EditImportoExit());
    EXPECT_TRUE(ui.messages().empty());
    for (const char* sbagliato : {"12.50", "€ 12", "1.200"}) {
        entry.Scheda().EditImporto = sbagliato;
        entry.Scheda().focus = CampoScheda::ComboBoxTipo;
        EXPECT_FALSE(entry.EditImportoExit()) << sbagliato;
        EXPECT_EQ(entry.Scheda().focus, CampoScheda::EditImporto);
        EXPECT_EQ(entry.Scheda().EditImporto, sbagliato); // the amount box is not emptied
    }
    ASSERT_EQ(ui.messages().size(), 3u);
    EXPECT_EQ(ui.messages()[0].text, "Immettere l'importo in cifre senza altri simboli!");
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Ok);
}

TEST_F(FieldChecks, OperationAndTypeOutsideTheirListsAreEmptiedAndAskedAgain) {
    FillCombo(entry.Scheda().ComboOpVoci, "Operazioni");
    entry.Scheda().ComboOp = "Prelievo";
    EXPECT_TRUE(entry.ComboOpExit());
    entry.Scheda().ComboOp = "prelievo"; // case counts
    EXPECT_FALSE(entry.ComboOpExit());
    EXPECT_EQ(entry.Scheda().ComboOp, "");
    EXPECT_EQ(entry.Scheda().focus, CampoScheda::ComboOp);
    EXPECT_FALSE(entry.ComboOpExit()); // leaving it empty repeats the message

    entry.Scheda().ComboOp = "Prelievo";
    entry.ComboOpChange();
    EXPECT_EQ(entry.Scheda().ComboBoxTipo, "S. Bancomat");
    EXPECT_EQ(entry.Scheda().ComboBoxTipoVoci.size(), 6u);
    entry.Scheda().ComboBoxTipo = "Bonifico"; // a credit's type
    EXPECT_FALSE(entry.ComboBoxTipoExit());
    EXPECT_EQ(entry.Scheda().ComboBoxTipo, "");
    entry.Scheda().ComboBoxTipo = "P.O.S.";
    EXPECT_TRUE(entry.ComboBoxTipoExit());

    EXPECT_EQ(messaggi(), (std::vector<std::string>{"Scegliere un'Operazione dall'elenco di riepilogo",
                                                    "Scegliere un'Operazione dall'elenco di riepilogo",
                                                    "Scegliere una Tipologia  dall'elenco di riepilogo"}));
}

TEST_F(FieldChecks, ValueDateBoxAcceptsShortDatesOnly) {
    entry.Scheda().EditValuta = "15/06/2005";
    EXPECT_TRUE(entry.EditValutaExit());
    entry.Scheda().EditValuta = "15 giugno";
    EXPECT_FALSE(entry.EditValutaExit());
    EXPECT_EQ(entry.Scheda().focus, CampoScheda::EditValuta);
    EXPECT_EQ(messaggi(), std::vector<std::string>{"Immettere nel formato \"gg/mm/aa\" la data per la Valuta!"});
}

TEST_F(FieldChecks, ActivationTicksTheScheduleOnlyForProgrammedOperations) {
    auto attiva = [&](const char* intestazioneScheda, bool spuntaPrima) {
        entry.Scheda().LabelPanel = intestazioneScheda;
        entry.Scheda().CBInsAuto = spuntaPrima;
        entry.Scheda().focus = CampoScheda::Nessuno;
        entry.FormActivate();
        return entry.Scheda();
    };
    auto s = attiva("Prelievo", true);
    EXPECT_FALSE(s.CBInsAuto);
    EXPECT_FALSE(s.programmazioneAbilitata);
    EXPECT_EQ(s.focus, CampoScheda::EditImporto);
    s = attiva("Operazione Automatica", false);
    EXPECT_TRUE(s.CBInsAuto);
    EXPECT_TRUE(s.programmazioneAbilitata);
    s = attiva("Modifica Operazione Automatica", false);
    EXPECT_TRUE(s.CBInsAuto);
    s = attiva("Elimina", true);
    EXPECT_TRUE(s.CBInsAuto); // left as it was
    EXPECT_EQ(s.focus, CampoScheda::Nessuno);
    EXPECT_TRUE(s.programmazioneAbilitata);
    entry.Scheda().CBInsAuto = false;
    entry.CBInsAutoClick();
    EXPECT_FALSE(entry.Scheda().programmazioneAbilitata);
}

} // namespace
} // namespace valmora::testing
