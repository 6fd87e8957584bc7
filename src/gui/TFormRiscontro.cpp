#include "gui/TFormRiscontro.h"

#include "bank/RiscontroStampa.h"
#include "gui/LedgerTableModel.h"
#include "gui/QtUserInterface.h"
#include "gui/TFormMaster.h"
#include "gui/canvas/PdfReport.h"

#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

namespace valmora::gui {

namespace {

QString testo(const std::string& s) {
    return QString::fromStdString(s);
}

QString nomeInserimento(TipoInserimento tipo) {
    switch (tipo) {
    case TipoInserimento::Accredito:
        return QStringLiteral("Accredito");
    case TipoInserimento::Prelievo:
        return QStringLiteral("Prelievo");
    case TipoInserimento::Addebito:
        return QStringLiteral("Addebito");
    case TipoInserimento::Imposta:
        return QStringLiteral("Imposta");
    case TipoInserimento::FuoriConto:
        break;
    }
    return QStringLiteral("FuoriConto");
}

bool colonnaImporto(const std::string& colonna) {
    return colonna == "Importo" || colonna == "Interessi" || colonna == "Giorni";
}

} // namespace

TFormRiscontro::TFormRiscontro(TFormMaster& master, QtUserInterface& ui)
    : QDialog(&master), master_(master), ui_(ui) {
    setObjectName(QStringLiteral("TFormRiscontro"));
    setWindowTitle(QStringLiteral("Riscontro con la banca"));
    setModal(false);
    resize(900, 640);

    auto* layout = new QVBoxLayout(this);
    LabelFile = new QLabel(this);
    layout->addWidget(LabelFile);

    auto* gruppi = new QSplitter(Qt::Vertical, this);
    for (std::size_t g = 0; g < Gruppi.size(); ++g) {
        auto* pannello = new QWidget(gruppi);
        auto* l = new QVBoxLayout(pannello);
        l->setContentsMargins(0, 0, 0, 0);
        TitoliGruppi[g] = new QLabel(pannello);
        QFont grassetto = TitoliGruppi[g]->font();
        grassetto.setBold(true);
        TitoliGruppi[g]->setFont(grassetto);
        Gruppi[g] = new QTableWidget(pannello);
        Gruppi[g]->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Gruppi[g]->setSelectionBehavior(QAbstractItemView::SelectRows);
        Gruppi[g]->setSelectionMode(QAbstractItemView::SingleSelection);
        Gruppi[g]->verticalHeader()->hide();
        Gruppi[g]->horizontalHeader()->setStretchLastSection(true);
        l->addWidget(TitoliGruppi[g]);
        l->addWidget(Gruppi[g]);
        gruppi->addWidget(pannello);
    }
    layout->addWidget(gruppi, 1);

    LabelTotali = new QLabel(this);
    LabelTotali->setTextFormat(Qt::PlainText);
    layout->addWidget(LabelTotali);

    auto* pulsanti = new QHBoxLayout;
    ComboInserimento = new QComboBox(this);
    BInserisci = new QPushButton(QStringLiteral("&Inserisci movimento..."), this);
    BInserisci->setToolTip(QStringLiteral("Inserisce nel conto la riga della banca selezionata"));
    BStampa = new QPushButton(QStringLiteral("&Stampa..."), this);
    BSalvaPdf = new QPushButton(QStringLiteral("Salva &PDF..."), this);
    BChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    pulsanti->addWidget(ComboInserimento);
    pulsanti->addWidget(BInserisci);
    pulsanti->addStretch(1);
    pulsanti->addWidget(BStampa);
    pulsanti->addWidget(BSalvaPdf);
    pulsanti->addWidget(BChiudi);
    layout->addLayout(pulsanti);

    connect(BInserisci, &QPushButton::clicked, this, [this] { BInserisciClick(); });
    connect(BStampa, &QPushButton::clicked, this, [this] { BStampaClick(); });
    connect(BSalvaPdf, &QPushButton::clicked, this, [this] { BSalvaPdfClick(); });
    connect(BChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(Gruppi[2], &QTableWidget::itemSelectionChanged, this, [this] { rigaBancaScelta(); });
}

void TFormRiscontro::mostra(RiscontroAperto aperto) {
    aperto_ = std::move(aperto);
    riempi();
    show();
    raise();
}

void TFormRiscontro::riempi() {
    tabelle_ = TabelleDi(aperto_.esito);
    LabelFile->setText(QStringLiteral("Movimenti della banca: %1 (%2 righe, %3 movimenti del conto)")
                           .arg(QFileInfo(testo(aperto_.file)).fileName())
                           .arg(aperto_.esito.riscontro.banca.size())
                           .arg(aperto_.esito.riscontro.movimenti.size()));
    for (int g = 0; g < TabelleRiscontro::kGruppi; ++g) {
        const TabellaRiscontro& t = tabelle_.gruppo(g);
        QTableWidget* w = Gruppi[static_cast<std::size_t>(g)];
        TitoliGruppi[static_cast<std::size_t>(g)]->setText(
            QStringLiteral("%1 (%2)").arg(testo(t.titolo)).arg(t.righe.size()));
        w->clear();
        w->setColumnCount(static_cast<int>(t.colonne.size()));
        w->setRowCount(static_cast<int>(t.righe.size()));
        QStringList intestazioni;
        for (const std::string& c : t.colonne)
            intestazioni << testo(c);
        w->setHorizontalHeaderLabels(intestazioni);
        for (std::size_t r = 0; r < t.righe.size(); ++r) {
            for (std::size_t c = 0; c < t.righe[r].size() && c < t.colonne.size(); ++c) {
                auto* cella = new QTableWidgetItem(testo(t.righe[r][c]));
                if (colonnaImporto(t.colonne[c]))
                    cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                w->setItem(static_cast<int>(r), static_cast<int>(c), cella);
            }
        }
        w->resizeColumnsToContents();
    }
    QStringList totali;
    for (const auto& [didascalia, importo] : tabelle_.totali)
        totali << QStringLiteral("%1: %2").arg(testo(didascalia), testo(importo));
    LabelTotali->setText(totali.join(QStringLiteral("    ")));
    rigaBancaScelta();
}

std::optional<std::size_t> TFormRiscontro::rigaBancaCorrente() const {
    const QList<QTableWidgetItem*> scelte = Gruppi[2]->selectedItems();
    if (scelte.isEmpty())
        return std::nullopt;
    const auto riga = static_cast<std::size_t>(scelte.front()->row());
    if (riga >= tabelle_.soloBanca.righeBanca.size())
        return std::nullopt;
    return tabelle_.soloBanca.righeBanca[riga];
}

void TFormRiscontro::rigaBancaScelta() {
    ComboInserimento->clear();
    const std::optional<std::size_t> b = rigaBancaCorrente();
    if (b) {
        for (const TipoInserimento tipo : InserimentiPer(aperto_.esito.riscontro.banca[*b]))
            ComboInserimento->addItem(nomeInserimento(tipo), static_cast<int>(tipo));
    }
    ComboInserimento->setEnabled(b.has_value());
    BInserisci->setEnabled(b.has_value());
}

void TFormRiscontro::BInserisciClick() {
    const std::optional<std::size_t> b = rigaBancaCorrente();
    if (!b || ComboInserimento->currentIndex() < 0)
        return;
    const auto tipo = static_cast<TipoInserimento>(ComboInserimento->currentData().toInt());
    const BankLine riga = aperto_.esito.riscontro.banca[*b];
    ui_.esegui([&] {
        InserisciDaBanca(master_.entry(), tipo, riga, ui_);
        // The ledger changed (or not): the check is made again on it as it is now.
        RiscontraDiNuovo(master_.motore(), aperto_);
    });
    master_.modello->ricarica();
    riempi();
}

void TFormRiscontro::BStampaClick() {
    ui_.esegui([this] { StampaRiscontro(tabelle_, aperto_.file, ui_); });
}

void TFormRiscontro::BSalvaPdfClick() {
    FileDialogRequest richiesta;
    richiesta.title = "Salva il riscontro in PDF";
    richiesta.folder = master_.Stato().CartellaConto;
    richiesta.fileName = "Riscontro.pdf";
    richiesta.filter = "*.pdf";
    richiesta.defaultExtension = "pdf";
    const std::optional<std::string> file = ui_.askSaveFile(richiesta);
    if (!file)
        return;
    ui_.esegui([&] {
        renderToPdf(*file, "Riscontro con la banca",
                    [this](ReportCanvas& canvas) { StampaRiscontro(tabelle_, aperto_.file, canvas); });
    });
}

} // namespace valmora::gui
