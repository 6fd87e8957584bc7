#include "gui/TFormMaster.h"

#include "gui/CartellaDati.h"
#include "gui/AnteprimaStampa.h"
#include "gui/ColonneRegistro.h"
#include "gui/ContiRecenti.h"
#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormScalare.h"
#include "gui/TFormRiscontro.h"
#include "gui/TInformazioni.h"
#include "model/TDM.h"
#include "print/Stampa.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QSvgWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <iterator>

namespace valmora::gui {

namespace {

constexpr const char* kVersioneFile = "040106";

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QDate toQDate(Date d) {
    return d.isNull() ? QDate() : QDate(d.year(), d.month(), d.day());
}

// A hint "short|long": the short part is the tooltip, the long part goes to status panel 0.
void hint(QWidget* w, const QString& h) {
    w->setToolTip(TFormMaster::parteBreve(h));
    w->setStatusTip(TFormMaster::parteLunga(h));
}

QIcon icona(const char* name) {
    return QIcon(QStringLiteral(":/icone/%1.svg").arg(QLatin1String(name)));
}

QFont arial(int pixels, bool bold = false, bool italic = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void riempi(QComboBox* box, const StringList& voci) {
    box->clear();
    for (const std::string& v : voci.items())
        box->addItem(QString::fromStdString(v));
}

void seleziona(QComboBox* box, const std::string& text) {
    const int at = box->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(at);
    if (box->isEditable())
        box->setEditText(QString::fromStdString(text));
}

} // namespace

QString TFormMaster::parteLunga(const QString& h) {
    const qsizetype bar = h.indexOf(QLatin1Char('|'));
    return bar < 0 ? h : h.mid(bar + 1);
}

QString TFormMaster::parteBreve(const QString& h) {
    const qsizetype bar = h.indexOf(QLatin1Char('|'));
    return bar < 0 ? h : h.left(bar);
}

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
    recenti_ = new ContiRecenti(*store_, MenuConto, Esci1, [this](const QString& file) { ApriRecente(file); }, this);
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
// Layout

void TFormMaster::creaMenu() {
    auto azione = [this](QMenu* menu, const QString& text, const QKeySequence& key, const QString& h) {
        auto* a = new QAction(text, this);
        if (!key.isEmpty())
            a->setShortcut(key);
        a->setStatusTip(h);
        a->setToolTip(h);
        menu->addAction(a);
        // Also on the window, so the shortcut works whatever the menu bar shows.
        addAction(a);
        return a;
    };
    MenuConto = menuBar()->addMenu(QStringLiteral("&Conto"));
    Nuovo1 = azione(MenuConto, QStringLiteral("&Nuovo"), QKeySequence(Qt::CTRL | Qt::Key_N),
                    QStringLiteral("Creare un nuovo conto"));
    NuovoAnno1 =
        azione(MenuConto, QStringLiteral("N&uovo Anno"), {}, QStringLiteral("Riportare il saldo in un nuovo conto"));
    Apri1 = azione(MenuConto, QStringLiteral("&Apri"), QKeySequence(Qt::CTRL | Qt::Key_A),
                   QStringLiteral("Aprire un conto esistente"));
    Salva1 = azione(MenuConto, QStringLiteral("&Salva"), QKeySequence(Qt::CTRL | Qt::Key_S),
                    QStringLiteral("Salva le modifiche effettuate"));
    Esporta1 = azione(MenuConto, QStringLiteral("Es&porta"), {},
                      QStringLiteral("Salva il conto in una nuova cartella (o unità)"));
    Importa1 = azione(MenuConto, QStringLiteral("&Importa"), {},
                      QStringLiteral("Importare un conto creato con una versione precedente di Valmora"));
    Chiudi1 = azione(MenuConto, QStringLiteral("&Chiudi"), {}, QStringLiteral("Chiude il Conto attivo"));
    MenuConto->addSeparator();
    StampaRiepilogo1 = azione(MenuConto, QStringLiteral("Stampa &Riepilogo Mensile ..."), {},
                              QStringLiteral("Stampa un riepilogo mensile dei movimenti"));
    RiscontroBanca1 = azione(MenuConto, QStringLiteral("Riscontro con la banca..."), {},
                             QStringLiteral("Confronta il conto con l'elenco dei movimenti della banca"));
    Password1 =
        azione(MenuConto, QStringLiteral("&Password..."), {}, QStringLiteral("Impostare una password di sicurezza"));
    MenuConto->addSeparator();
    Esci1 = azione(MenuConto, QStringLiteral("&Esci"), QKeySequence(Qt::ALT | Qt::Key_F4),
                   QStringLiteral("Chiude l'applicazione"));

    MenuModifica = menuBar()->addMenu(QStringLiteral("&Modifica"));
    MenuInserisci = MenuModifica->addMenu(QStringLiteral("&Inserisci"));
    MenuInserisci->menuAction()->setStatusTip(QStringLiteral("Inserire un movimento"));
    const auto ctrlAlt = [](Qt::Key k) { return QKeySequence(Qt::CTRL | Qt::ALT | k); };
    Accredito1 = azione(MenuInserisci, QStringLiteral("&Accredito"), ctrlAlt(Qt::Key_A),
                        QStringLiteral("Inserisce un accredito"));
    Prelievo1 =
        azione(MenuInserisci, QStringLiteral("&Prelievo"), ctrlAlt(Qt::Key_P), QStringLiteral("Inserisce un prelievo"));
    Addebito1 =
        azione(MenuInserisci, QStringLiteral("A&ddebito"), ctrlAlt(Qt::Key_D), QStringLiteral("Inserisce un addebito"));
    Imposta1 =
        azione(MenuInserisci, QStringLiteral("&Imposta"), ctrlAlt(Qt::Key_I), QStringLiteral("Inserisce un'imposta"));
    FuoriConto1 = azione(MenuInserisci, QStringLiteral("&Fuori Conto"), ctrlAlt(Qt::Key_F),
                         QStringLiteral("Inserisce un movimento Fuori Conto"));
    Elimina1 = azione(MenuModifica, QStringLiteral("&Elimina"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
                      QStringLiteral("Eliminare l'operazione selezionata"));
    Modifica1 = azione(MenuModifica, QStringLiteral("&Modifica"), QKeySequence(Qt::CTRL | Qt::Key_M),
                       QStringLiteral("Modificare l'operazione selezionata"));
    MenuModifica->addSeparator();
    Impostazioni1 = azione(MenuModifica, QStringLiteral("Im&postazioni..."), QKeySequence(Qt::CTRL | Qt::Key_I),
                           QStringLiteral("Configurare le impostazioni generali del Conto"));

    MenuVisualizza = menuBar()->addMenu(QStringLiteral("&Visualizza"));
    auto spunta = [&](const QString& text, const QKeySequence& key, const QString& h, bool checked,
                      VoceVisualizza voce) {
        QAction* a = azione(MenuVisualizza, text, key, h);
        a->setCheckable(true);
        a->setChecked(checked);
        connect(a, &QAction::triggered, this, [this, voce] { comando([this, voce] { Dettagli1Click(voce); }); });
        return a;
    };
    BarraOperazioni1 = spunta(QStringLiteral("Barra &Operazioni"), {},
                              QStringLiteral("Visualizza/Nasconde i pulsanti di inserimento movimenti"), true,
                              VoceVisualizza::BarraOperazioni);
    BarraFiltri1 = spunta(QStringLiteral("Barra &Filtri"), {},
                          QStringLiteral("Visualizza/Nasconde i controlli per filtrare i movimenti"), true,
                          VoceVisualizza::BarraFiltri);
    SchermoIntero1 = spunta(QStringLiteral("Schermo &Intero"), QKeySequence(Qt::CTRL | Qt::Key_H),
                            QStringLiteral("Elenco Movimenti a tutto schermo"), false, VoceVisualizza::SchermoIntero);
    MenuVisualizza->addSeparator();
    Dettagli1 = spunta(QStringLiteral("&Dettagli Operazioni"), {},
                       QStringLiteral("Visualizza/Nasconde il riepilogo dei valori delle singole operazioni"), true,
                       VoceVisualizza::DettagliOperazioni);
    GraficoSaldo1 =
        spunta(QStringLiteral("Grafico &Saldo"), {},
               QStringLiteral("Visualizza/Nasconde l'andamento grafico del Saldo"), true, VoceVisualizza::GraficoSaldo);
    GraficoFC1 = spunta(QStringLiteral("Grafico Fuori &Conto"), {},
                        QStringLiteral("Visualizza/Nasconde l'andamento grafico delle operazioni Fuori Conto"), true,
                        VoceVisualizza::GraficoFuoriConto);
    PercentualeOperazioni1 =
        spunta(QStringLiteral("&Percentuale Operazioni"), {},
               QStringLiteral("Visualizza/Nasconde la rappresentazione grafica dei movimenti in percentuale"), true,
               VoceVisualizza::PercentualeOperazioni);
    MenuVisualizza->addSeparator();
    RiassuntoScalare1 =
        azione(MenuVisualizza, QStringLiteral("Riassunto &scalare..."), {},
               QStringLiteral("Interessi, giacenza media e imposta di bollo per valuta, da confrontare con la banca"));
    ColonnaSaldo1 = azione(MenuVisualizza, QStringLiteral("Colonna Sa&ldo"), {},
                           QStringLiteral("Visualizza/Nasconde il saldo per valuta dopo ogni movimento"));
    ColonnaSaldo1->setCheckable(true);
    ColonnaSaldo1->setChecked(true);
    connect(ColonnaSaldo1, &QAction::toggled, this, [this](bool on) { ColonnaSaldo1Click(on); });

    MenuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    Contenuti1 = azione(MenuHelp, QStringLiteral("&Contenuti"), QKeySequence(Qt::Key_F1),
                        QStringLiteral("Guida all'uso del programma"));
    CondizionidiUtilizzo1 = azione(MenuHelp, QStringLiteral("Condizioni di Utilizzo ..."), {}, {});
    Informazionisu1 =
        azione(MenuHelp, QStringLiteral("&Informazioni su..."), {}, QStringLiteral("Informazioni generali"));

    const auto collega = [this](QAction* a, std::function<void()> f) {
        connect(a, &QAction::triggered, this, [this, f = std::move(f)] { comando(f); });
    };
    const auto altrove = [this](std::function<void()> TFormMaster::*member) {
        return [this, member] {
            if (this->*member)
                (this->*member)();
        };
    };
    collega(Nuovo1, [this] { motore_.Nuovo1Click(); });
    collega(NuovoAnno1, [this] { motore_.NuovoAnno1Click(); });
    collega(Apri1, [this] { motore_.Apri1Click(); });
    collega(Salva1, [this] { motore_.Salva1Click(); });
    collega(Esporta1, [this] { motore_.Esporta1Click(); });
    collega(Importa1, [this] { motore_.Importa1Click(); });
    collega(Chiudi1, [this] {
        motore_.Chiudi1Click(true);
        // "&Chiudi" also closes the calendar window.
        if (!contoAperto())
            Calendario->close();
    });
    collega(Password1, [this] { motore_.Password1Click(); });
    collega(Impostazioni1, altrove(&TFormMaster::Impostazioni1Click));
    collega(StampaRiepilogo1, [this] { StampaRiepilogo1Click(); });
    collega(RiassuntoScalare1, [this] { RiassuntoScalare1Click(); });
    collega(RiscontroBanca1, [this] { RiscontroBanca1Click(); });
    collega(Esci1, [this] { Esci1Click(); });
    collega(Accredito1, [this] { InserisciComando(TipoInserimento::Accredito); });
    collega(Prelievo1, [this] { InserisciComando(TipoInserimento::Prelievo); });
    collega(Addebito1, [this] { InserisciComando(TipoInserimento::Addebito); });
    collega(Imposta1, [this] { InserisciComando(TipoInserimento::Imposta); });
    collega(FuoriConto1, [this] { InserisciComando(TipoInserimento::FuoriConto); });
    collega(Elimina1, [this] { SpeedEliminaClick(); });
    collega(Modifica1, [this] { SpeedModificaClick(); });
    collega(Contenuti1, [this] { ui_.openHelp(0); });
    collega(CondizionidiUtilizzo1, [this] { CondizionidiUtilizzo1Click(); });
    collega(Informazionisu1, [this] { Informazionisu1Click(); });
    connect(MenuConto, &QMenu::aboutToShow, this, [this] { File1Click(); });

    PopupGriglia = new QMenu(this);
    PopModifica = PopupGriglia->addAction(QStringLiteral("Modifica"));
    PopElimina = PopupGriglia->addAction(QStringLiteral("Elimina"));
    PopupGriglia->addSeparator();
    PopStampa = PopupGriglia->addAction(QStringLiteral("Stampa"));
    collega(PopModifica, [this] { SpeedModificaClick(); });
    collega(PopElimina, [this] { SpeedEliminaClick(); });
    collega(PopStampa, [this] { StampaRiepilogo1Click(); });
}

void TFormMaster::creaBarraSpeed() {
    BarraSpeed = new QToolBar(QStringLiteral("BarraSpeed"), CoolBar);
    BarraSpeed->setObjectName(QStringLiteral("BarraSpeed"));
    BarraSpeed->setMovable(false);
    BarraSpeed->setIconSize(QSize(24, 24));
    const auto bottone = [this](const char* name, const char* image, const QString& h) {
        auto* b = new QToolButton(BarraSpeed);
        b->setObjectName(QLatin1String(name));
        b->setIcon(icona(image));
        b->setAutoRaise(true);
        b->setFixedWidth(35);
        hint(b, h);
        BarraSpeed->addWidget(b);
        return b;
    };
    TEsci = bottone("TEsci", "esci", QStringLiteral("Esci|Chiude l'applicazione"));
    TSalva = bottone("TSalva", "salva", QStringLiteral("Salva|Salva le modifiche effettuate"));
    BarraSpeed->addSeparator();
    TDepositi = bottone("TDepositi", "accredito", QStringLiteral("Accredito|Inserisce un Accredito"));
    TPrelievi = bottone("TPrelievi", "prelievo", QStringLiteral("Prelievo|Inserisce un Prelievo"));
    TAddebiti = bottone("TAddebiti", "addebito", QStringLiteral("Addebito|Inserisce un Addebito"));
    TImposte = bottone("TImposte", "imposta", QStringLiteral("Imposta|Inserisce un'Imposta"));
    TContante = bottone("TContante", "fuoriconto", QStringLiteral("Fuori Conto|Inserisce un'operazione Fuori Conto"));
    BarraSpeed->addSeparator();
    TScalare = bottone("TScalare", "scalare",
                       QStringLiteral("Riassunto scalare|Interessi, giacenza media e imposta di bollo per valuta"));
    BarraSpeed->addSeparator();
    auto* spazio = new QWidget(BarraSpeed);
    spazio->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    BarraSpeed->addWidget(spazio);
    LabelCrediti = new QLabel(QStringLiteral("Valmora: realizzato in C++ con Qt"), BarraSpeed);
    LabelCrediti->setObjectName(QStringLiteral("LabelCrediti"));
    QAction* crediti = BarraSpeed->addWidget(LabelCrediti);
    crediti->setVisible(false);
    LabelCrediti->setProperty("azione", QVariant::fromValue(static_cast<QObject*>(crediti)));
    LLogo = new QLabel(QStringLiteral("Istituto Bancario"), BarraSpeed);
    LLogo->setObjectName(QStringLiteral("LLogo"));
    LLogo->setFont(arial(19, false, true));
    LLogo->setFixedWidth(330);
    LLogo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    BarraSpeed->addWidget(LLogo);
    BarraSpeed->installEventFilter(this);

    connect(TEsci, &QToolButton::clicked, this, [this] { Esci1Click(); });
    connect(TSalva, &QToolButton::clicked, this, [this] { comando([this] { motore_.Salva1Click(); }); });
    connect(TDepositi, &QToolButton::clicked, this, [this] { InserisciComando(TipoInserimento::Accredito); });
    connect(TPrelievi, &QToolButton::clicked, this, [this] { InserisciComando(TipoInserimento::Prelievo); });
    connect(TAddebiti, &QToolButton::clicked, this, [this] { InserisciComando(TipoInserimento::Addebito); });
    connect(TImposte, &QToolButton::clicked, this, [this] { InserisciComando(TipoInserimento::Imposta); });
    connect(TContante, &QToolButton::clicked, this, [this] { InserisciComando(TipoInserimento::FuoriConto); });
    connect(TScalare, &QToolButton::clicked, this, [this] { RiassuntoScalare1Click(); });
}

void TFormMaster::creaBarraQuery() {
    BarraQuery = new QToolBar(QStringLiteral("BarraQuery"), CoolBar);
    BarraQuery->setObjectName(QStringLiteral("BarraQuery"));
    BarraQuery->setMovable(false);
    BarraQuery->setIconSize(QSize(20, 20));
    const QString navyCombo = QStringLiteral("QComboBox { color: navy; background: #f4f8ff; }");
    const auto etichetta = [this](const QString& text, const QString& h) {
        auto* l = new QLabel(text, BarraQuery);
        l->setFont(arial(12));
        if (!h.isEmpty())
            hint(l, h);
        BarraQuery->addWidget(l);
        return l;
    };
    const auto combo = [&](const char* name, int width, bool editable, const QString& h) {
        auto* c = new QComboBox(BarraQuery);
        c->setObjectName(QLatin1String(name));
        c->setFixedWidth(width);
        c->setEditable(editable);
        if (editable) {
            c->setInsertPolicy(QComboBox::NoInsert);
            c->setCompleter(nullptr);
        }
        c->setStyleSheet(navyCombo);
        hint(c, h);
        BarraQuery->addWidget(c);
        return c;
    };
    LabelPeriodo = etichetta(
        QStringLiteral("Periodo "),
        QStringLiteral("Filtra la visualizzazione dei movimenti con Valuta compresa tra i mesi selezionati "));
    ComboData = combo("ComboData", 80, false, QStringLiteral("Seleziona Inizio"));
    Label1 = etichetta(QStringLiteral(" fino a"), {});
    Label1->setFixedWidth(35);
    ComboData2 = combo("ComboData2", 80, true, QStringLiteral("Seleziona Fine"));
    BarraQuery->addSeparator();
    LabelOperazione =
        etichetta(QStringLiteral("Operazione "),
                  QStringLiteral("Filtra la visualizzazione dei movimenti con l' Operazione selezionata"));
    ComboOperazioni =
        combo("ComboOperazioni", 88, false,
              QStringLiteral("Operazioni visualizzate|Filtra i movimenti secondo l'Operazione visualizzata"));
    BarraQuery->addSeparator();
    Label4 = etichetta(QStringLiteral("Tipo "), {});
    ComboTipo = combo("ComboTipo", 123, false,
                      QStringLiteral("Tipo di Operazioni visualizzate|Filtra i movimenti a seconda del Tipo di "
                                     "Operazione scelto"));
    BarraQuery->addSeparator();
    LabelCerca = etichetta(QStringLiteral("Cerca "), {});
    LabelCerca->setStyleSheet(QStringLiteral("color: navy"));
    EditCerca = new QLineEdit(BarraQuery);
    EditCerca->setObjectName(QStringLiteral("EditCerca"));
    EditCerca->setFixedWidth(116);
    hint(EditCerca, QStringLiteral("Cerca Descrizioni da visualizzare|Visualizzare movimenti la cui Descrizione "
                                   "inizia con il testo specificato"));
    BarraQuery->addWidget(EditCerca);
    TBCerca = new QToolButton(BarraQuery);
    TBCerca->setObjectName(QStringLiteral("TBCerca"));
    TBCerca->setText(QStringLiteral("&Vai"));
    TBCerca->setIcon(icona("cerca"));
    TBCerca->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    TBCerca->setAutoRaise(true);
    hint(TBCerca, QStringLiteral("Avvia la ricerca|Avvia la ricerca"));
    BarraQuery->addWidget(TBCerca);
    BarraQuery->addSeparator();
    TCalendario = new QToolButton(BarraQuery);
    TCalendario->setObjectName(QStringLiteral("TCalendario"));
    TCalendario->setIcon(icona("calendario"));
    TCalendario->setCheckable(true);
    TCalendario->setAutoRaise(true);
    TCalendario->setFixedWidth(25);
    hint(TCalendario, QStringLiteral("Visualizza il calendario"));
    BarraQuery->addWidget(TCalendario);

    // The user's changes only: the bar is refilled from the engine with signals blocked.
    connect(ComboData, &QComboBox::currentIndexChanged, this, [this] { ComboDataChange(MittenteFiltro::ComboData); });
    connect(ComboData2, &QComboBox::currentTextChanged, this, [this] { ComboDataChange(MittenteFiltro::ComboData2); });
    connect(ComboOperazioni, &QComboBox::currentIndexChanged, this, [this] { ComboOperazioniChange(); });
    connect(ComboTipo, &QComboBox::currentIndexChanged, this, [this] { ComboTipoChange(); });
    connect(TBCerca, &QToolButton::clicked, this, [this] { TBCercaClick(); });
    // Enter in the search box searches, as "&Vai" does.
    connect(EditCerca, &QLineEdit::returnPressed, this, [this] { TBCercaClick(); });
    connect(TCalendario, &QToolButton::toggled, this, [this](bool on) { TCalendarioClick(on); });
}

void TFormMaster::creaPannelli() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The cool bar: two bands, one toolbar each; it shrinks to the visible ones.
    CoolBar = new QWidget(central);
    CoolBar->setObjectName(QStringLiteral("CoolBar"));
    CoolBar->setAutoFillBackground(true);
    QPalette cp = CoolBar->palette();
    cp.setColor(QPalette::Window, QColor(212, 208, 200));
    CoolBar->setPalette(cp);
    auto* bands = new QVBoxLayout(CoolBar);
    bands->setContentsMargins(0, 0, 0, 0);
    bands->setSpacing(0);
    creaBarraSpeed();
    creaBarraQuery();
    bands->addWidget(BarraSpeed);
    bands->addWidget(BarraQuery);
    layout->addWidget(CoolBar);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    DBGrid1 = new QTableView(Splitter1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    modello = new LedgerTableModel(motore_.DM().MainTable, this);
    modello->impostaOrologio(&clock_);
    DBGrid1->setModel(modello);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    DBGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->verticalHeader()->setDefaultSectionSize(17);
    DBGrid1->verticalHeader()->setFixedWidth(12);
    DBGrid1->horizontalHeader()->setMinimumSectionSize(0);
    DBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    DBGrid1->horizontalHeader()->setHighlightSections(false);
    DBGrid1->setWordWrap(false);
    // A stored grid width may be as small as one pixel.
    DBGrid1->setMinimumWidth(1);
    QFont gridFont(QStringLiteral("MS Sans Serif"));
    gridFont.setPixelSize(11);
    DBGrid1->setFont(gridFont);
    const int larghezze[] = {70, 70, 80, 70, 100, 100, 285};
    static_assert(std::size(larghezze) == LedgerTableModel::NumeroColonne);
    for (int c = 0; c < LedgerTableModel::NumeroColonne; ++c)
        DBGrid1->setColumnWidth(c, larghezze[c]);
    DBGrid1->horizontalHeader()->setFont(gridFont);
    DBGrid1->installEventFilter(this);
    // Any width TIPO is given, by the user or the program, is the one it takes back when there is room.
    larghezzaTipo_ = DBGrid1->columnWidth(LedgerTableModel::TIPO);
    connect(DBGrid1->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int colonna, int, int larghezza) {
        if (colonna == LedgerTableModel::TIPO)
            larghezzaTipo_ = larghezza;
    });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] { comando([this] { SpeedModificaClick(); }); });
    connect(DBGrid1, &QTableView::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupGriglia->popup(DBGrid1->viewport()->mapToGlobal(pos)); });
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && !modello->sospeso())
                    modello->rendiCorrente(current.row());
            });
    connect(modello, &LedgerTableModel::rigaCorrenteCambiata, this, [this](int row) {
        const QModelIndex index = modello->index(row, 1);
        DBGrid1->selectionModel()->setCurrentIndex(index,
                                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    });

    PannelloValori = new QWidget(Splitter1);
    PannelloValori->setObjectName(QStringLiteral("PannelloValori"));
    auto* pannello = new QHBoxLayout(PannelloValori);
    pannello->setContentsMargins(0, 0, 0, 0);
    pannello->setSpacing(0);
    Griglia = new GrigliaValori(PannelloValori);
    pannello->addWidget(Griglia);
    auto* destra = new QVBoxLayout;
    destra->setContentsMargins(0, 0, 0, 0);
    destra->setSpacing(0);
    ScrollGrafici = new QScrollArea(PannelloValori);
    ScrollGrafici->setObjectName(QStringLiteral("ScrollGrafici"));
    ScrollGrafici->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The charts take the panel's width and height; at the window's smallest they still show their curves.
    ScrollGrafici->setMinimumWidth(90);
    ScrollGrafici->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    ScrollGrafici->viewport()->installEventFilter(this);
    ContenitoreGrafici = new QWidget;
    Chart1 = new GraficoLinea(QStringLiteral("Saldo (Migliaia di €)"), QColor(255, 255, 128), ContenitoreGrafici);
    Chart1->setObjectName(QStringLiteral("Chart1"));
    ChartFC =
        new GraficoLinea(QStringLiteral("Fuori Conto (Migliaia di €)"), QColor(183, 255, 183), ContenitoreGrafici);
    ChartFC->setObjectName(QStringLiteral("ChartFC"));
    ChartMovimenti = new GraficoTorta(ContenitoreGrafici);
    ChartMovimenti->setObjectName(QStringLiteral("ChartMovimenti"));
    ScrollGrafici->setWidget(ContenitoreGrafici);
    destra->addWidget(ScrollGrafici, 1);
    auto* striscia = new QWidget(PannelloValori);
    striscia->setFixedHeight(39);
    auto* logoLayout = new QHBoxLayout(striscia);
    logoLayout->setContentsMargins(6, 2, 6, 2);
    auto* logo = new QSvgWidget(QStringLiteral(":/icone/logo.svg"), striscia);
    logo->setFixedSize(30, 30);
    auto* nome = new QLabel(QStringLiteral("Valmora"), striscia);
    nome->setFont(arial(21, true, true));
    nome->setStyleSheet(QStringLiteral("color: teal"));
    // At the window's smallest the name gives way, not the ledger.
    nome->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    logoLayout->addWidget(logo);
    logoLayout->addWidget(nome, 1);
    destra->addWidget(striscia);
    pannello->addLayout(destra, 1);
    Splitter1->addWidget(DBGrid1);
    Splitter1->addWidget(PannelloValori);
    // A window made wider or narrower widens or narrows the ledger: the totals keep what they had.
    Splitter1->setStretchFactor(0, 1);
    Splitter1->setStretchFactor(1, 0);
    connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });
    Splitter1->installEventFilter(this);
    layout->addWidget(Splitter1, 1);
    setCentralWidget(central);
    impilaGrafici();
}

void TFormMaster::creaStatusBar() {
    const int widths[4] = {400, 150, 150, 150};
    for (int i = 0; i < 4; ++i) {
        StatusPanel[i] = new QLabel(statusBar());
        StatusPanel[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        StatusPanel[i]->setFrameShape(QFrame::Panel);
        StatusPanel[i]->setFrameShadow(QFrame::Sunken);
        if (i == 0) {
            // Panel 0 takes what the other three leave.
            StatusPanel[i]->setMinimumWidth(1);
            statusBar()->addWidget(StatusPanel[i], 1);
        } else {
            StatusPanel[i]->setFixedWidth(widths[i]);
            statusBar()->addPermanentWidget(StatusPanel[i]);
        }
    }
    StatusPanel[3]->setFixedWidth(widths[3] + 60); // the long date in full
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
        RicordaLarghezze(*store_, *DBGrid1);
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

void TFormMaster::ApriRecente(const QString& file) {
    // As "&Apri" does, with the file dialog answered by the account chosen.
    comando([this, file] {
        ui_.queueFile(file.toStdString());
        motore_.Apri1Click();
    });
}

void TFormMaster::ColonnaSaldo1Click(bool visibile) {
    DBGrid1->setColumnHidden(LedgerTableModel::SALDO, !visibile);
    store_->setValue(QStringLiteral("ColonnaSaldo"), visibile);
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

void TFormMaster::impilaGrafici() {
    if (!ChartMovimenti)
        return; // the panel is still being made
    const LayoutVista& l = motore_.Layout();
    // The stacked heights are the smallest: a taller panel grows every chart in proportion, a shorter one
    // scrolls; the charts are as wide as the panel leaves them.
    const QWidget* vista = ScrollGrafici->viewport();
    const int naturale = l.altezzaChart1 + l.altezzaChartFC + l.altezzaChartMovimenti;
    const double scala = naturale > 0 ? std::max(1.0, static_cast<double>(vista->height()) / naturale) : 1.0;
    const auto alta = [scala](int altezza) { return static_cast<int>(altezza * scala); };
    const int larghezza = std::max(1, vista->width());
    const int h1 = alta(l.altezzaChart1);
    const int hFC = alta(l.altezzaChartFC);
    const int hMovimenti = alta(l.altezzaChartMovimenti);
    const int top1 = alta(l.topChart1);
    Chart1->setGeometry(0, top1, larghezza, h1);
    ChartFC->setGeometry(0, top1 + h1, larghezza, hFC);
    ChartMovimenti->setGeometry(0, top1 + h1 + hFC, larghezza, hMovimenti);
    Chart1->setVisible(l.altezzaChart1 > 0);
    ChartFC->setVisible(l.altezzaChartFC > 0);
    ChartMovimenti->setVisible(l.altezzaChartMovimenti > 0);
    ContenitoreGrafici->setFixedSize(larghezza, std::max(1, h1 + hFC + hMovimenti));
}

void TFormMaster::applicaVista() {
    const SpuntaVisualizza& sp = motore_.Spunte();
    const std::pair<QAction*, bool> marks[] = {
        {Dettagli1, sp.DettagliOperazioni},     {GraficoSaldo1, sp.GraficoSaldo},
        {GraficoFC1, sp.GraficoFuoriConto},     {PercentualeOperazioni1, sp.PercentualeOperazioni},
        {BarraOperazioni1, sp.BarraOperazioni}, {BarraFiltri1, sp.BarraFiltri},
        {SchermoIntero1, sp.SchermoIntero}};
    for (const auto& [action, checked] : marks)
        action->setChecked(checked);
    const LayoutVista& l = motore_.Layout();
    Griglia->setVisible(l.grigliaValoriVisibile);
    BarraSpeed->setVisible(l.barraSpeedVisibile);
    BarraQuery->setVisible(l.barraQueryVisibile);
    impilaGrafici();
    // In full-screen mode DATA is as wide as VALUTA, which fits its dates.
    DBGrid1->setColumnWidth(LedgerTableModel::DATA,
                            l.larghezzaColonna0 > 0 ? DBGrid1->columnWidth(LedgerTableModel::VALUTA) : 0);
    PannelloValori->setVisible(l.pannelloValoriVisibile);
    if (l.pannelloValoriVisibile)
        Splitter1->setSizes({l.larghezzaGriglia, std::max(1, Splitter1->width() - l.larghezzaGriglia)});
    else
        Splitter1->setSizes({l.larghezzaGriglia, 0});
    lasciaVedereImporti();
}

void TFormMaster::lasciaVedereImporti() {
    if (!contoAperto() || !DBGrid1->isVisible() || Splitter1->count() != 2)
        return;
    const int necessaria = LarghezzaFinoAImporto(*DBGrid1, larghezzaTipo_);
    QList<int> larghezze = Splitter1->sizes();
    if (!PannelloValori->isHidden()) {
        const int margine = larghezze[1] - PannelloValori->minimumSizeHint().width();
        // A narrower window first narrows the totals panel down to its smallest, then the ledger.
        const int dare = std::min(necessaria - larghezze[0], margine);
        if (dare > 0) {
            larghezze[0] += dare;
            larghezze[1] -= dare;
            Splitter1->setSizes(larghezze);
        }
    }
    // What the panel could not give, TIPO gives: the amounts stay whole; with room again TIPO is as wide as asked.
    const int mancante = std::max(0, necessaria - larghezze[0]);
    const int voluta = larghezzaTipo_;
    DBGrid1->setColumnWidth(LedgerTableModel::TIPO, std::max(0, voluta - mancante));
    larghezzaTipo_ = voluta;
}

void TFormMaster::Dettagli1Click(VoceVisualizza voce) {
    motore_.Dettagli1Click(voce);
    applicaVista();
}

void TFormMaster::Splitter1Moved() {
    motore_.Splitter1Moved(DBGrid1->width());
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
        QMetaObject::invokeMethod(this, [this] { lasciaVedereImporti(); }, Qt::QueuedConnection);
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

// ---------------------------------------------------------------------------------------------
// Commands

void TFormMaster::selezioneACorrente() {
    const QModelIndex current = DBGrid1->currentIndex();
    if (current.isValid())
        modello->rendiCorrente(current.row());
}

void TFormMaster::InserisciComando(TipoInserimento tipo) {
    if (!contoAperto())
        return;
    comando([this, tipo] { entry().ComandoInserimento(tipo); });
}

void TFormMaster::SpeedModificaClick() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    comando([this] { entry().SpeedModificaClick(); });
}

void TFormMaster::SpeedEliminaClick() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    comando([this] { entry().SpeedEliminaClick(); });
}

void TFormMaster::File1Click() {
    Salva1->setEnabled(contoAperto() && motore_.File1Click());
}

void TFormMaster::Esci1Click() {
    close();
}

void TFormMaster::Informazionisu1Click() {
    Informazioni->mostraInformazioni(q(Stato().TitoloProgramma), QString::fromLatin1(kVersioneFile));
}

void TFormMaster::CondizionidiUtilizzo1Click() {
#ifdef Q_OS_WIN
    const QString file = cartellaWindows_ + QDir::separator() + QStringLiteral("Licenza.txt");
#else
    const QString file = QDir::toNativeSeparators(fileLicenza());
#endif
    const QString error = Informazioni->mostraCondizioni(file);
    if (!error.isEmpty())
        ui_.message((QDir::toNativeSeparators(file) + QStringLiteral(": ") + error).toStdString(), Buttons::Ok);
}

void TFormMaster::TCalendarioClick(bool pressed) {
    if (pressed)
        Calendario->mostra(toQDate(clock_.today()));
    else
        Calendario->close();
}

void TFormMaster::RiscontroBanca1Click() {
    if (!contoAperto())
        return;
    std::optional<RiscontroAperto> aperto = RiscontroConBanca1Click(motore_, ui_);
    if (!aperto)
        return;
    if (!Riscontro)
        Riscontro = new TFormRiscontro(*this, ui_);
    Riscontro->mostra(std::move(*aperto));
}

void TFormMaster::StampaRiepilogo1Click() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    // A canvas chosen beforehand (a test's recorder, nobody at the keyboard) takes the report directly;
    // the user sees the pages first.
    if (ui_.stampaGiaScelta())
        comando([this] { Stampa1Click(motore_, ui_); });
    else
        comando([this] { AnteprimaRiepilogo(motore_, ui_, this); });
}

void TFormMaster::RiassuntoScalare1Click() {
    if (!contoAperto())
        return;
    if (!Scalare)
        Scalare = new TFormScalare(motore_, ui_, this);
    Scalare->mostra();
}

// ---------------------------------------------------------------------------------------------
// Filter bar

void TFormMaster::sincronizzaBarra() {
    syncingBar_ = true;
    const valmora::BarraQuery& b = filtro().Barra();
    seleziona(ComboData, b.ComboData);
    ComboData2->setEditText(QString::fromStdString(b.ComboData2));
    if (b.ComboData2.empty())
        ComboData2->setCurrentIndex(-1);
    ComboData2->setEnabled(b.ComboData2Abilitato);
    Label1->setEnabled(b.ComboData2Abilitato);
    seleziona(ComboOperazioni, b.ComboOperazioni);
    riempi(ComboTipo, b.ComboTipoVoci);
    seleziona(ComboTipo, b.ComboTipo);
    ComboTipo->setEnabled(b.ComboTipoAbilitato);
    Label4->setEnabled(b.ComboTipoAbilitato);
    syncingBar_ = false;
}

namespace {
void leggiBarra(BarraQuery& b, QComboBox* data, QComboBox* data2, QComboBox* operazioni, QComboBox* tipo,
                QLineEdit* cerca) {
    b.ComboData = data->currentText().toStdString();
    b.ComboData2 = data2->currentText().toStdString();
    b.ComboOperazioni = operazioni->currentText().toStdString();
    b.ComboTipo = tipo->currentIndex() < 0 ? std::string() : tipo->currentText().toStdString();
    b.EditCerca = cerca->text().toStdString();
}
} // namespace

void TFormMaster::ComboDataChange(MittenteFiltro mittente) {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this, mittente] { filtro().ComboDataChange(mittente); });
    sincronizzaBarra();
}

void TFormMaster::ComboOperazioniChange() {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().ComboOperazioniChange(); });
    sincronizzaBarra();
}

void TFormMaster::ComboTipoChange() {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().ComboTipoChange(); });
    sincronizzaBarra();
}

void TFormMaster::TBCercaClick() {
    if (!contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().TBCercaClick(); });
    sincronizzaBarra();
}

// ---------------------------------------------------------------------------------------------
// The engine's view updates

void TFormMaster::mostraTotali(const TotalsGrid& grid) {
    Griglia->mostra(grid);
}

void TFormMaster::svuotaGrafico(LedgerChart chart) {
    switch (chart) {
    case LedgerChart::Saldo:
        Chart1->svuota();
        break;
    case LedgerChart::FuoriConto:
        ChartFC->svuota();
        break;
    case LedgerChart::Movimenti:
        ChartMovimenti->svuota();
        break;
    }
}

void TFormMaster::aggiungiPunto(LedgerChart chart, const ChartPoint& point) {
    if (chart == LedgerChart::Saldo)
        Chart1->aggiungi(point);
    else if (chart == LedgerChart::FuoriConto)
        ChartFC->aggiungi(point);
}

void TFormMaster::aggiungiFetta(const PieSlice& slice) {
    ChartMovimenti->aggiungi(slice);
}

void TFormMaster::StatoTabella(const StatusNotices& notices) {
    StatusPanel[1]->setText(q(notices.modifiche));
    StatusPanel[2]->setText(q(notices.filtro));
    TSalva->setEnabled(notices.salvaAbilitato);
}

void TFormMaster::larghezzaColonnaTipo(int pixels) {
    DBGrid1->setColumnWidth(LedgerTableModel::TIPO, pixels);
    lasciaVedereImporti();
}

void TFormMaster::sospendiGriglia(bool suspended) {
    if (suspended) {
        if (gridSuspended_++ == 0)
            DBGrid1->setUpdatesEnabled(false);
        modello->sospendi(true);
        return;
    }
    if (gridSuspended_ == 0)
        return;
    modello->sospendi(false);
    if (--gridSuspended_ == 0)
        DBGrid1->setUpdatesEnabled(true);
}

void TFormMaster::impostaTitolo(const std::string& caption) {
    setWindowTitle(q(caption));
}

void TFormMaster::impostaIstituto(const std::string& text) {
    LLogo->setText(q(text));
}

void TFormMaster::mostraNuovoAnno(bool visible) {
    NuovoAnno1->setVisible(visible);
}

} // namespace valmora::gui
