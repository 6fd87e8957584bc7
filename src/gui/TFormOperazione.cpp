#include "gui/TFormOperazione.h"

#include "gui/QtUserInterface.h"
#include "model/OperationCatalogue.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

namespace valmora::gui {

namespace {

constexpr int kHelpTopic = 6;

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string s(const QString& text) {
    return text.toStdString();
}

QDate toQDate(Date d) {
    return d.isNull() ? QDate() : QDate(d.year(), d.month(), d.day());
}
Date fromQDate(const QDate& d) {
    if (!d.isValid())
        return Date();
    return Date::fromYmd(d.year(), d.month(), d.day()).value_or(Date());
}

void riempi(QComboBox* box, const StringList& voci) {
    const QString text = box->currentText();
    box->blockSignals(true);
    box->clear();
    for (const std::string& v : voci.items())
        box->addItem(QString::fromStdString(v));
    box->setCurrentIndex(-1);
    box->setEditText(text);
    box->blockSignals(false);
}

void impostaTesto(QComboBox* box, const std::string& text) {
    box->blockSignals(true);
    const int at = box->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(at);
    box->setEditText(QString::fromStdString(text));
    box->blockSignals(false);
}

QComboBox* comboConTesto(QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Typed text is compared exactly; the completer would otherwise change its case.
    box->setCompleter(nullptr);
    return box;
}

QLabel* etichetta(const QString& text, QWidget* parent, int x, int y) {
    auto* l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

void hint(QWidget* w, const QString& text) {
    w->setToolTip(text);
    w->setStatusTip(text);
}

} // namespace

TFormOperazione::TFormOperazione(QtUserInterface& ui, QWidget* parent) : QDialog(parent), ui_(ui) {
    setObjectName(QStringLiteral("TFormOperazione"));
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(494, 304);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(12);
    setFont(f);

    // Heading strip.
    auto* top = new QFrame(this);
    top->setGeometry(0, 0, 494, 36);
    top->setFrameShape(QFrame::Panel);
    top->setFrameShadow(QFrame::Raised);
    LabelPanel = new QLabel(top);
    LabelPanel->setObjectName(QStringLiteral("LabelPanel"));
    QFont big(QStringLiteral("Arial"));
    big.setPixelSize(19);
    LabelPanel->setFont(big);
    LabelPanel->setGeometry(12, 4, 470, 28);

    // Left: calendar and value date.
    auto* left = new QFrame(this);
    left->setFrameShape(QFrame::StyledPanel);
    left->setGeometry(6, 40, 196, 218);
    Calendario = new QCalendarWidget(left);
    Calendario->setObjectName(QStringLiteral("Calendario"));
    Calendario->setGeometry(3, 3, 190, 172);
    Calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendario->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Calendario->setGridVisible(false);
    hint(Calendario, QStringLiteral("Selezionare la data dell'operazione"));
    LabelValuta = etichetta(QStringLiteral("Valuta"), left, 10, 189);
    EditValuta = new QLineEdit(left);
    EditValuta->setObjectName(QStringLiteral("EditValuta"));
    EditValuta->setGeometry(60, 185, 100, 22);
    hint(EditValuta, QStringLiteral("Modificare opportunamente"));

    // Top right: amount, operation, type, description.
    auto* right = new QFrame(this);
    right->setFrameShape(QFrame::StyledPanel);
    right->setGeometry(206, 40, 282, 110);
    LabelImporto = etichetta(QStringLiteral("Importo €"), right, 6, 6);
    EditImporto = new QLineEdit(right);
    EditImporto->setObjectName(QStringLiteral("EditImporto"));
    EditImporto->setGeometry(6, 22, 64, 22);
    hint(EditImporto, QStringLiteral("Inserire l'importo"));
    LabelOperazione = etichetta(QStringLiteral("Operazione"), right, 76, 6);
    ComboOp = comboConTesto(right);
    ComboOp->setObjectName(QStringLiteral("ComboOp"));
    ComboOp->setGeometry(76, 22, 88, 22);
    hint(ComboOp, QStringLiteral("Selezionare l'operazione appropriata"));
    LabelTipo = etichetta(QStringLiteral("Tipo"), right, 214, 6);
    ComboBoxTipo = comboConTesto(right);
    ComboBoxTipo->setObjectName(QStringLiteral("ComboBoxTipo"));
    ComboBoxTipo->setGeometry(174, 22, 104, 22);
    hint(ComboBoxTipo, QStringLiteral("Selezionare il tipo di operazione appropriato"));
    LabelDescrizione = etichetta(QStringLiteral("Descrizione"), right, 6, 52);
    EditDescrizione = new QLineEdit(right);
    EditDescrizione->setObjectName(QStringLiteral("EditDescrizione"));
    EditDescrizione->setGeometry(6, 68, 270, 22);
    hint(EditDescrizione, QStringLiteral("Commentare il movimento inserito"));

    // Bottom right: programmed insertion.
    auto* prog = new QFrame(this);
    prog->setFrameShape(QFrame::StyledPanel);
    prog->setGeometry(206, 152, 282, 106);
    CBInsAuto = new QCheckBox(QStringLiteral("Inserisci con frequenza:"), prog);
    CBInsAuto->setObjectName(QStringLiteral("CBInsAuto"));
    CBInsAuto->setGeometry(6, 8, 164, 22);
    hint(CBInsAuto, QStringLiteral("Selezionare solo per programmare inserimenti automatici"));
    CBFrequenza = comboConTesto(prog);
    CBFrequenza->setObjectName(QStringLiteral("CBFrequenza"));
    CBFrequenza->setGeometry(174, 8, 102, 22);
    for (std::string_view v : SchedaOperazione::VociFrequenza())
        CBFrequenza->addItem(q(v));
    hint(CBFrequenza, QStringLiteral("Inserire la frequenza di inserimento"));
    LabelMeseInizio = etichetta(QStringLiteral("Mese Iniziale"), prog, 6, 44);
    CBMeseInizio = comboConTesto(prog);
    CBMeseInizio->setObjectName(QStringLiteral("CBMeseInizio"));
    CBMeseInizio->setGeometry(6, 60, 110, 22);
    riempi(CBMeseInizio, SchedaOperazione::VociMese());
    hint(CBMeseInizio, QStringLiteral("Mese di inizio inserimento automatico"));
    LabelGiorno = etichetta(QStringLiteral("Giorno"), prog, 130, 44);
    CBGiorno = comboConTesto(prog);
    CBGiorno->setObjectName(QStringLiteral("CBGiorno"));
    CBGiorno->setGeometry(130, 60, 56, 22);
    riempi(CBGiorno, SchedaOperazione::VociGiorno());
    hint(CBGiorno, QStringLiteral("Giorno di inserimento (0 indica l'ultimo giorno del mese)"));
    middle_[0] = left;
    middle_[1] = right;
    middle_[2] = prog;

    // Buttons.
    BitBtnConferma = new QPushButton(QStringLiteral("&Conferma"), this);
    BitBtnConferma->setObjectName(QStringLiteral("BitBtnConferma"));
    BitBtnConferma->setGeometry(8, 268, 104, 28);
    BitBtnConferma->setDefault(true);
    BitBtnNuovaOp = new QPushButton(QStringLiteral("&Nuovo"), this);
    BitBtnNuovaOp->setObjectName(QStringLiteral("BitBtnNuovaOp"));
    BitBtnNuovaOp->setGeometry(120, 268, 136, 28);
    BitBtnNuovaOp->setAutoDefault(false);
    BitBtnAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    BitBtnAnnulla->setObjectName(QStringLiteral("BitBtnAnnulla"));
    BitBtnAnnulla->setGeometry(264, 268, 104, 28);
    BitBtnAnnulla->setAutoDefault(false);
    BitBtn1 = new QPushButton(QStringLiteral("&Aiuto"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(376, 268, 104, 28);
    BitBtn1->setAutoDefault(false);

    setTabOrder(Calendario, EditImporto);
    setTabOrder(EditImporto, ComboOp);
    setTabOrder(ComboOp, ComboBoxTipo);
    setTabOrder(ComboBoxTipo, EditDescrizione);
    setTabOrder(EditDescrizione, CBInsAuto);
    setTabOrder(CBInsAuto, CBFrequenza);
    setTabOrder(CBFrequenza, CBMeseInizio);
    setTabOrder(CBMeseInizio, CBGiorno);
    setTabOrder(CBGiorno, EditValuta);
    setTabOrder(EditValuta, BitBtnConferma);
    setTabOrder(BitBtnConferma, BitBtnNuovaOp);
    setTabOrder(BitBtnNuovaOp, BitBtnAnnulla);
    setTabOrder(BitBtnAnnulla, BitBtn1);

    for (QWidget* w : {static_cast<QWidget*>(EditImporto), static_cast<QWidget*>(ComboOp),
                       static_cast<QWidget*>(ComboBoxTipo), static_cast<QWidget*>(EditValuta)})
        w->installEventFilter(this);

    connect(CBInsAuto, &QCheckBox::toggled, this, [this] { CBInsAutoClick(); });
    connect(ComboOp, &QComboBox::activated, this, [this] { ComboOpChange(); });
    connect(BitBtnConferma, &QPushButton::clicked, this, [this] { conferma(OK); });
    connect(BitBtnNuovaOp, &QPushButton::clicked, this, [this] { conferma(Riprova); });
    connect(BitBtnAnnulla, &QPushButton::clicked, this, [this] { done(Annulla); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ui_.openHelp(kHelpTopic); });
    auto* aiuto = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(aiuto, &QShortcut::activated, this, [this] { ui_.openHelp(kHelpTopic); });

    carica(SchedaOperazione());
}

void TFormOperazione::carica(const SchedaOperazione& sc) {
    loading_ = true;
    LabelPanel->setText(QString::fromStdString(sc.LabelPanel));
    if (!sc.Calendario.isNull())
        Calendario->setSelectedDate(toQDate(sc.Calendario));
    EditImporto->setText(QString::fromStdString(sc.EditImporto));
    riempi(ComboOp, sc.ComboOpVoci);
    impostaTesto(ComboOp, sc.ComboOp);
    riempi(ComboBoxTipo, sc.ComboBoxTipoVoci);
    impostaTesto(ComboBoxTipo, sc.ComboBoxTipo);
    if (sc.posizioneTipo == PostoTipo::AlPostoOperazione)
        DisponiInserimento();
    else
        DisponiModifica();
    ComboOp->setVisible(sc.ComboOpVisibile);
    // The caption goes with its box.
    LabelOperazione->setVisible(sc.ComboOpVisibile);
    EditDescrizione->setText(QString::fromStdString(sc.EditDescrizione));
    CBInsAuto->setChecked(sc.CBInsAuto);
    impostaTesto(CBFrequenza, sc.CBFrequenza);
    impostaTesto(CBMeseInizio, sc.CBMeseInizio);
    impostaTesto(CBGiorno, sc.CBGiorno);
    EditValuta->setText(QString::fromStdString(sc.EditValuta));
    EditValuta->setVisible(sc.EditValutaVisibile);
    LabelValuta->setVisible(sc.EditValutaVisibile);
    BitBtnNuovaOp->setText(QString::fromStdString(sc.BitBtnNuovaOpCaption));
    BitBtnNuovaOp->setVisible(sc.BitBtnNuovaOpVisibile);
    abilitaCampi(sc.campiAbilitati);
    mostraProgrammazione(sc.programmazioneAbilitata);
    loading_ = false;
}

SchedaOperazione TFormOperazione::leggi() const {
    SchedaOperazione sc;
    sc.LabelPanel = s(LabelPanel->text());
    sc.Calendario = fromQDate(Calendario->selectedDate());
    sc.EditImporto = s(EditImporto->text());
    sc.ComboOp = s(ComboOp->currentText());
    for (int i = 0; i < ComboOp->count(); ++i)
        sc.ComboOpVoci.append(s(ComboOp->itemText(i)));
    sc.ComboOpVisibile = !ComboOp->isHidden();
    sc.ComboBoxTipo = s(ComboBoxTipo->currentText());
    for (int i = 0; i < ComboBoxTipo->count(); ++i)
        sc.ComboBoxTipoVoci.append(s(ComboBoxTipo->itemText(i)));
    sc.posizioneTipo = ComboBoxTipo->x() == ComboOp->x() ? PostoTipo::AlPostoOperazione : PostoTipo::AccantoOperazione;
    sc.EditDescrizione = s(EditDescrizione->text());
    sc.CBInsAuto = CBInsAuto->isChecked();
    sc.CBFrequenza = s(CBFrequenza->currentText());
    sc.CBMeseInizio = s(CBMeseInizio->currentText());
    sc.CBGiorno = s(CBGiorno->currentText());
    sc.programmazioneAbilitata = CBFrequenza->isEnabled();
    sc.EditValuta = s(EditValuta->text());
    sc.EditValutaVisibile = !EditValuta->isHidden();
    sc.BitBtnNuovaOpCaption = s(BitBtnNuovaOp->text());
    sc.BitBtnNuovaOpVisibile = !BitBtnNuovaOp->isHidden();
    sc.campiAbilitati = middle_[0]->isEnabled();
    sc.focus = campoDi(focusWidget());
    return sc;
}

void TFormOperazione::DisponiInserimento() {
    ComboBoxTipo->move(ComboOp->x(), ComboBoxTipo->y());
    LabelTipo->move(LabelOperazione->x(), LabelTipo->y());
}

void TFormOperazione::DisponiModifica() {
    ComboBoxTipo->move(ComboOp->x() + ComboOp->width() + 10, ComboBoxTipo->y());
    LabelTipo->move(LabelOperazione->x() + 138, LabelTipo->y());
}

void TFormOperazione::abilitaCampi(bool enabled) {
    for (QFrame* f : middle_)
        f->setEnabled(enabled);
}

void TFormOperazione::mostraProgrammazione(bool on) {
    CBFrequenza->setEnabled(on);
    CBGiorno->setEnabled(on);
    CBMeseInizio->setEnabled(on);
    LabelMeseInizio->setEnabled(on);
    LabelGiorno->setEnabled(on);
}

QWidget* TFormOperazione::campo(CampoScheda c) const {
    switch (c) {
    case CampoScheda::Calendario:
        return Calendario;
    case CampoScheda::EditImporto:
        return EditImporto;
    case CampoScheda::ComboOp:
        return ComboOp;
    case CampoScheda::ComboBoxTipo:
        return ComboBoxTipo;
    case CampoScheda::EditDescrizione:
        return EditDescrizione;
    case CampoScheda::CBInsAuto:
        return CBInsAuto;
    case CampoScheda::CBFrequenza:
        return CBFrequenza;
    case CampoScheda::CBMeseInizio:
        return CBMeseInizio;
    case CampoScheda::CBGiorno:
        return CBGiorno;
    case CampoScheda::EditValuta:
        return EditValuta;
    case CampoScheda::Nessuno:
        break;
    }
    return nullptr;
}

CampoScheda TFormOperazione::campoDi(const QWidget* w) const {
    for (CampoScheda c :
         {CampoScheda::Calendario, CampoScheda::EditImporto, CampoScheda::ComboOp, CampoScheda::ComboBoxTipo,
          CampoScheda::EditDescrizione, CampoScheda::CBInsAuto, CampoScheda::CBFrequenza, CampoScheda::CBMeseInizio,
          CampoScheda::CBGiorno, CampoScheda::EditValuta}) {
        const QWidget* f = campo(c);
        if (f && w && (f == w || f->isAncestorOf(w)))
            return c;
    }
    return CampoScheda::Nessuno;
}

DialogResult TFormOperazione::mostra(OperationEntry& entry) {
    entry_ = &entry;
    carica(entry.Scheda());
    if (QWidget* f = campo(entry.Scheda().focus))
        f->setFocus(Qt::OtherFocusReason);
    if (allaComparsa_)
        QTimer::singleShot(0, this, [this] {
            if (allaComparsa_)
                allaComparsa_();
        });
    const int code = exec();
    entry.Scheda() = leggi();
    // The delete mode shows the movement read-only only while the dialog is open.
    abilitaCampi(true);
    entry_ = nullptr;
    switch (code) {
    case OK:
        return DialogResult::Ok;
    case Riprova:
        return DialogResult::Retry;
    default:
        return DialogResult::Cancel;
    }
}

void TFormOperazione::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (entry_)
        if (QWidget* f = campo(entry_->Scheda().focus))
            f->setFocus(Qt::OtherFocusReason);
}

void TFormOperazione::CBInsAutoClick() {
    if (loading_)
        return;
    if (!entry_) {
        mostraProgrammazione(CBInsAuto->isChecked());
        return;
    }
    entry_->Scheda().CBInsAuto = CBInsAuto->isChecked();
    entry_->CBInsAutoClick();
    mostraProgrammazione(entry_->Scheda().programmazioneAbilitata);
}

void TFormOperazione::ComboOpChange() {
    if (loading_ || !entry_)
        return;
    entry_->Scheda() = leggi();
    entry_->ComboOpChange();
    loading_ = true;
    riempi(ComboBoxTipo, entry_->Scheda().ComboBoxTipoVoci);
    impostaTesto(ComboBoxTipo, entry_->Scheda().ComboBoxTipo);
    loading_ = false;
}

void TFormOperazione::conferma(Esito esito) {
    if (entry_) {
        // A refusal keeps the dialog open: what was typed stays, the field at fault takes the focus.
        entry_->Scheda() = leggi();
        bool accettabile = false;
        checking_ = true;
        ui_.esegui([&] { accettabile = entry_->ConfermaAccettabile(); });
        checking_ = false;
        if (!accettabile) {
            if (QWidget* f = campo(entry_->Scheda().focus))
                f->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    done(esito);
}

bool TFormOperazione::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusOut || checking_ || !isVisible() || !entry_)
        return QDialog::eventFilter(watched, event);
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Opening a drop-down list or another window taking the focus is not leaving the field.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return QDialog::eventFilter(watched, event);
    // Leaving for "&Annulla" or the help is not leaving to go on: the user can always give up.
    QWidget* next = QApplication::focusWidget();
    if (next == BitBtnAnnulla || next == BitBtn1)
        return QDialog::eventFilter(watched, event);
    controllaUscita(static_cast<QWidget*>(watched));
    return QDialog::eventFilter(watched, event);
}

void TFormOperazione::controllaUscita(QWidget* field) {
    checking_ = true;
    entry_->Scheda() = leggi();
    bool ok = true;
    if (field == EditImporto)
        ui_.esegui([&] { ok = entry_->EditImportoExit(); });
    else if (field == ComboOp)
        ui_.esegui([&] { ok = entry_->ComboOpExit(); });
    else if (field == ComboBoxTipo)
        ui_.esegui([&] { ok = entry_->ComboBoxTipoExit(); });
    else if (field == EditValuta)
        ui_.esegui([&] { ok = entry_->EditValutaExit(); });
    checking_ = false;
    if (ok)
        return;
    // The handler may have emptied the box; show its text again.
    loading_ = true;
    const SchedaOperazione& sc = entry_->Scheda();
    impostaTesto(ComboOp, sc.ComboOp);
    impostaTesto(ComboBoxTipo, sc.ComboBoxTipo);
    loading_ = false;
    QWidget* back = campo(sc.focus) ? campo(sc.focus) : field;
    // The focus goes back once the move that left the field is over.
    QTimer::singleShot(0, back, [back] { back->setFocus(Qt::OtherFocusReason); });
}

} // namespace valmora::gui
