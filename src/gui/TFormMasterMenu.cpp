// The main window's menus, its two toolbars (operations and filters) and its status bar, each item and
// button wired to the command it runs.

#include "gui/TFormMaster.h"

#include "gui/TFormCalendario.h"
#include "gui/TFormMasterInterno.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace valmora::gui {

namespace {

// A hint "short|long": the short part is the tooltip, the long part goes to status panel 0.
void hint(QWidget* w, const QString& h) {
    w->setToolTip(TFormMaster::parteBreve(h));
    w->setStatusTip(TFormMaster::parteLunga(h));
}

QIcon icona(const char* name) {
    return QIcon(QStringLiteral(":/icone/%1.svg").arg(QLatin1String(name)));
}

} // namespace

using namespace finestra_principale;

QString TFormMaster::parteLunga(const QString& h) {
    const qsizetype bar = h.indexOf(QLatin1Char('|'));
    return bar < 0 ? h : h.mid(bar + 1);
}

QString TFormMaster::parteBreve(const QString& h) {
    const qsizetype bar = h.indexOf(QLatin1Char('|'));
    return bar < 0 ? h : h.left(bar);
}

void TFormMaster::creaMenu() {
    creaMenuConto();
    creaMenuModifica();
    creaMenuVisualizza();
    creaMenuHelp();
    collegaMenu();
    creaPopupGriglia();
}

QAction* TFormMaster::voceDiMenu(QMenu* menu, const QString& text, const QKeySequence& key, const QString& h) {
    auto* a = new QAction(text, this);
    if (!key.isEmpty())
        a->setShortcut(key);
    a->setStatusTip(h);
    a->setToolTip(h);
    menu->addAction(a);
    // Also on the window, so the shortcut works whatever the menu bar shows.
    addAction(a);
    return a;
}

void TFormMaster::collegaComando(QAction* a, std::function<void()> f) {
    connect(a, &QAction::triggered, this, [this, f = std::move(f)] { comando(f); });
}

void TFormMaster::creaMenuConto() {
    MenuConto = menuBar()->addMenu(QStringLiteral("&Conto"));
    Nuovo1 = voceDiMenu(MenuConto, QStringLiteral("&Nuovo"), QKeySequence(Qt::CTRL | Qt::Key_N),
                        QStringLiteral("Creare un nuovo conto"));
    NuovoAnno1 = voceDiMenu(MenuConto, QStringLiteral("N&uovo Anno"), {},
                            QStringLiteral("Riportare il saldo in un nuovo conto"));
    Apri1 = voceDiMenu(MenuConto, QStringLiteral("&Apri"), QKeySequence(Qt::CTRL | Qt::Key_A),
                       QStringLiteral("Aprire un conto esistente"));
    Salva1 = voceDiMenu(MenuConto, QStringLiteral("&Salva"), QKeySequence(Qt::CTRL | Qt::Key_S),
                        QStringLiteral("Salva le modifiche effettuate"));
    Esporta1 = voceDiMenu(MenuConto, QStringLiteral("Es&porta"), {},
                          QStringLiteral("Salva il conto in una nuova cartella (o unità)"));
    Importa1 = voceDiMenu(MenuConto, QStringLiteral("&Importa"), {},
                          QStringLiteral("Importare un conto creato con una versione precedente di Valmora"));
    Chiudi1 = voceDiMenu(MenuConto, QStringLiteral("&Chiudi"), {}, QStringLiteral("Chiude il Conto attivo"));
    MenuConto->addSeparator();
    StampaRiepilogo1 = voceDiMenu(MenuConto, QStringLiteral("Stampa &Riepilogo Mensile ..."), {},
                                  QStringLiteral("Stampa un riepilogo mensile dei movimenti"));
    RiscontroBanca1 = voceDiMenu(MenuConto, QStringLiteral("Riscontro con la banca..."), {},
                                 QStringLiteral("Confronta il conto con l'elenco dei movimenti della banca"));
    Password1 = voceDiMenu(MenuConto, QStringLiteral("&Password..."), {},
                           QStringLiteral("Impostare una password di sicurezza"));
    MenuConto->addSeparator();
    Esci1 = voceDiMenu(MenuConto, QStringLiteral("&Esci"), QKeySequence(Qt::ALT | Qt::Key_F4),
                       QStringLiteral("Chiude l'applicazione"));
}

void TFormMaster::creaMenuModifica() {
    MenuModifica = menuBar()->addMenu(QStringLiteral("&Modifica"));
    MenuInserisci = MenuModifica->addMenu(QStringLiteral("&Inserisci"));
    MenuInserisci->menuAction()->setStatusTip(QStringLiteral("Inserire un movimento"));
    const auto ctrlAlt = [](Qt::Key k) { return QKeySequence(Qt::CTRL | Qt::ALT | k); };
    Accredito1 = voceDiMenu(MenuInserisci, QStringLiteral("&Accredito"), ctrlAlt(Qt::Key_A),
                            QStringLiteral("Inserisce un accredito"));
    Prelievo1 = voceDiMenu(MenuInserisci, QStringLiteral("&Prelievo"), ctrlAlt(Qt::Key_P),
                           QStringLiteral("Inserisce un prelievo"));
    Addebito1 = voceDiMenu(MenuInserisci, QStringLiteral("A&ddebito"), ctrlAlt(Qt::Key_D),
                           QStringLiteral("Inserisce un addebito"));
    Imposta1 = voceDiMenu(MenuInserisci, QStringLiteral("&Imposta"), ctrlAlt(Qt::Key_I),
                          QStringLiteral("Inserisce un'imposta"));
    FuoriConto1 = voceDiMenu(MenuInserisci, QStringLiteral("&Fuori Conto"), ctrlAlt(Qt::Key_F),
                             QStringLiteral("Inserisce un movimento Fuori Conto"));
    Elimina1 = voceDiMenu(MenuModifica, QStringLiteral("&Elimina"), QKeySequence(Qt::CTRL | Qt::Key_Delete),
                          QStringLiteral("Eliminare l'operazione selezionata"));
    Modifica1 = voceDiMenu(MenuModifica, QStringLiteral("&Modifica"), QKeySequence(Qt::CTRL | Qt::Key_M),
                           QStringLiteral("Modificare l'operazione selezionata"));
    MenuModifica->addSeparator();
    Impostazioni1 = voceDiMenu(MenuModifica, QStringLiteral("Im&postazioni..."), QKeySequence(Qt::CTRL | Qt::Key_I),
                               QStringLiteral("Configurare le impostazioni generali del Conto"));
}

void TFormMaster::creaMenuVisualizza() {
    MenuVisualizza = menuBar()->addMenu(QStringLiteral("&Visualizza"));
    auto spunta = [&](const QString& text, const QKeySequence& key, const QString& h, bool checked,
                      VoceVisualizza voce) {
        QAction* a = voceDiMenu(MenuVisualizza, text, key, h);
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
    RiassuntoScalare1 = voceDiMenu(
        MenuVisualizza, QStringLiteral("Riassunto &scalare..."), {},
        QStringLiteral("Interessi, giacenza media e imposta di bollo per valuta, da confrontare con la banca"));
    ColonnaSaldo1 = voceDiMenu(MenuVisualizza, QStringLiteral("Colonna Sa&ldo"), {},
                               QStringLiteral("Visualizza/Nasconde il saldo per valuta dopo ogni movimento"));
    ColonnaSaldo1->setCheckable(true);
    ColonnaSaldo1->setChecked(true);
    connect(ColonnaSaldo1, &QAction::toggled, this, [this](bool on) { ColonnaSaldo1Click(on); });
}

void TFormMaster::creaMenuHelp() {
    MenuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    Contenuti1 = voceDiMenu(MenuHelp, QStringLiteral("&Contenuti"), QKeySequence(Qt::Key_F1),
                            QStringLiteral("Guida all'uso del programma"));
    CondizionidiUtilizzo1 = voceDiMenu(MenuHelp, QStringLiteral("Condizioni di Utilizzo ..."), {}, {});
    Informazionisu1 =
        voceDiMenu(MenuHelp, QStringLiteral("&Informazioni su..."), {}, QStringLiteral("Informazioni generali"));
}

void TFormMaster::collegaMenu() {
    const auto altrove = [this](std::function<void()> TFormMaster::*member) {
        return [this, member] {
            if (this->*member)
                (this->*member)();
        };
    };
    collegaComando(Nuovo1, [this] { motore_.Nuovo1Click(); });
    collegaComando(NuovoAnno1, [this] { motore_.NuovoAnno1Click(); });
    collegaComando(Apri1, [this] { motore_.Apri1Click(); });
    collegaComando(Salva1, [this] { motore_.Salva1Click(); });
    collegaComando(Esporta1, [this] { motore_.Esporta1Click(); });
    collegaComando(Importa1, [this] { motore_.Importa1Click(); });
    collegaComando(Chiudi1, [this] {
        motore_.Chiudi1Click(true);
        // "&Chiudi" also closes the calendar window.
        if (!contoAperto())
            Calendario->close();
    });
    collegaComando(Password1, [this] { motore_.Password1Click(); });
    collegaComando(Impostazioni1, altrove(&TFormMaster::Impostazioni1Click));
    collegaComando(StampaRiepilogo1, [this] { StampaRiepilogo1Click(); });
    collegaComando(RiassuntoScalare1, [this] { RiassuntoScalare1Click(); });
    collegaComando(RiscontroBanca1, [this] { RiscontroBanca1Click(); });
    collegaComando(Esci1, [this] { Esci1Click(); });
    collegaComando(Accredito1, [this] { InserisciComando(TipoInserimento::Accredito); });
    collegaComando(Prelievo1, [this] { InserisciComando(TipoInserimento::Prelievo); });
    collegaComando(Addebito1, [this] { InserisciComando(TipoInserimento::Addebito); });
    collegaComando(Imposta1, [this] { InserisciComando(TipoInserimento::Imposta); });
    collegaComando(FuoriConto1, [this] { InserisciComando(TipoInserimento::FuoriConto); });
    collegaComando(Elimina1, [this] { SpeedEliminaClick(); });
    collegaComando(Modifica1, [this] { SpeedModificaClick(); });
    collegaComando(Contenuti1, [this] { ui_.openHelp(0); });
    collegaComando(CondizionidiUtilizzo1, [this] { CondizionidiUtilizzo1Click(); });
    collegaComando(Informazionisu1, [this] { Informazionisu1Click(); });
    connect(MenuConto, &QMenu::aboutToShow, this, [this] { File1Click(); });
}

void TFormMaster::creaPopupGriglia() {
    PopupGriglia = new QMenu(this);
    PopModifica = PopupGriglia->addAction(QStringLiteral("Modifica"));
    PopElimina = PopupGriglia->addAction(QStringLiteral("Elimina"));
    PopupGriglia->addSeparator();
    PopStampa = PopupGriglia->addAction(QStringLiteral("Stampa"));
    collegaComando(PopModifica, [this] { SpeedModificaClick(); });
    collegaComando(PopElimina, [this] { SpeedEliminaClick(); });
    collegaComando(PopStampa, [this] { StampaRiepilogo1Click(); });
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

} // namespace valmora::gui
