#include "gui/TFormScalare.h"

#include "bank/ScalareReport.h"
#include "bank/ScalareTesto.h"
#include "gui/QtUserInterface.h"
#include "gui/canvas/PdfReport.h"
#include "mainwindow/FormMaster.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace valmora::gui {

namespace {

const QStringList kIntestazioni{QStringLiteral("Valuta"),
                                QStringLiteral("Al"),
                                QStringLiteral("Giorni"),
                                QStringLiteral("Saldo"),
                                QStringLiteral("Numeri creditori"),
                                QStringLiteral("Numeri debitori"),
                                QStringLiteral("Tasso"),
                                QStringLiteral("Interesse")};

constexpr int kAltezzaRiga = 22;

QDate aQDate(Date d) {
    return QDate(d.year(), d.month(), d.day());
}

Date daQDate(const QDate& d) {
    return Date::fromYmd(d.year(), d.month(), d.day()).value_or(Date());
}

QTableWidgetItem* cella(const std::string& testo, bool aDestra) {
    auto* item = new QTableWidgetItem(QString::fromStdString(testo));
    item->setTextAlignment(aDestra ? (Qt::AlignRight | Qt::AlignVCenter) : (Qt::AlignLeft | Qt::AlignVCenter));
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

QTableWidget* griglia(QWidget* parent, int colonne) {
    auto* g = new QTableWidget(0, colonne, parent);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(kAltezzaRiga);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    return g;
}

} // namespace

TFormScalare::TFormScalare(FormMaster& master, QtUserInterface& ui, QWidget* parent)
    : QDialog(parent), master_(master), ui_(ui), motore_(master, ui) {
    setObjectName(QStringLiteral("TFormScalare"));
    setWindowTitle(QStringLiteral("Riassunto scalare"));
    resize(860, 600);

    ComboPeriodo = new QComboBox(this);
    ComboPeriodo->setObjectName(QStringLiteral("ComboPeriodo"));
    ComboPeriodo->setMinimumWidth(280);
    const auto casellaData = [this](const char* nome) {
        auto* e = new QDateEdit(this);
        e->setObjectName(QLatin1String(nome));
        e->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
        e->setCalendarPopup(true);
        return e;
    };
    EDal = casellaData("EDal");
    EAl = casellaData("EAl");
    const auto bottone = [this](const char* nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(QLatin1String(nome));
        b->setAutoDefault(false);
        return b;
    };
    BCalcola = bottone("BCalcola", QStringLiteral("&Calcola"));
    BStampa = bottone("BStampa", QStringLiteral("&Stampa..."));
    BPdf = bottone("BPdf", QStringLiteral("Salva &PDF..."));
    BCopia = bottone("BCopia", QStringLiteral("Copia &CSV"));
    BChiudi = bottone("BChiudi", QStringLiteral("C&hiudi"));

    GrigliaScalare = griglia(this, static_cast<int>(kIntestazioni.size()));
    GrigliaScalare->setObjectName(QStringLiteral("GrigliaScalare"));
    GrigliaScalare->setHorizontalHeaderLabels(kIntestazioni);
    GrigliaScalare->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GrigliaTotali = griglia(this, 2);
    GrigliaTotali->setObjectName(QStringLiteral("GrigliaTotali"));
    GrigliaTotali->horizontalHeader()->hide();
    GrigliaTotali->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    GrigliaTotali->setFixedHeight(8 * kAltezzaRiga + 4);

    auto* periodo = new QHBoxLayout;
    periodo->addWidget(new QLabel(QStringLiteral("Periodo:"), this));
    periodo->addWidget(ComboPeriodo);
    periodo->addSpacing(12);
    periodo->addWidget(new QLabel(QStringLiteral("dal"), this));
    periodo->addWidget(EDal);
    periodo->addWidget(new QLabel(QStringLiteral("al"), this));
    periodo->addWidget(EAl);
    periodo->addWidget(BCalcola);
    periodo->addStretch();
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(BStampa);
    comandi->addWidget(BPdf);
    comandi->addWidget(BCopia);
    comandi->addStretch();
    comandi->addWidget(BChiudi);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(periodo);
    tutto->addWidget(GrigliaScalare, 1);
    tutto->addWidget(GrigliaTotali);
    tutto->addLayout(comandi);

    connect(ComboPeriodo, &QComboBox::activated, this, [this](int i) { ComboPeriodoChange(i); });
    connect(BCalcola, &QPushButton::clicked, this, [this] { BCalcolaClick(); });
    connect(BStampa, &QPushButton::clicked, this, [this] { BStampaClick(); });
    connect(BPdf, &QPushButton::clicked, this, [this] { BPdfClick(); });
    connect(BCopia, &QPushButton::clicked, this, [this] { BCopiaClick(); });
    connect(BChiudi, &QPushButton::clicked, this, &QDialog::close);
}

void TFormScalare::mostra() {
    ui_.esegui([this] {
        motore_.FormShow();
        const QSignalBlocker fermo(ComboPeriodo);
        ComboPeriodo->clear();
        for (const PeriodoScalare& p : motore_.Periodi())
            ComboPeriodo->addItem(QString::fromStdString(p.nome));
        mostraRiassunto();
    });
    show();
    raise();
}

void TFormScalare::ComboPeriodoChange(int indice) {
    if (indice < 0)
        return;
    ui_.esegui([this, indice] { motore_.ComboPeriodoChange(static_cast<std::size_t>(indice)); });
    mostraRiassunto();
}

void TFormScalare::BCalcolaClick() {
    ui_.esegui([this] { motore_.CalcolaClick(daQDate(EDal->date()), daQDate(EAl->date())); });
    mostraRiassunto();
}

void TFormScalare::BStampaClick() {
    ui_.esegui([this] { motore_.StampaClick(); });
}

void TFormScalare::BPdfClick() {
    const auto& r = motore_.Riassunto();
    if (!r)
        return;
    ui_.esegui([this, &r] {
        FileDialogRequest richiesta{"Salva il riassunto scalare", master_.Stato().CartellaConto, "Scalare.pdf", "*.pdf",
                                    "pdf"};
        const std::optional<std::string> file = ui_.askSaveFile(richiesta);
        if (!file)
            return;
        const std::string istituto = motore_.Istituto();
        renderToPdf(*file, "Riassunto scalare", [&](ReportCanvas& canvas) { StampaScalare(*r, istituto, canvas); });
    });
}

void TFormScalare::BCopiaClick() {
    const std::string csv = motore_.CsvTesto();
    if (!csv.empty())
        QGuiApplication::clipboard()->setText(QString::fromStdString(csv));
}

void TFormScalare::mostraRiassunto() {
    {
        const QSignalBlocker a(EDal);
        const QSignalBlocker b(EAl);
        EDal->setDate(aQDate(motore_.Dal().isNull() ? Date::fromYmd(master_.Stato().AnnoConto, 1, 1).value_or(Date())
                                                    : motore_.Dal()));
        EAl->setDate(aQDate(motore_.Al().isNull() ? daQDate(EDal->date()) : motore_.Al()));
    }
    const auto& r = motore_.Riassunto();
    const bool c = r.has_value();
    for (QPushButton* b : {BStampa, BPdf, BCopia})
        b->setEnabled(c);
    GrigliaScalare->setRowCount(c ? static_cast<int>(r->intervalli.size()) : 0);
    GrigliaTotali->setRowCount(0);
    if (!c)
        return;
    for (int riga = 0; riga < GrigliaScalare->rowCount(); ++riga) {
        const IntervalloScalare& i = r->intervalli[static_cast<std::size_t>(riga)];
        const RigaScalareMostrata m = RigaMostrata(i);
        const std::string celle[] = {m.dal,   m.al,       m.giorni, m.saldo, m.numeriCreditori, m.numeriDebitori,
                                     m.tasso, m.interesse};
        for (int k = 0; k < 8; ++k)
            GrigliaScalare->setItem(riga, k, cella(celle[k], k >= 2));
        GrigliaScalare->item(riga, 6)->setToolTip(QStringLiteral("Ritenuta ") + QString::fromStdString(m.ritenuta));
    }
    std::vector<VoceScalare> voci = VociTotali(*r);
    const std::optional<Money> differenza = motore_.DifferenzaBollo();
    if (differenza)
        voci.push_back({"Differenza", differenza->format()});
    GrigliaTotali->setRowCount(static_cast<int>(voci.size()));
    GrigliaTotali->setFixedHeight(GrigliaTotali->rowCount() * kAltezzaRiga + 4);
    for (int riga = 0; riga < GrigliaTotali->rowCount(); ++riga) {
        const VoceScalare& v = voci[static_cast<std::size_t>(riga)];
        GrigliaTotali->setItem(riga, 0, cella(v.etichetta, false));
        GrigliaTotali->setItem(riga, 1, cella(v.valore, true));
    }
    if (differenza)
        for (int k = 0; k < 2; ++k)
            GrigliaTotali->item(GrigliaTotali->rowCount() - 1, k)->setForeground(Qt::red);
}

} // namespace valmora::gui
