// Pictures of every dialog for the documentation, taken from the real windows on the offscreen
// platform. Run with VALMORA_SCREENSHOTS set to the folder to write them to (docs/screenshots);
// without it the test is skipped.

#include "DialogTestSupport.h"

#include "gui/HelpViewer.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormImpostazioni.h"
#include "gui/TFormPass.h"
#include "gui/TFormTassi.h"
#include "gui/TInformazioni.h"
#include "model/TableSchemas.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

class Fotografo {
public:
    explicit Fotografo(QString cartella) : cartella_(std::move(cartella)) { QDir().mkpath(cartella_); }
    void scatta(QWidget* w, const char* nome) {
        QTest::qWait(20);
        const QPixmap foto = w->grab();
        ASSERT_FALSE(foto.isNull()) << nome;
        const QString file =
            cartella_ + QStringLiteral("/dialog-") + QString::fromLatin1(nome) + QStringLiteral(".png");
        EXPECT_TRUE(foto.save(file)) << file.toStdString();
    }

private:
    QString cartella_;
};

TEST(DialogScreenshots, EveryDialog) {
    const QString cartella = qEnvironmentVariable("VALMORA_SCREENSHOTS");
    if (cartella.isEmpty())
        GTEST_SKIP() << "VALMORA_SCREENSHOTS is not set";
    Fotografo f(cartella);
    ContoConDialoghi c;
    c.nuovoConto("contocorrente.dbf");

    c.impostazioni([&](TFormImpostazioni& d) {
        ContoConDialoghi::scriviIn(d.campo(schema::kIstituto), QStringLiteral("Banca di Valmora"));
        ContoConDialoghi::scriviIn(d.campo(schema::kCoordinate), QStringLiteral("IT60 X054 2811 1010"));
        ContoConDialoghi::scriviIn(d.campo(schema::kNumConto), QStringLiteral("000000123456"));
        ContoConDialoghi::scriviIn(d.campo(schema::kBPos), QStringLiteral("0,5"));
        QTest::keyClick(d.campo(schema::kBPos), Qt::Key_Tab);
        f.scatta(&d, "impostazioni-condizioni");

        d.PageControl1->setCurrentIndex(1);
        TFormTassi& t = *c.dialoghi().tassi();
        t.setAllaComparsa([&] {
            ContoConDialoghi::attiva(&t);
            QTest::keyClicks(t.EData, QStringLiteral("01/04/2026"));
            f.scatta(&t, "tasso");
            t.BNInserisci->click();
        });
        d.BtnNuovoTasso->click();
        t.setAllaComparsa({});
        ContoConDialoghi::attiva(&d);
        f.scatta(&d, "impostazioni-tassi");

        d.PageControl1->setCurrentIndex(2);
        TFormOperazione& o = c.operazione();
        o.setAllaComparsa([&] {
            ContoConDialoghi::attiva(&o);
            ContoConDialoghi::scriviIn(o.EditImporto, QStringLiteral("1450"));
            ContoConDialoghi::scriviIn(o.EditDescrizione, QStringLiteral("Stipendio"));
            o.CBGiorno->setCurrentText(QStringLiteral("27"));
            f.scatta(&o, "operazione-automatica");
            o.BitBtnConferma->click();
        });
        d.BTNuovoAcc->click();
        o.setAllaComparsa({});
        ContoConDialoghi::attiva(&d);
        f.scatta(&d, "impostazioni-automatiche");
        d.OKBtn->click();
    });

    TFormPass& p = *c.dialoghi().pass();
    p.setAllaComparsa([&] {
        ContoConDialoghi::attiva(&p);
        QTest::keyClicks(p.DBEdit1, QStringLiteral("segreto"));
        f.scatta(&p, "password");
        p.BitBtn3->click();
        f.scatta(&p, "password-aiuto");
        p.BitCancel->click();
    });
    c.master().Password1->trigger();
    p.setAllaComparsa({});

    TInformazioni* info = c.master().Informazioni;
    QTimer::singleShot(0, info, [&] {
        f.scatta(info, "informazioni");
        info->accept();
    });
    c.master().Informazionisu1->trigger();
    ASSERT_TRUE(info->mostraCondizioni(QStringLiteral(VALMORA_TESTS_DIR "/../src/gui/data/Licenza.txt")).isEmpty());
    f.scatta(info, "condizioni");
    info->close();

    c.master().TCalendario->click();
    f.scatta(c.master().Calendario, "calendario");
    c.master().TCalendario->click();

    HelpViewer* guida = c.dialoghi().guida();
    c.ui().openHelp(4);
    f.scatta(guida, "guida");
    guida->close();
}

} // namespace
} // namespace valmora::gui::test
