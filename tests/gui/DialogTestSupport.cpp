#include "DialogTestSupport.h"

#include "GuiTestSupport.h"
#include "gui/TFormImpostazioni.h"
#include "model/Movement.h"
#include "model/TDM.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

static void registraIcone() {
    Q_INIT_RESOURCE(valmora);
}

namespace valmora::gui::test {

std::optional<std::string> InterfacciaDiProva::askPassword(const PasswordPrompt& prompt) {
    ++richiestePassword;
    return dialoghi ? dialoghi->chiediPassword(prompt) : std::nullopt;
}

void InterfacciaDiProva::chartCleared(LedgerChart chart) {
    if (chart == LedgerChart::Saldo)
        ++scansioni;
    QtUserInterface::chartCleared(chart);
}

ContoConDialoghi::ContoConDialoghi() : clock_(OggiDiProva()) {
    registraIcone();
    master_ = std::make_unique<TFormMaster>(ui_, clock_, dir_.filePath(QStringLiteral("preferenze.ini")));
    operazione_ = new TFormOperazione(ui_, master_.get());
    ui_.setOperationDialog(operazione_);
    dialoghi_ = std::make_unique<Dialoghi>(*master_, ui_, *operazione_);
    ui_.dialoghi = dialoghi_.get();
    // Nothing may wait for a hand on the keyboard: unqueued questions take their default.
    ui_.setAnswerUnqueuedByDefault(true);
    master_->resize(1000, 700);
    master_->show();
    attiva(master_.get());
}

ContoConDialoghi::~ContoConDialoghi() {
    ui_.dialoghi = nullptr;
    dialoghi_.reset();
    ui_.setOperationDialog(nullptr);
    master_.reset();
}

std::string ContoConDialoghi::percorso(const std::string& nome) const {
    return (dir_.path() + QLatin1Char('/')).toStdString() + nome;
}

void ContoConDialoghi::attiva(QWidget* w) {
    QApplication::setActiveWindow(w);
    EXPECT_TRUE(QTest::qWaitForWindowActive(w));
}

void ContoConDialoghi::scriviIn(QWidget* campo, const QString& testo) {
    QTest::mouseClick(campo, Qt::LeftButton);
    campo->setFocus(Qt::MouseFocusReason);
    if (auto* e = qobject_cast<QLineEdit*>(campo))
        e->selectAll();
    QTest::keyClicks(campo, testo);
}

void ContoConDialoghi::doppioClic(QTableWidget* griglia, const QRect& cella) {
    const QPoint p = cella.center();
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, p);
    QMouseEvent doppio(QEvent::MouseButtonDblClick, p, griglia->viewport()->mapToGlobal(p), Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(griglia->viewport(), &doppio);
}

void ContoConDialoghi::nuovoConto(const std::string& nome) {
    TFormImpostazioni& d = *dialoghi_->impostazioni();
    d.setAllaComparsa([&d] { d.OKBtn->click(); });
    ui_.queueFile(percorso(nome));
    master_->Nuovo1->trigger();
    d.setAllaComparsa({});
    ASSERT_TRUE(master_->contoAperto());
}

void ContoConDialoghi::apriConto(const std::string& nome) {
    ui_.queueFile(percorso(nome));
    master_->Apri1->trigger();
}

void ContoConDialoghi::impostazioni(const std::function<void(TFormImpostazioni&)>& f) {
    TFormImpostazioni& d = *dialoghi_->impostazioni();
    bool comparso = false;
    d.setAllaComparsa([&] {
        comparso = true;
        attiva(&d);
        f(d);
    });
    master_->Impostazioni1->trigger();
    d.setAllaComparsa({});
    EXPECT_TRUE(comparso);
    attiva(master_.get());
}

std::vector<std::string> ContoConDialoghi::movimenti() {
    std::vector<std::string> righe;
    dbase::Table& t = master_->dm().MainTable;
    // The ledger grid follows the cursor of its table: it must not see this walk.
    t.disableControls();
    const dbase::Table::Bookmark posto = t.getBookmark();
    const bool filtrato = t.filtered();
    t.setFiltered(false);
    for (t.first(); !t.eof(); t.next()) {
        const Movement m = Movement::read(t);
        righe.push_back(m.data.toString() + "|" + m.valuta.toString() + "|" + m.operazione + "|" + m.tipo + "|" +
                        m.importo.plain() + "|" + m.commento);
    }
    t.setFiltered(filtrato);
    dbase::Table::Bookmark b = posto;
    if (t.bookmarkValid(b))
        t.gotoBookmark(b);
    t.freeBookmark(b);
    t.enableControls();
    return righe;
}

} // namespace valmora::gui::test
