// The main window's construction, start-up, preferences and its two states (an account open or none),
// and the events it watches. The menus and bars are made in TFormMasterMenu.cpp, the ledger and the
// totals panel in TFormMasterPannelli.cpp, the commands run in TFormMasterComandi.cpp.

#include "gui/TFormMaster.h"

#include "gui/CartellaDati.h"
#include "gui/ColonneRegistro.h"
#include "gui/ContiRecenti.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormMasterInterno.h"
#include "gui/TFormRiscontro.h"
#include "gui/TFormScalare.h"
#include "gui/TInformazioni.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace valmora::gui {

using namespace finestra_principale;

TFormMaster::TFormMaster(QtUserInterface& ui, const Clock& clock, const QString& fileImpostazioni, QWidget* parent)
    : QMainWindow(parent), ui_(ui), clock_(clock), motore_(ui, clock), store_(ApriPreferenze(fileImpostazioni)) {
    setObjectName(QStringLiteral("TFormMaster"));
    setFont(arial(12));
    setMinimumSize(686, 300);
    resize(966, 690);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(128, 128, 128));
    setPalette(p);
    ui_.setParentWindow(this);
    ui_.setViewTarget(this);
    ui_.setProposalEntry(&motore_.Entry());

    creaMenu();
    creaPannelli();
    creaStatusBar();
    recenti_ = new ContiRecenti(
        *store_, MenuConto, Esci1, [this](const QString& file) { ApriRecente(file); }, this);
    ColonnaSaldo1->setChecked(store_->value(QStringLiteral("ColonnaSaldo"), true).toBool());
    DBGrid1->setColumnHidden(LedgerTableModel::SALDO, !ColonnaSaldo1->isChecked());

    Informazioni = new TInformazioni(this);
    Calendario = new TFormCalendario(this);
    Calendario->setAllaChiusura([this] { TCalendario->setChecked(false); });

    FormCreate();
}

TFormMaster::~TFormMaster() {
    // The grid's model watches the movements table, which the engine member owns: it goes first.
    DBGrid1->setModel(nullptr);
    delete modello;
    modello = nullptr;
    ui_.setProposalEntry(nullptr);
    ui_.setViewTarget(nullptr);
    ui_.setParentWindow(nullptr);
}

// ---------------------------------------------------------------------------------------------
// Start-up, preferences and states

void TFormMaster::FormCreate() {
    // Process-wide formats: "." thousands, "," decimals, "€"; amounts and dates themselves are
    // formatted by the engine (Money::format, Date::toString) in the same way.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    mostraSenzaConto();
    setWindowTitle(q(Stato().TitoloProgramma));
    ui_.setTitle(Stato().TitoloProgramma);
    cartellaAvvio_ = QDir::toNativeSeparators(QDir::currentPath());
#ifdef Q_OS_WIN
    cartellaWindows_ = QDir::toNativeSeparators(QString::fromLocal8Bit(qgetenv("WINDIR")).left(100));
#else
    // There is no Windows folder here: the terms file is looked for with the program's other files, at each
    // asking (CartellaDati).
    cartellaWindows_ = QDir::toNativeSeparators(cartellaDati()).left(100);
#endif
    Stato().PasswordAccettata = false;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        AvvisoRisoluzione(ui_, screen->geometry().width());
    syncingBar_ = true;
    riempi(ComboOperazioni, valmora::BarraQuery::VociComboOperazioni());
    riempi(ComboData, valmora::BarraQuery::VociComboData());
    riempi(ComboData2, valmora::BarraQuery::VociComboData2());
    ComboTipo->clear();
    syncingBar_ = false;
    StatusPanel[3]->setText(q(motore_.DataDelGiorno()));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        motore_.ImpostaSchermo(screen->geometry().width());
    LeggiDaRegistro();
}

void TFormMaster::AvvisoRisoluzione(UserInterface& ui, int larghezzaSchermo) {
    // Exactly 640: the smaller and the larger screens are not warned.
    if (larghezzaSchermo == 640)
        ui.message("Per una visione ottimale si raccomanda \runa risoluzione video di almeno 800 x 600", Buttons::Yes);
}

void TFormMaster::LeggiDaRegistro() {
    const PreferenzeFinestra p = LeggiPreferenze(*store_, cartellaAvvio_.toStdString());
    // The start-up of the engine: the no-account state, then the preferences.
    motore_.Avvio(p);
    DBGrid1->setColumnWidth(LedgerTableModel::DATA, std::max(0, p.LarghezzaColonna0));
}

void TFormMaster::ScriviSuRegistro() {
    PreferenzeFinestra p = motore_.Preferenze();
    // What is written is the window as it stands: its check marks and widths.
    p.DirIniziale = Stato().CartellaConto;
    p.LarghezzaColonna0 = DBGrid1->columnWidth(LedgerTableModel::DATA);
    p.GraficoSaldo = GraficoSaldo1->isChecked();
    p.GraficoFC = GraficoFC1->isChecked();
    p.GraficoMovimenti = PercentualeOperazioni1->isChecked();
    p.Dettagli = !Griglia->isHidden();
    p.BarraOpe = !BarraSpeed->isHidden();
    p.BarraQue = !BarraQuery->isHidden();
    p.SchermoI = SchermoIntero1->isChecked();
    ScriviPreferenze(*store_, p);
    if (colonneMostrate_)
        RicordaLarghezze(*store_, *DBGrid1, larghezzaTipo_); // TIPO as wanted, not as narrowed
}

void TFormMaster::ColonneDefault() {
    constexpr std::array<int, FormMaster::kColonneDefault.size()> colonne = {
        LedgerTableModel::VALUTA, LedgerTableModel::OPERAZIONE, LedgerTableModel::TIPO, LedgerTableModel::IMPORTO,
        LedgerTableModel::COMMENTO};
    for (std::size_t c = 0; c < colonne.size(); ++c)
        DBGrid1->setColumnWidth(colonne[c], FormMaster::kColonneDefault[c]);
    // The running balance is an amount like IMPORTO.
    DBGrid1->setColumnWidth(LedgerTableModel::SALDO, FormMaster::kColonneDefault[3]);
    DBGrid1->setColumnWidth(LedgerTableModel::VALUTA, LarghezzaData(*DBGrid1, FormMaster::kColonneDefault[0]));
}

QAction* TFormMaster::azioneCrediti() const {
    return qobject_cast<QAction*>(LabelCrediti->property("azione").value<QObject*>());
}

void TFormMaster::contoApertoCambiato(bool open) {
    if (open) {
        if (recenti_)
            recenti_->aggiungi(q(Stato().CartellaConto + Stato().NomeFileConto));
        mostraContoAperto();
        return;
    }
    mostraSenzaConto();
}

void TFormMaster::mostraSenzaConto() {
    if (Scalare)
        Scalare->close();
    // No account, nothing to save and no filter: the notices of the account just closed go with it.
    StatusPanel[1]->clear();
    StatusPanel[2]->clear();
    TSalva->setEnabled(false);
    PannelloValori->hide();
    CoolBar->hide();
    DBGrid1->hide();
    for (QAction* a : {Chiudi1, StampaRiepilogo1, RiscontroBanca1, Salva1, Esporta1, Password1, Impostazioni1})
        a->setEnabled(false);
    // A check of the account just closed has nothing left to show.
    if (Riscontro)
        Riscontro->close();
    // The entry and view commands go with their menus (their shortcuts too).
    for (QMenu* m : {MenuModifica, MenuInserisci, MenuVisualizza, PopupGriglia})
        for (QAction* a : m->actions())
            a->setEnabled(false);
    MenuModifica->menuAction()->setVisible(false);
    MenuVisualizza->menuAction()->setVisible(false);
    sincronizzaBarra();
    modello->ricarica();
}

void TFormMaster::mostraContoAperto() {
    ColonneDefault();
    RipristinaLarghezze(*store_, *DBGrid1);
    colonneMostrate_ = true;
    applicaVista();
    DBGrid1->show();
    MenuModifica->menuAction()->setVisible(true);
    MenuVisualizza->menuAction()->setVisible(true);
    for (QMenu* m : {MenuModifica, MenuInserisci, MenuVisualizza, PopupGriglia})
        for (QAction* a : m->actions())
            a->setEnabled(true);
    for (QAction* a : {StampaRiepilogo1, RiscontroBanca1, Salva1, Esporta1, Password1, Impostazioni1, Chiudi1})
        a->setEnabled(true);
    TSalva->setEnabled(false);
    CoolBar->show();
    azioneCrediti()->setVisible(false);
    // The button is released; a calendar window already open stays open.
    const QSignalBlocker senzaChiudere(TCalendario);
    TCalendario->setChecked(false);
    DBGrid1->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Events

bool TFormMaster::event(QEvent* e) {
    if (e->type() == QEvent::StatusTip) {
        // MostraSuggerimento: panel 0 shows the long part of the current hint.
        StatusPanel[0]->setText(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

bool TFormMaster::eventFilter(QObject* watched, QEvent* e) {
    if (ScrollGrafici && watched == ScrollGrafici->viewport() && e->type() == QEvent::Resize)
        impilaGrafici();
    // Once the splitter has shared out its new width.
    if (watched == Splitter1 && e->type() == QEvent::Resize)
        QMetaObject::invokeMethod(
            this, [this] { lasciaVedereImporti(); }, Qt::QueuedConnection);
    if (watched == BarraSpeed && e->type() == QEvent::MouseButtonPress) {
        const auto* me = static_cast<QMouseEvent*>(e);
        if (me->button() == Qt::RightButton && me->modifiers().testFlag(Qt::ShiftModifier))
            azioneCrediti()->setVisible(true);
    }
    return QMainWindow::eventFilter(watched, e);
}

void TFormMaster::closeEvent(QCloseEvent* e) {
    // FormClose: the preferences first, then the close command (which may ask to save).
    ScriviSuRegistro();
    comando([this] { motore_.Chiudi1Click(false); });
    e->accept();
}

void TFormMaster::comando(const std::function<void()>& command) {
    ui_.esegui(command);
    // Whatever the command did to the movements, the grid shows the table as it is now.
    modello->ricarica();
}

} // namespace valmora::gui
