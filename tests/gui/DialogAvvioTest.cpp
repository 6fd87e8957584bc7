// The dialogs as the program's start-up hooks them in: "Im&postazioni..." shows the settings dialog,
// the password prompts go to the password dialog, the help requests to the help window.

#include "GuiTestSupport.h"

#include "gui/Dialoghi.h"
#include "gui/HelpViewer.h"
#include "gui/TFormImpostazioni.h"
#include "gui/TFormPass.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

TEST(DialogAvvio, StartUpHooksTheSettingsPasswordAndHelpWindowsIntoTheMainWindow) {
    ProgrammaDiProva p;
    ASSERT_NE(p.app().dialoghi(), nullptr);
    Dialoghi& d = *p.app().dialoghi();
    p.nuovoConto();
    ASSERT_TRUE(p.master().contoAperto());

    // Ctrl+I: the settings dialog, on the account's file name.
    bool impostazioni = false;
    d.impostazioni()->setAllaComparsa([&] {
        impostazioni = true;
        EXPECT_EQ(d.impostazioni()->windowTitle(), QStringLiteral("Impostazioni - conto.dbf"));
        d.impostazioni()->CancelBtn->click();
    });
    QTest::keyClick(&p.master(), Qt::Key_I, Qt::ControlModifier);
    d.impostazioni()->setAllaComparsa({});
    EXPECT_TRUE(impostazioni);

    // "&Password...": the password dialog; what it returns is stored.
    d.pass()->setAllaComparsa([&] {
        QApplication::setActiveWindow(d.pass());
        QTest::keyClicks(d.pass()->DBEdit1, QStringLiteral("abc"));
        d.pass()->BitOk->click();
    });
    p.master().Password1->trigger();
    d.pass()->setAllaComparsa({});
    dbase::Table& imp = p.master().dm().TableImp;
    imp.first();
    EXPECT_EQ(imp.fieldByName(schema::kPassword).asString(), "abc");

    // F1: the help window on its contents.
    p.attivaFinestra();
    QTest::keyClick(&p.master(), Qt::Key_F1);
    EXPECT_TRUE(d.guida()->isVisible());
    EXPECT_EQ(d.guida()->Browser->source(), HelpViewer::paginaDiContesto(0));
    d.guida()->close();
}

} // namespace
} // namespace valmora::gui::test
