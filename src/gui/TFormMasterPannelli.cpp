// The main window's panels: the ledger grid beside the totals and the charts, how the view items lay
// them out, and the engine's updates of what they show.

#include "gui/TFormMaster.h"

#include "gui/ColonneRegistro.h"
#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormMasterInterno.h"
#include "model/TDM.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSplitter>
#include <QSvgWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace valmora::gui {

using namespace finestra_principale;

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
    creaGrigliaMovimenti();
    creaPannelloValori();
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

void TFormMaster::creaGrigliaMovimenti() {
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
}

void TFormMaster::creaPannelloValori() {
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
