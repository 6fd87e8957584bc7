#include "GuiTestSupport.h"

#include "gui/ApplicazioneQt.h"
#include "gui/LedgerTableModel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace valmora::gui::test {

namespace {

// The one application object of the run, on the offscreen platform whatever the environment says.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_gui";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<ApplicazioneQt>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<ApplicazioneQt> app_;
};

[[maybe_unused]] const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace

Date OggiDiProva() {
    return *Date::fromYmd(2026, 3, 18);
}

ProgrammaDiProva::ProgrammaDiProva(const QString& fileImpostazioni) : clock_(OggiDiProva()) {
    settings_ = fileImpostazioni.isEmpty() ? dir_.filePath(QStringLiteral("preferenze.ini")) : fileImpostazioni;
    app_ = std::make_unique<Applicazione>(clock_, settings_);
    // Nothing may ever wait for a hand on the keyboard: unqueued questions take their default.
    app_->ui().setAnswerUnqueuedByDefault(true);
    // The settings dialog a new account opens has tests of its own: here it is confirmed unchanged.
    master().motore().mostraImpostazioni = {};
    master().resize(1000, 700);
    master().show();
    QApplication::setActiveWindow(&master());
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&master()));
}

ProgrammaDiProva::~ProgrammaDiProva() {
    app_.reset();
}

void ProgrammaDiProva::attivaFinestra() {
    QApplication::setActiveWindow(&master());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&master()));
}

void ProgrammaDiProva::nuovoConto(const std::string& nome) {
    attivaFinestra();
    ui().queueFile((dir_.path() + QLatin1Char('/')).toStdString() + nome);
    QTest::keyClick(&master(), Qt::Key_N, Qt::ControlModifier);
}

void ProgrammaDiProva::apriConto(const std::string& nome) {
    attivaFinestra();
    ui().queueFile((dir_.path() + QLatin1Char('/')).toStdString() + nome);
    QTest::keyClick(&master(), Qt::Key_A, Qt::ControlModifier);
}

void ProgrammaDiProva::allaComparsaDelDialogo(std::function<void(TFormOperazione&, int)> f) {
    comparse_ = 0;
    dialogo().setAllaComparsa([this, f = std::move(f)] {
        ++comparse_;
        // Offscreen there is no window manager to activate the dialog that has just come up.
        QApplication::setActiveWindow(&dialogo());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialogo()));
        f(dialogo(), comparse_);
    });
}

void ProgrammaDiProva::digita(TFormOperazione& d, const QString& importo, const QString& descrizione) {
    d.EditImporto->setFocus();
    d.EditImporto->selectAll();
    QTest::keyClicks(d.EditImporto, importo);
    d.EditDescrizione->setFocus();
    d.EditDescrizione->selectAll();
    QTest::keyClicks(d.EditDescrizione, descrizione);
    QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
}

void ProgrammaDiProva::registra(QAbstractButton* pulsante, const QString& importo, const QString& descrizione) {
    allaComparsaDelDialogo([importo, descrizione](TFormOperazione& d, int) { digita(d, importo, descrizione); });
    QTest::mouseClick(pulsante, Qt::LeftButton);
}

int ProgrammaDiProva::rigaDelMovimento(const QString& operazione, const QString& importo) {
    LedgerTableModel* m = master().modello;
    for (int r = 0; r < m->rowCount(); ++r) {
        if (m->index(r, LedgerTableModel::OPERAZIONE).data().toString() == operazione &&
            m->index(r, LedgerTableModel::IMPORTO).data().toString() == importo)
            return r;
    }
    return -1;
}

} // namespace valmora::gui::test
