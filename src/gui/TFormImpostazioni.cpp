#include "gui/TFormImpostazioni.h"

#include "entry/SchedaOperazione.h"
#include "gui/DialoghiComuni.h"
#include "gui/QtUserInterface.h"
#include "gui/TFormOperazione.h"
#include "gui/TFormTassi.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <algorithm>

namespace valmora::gui {

namespace {

constexpr int kLarghezza = 552;
constexpr int kAltezza = 313;
constexpr int kStriscia = 36; // the bottom strip with the three buttons
constexpr int kAltezzaCampo = 19;

struct Scheda {
    const char* titolo;
    const char* suggerimento;
};
constexpr Scheda kSchede[] = {
    {"Condizioni Generali", "Condizioni Generali del Conto"},
    {"Tassi d'interesse", "Impostazioni relative ai tassi d'interessi"},
    {"Operazioni Automatiche", "Programmazione operazioni con inserimnto automatico"},
};

void suggerisci(QWidget* w, const QString& hint) {
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

QPushButton* pulsante(const QString& testo, const char* nome, QWidget* parent, int x, int y, const QString& hint) {
    auto* b = new QPushButton(testo, parent);
    b->setObjectName(QString::fromLatin1(nome));
    b->setGeometry(x, y, 78, 25);
    b->setAutoDefault(false);
    if (!hint.isEmpty())
        suggerisci(b, hint);
    return b;
}

// A grid showing rows read from a table: whole rows selected, lines between cells, no editing.
QTableWidget* griglia(QWidget* parent, const char* nome, const QStringList& titoli) {
    auto* g = new QTableWidget(0, static_cast<int>(titoli.size()), parent);
    g->setObjectName(QString::fromLatin1(nome));
    g->setHorizontalHeaderLabels(titoli);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setShowGrid(true);
    g->verticalHeader()->hide();
    g->verticalHeader()->setDefaultSectionSize(18);
    g->horizontalHeader()->setHighlightSections(false);
    return g;
}

void riempiRiga(QTableWidget* g, int riga, const std::vector<std::string>& celle, const QColor& grigio,
                int primaGrigia) {
    for (int col = 0; col < static_cast<int>(celle.size()); ++col) {
        auto* item = new QTableWidgetItem(qtesto(celle[static_cast<std::size_t>(col)]));
        if (primaGrigia >= 0 && col >= primaGrigia)
            item->setBackground(grigio);
        g->setItem(riga, col, item);
    }
}

} // namespace

TFormImpostazioni::TFormImpostazioni(QtUserInterface& ui, TDM& dm, TFormTassi& tassi, TFormOperazione& operazione,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui_(ui), dm_(dm), tassi_(tassi),
      operazione_(operazione) {
    setObjectName(QStringLiteral("TFormImpostazioni"));
    setFont(carattere(QStringLiteral("Arial"), 12));
    setFixedSize(kLarghezza, kAltezza);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFont(carattere(QStringLiteral("MS Sans Serif"), 11));
    PageControl1->setGeometry(4, 4, kLarghezza - 8, kAltezza - kStriscia - 4);
    PageControl1->tabBar()->setAttribute(Qt::WA_Hover); // tabs highlighted under the mouse
    PageControl1->addTab(creaCondizioni(), QString::fromUtf8(kSchede[0].titolo));
    PageControl1->addTab(creaTassi(), QString::fromUtf8(kSchede[1].titolo));
    PageControl1->addTab(creaAutomatiche(), QString::fromUtf8(kSchede[2].titolo));
    for (int i = 0; i < 3; ++i)
        PageControl1->setTabToolTip(i, QString::fromUtf8(kSchede[i].suggerimento));
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int pagina) {
        if (motore_)
            motore_->ActivePage = static_cast<SchedaImpostazioni>(pagina);
    });

    const int yPulsanti = kAltezza - kStriscia + 6;
    OKBtn = pulsante(QStringLiteral("&OK"), "OKBtn", this, kLarghezza - 3 * 84, yPulsanti, {});
    OKBtn->setDefault(true);
    CancelBtn = pulsante(QStringLiteral("&Annulla"), "CancelBtn", this, kLarghezza - 2 * 84, yPulsanti, {});
    BitBtn1 = pulsante(QStringLiteral("&Help"), "BitBtn1", this, kLarghezza - 84, yPulsanti, {});
    connect(OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

// ------------------------------------------------------------------------------------------------ layout

QFrame* TFormImpostazioni::cornice(QWidget* parent, int x, int y, int w, int h) {
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::StyledPanel);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(x, y, w, h);
    return f;
}

QLabel* TFormImpostazioni::intestazione(const QString& testo, QWidget* parent, int x, int y, bool grassetto) {
    QLabel* l = etichetta(testo, parent, x, y);
    QFont f = l->font();
    f.setUnderline(true);
    f.setBold(grassetto);
    l->setFont(f);
    if (grassetto)
        l->setStyleSheet(QStringLiteral("color: dimgray"));
    l->adjustSize();
    return l;
}

void TFormImpostazioni::legaCampo(QWidget* parent, std::string_view colonna, int xEtichetta, int xCampo, int y,
                                  bool etichettaSopra) {
    const CampoCondizione* def = FormImpostazioni::Campo(colonna);
    if (def == nullptr)
        return;
    if (!def->etichetta.empty()) {
        if (etichettaSopra) {
            intestazione(qtesto(def->etichetta), parent, xEtichetta, y - 15, false);
        } else {
            QLabel* l = etichetta(qtesto(def->etichetta), parent, xEtichetta, y + 2);
            // Where the system's font is wider than the one the dialog was drawn with, a label gets a
            // smaller size rather than running under its field.
            const int spazio = xCampo - xEtichetta - 3;
            for (int pixel = l->font().pixelSize(); l->width() > spazio && pixel > 8;) {
                QFont f = l->font();
                f.setPixelSize(--pixel);
                l->setFont(f);
                l->adjustSize();
            }
        }
    }
    auto* e = new QLineEdit(parent);
    e->setObjectName(qtesto(def->colonna));
    e->setGeometry(xCampo, y, def->larghezza, kAltezzaCampo);
    QFont f = carattere(QStringLiteral("MS Sans Serif"), 11, def->colonna == std::string_view(schema::kIstituto));
    e->setFont(f);
    suggerisci(e, qtesto(def->suggerimento));
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, e] {
        CampoLegato* c = legato(e);
        if (c == nullptr || motore_ == nullptr)
            return;
        c->digitato = true;
        if (c->def->costo)
            motore_->DBEdit4Change();
    });
    if (!campi_.empty())
        setTabOrder(campi_.back().edit, e);
    campi_.push_back({def, e, false});
}

QWidget* TFormImpostazioni::creaCondizioni() {
    // A child of the tab control from the start, so its labels are measured in the tab control's font.
    auto* pagina = new QWidget(PageControl1);
    pagina->setObjectName(QStringLiteral("TabCondizioni"));
    suggerisci(pagina, QString::fromUtf8(kSchede[0].suggerimento));

    // The identity of the account, top left; its heading labels the institute's field.
    QFrame* identita = cornice(pagina, 6, 4, 308, 112);
    intestazione(QStringLiteral("Istituto"), identita, 8, 3, true);
    legaCampo(identita, schema::kIstituto, 8, 8, 19);
    legaCampo(identita, schema::kCoordinate, 8, 8, 55, true);
    legaCampo(identita, schema::kNumConto, 8, 8, 89, true);

    // Cheque value days, and beside them (past a vertical line) the overdraft and operation fields.
    QFrame* valute = cornice(pagina, 6, 120, 308, 118);
    intestazione(QStringLiteral("Valuta Assegni"), valute, 8, 3, true);
    legaCampo(valute, schema::kVIstituto, 8, 86, 22);
    legaCampo(valute, schema::kVAltroIst, 8, 86, 45);
    legaCampo(valute, schema::kVCircolare, 8, 86, 68);
    legaCampo(valute, schema::kVPostale, 8, 86, 91);
    auto* linea = new QFrame(valute);
    linea->setFrameShape(QFrame::VLine);
    linea->setFrameShadow(QFrame::Sunken);
    linea->setGeometry(122, 6, 4, 106);
    legaCampo(valute, schema::kMaxScope, 130, 224, 22);
    legaCampo(valute, schema::kCommScope, 130, 224, 45);
    legaCampo(valute, schema::kNumOpe, 130, 224, 68);
    legaCampo(valute, schema::kCostoOpe, 130, 224, 91);

    // The two cards, on the right.
    QFrame* carte = cornice(pagina, 318, 4, 214, 234);
    intestazione(QStringLiteral("Carta Bancomat"), carte, 8, 3, true);
    legaCampo(carte, schema::kBMensile, 8, 130, 22);
    legaCampo(carte, schema::kBStesso, 8, 130, 46);
    legaCampo(carte, schema::kBAltro, 8, 130, 70);
    legaCampo(carte, schema::kBPos, 8, 130, 94);
    intestazione(QStringLiteral("Carta di Credito"), carte, 8, 130, true);
    legaCampo(carte, schema::kMaxCCred, 8, 130, 150);
    legaCampo(carte, schema::kCommCCred, 8, 130, 174);
    return pagina;
}

QWidget* TFormImpostazioni::creaTassi() {
    auto* pagina = new QWidget(PageControl1);
    pagina->setObjectName(QStringLiteral("TabTassi"));
    suggerisci(pagina, QString::fromUtf8(kSchede[1].suggerimento));

    GrigliaTassi =
        griglia(pagina, "GrigliaTassi",
                {QStringLiteral("Data Inizio"), QStringLiteral("T. Creditore"), QStringLiteral("T. Debitore"),
                 QStringLiteral("Ritenuta"), QStringLiteral("Importo Soglia"), QStringLiteral("T. Soglia")});
    GrigliaTassi->setGeometry(6, 6, 436, 150);
    suggerisci(GrigliaTassi, QStringLiteral("Tassi applicati"));
    connect(GrigliaTassi, &QTableWidget::cellDoubleClicked, this, [this] { BtnModificaTassoClick(); });

    BtnNuovoTasso = pulsante(QStringLiteral("&Nuovo"), "BtnNuovoTasso", pagina, 450, 6,
                             QStringLiteral("Selezionare per specificare nuovi tassi"));
    BtnModificaTasso = pulsante(QStringLiteral("&Modifica"), "BtnModificaTasso", pagina, 450, 36,
                                QStringLiteral("Selezionare per modificare i tassi evidenziati"));
    BtnEliminaTasso = pulsante(QStringLiteral("&Elimina"), "BtnEliminaTasso", pagina, 450, 66,
                               QStringLiteral("Selezionare per eliminare i tassi evidenziati"));
    connect(BtnNuovoTasso, &QPushButton::clicked, this, [this] { BtnNuovoTassoClick(); });
    connect(BtnModificaTasso, &QPushButton::clicked, this, [this] { BtnModificaTassoClick(); });
    connect(BtnEliminaTasso, &QPushButton::clicked, this, [this] { BtnEliminaTassoClick(); });

    QLabel* titolo = etichetta(QStringLiteral("Capitalizzazione"), pagina, 6, 166);
    QFont grassetto = titolo->font();
    grassetto.setBold(true);
    titolo->setFont(grassetto);
    titolo->adjustSize();

    auto lista = [&](const char* nome, const QString& testo, int x, const QString& hint) {
        etichetta(testo, pagina, x, 192);
        auto* c = new QComboBox(pagina);
        c->setObjectName(QString::fromLatin1(nome));
        c->setEditable(false); // only the five items can be chosen
        for (std::string_view voce : FormImpostazioni::VociCapitalizzazione())
            c->addItem(qtesto(voce));
        c->setGeometry(x + 66, 188, 110, 22);
        suggerisci(c, hint);
        return c;
    };
    DBComboBox1 = lista("DBComboBox1", QStringLiteral("I. Creditore"), 6,
                        QStringLiteral("Selezionare la frequenza di inserimento degli interessi creditore"));
    DBComboBox2 = lista("DBComboBox2", QStringLiteral("I. Debitore"), 200,
                        QStringLiteral("Selezionare la frequenza di inserimento degli interessi debitore"));
    connect(DBComboBox1, &QComboBox::activated, this, [this](int i) {
        esegui([&] { motore_->DBComboBox1Change(utf8(DBComboBox1->itemText(i))); });
        mostraCapitalizzazione();
    });
    connect(DBComboBox2, &QComboBox::activated, this, [this](int i) {
        esegui([&] { motore_->DBComboBox2Change(utf8(DBComboBox2->itemText(i))); });
        mostraCapitalizzazione();
    });
    return pagina;
}

QWidget* TFormImpostazioni::creaAutomatiche() {
    auto* pagina = new QWidget(PageControl1);
    pagina->setObjectName(QStringLiteral("TabAutomatiche"));
    suggerisci(pagina, QString::fromUtf8(kSchede[2].suggerimento));

    GrigliaAcc = griglia(pagina, "GrigliaAcc",
                         {QStringLiteral("Descrizione"), QStringLiteral("Importo"), QStringLiteral("Operaz."),
                          QStringLiteral("Tipo"), QStringLiteral("Frequenza"), QStringLiteral("Inizio"),
                          QStringLiteral("Gior.")});
    GrigliaAcc->setFont(carattere(QStringLiteral("MS Sans Serif"), 12));
    GrigliaAcc->setGeometry(6, 6, 526, 196);
    suggerisci(GrigliaAcc, QStringLiteral("Elenco operazioni programmate"));
    // Widths in characters, as the columns were designed, spread over the grid's width.
    const int caratteri[] = {20, 10, 8, 11, 12, 8, 3};
    const int totale = 72;
    const int spazio = GrigliaAcc->width() - 2 * GrigliaAcc->frameWidth() - 2;
    for (int i = 0; i < 7; ++i)
        GrigliaAcc->setColumnWidth(i, caratteri[i] * spazio / totale);
    connect(GrigliaAcc, &QTableWidget::cellDoubleClicked, this, [this] { BTModificaAccClick(); });

    BTNuovoAcc = pulsante(QStringLiteral("&Nuovo"), "BTNuovoAcc", pagina, 6, 208,
                          QStringLiteral("Permette di inserire una nuova operazione programmata"));
    BTModificaAcc = pulsante(QStringLiteral("&Modifica"), "BTModificaAcc", pagina, 90, 208,
                             QStringLiteral("Selezionare per modificare alcuni valori dell'operazione selezionata"));
    BTEliminaAcc = pulsante(QStringLiteral("&Elimina"), "BTEliminaAcc", pagina, 174, 208,
                            QStringLiteral("Elimina l'operazione selezionata"));
    BtnRielabora = pulsante(QStringLiteral("&Rielabora"), "BtnRielabora", pagina, 454, 208,
                            QStringLiteral("Permette di reinserire tutte le operazioni programmate"));
    connect(BTNuovoAcc, &QPushButton::clicked, this, [this] { BTNuovoAccClick(); });
    connect(BTModificaAcc, &QPushButton::clicked, this, [this] { BTModificaAccClick(); });
    connect(BTEliminaAcc, &QPushButton::clicked, this, [this] { BTEliminaAccClick(); });
    connect(BtnRielabora, &QPushButton::clicked, this, [this] { BtnRielaboraClick(); });
    return pagina;
}

// -------------------------------------------------------------------------------------------- showing

DialogResult TFormImpostazioni::mostra(FormImpostazioni& motore) {
    motore_ = &motore;
    chiudendo_ = false;
    setWindowTitle(qtesto(motore.Caption));
    PageControl1->setCurrentIndex(static_cast<int>(motore.ActivePage));
    mostraCampi();
    mostraCapitalizzazione();
    ricaricaTassi();
    ricaricaAutomatiche();
    if (!campi_.empty())
        campi_.front().edit->setFocus(Qt::OtherFocusReason);
    if (allaComparsa_)
        QTimer::singleShot(0, this, [this] {
            if (allaComparsa_)
                allaComparsa_();
        });
    const int esito = exec();
    motore_ = nullptr;
    return esito == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

void TFormImpostazioni::done(int result) {
    // Hiding moves the focus out of a field: nothing typed may reach the row after the choice is made.
    chiudendo_ = true;
    QDialog::done(result);
}

QLineEdit* TFormImpostazioni::campo(std::string_view colonna) const {
    const CampoCondizione* def = FormImpostazioni::Campo(colonna);
    for (const CampoLegato& c : campi_)
        if (c.def == def)
            return c.edit;
    return nullptr;
}

TFormImpostazioni::CampoLegato* TFormImpostazioni::legato(const QObject* o) {
    for (CampoLegato& c : campi_)
        if (c.edit == o)
            return &c;
    return nullptr;
}

void TFormImpostazioni::mostraCampi() {
    for (CampoLegato& c : campi_) {
        c.digitato = false;
        c.edit->setText(qtesto(motore_->TestoCampo(c.def->colonna)));
        // A text column holds what its width allows, as the bound field did.
        if (!c.def->numerico)
            c.edit->setMaxLength(dm_.TableImp.fieldByName(c.def->colonna).width());
    }
}

void TFormImpostazioni::mostraCapitalizzazione() {
    if (motore_ == nullptr)
        return;
    DBComboBox1->setCurrentIndex(DBComboBox1->findText(qtesto(motore_->CapitalizzazioneCreditore())));
    DBComboBox2->setCurrentIndex(DBComboBox2->findText(qtesto(motore_->CapitalizzazioneDebitore())));
}

void TFormImpostazioni::ricaricaTassi() {
    const std::vector<RigaTassoMostrata> righe = motore_->RigheTassi();
    GrigliaTassi->setRowCount(static_cast<int>(righe.size()));
    for (int i = 0; i < static_cast<int>(righe.size()); ++i) {
        const RigaTassoMostrata& r = righe[static_cast<std::size_t>(i)];
        riempiRiga(GrigliaTassi, i, {r.data, r.creditore, r.debitore, r.ritenuta, r.importoSoglia, r.tassoSoglia},
                   QColor(192, 192, 192), 4);
    }
    // Never narrower than designed; wider where the system's font needs it.
    static constexpr int kLarghezzeTassi[] = {62, 70, 70, 55, 95, 62};
    for (int i = 0; i < GrigliaTassi->columnCount(); ++i) {
        GrigliaTassi->resizeColumnToContents(i);
        GrigliaTassi->setColumnWidth(i, std::max(kLarghezzeTassi[i], GrigliaTassi->columnWidth(i)));
    }
    const int corrente = dm_.TableTassi.recNo() - 1;
    if (corrente >= 0 && corrente < GrigliaTassi->rowCount())
        GrigliaTassi->selectRow(corrente);
}

void TFormImpostazioni::ricaricaAutomatiche() {
    const std::vector<RigaProgrammataMostrata> righe = motore_->RigheProgrammate();
    GrigliaAcc->setRowCount(static_cast<int>(righe.size()));
    for (int i = 0; i < static_cast<int>(righe.size()); ++i) {
        const RigaProgrammataMostrata& r = righe[static_cast<std::size_t>(i)];
        riempiRiga(GrigliaAcc, i, {r.descrizione, r.importo, r.operazione, r.tipo, r.frequenza, r.inizio, r.giorno}, {},
                   -1);
    }
    const int corrente = dm_.TableAcc.recNo() - 1;
    if (corrente >= 0 && corrente < GrigliaAcc->rowCount())
        GrigliaAcc->selectRow(corrente);
}

void TFormImpostazioni::selezioneACorrente(QTableWidget* g, dbase::Table& tabella) {
    const int riga = g->currentRow();
    if (riga >= 0 && riga < tabella.recordCount())
        tabella.moveTo(riga + 1);
}

void TFormImpostazioni::esegui(const std::function<void()>& comando) {
    if (motore_ != nullptr)
        ui_.esegui(comando);
}

// ------------------------------------------------------------------------------------------- first tab

bool TFormImpostazioni::eventFilter(QObject* watched, QEvent* event) {
    CampoLegato* c = legato(watched);
    if (c == nullptr || motore_ == nullptr || chiudendo_)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        // A click in any field marks the account modified (and refreshes the institute label).
        esegui([this] { motore_->DBEdit1Change(); });
        break;
    case QEvent::FocusIn:
        // Typed in the column's plain form: a currency amount without its symbol and separators.
        c->digitato = false;
        c->edit->setText(qtesto(motore_->TestoInModifica(c->def->colonna)));
        break;
    case QEvent::FocusOut:
        if (!inLascia_)
            lascia(*c);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

bool TFormImpostazioni::lascia(CampoLegato& c) {
    inLascia_ = true;
    bool accettato = true;
    if (c.digitato) {
        const std::string testo = utf8(c.edit->text());
        const bool vuoto = testo.find_first_not_of(' ') == std::string::npos;
        // The engine refuses the same texts; asking first lets the refusal be in the program's language.
        if (c.def->numerico && !vuoto && !ConvertiNumeroDigitato(testo)) {
            ui_.message(MsgNumeroNonValidoDialogo(testo), Buttons::Ok);
            accettato = false;
        } else {
            esegui([&] { accettato = motore_->DigitaCampo(c.def->colonna, testo); });
        }
        c.digitato = false;
    }
    esegui([&] { motore_->CampoLasciato(c.def->colonna); });
    // Shown again in the column's display format; a refused text gives way to the stored value.
    if (motore_ != nullptr)
        c.edit->setText(qtesto(c.edit->hasFocus() ? motore_->TestoInModifica(c.def->colonna)
                                                  : motore_->TestoCampo(c.def->colonna)));
    inLascia_ = false;
    return accettato;
}

// --------------------------------------------------------------------------------------------- buttons

void TFormImpostazioni::OKBtnClick() {
    // Enter leaves the focus in the field: its text is handed over first, and a refused one keeps the dialog.
    for (CampoLegato& c : campi_)
        if (c.edit->hasFocus() && c.digitato && !lascia(c))
            return;
    accept();
}

void TFormImpostazioni::BitBtn1Click() {
    if (motore_ != nullptr)
        ui_.openHelp(motore_->BitBtn1Click());
}

void TFormImpostazioni::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        BitBtn1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormImpostazioni::BtnNuovoTassoClick() {
    esegui([this] { motore_->BtnNuovoTassoClick([this](FormTassi& f) { return tassi_.mostra(f); }); });
    ricaricaTassi();
}

void TFormImpostazioni::BtnModificaTassoClick() {
    esegui([this] {
        selezioneACorrente(GrigliaTassi, dm_.TableTassi);
        motore_->BtnModificaTassoClick([this](FormTassi& f) { return tassi_.mostra(f); });
    });
    ricaricaTassi();
}

void TFormImpostazioni::BtnEliminaTassoClick() {
    esegui([this] {
        selezioneACorrente(GrigliaTassi, dm_.TableTassi);
        motore_->BtnEliminaTassoClick();
    });
    ricaricaTassi();
}

void TFormImpostazioni::BTNuovoAccClick() {
    esegui([this] { motore_->BTNuovoAccClick([this](OperationEntry& e) { return operazione_.mostra(e); }); });
    ricaricaAutomatiche();
}

void TFormImpostazioni::BTModificaAccClick() {
    esegui([this] {
        selezioneACorrente(GrigliaAcc, dm_.TableAcc);
        motore_->BTModificaAccClick([this](OperationEntry& e) { return operazione_.mostra(e); });
    });
    ricaricaAutomatiche();
}

void TFormImpostazioni::BTEliminaAccClick() {
    esegui([this] {
        selezioneACorrente(GrigliaAcc, dm_.TableAcc);
        motore_->BTEliminaAccClick();
    });
    ricaricaAutomatiche();
}

void TFormImpostazioni::BtnRielaboraClick() {
    // The proposals come up one after the other in the operation dialog, through the seam.
    esegui([this] { motore_->BtnRielaboraClick(); });
    ricaricaAutomatiche();
}

} // namespace valmora::gui
