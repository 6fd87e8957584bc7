// Renders the program's windows to PNG files (offscreen, QWidget::grab) for the documentation:
// a demonstration account with half a year of movements, the windows as a user sees them.
//
// Usage: valmora-screenshots OUTPUT_FOLDER

#include "core/Date.h"
#include "entry/OperationEntry.h"
#include "gui/Applicazione.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"
#include "gui/TFormScalare.h"
#include "gui/TInformazioni.h"

#include "gui/GrigliaValori.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QScrollBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <utility>

using namespace valmora;
using namespace valmora::gui;

namespace {

struct Movimento {
    int mese;
    int giorno;
    TipoInserimento comando;
    const char* tipo;
    const char* importo;
    const char* descrizione;
};

constexpr Movimento kMovimenti[] = {
    {1, 2, TipoInserimento::Accredito, "Bonifico", "2500", "Saldo iniziale"},
    {1, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio gennaio"},
    {1, 14, TipoInserimento::Prelievo, "S. Bancomat", "250", "Prelievo centro"},
    {1, 20, TipoInserimento::Addebito, "Luce", "78,40", "Bolletta luce"},
    {1, 25, TipoInserimento::FuoriConto, "Entrate", "120", "Regalo"},
    {2, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio febbraio"},
    {2, 12, TipoInserimento::Prelievo, "P.O.S.", "86,30", "Spesa supermercato"},
    {2, 18, TipoInserimento::Addebito, "Telefono", "45,90", "Telefono bimestre"},
    {2, 22, TipoInserimento::FuoriConto, "Uscite", "60", "Cena"},
    {3, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio marzo"},
    {3, 15, TipoInserimento::Prelievo, "Carta di Credito", "420", "Viaggio"},
    {3, 21, TipoInserimento::Addebito, "Gas", "132,10", "Bolletta gas"},
    {4, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio aprile"},
    {4, 16, TipoInserimento::Prelievo, "S. Bancomat", "300", "Prelievo"},
    {4, 28, TipoInserimento::Imposta, "Bolli", "34,20", "Imposta di bollo"},
    {5, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio maggio"},
    {5, 19, TipoInserimento::Prelievo, "Assegno", "950", "Assegno affitto"},
    {5, 27, TipoInserimento::Addebito, "Acqua", "41,60", "Acquedotto"},
    {6, 3, TipoInserimento::FuoriConto, "Entrate", "200", "Vendita bicicletta"},
    {6, 10, TipoInserimento::Accredito, "Stipendio", "1850", "Stipendio giugno"},
    {6, 12, TipoInserimento::Prelievo, "A. Bancomat", "100", "Prelievo in vacanza"},
};

bool salva(QWidget& w, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = QDir(folder).filePath(name);
    const bool ok = w.grab().save(path, "PNG");
    std::printf("%s %s\n", ok ? "scritto" : "ERRORE", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("uso: valmora-screenshots CARTELLA\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    QTemporaryDir dir;
    FixedClock clock(*Date::fromYmd(2026, 6, 20));
    Applicazione valmora(clock, dir.filePath(QStringLiteral("preferenze.ini")));
    QtUserInterface& ui = valmora.ui();
    ui.setAnswerUnqueuedByDefault(true);
    TFormMaster& m = valmora.master();
    // The usual laptop screen; the smallest size the window allows is shown as well.
    m.resize(1366, 768);
    m.show();
    bool ok = salva(m, out, QStringLiteral("main-window-no-account.png"));

    ui.queueFile(QDir(dir.path()).filePath(QStringLiteral("Famiglia.dbf")).toStdString());
    // The settings dialog a new account opens has pictures of its own: here it is confirmed unchanged.
    auto mostraImpostazioni = std::exchange(m.motore().mostraImpostazioni, {});
    m.Nuovo1->trigger();
    m.motore().mostraImpostazioni = std::move(mostraImpostazioni);
    // The demonstration movements go through the operation dialog's engine as typed values.
    for (const Movimento& mv : kMovimenti) {
        ui.esegui([&] {
            m.entry().ComandoInserimento(mv.comando, [&](OperationEntry& entry) {
                SchedaOperazione& s = entry.Scheda();
                s.Calendario = *Date::fromYmd(2026, mv.mese, mv.giorno);
                s.ComboBoxTipo = mv.tipo;
                s.EditImporto = mv.importo;
                s.EditDescrizione = mv.descrizione;
                return DialogResult::Ok;
            });
        });
    }
    m.modello->ricarica();
    m.DBGrid1->selectRow(3);
    ok = salva(m, out, QStringLiteral("main-window.png")) && ok;

    m.ComboOperazioni->setCurrentIndex(m.ComboOperazioni->findText(QStringLiteral("Prelievo")));
    ok = salva(m, out, QStringLiteral("main-window-filter.png")) && ok;
    m.ComboOperazioni->setCurrentIndex(m.ComboOperazioni->findText(QStringLiteral("Tutto")));
    m.resize(m.minimumSize());
    ok = salva(m, out, QStringLiteral("main-window-minimum.png")) && ok;
    m.resize(1366, 768);

    // The operation dialog as the withdrawal button opens it.
    TFormOperazione& d = valmora.operazione();
    d.setAllaComparsa([&] {
        ok = salva(d, out, QStringLiteral("operation-dialog.png")) && ok;
        d.reject();
    });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    // ... and as the modify command opens it on a movement.
    d.setAllaComparsa([&] {
        ok = salva(d, out, QStringLiteral("operation-dialog-modify.png")) && ok;
        d.reject();
    });
    m.DBGrid1->selectRow(1);
    m.SpeedModificaClick();
    d.setAllaComparsa({});

    m.TCalendario->setChecked(true);
    ok = salva(*m.Calendario, out, QStringLiteral("calendar.png")) && ok;
    m.TCalendario->setChecked(false);

    // The interest statement of the second quarter, with the stamp duty charged in April.
    m.RiassuntoScalare1->trigger();
    TFormScalare& scalare = *m.Scalare;
    const int trimestre = scalare.ComboPeriodo->findText(QStringLiteral("Secondo trimestre"));
    scalare.ComboPeriodo->setCurrentIndex(trimestre);
    scalare.ComboPeriodoChange(trimestre);
    ok = salva(scalare, out, QStringLiteral("scalare.png")) && ok;
    scalare.close();

    QTimer::singleShot(0, [&] {
        ok = salva(*m.Informazioni, out, QStringLiteral("information.png")) && ok;
        m.Informazioni->reject();
    });
    m.Informazionisu1Click();
    return ok ? 0 : 1;
}
