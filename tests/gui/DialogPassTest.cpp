// The password dialog in its two uses: "&Password..." sets the password (Help uncovering the
// explanation), and the next opening of the account asks for it with the placeholder and no Help.

#include "DialogTestSupport.h"

#include "gui/TFormPass.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

std::string passwordMemorizzata(ContoConDialoghi& c) {
    dbase::Table& imp = c.master().dm().TableImp;
    imp.first();
    return imp.fieldByName(schema::kPassword).asString();
}

TEST(DialogPass, PasswordSetFromTheMenuIsAskedAtTheNextOpening) {
    ContoConDialoghi c;
    c.nuovoConto();
    EXPECT_EQ(c.ui().richiestePassword, 0); // a new account has none

    allaComparsa(*c.dialoghi().pass(), [](TFormPass& p) {
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Password"));
        EXPECT_EQ(p.height(), TFormPass::kAltezzaRidotta);
        EXPECT_TRUE(p.BitBtn3->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), p.DBEdit1);
        EXPECT_EQ(p.DBEdit1->echoMode(), QLineEdit::Password);
        EXPECT_EQ(p.DBEdit1->toolTip(), QStringLiteral("Digitare una password"));
        // Help makes the dialog taller, which uncovers the explanation.
        QTest::mouseClick(p.BitBtn3, Qt::LeftButton);
        EXPECT_EQ(p.height(), TFormPass::kAltezzaEstesa);
        EXPECT_TRUE(p.Spiegazione->text().contains(QString::fromUtf8("verrà richiesta nessuna password !")));
        EXPECT_LE(p.Spiegazione->geometry().bottom(), p.height());
        EXPECT_GT(p.Spiegazione->geometry().top(), TFormPass::kAltezzaRidotta - 10);
        // At most eight characters are kept.
        p.DBEdit1->setFocus();
        p.DBEdit1->selectAll();
        QTest::keyClicks(p.DBEdit1, QStringLiteral("Segreto1x"));
        EXPECT_EQ(p.DBEdit1->text(), QStringLiteral("Segreto1"));
        QTest::keyClick(p.DBEdit1, Qt::Key_Return);
    });
    c.master().Password1->trigger();
    EXPECT_EQ(passwordMemorizzata(c), "Segreto1");

    // Closed and opened again: the prompt shows the placeholder masked, without Help.
    c.master().Chiudi1->trigger();
    ASSERT_FALSE(c.master().contoAperto());
    allaComparsa(*c.dialoghi().pass(), [](TFormPass& p) {
        EXPECT_FALSE(p.BitBtn3->isVisible());
        EXPECT_EQ(p.DBEdit1->displayText(), QStringLiteral("********"));
        EXPECT_EQ(p.DBEdit1->selectedText(), p.DBEdit1->text()); // typing replaces the placeholder
        QTest::keyClicks(p.DBEdit1, QStringLiteral("segreto1")); // another letter case
        p.BitOk->click();
    });
    c.apriConto();
    EXPECT_EQ(c.ui().richiestePassword, 2);
    EXPECT_FALSE(c.master().contoAperto());

    allaComparsa(*c.dialoghi().pass(), [](TFormPass& p) {
        QTest::keyClicks(p.DBEdit1, QStringLiteral("Segreto1"));
        p.BitOk->click();
    });
    c.apriConto();
    ASSERT_TRUE(c.master().contoAperto());
    EXPECT_EQ(passwordMemorizzata(c), "Segreto1");

    // "0" removes the protection: the next opening asks nothing.
    allaComparsa(*c.dialoghi().pass(), [](TFormPass& p) {
        EXPECT_TRUE(p.BitBtn3->isVisible());
        EXPECT_EQ(p.height(), TFormPass::kAltezzaRidotta);
        QTest::keyClicks(p.DBEdit1, QStringLiteral("0"));
        p.BitOk->click();
    });
    c.master().Password1->trigger();
    c.master().Chiudi1->trigger();
    const int richieste = c.ui().richiestePassword;
    c.apriConto();
    EXPECT_TRUE(c.master().contoAperto());
    EXPECT_EQ(c.ui().richiestePassword, richieste);
}

TEST(DialogPass, AnnullaLeavesThePasswordAsItWas) {
    ContoConDialoghi c;
    c.nuovoConto();
    const std::string prima = passwordMemorizzata(c);
    allaComparsa(*c.dialoghi().pass(), [](TFormPass& p) {
        QTest::keyClicks(p.DBEdit1, QStringLiteral("nuova"));
        p.BitCancel->click();
    });
    c.master().Password1->trigger();
    EXPECT_EQ(passwordMemorizzata(c), prima);
}

} // namespace
} // namespace valmora::gui::test
