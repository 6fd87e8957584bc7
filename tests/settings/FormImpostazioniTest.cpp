// The settings dialog over a real account: the row edited in place (OK posts, Annulla and the close box cancel),
// the two flags and what they make OK do, the caption, and the refusal of a number that does not convert.

#include "ContoFixture.h"

namespace valmora::testing {
namespace {

class FormImpostazioniTest : public ContoTest {
protected:
    void SetUp() override {
        ContoTest::SetUp();
        nuovo("Conto.dbf");
        inserisci(TipoInserimento::Accredito, d(2026, 3, 2), "500", "Contante");
        inserisci(TipoInserimento::Prelievo, d(2026, 3, 5), "20", "P.O.S.");
        state.ModificheDaSalvare = false;
        ui.logo.clear();
        ui.scansioni = 0;
        ui.clearTranscript();
    }

    // The dialog shown: `lavora` is what the user does in it, `esito` the button that closes it.
    void impostazioni(const std::function<void(FormImpostazioni&)>& lavora, DialogResult esito) {
        form.Impostazioni1Click(state.NomeFileConto, [&](FormImpostazioni& f) {
            lavora(f);
            return esito;
        });
    }
    AccountSettings suDisco() {
        dbase::Table t;
        t.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaImpostazioni), "Conto.dbf");
        t.open();
        t.first();
        return AccountSettings::read(t);
    }
    bool haCommissionePOS() {
        for (const std::string& r : movimenti(dir.folder(), "Conto.dbf")) {
            if (r.find("Commissione pagamenti P.O.S.") != std::string::npos) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(FormImpostazioniTest, CaptionShowsAtMostFifteenCharactersOfTheFileName) {
    form.Prepara("Conto.dbf");
    EXPECT_EQ(form.Caption, "Impostazioni - Conto.dbf");
    form.CancelBtnClick();
    form.Prepara("ContoCorrente2026.dbf");
    EXPECT_EQ(form.Caption, "Impostazioni - ContoCorrente20");
    EXPECT_EQ(form.ActivePage, SchedaImpostazioni::CondizioniGenerali);
    EXPECT_EQ(form.BitBtn1Click(), 3);
    form.CancelBtnClick();
}

TEST_F(FormImpostazioniTest, OnlyTheEightChargeFieldsSetCostiModificati) {
    for (const CampoCondizione& c : FormImpostazioni::CampiCondizioni()) {
        SCOPED_TRACE(std::string(c.colonna));
        impostazioni(
            [&](FormImpostazioni& f) {
                f.DigitaCampo(c.colonna, c.numerico ? "7" : "testo");
                EXPECT_EQ(f.CostiModificati, c.costo);
                EXPECT_FALSE(f.TassiModificati);
            },
            DialogResult::Cancel);
    }
    int costi = 0;
    for (const CampoCondizione& c : FormImpostazioni::CampiCondizioni()) {
        costi += c.costo ? 1 : 0;
    }
    EXPECT_EQ(costi, 8);
    // Typing the text the field already shows changes nothing.
    impostazioni(
        [](FormImpostazioni& f) {
            f.DigitaCampo("MaxScope", "5000");
            f.DigitaCampo("BPOS", "0");
            EXPECT_FALSE(f.CostiModificati);
        },
        DialogResult::Ok);
    EXPECT_EQ(ui.scansioni, 0);
    EXPECT_EQ(suDisco(), AccountSettings::defaults(clock.today()));
}

TEST_F(FormImpostazioniTest, BposChangedThenAnnullaRestoresItAndRunsNoRescan) {
    const int scansioni = ui.scansioni;
    impostazioni(
        [](FormImpostazioni& f) {
            f.DBEdit1Change(); // the click in the field
            EXPECT_TRUE(f.DigitaCampo("BPOS", "1,00"));
            EXPECT_EQ(f.TestoCampo("BPOS"), "1,00 €");
        },
        DialogResult::Cancel);
    EXPECT_EQ(ui.scansioni, scansioni);
    EXPECT_FALSE(haCommissionePOS());
    EXPECT_EQ(suDisco().bPos, Money());
    EXPECT_EQ(dm.TableImp.fieldByName("BPOS").asMoney(), Money());
    EXPECT_TRUE(state.ModificheDaSalvare); // the click marked the account

    // The close box cancels too, rather than leaving the edit pending for the next move to post.
    impostazioni([](FormImpostazioni& f) { f.DigitaCampo("BPOS", "2"); }, DialogResult::Retry);
    EXPECT_FALSE(dm.TableImp.isEditing());
    dm.TableImp.first();
    EXPECT_EQ(suDisco().bPos, Money());

    // Then OK: one full rescan writes the commission.
    impostazioni([](FormImpostazioni& f) { f.DigitaCampo("BPOS", "1,5"); }, DialogResult::Ok);
    EXPECT_EQ(ui.scansioni, scansioni + 1);
    EXPECT_TRUE(haCommissionePOS());
    EXPECT_EQ(suDisco().bPos, Money::fromUnits(15000));
    EXPECT_EQ(ui.logo, std::vector<std::string>({"Istituto", "Istituto"}));
}

TEST_F(FormImpostazioniTest, TheInstituteAloneIsPostedAndShownWithoutAScan) {
    const int scansioni = ui.scansioni;
    impostazioni(
        [](FormImpostazioni& f) {
            f.DBEdit1Change();
            f.DigitaCampo("ISTITUTO", "Banca di Valmora");
            f.CampoLasciato("ISTITUTO");
            f.DigitaCampo("VISTITUTO", "3");
            f.DigitaCampo("MaxCCred", "2500,5");
        },
        DialogResult::Ok);
    EXPECT_EQ(ui.scansioni, scansioni);
    EXPECT_EQ(ui.logo.back(), "Banca di Valmora");
    const AccountSettings s = suDisco();
    EXPECT_EQ(s.istituto, "Banca di Valmora");
    EXPECT_EQ(s.vIstituto, Money::fromWhole(3));
    EXPECT_EQ(s.maxCCred, Money::fromUnits(25005000));
}

TEST_F(FormImpostazioniTest, ACapitalisationChangeMarksTheAccountEvenWhenCancelled) {
    impostazioni(
        [](FormImpostazioni& f) {
            EXPECT_TRUE(f.DBComboBox1Change("MENSILE")); // the same item: no change
            EXPECT_FALSE(f.TassiModificati);
            EXPECT_FALSE(f.DBComboBox2Change("QUINDICINALE")); // not an item of the list
            EXPECT_TRUE(f.DBComboBox2Change("TRIMESTRALE"));
            EXPECT_TRUE(f.TassiModificati);
            EXPECT_EQ(f.CapitalizzazioneDebitore(), "TRIMESTRALE");
        },
        DialogResult::Cancel);
    EXPECT_TRUE(state.ModificheDaSalvare);
    EXPECT_EQ(suDisco().capitaDeb, "MENSILE");
    EXPECT_EQ(ui.scansioni, 0);

    impostazioni([](FormImpostazioni& f) { f.DBComboBox1Change("ANNUALE"); }, DialogResult::Ok);
    EXPECT_EQ(suDisco().capitaCre, "ANNUALE");
    EXPECT_EQ(ui.scansioni, 1);
}

TEST_F(FormImpostazioniTest, ANumberThatDoesNotConvertIsRefusedAndTheFieldKeepsItsValue) {
    impostazioni(
        [](FormImpostazioni& f) {
            EXPECT_FALSE(f.DigitaCampo("MaxScope", "12.50"));
            EXPECT_EQ(f.TestoInModifica("MaxScope"), "5000");
            EXPECT_TRUE(f.CostiModificati); // the text did change before it was refused
        },
        DialogResult::Ok);
    EXPECT_EQ(messaggi(), std::vector<std::string>{"'12.50' is not a valid floating point value"});
    EXPECT_EQ(suDisco().maxScope, Money::fromWhole(5000));
}

} // namespace
} // namespace valmora::testing
