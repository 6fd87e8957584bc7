// The settings dialog driven as a user drives it: its layout, typing into the conditions, the two
// capitalisation lists, OK and Annulla with what each leaves behind in the account and the ledger.

#include "DialogTestSupport.h"

#include "entry/OperationEntry.h"
#include "gui/TFormImpostazioni.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

Money valoreImpostazione(ContoConDialoghi& c, const char* colonna) {
    dbase::Table& imp = c.master().dm().TableImp;
    imp.first();
    return imp.fieldByName(colonna).asMoney();
}

std::string testoImpostazione(ContoConDialoghi& c, const char* colonna) {
    dbase::Table& imp = c.master().dm().TableImp;
    imp.first();
    return imp.fieldByName(colonna).asString();
}

// A payment at a point of sale, entered as the operation dialog confirms it.
void pagamentoPOS(ContoConDialoghi& c, int giorno, const char* importo) {
    ValoriScheda v = OperationEntry::ValoriInserimento(TipoInserimento::Prelievo, *Date::fromYmd(2026, 3, giorno));
    v.tipo = "P.O.S.";
    v.descrizione = "Spesa";
    c.operazione().setAllaComparsa([&c, importo] {
        TFormOperazione& d = c.operazione();
        d.EditImporto->setText(QString::fromLatin1(importo));
        d.BitBtnConferma->click();
    });
    c.ui().esegui([&] { c.master().entry().InserisciMovimento(v); });
    c.operazione().setAllaComparsa({});
}

bool mostrato(const QtUserInterface& ui, const std::string& parte) {
    for (const auto& box : ui.shownBoxes())
        if (box.text.find(parte) != std::string::npos)
            return true;
    return false;
}

TEST(DialogImpostazioni, LayoutCaptionTabsAndTheSeventeenFieldsInTabOrder) {
    ContoConDialoghi c;
    c.nuovoConto("contocorrente2026.dbf");
    c.impostazioni([&](TFormImpostazioni& d) {
        // The first fifteen characters of the file name: the extension is cut off.
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Impostazioni - contocorrente20"));
        EXPECT_EQ(d.size(), QSize(552, 313));
        ASSERT_EQ(d.PageControl1->count(), 3);
        EXPECT_EQ(d.PageControl1->currentIndex(), 0);
        EXPECT_EQ(d.PageControl1->tabText(0), QStringLiteral("Condizioni Generali"));
        EXPECT_EQ(d.PageControl1->tabText(1), QStringLiteral("Tassi d'interesse"));
        EXPECT_EQ(d.PageControl1->tabText(2), QStringLiteral("Operazioni Automatiche"));
        EXPECT_EQ(d.PageControl1->tabToolTip(2), QStringLiteral("Programmazione operazioni con inserimnto automatico"));

        // Tab moves through the fields in the order of the conditions.
        const auto& campi = FormImpostazioni::CampiCondizioni();
        QWidget* w = d.campo(campi.front().colonna);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->font().bold());
        w->setFocus(Qt::TabFocusReason);
        for (std::size_t i = 0; i < campi.size(); ++i) {
            QLineEdit* e = d.campo(campi[i].colonna);
            ASSERT_NE(e, nullptr) << campi[i].colonna;
            EXPECT_EQ(QApplication::focusWidget(), e) << campi[i].colonna;
            EXPECT_EQ(e->width(), campi[i].larghezza) << campi[i].colonna;
            EXPECT_EQ(e->toolTip().toStdString(), campi[i].suggerimento);
            QTest::keyClick(e, Qt::Key_Tab);
        }
        // Amount columns shown as currency, typed in plain form.
        QLineEdit* pos = d.campo(schema::kBPos);
        EXPECT_TRUE(pos->text().endsWith(QString::fromUtf8("€"))) << pos->text().toStdString();
        pos->setFocus();
        EXPECT_FALSE(pos->text().contains(QString::fromUtf8("€")));

        // The help button opens the active tab's topic.
        for (int tab : {0, 1, 2}) {
            d.PageControl1->setCurrentIndex(tab);
            QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        }
        ContoConDialoghi::attiva(&d);
        d.CancelBtn->click();
    });
    const auto& aperti = c.ui().helpTopicsOpened();
    ASSERT_GE(aperti.size(), 3u);
    EXPECT_EQ(std::vector<int>(aperti.end() - 3, aperti.end()), (std::vector<int>{3, 4, 5}));
}

TEST(DialogImpostazioni, NewPOSFeeWithOKRescansOnceAndAnnullaRestoresWithoutScan) {
    ContoConDialoghi c;
    c.nuovoConto();
    pagamentoPOS(c, 10, "100");
    pagamentoPOS(c, 11, "40");
    const Money primaCommissione = c.master().ledger().Totali().ImpostePOS.Importo;

    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        ContoConDialoghi::scriviIn(d.campo(schema::kBPos), QStringLiteral("0,75"));
        QTest::mouseClick(d.OKBtn, Qt::LeftButton);
    });
    EXPECT_EQ(c.ui().scansioni, 1);
    EXPECT_EQ(valoreImpostazione(c, schema::kBPos), *Money::parseTyped("0,75"));
    const Money dopoOK = c.master().ledger().Totali().ImpostePOS.Importo;
    EXPECT_NE(dopoOK, primaCommissione);
    EXPECT_EQ(dopoOK.abs(), Money::fromUnits(15000)) << dopoOK.format(); // two payments at 0,75
    EXPECT_TRUE(c.master().Stato().ModificheDaSalvare);

    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        ContoConDialoghi::scriviIn(d.campo(schema::kBPos), QStringLiteral("3"));
        QTest::keyClick(d.campo(schema::kBPos), Qt::Key_Tab);
        QTest::mouseClick(d.CancelBtn, Qt::LeftButton);
    });
    EXPECT_EQ(c.ui().scansioni, 0);
    EXPECT_EQ(valoreImpostazione(c, schema::kBPos), *Money::parseTyped("0,75"));
    EXPECT_EQ(c.master().ledger().Totali().ImpostePOS.Importo, dopoOK);

    // Esc is Annulla too, and Enter in a field is OK with the field's text.
    c.impostazioni([&](TFormImpostazioni& d) {
        ContoConDialoghi::scriviIn(d.campo(schema::kBPos), QStringLiteral("9"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(valoreImpostazione(c, schema::kBPos), *Money::parseTyped("0,75"));
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        ContoConDialoghi::scriviIn(d.campo(schema::kBPos), QStringLiteral("1"));
        QTest::keyClick(d.campo(schema::kBPos), Qt::Key_Return);
    });
    EXPECT_EQ(valoreImpostazione(c, schema::kBPos), Money::fromWhole(1));
    EXPECT_EQ(c.ui().scansioni, 1);
}

TEST(DialogImpostazioni, TextThatIsNoNumberIsRefusedInItalianAndNotStored) {
    ContoConDialoghi c;
    c.nuovoConto();
    const Money prima = valoreImpostazione(c, schema::kMaxScope);
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        QLineEdit* campo = d.campo(schema::kMaxScope);
        const QString mostrato0 = campo->text();
        ContoConDialoghi::scriviIn(campo, QStringLiteral("mille"));
        QTest::keyClick(campo, Qt::Key_Tab);
        EXPECT_TRUE(mostrato(c.ui(), "\"mille\" non è un numero valido"));
        // The field shows the stored value again.
        EXPECT_EQ(campo->text(), mostrato0);
        // The same refusal when Enter confirms with the bad text still in the field: the dialog stays.
        ContoConDialoghi::scriviIn(campo, QStringLiteral("12.5.0"));
        c.ui().clearShownBoxes();
        QTest::keyClick(campo, Qt::Key_Return);
        EXPECT_TRUE(mostrato(c.ui(), "\"12.5.0\" non è un numero valido"));
        EXPECT_TRUE(d.isVisible());
        d.OKBtn->click();
    });
    EXPECT_EQ(valoreImpostazione(c, schema::kMaxScope), prima);
    // Typing into a charge field is a change of costs, even when the text was refused.
    EXPECT_EQ(c.ui().scansioni, 1);
}

TEST(DialogImpostazioni, InstituteShowsInTheToolbarWhenLeftAndOKStartsNoScan) {
    ContoConDialoghi c;
    c.nuovoConto();
    c.master().Stato().ModificheDaSalvare = false;
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        QLineEdit* istituto = d.campo(schema::kIstituto);
        ContoConDialoghi::scriviIn(istituto, QStringLiteral("Banca di Prova"));
        EXPECT_TRUE(c.master().Stato().ModificheDaSalvare); // the click in the field
        QTest::keyClick(istituto, Qt::Key_Tab);
        EXPECT_EQ(c.master().LLogo->text(), QStringLiteral("Banca di Prova"));
        ContoConDialoghi::scriviIn(d.campo(schema::kNumConto), QStringLiteral("000123"));
        d.OKBtn->click();
    });
    EXPECT_EQ(c.ui().scansioni, 0);
    EXPECT_EQ(testoImpostazione(c, schema::kIstituto), "Banca di Prova");
    EXPECT_EQ(testoImpostazione(c, schema::kNumConto), "000123");
}

TEST(DialogImpostazioni, CapitalisationListsOfferTheirFiveItemsOnlyAndAChangeMarksTheAccount) {
    ContoConDialoghi c;
    c.nuovoConto();
    const std::string prima = testoImpostazione(c, schema::kCapitaCre);
    c.master().Stato().ModificheDaSalvare = false;
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(1);
        for (QComboBox* lista : {d.DBComboBox1, d.DBComboBox2}) {
            EXPECT_FALSE(lista->isEditable());
            QStringList voci;
            for (int i = 0; i < lista->count(); ++i)
                voci << lista->itemText(i);
            EXPECT_EQ(voci, (QStringList{"MENSILE", "TRIMESTRALE", "SEMESTRALE", "ANNUALE", "NESSUNA"}));
        }
        EXPECT_EQ(d.DBComboBox1->currentText().toStdString(), prima);
        const int altra = (d.DBComboBox1->currentIndex() + 1) % 5;
        d.DBComboBox1->setCurrentIndex(altra);
        emit d.DBComboBox1->activated(altra);
        EXPECT_TRUE(c.master().Stato().ModificheDaSalvare);
        d.CancelBtn->click();
    });
    // Annulla puts the old item back and starts no scan; the account stays marked.
    EXPECT_EQ(testoImpostazione(c, schema::kCapitaCre), prima);
    EXPECT_EQ(c.ui().scansioni, 0);
    EXPECT_TRUE(c.master().Stato().ModificheDaSalvare);

    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(1);
        d.DBComboBox2->setCurrentIndex(4);
        emit d.DBComboBox2->activated(4);
        d.OKBtn->click();
    });
    EXPECT_EQ(testoImpostazione(c, schema::kCapitaDeb), "NESSUNA");
    EXPECT_EQ(c.ui().scansioni, 1);
}

} // namespace
} // namespace valmora::gui::test
