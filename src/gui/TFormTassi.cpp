#include "gui/TFormTassi.h"

#include "entry/SchedaOperazione.h"
#include "gui/DialoghiComuni.h"
#include "gui/QtUserInterface.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace valmora::gui {

namespace {

QLineEdit* casella(QWidget* parent, const char* nome, const QString& hint, int x, int y, int larghezza) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(nome));
    e->setGeometry(x, y, larghezza, 21);
    e->setToolTip(hint);
    e->setStatusTip(hint);
    return e;
}

} // namespace

TFormTassi::TFormTassi(QtUserInterface& ui, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui_(ui) {
    setObjectName(QStringLiteral("TFormTassi"));
    setFont(carattere(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(302, 154);

    // The date and the three rates in one frame...
    auto* tassi = new QFrame(this);
    tassi->setFrameShape(QFrame::StyledPanel);
    tassi->setGeometry(6, 6, 196, 86);
    etichetta(QStringLiteral("Data"), tassi, 8, 6);
    EData = casella(tassi, "EData", QStringLiteral("Inserire la data iniziale di applicazione dei tassi"), 8, 20, 80);
    etichetta(QStringLiteral("T. Creditore %"), tassi, 100, 6);
    ECreditore = casella(tassi, "ECreditore", QStringLiteral("Tasso d'interesse creditore"), 100, 20, 80);
    etichetta(QStringLiteral("T. Debitore %"), tassi, 8, 44);
    EDebitore = casella(tassi, "EDebitore", QStringLiteral("Tasso d'interesse debitore"), 8, 58, 80);
    etichetta(QStringLiteral("Ritenuta %"), tassi, 100, 44);
    ERitenuta = casella(tassi, "ERitenuta", QStringLiteral("Ritenuta statale"), 100, 58, 80);

    // ...the two threshold fields in a grey one below.
    auto* soglia = new QFrame(this);
    soglia->setFrameShape(QFrame::StyledPanel);
    soglia->setGeometry(6, 96, 196, 52);
    soglia->setAutoFillBackground(true);
    QPalette grigio = soglia->palette();
    grigio.setColor(QPalette::Window, QColor(192, 192, 192));
    grigio.setColor(QPalette::Base, QColor(192, 192, 192));
    soglia->setPalette(grigio);
    etichetta(QStringLiteral("Tasso Soglia %"), soglia, 8, 4);
    ETassoSoglia =
        casella(soglia, "ETassoSoglia", QStringLiteral("Tasso per Importi inferiori al tetto Soglia"), 8, 20, 80);
    etichetta(QString::fromUtf8("Importo Soglia €"), soglia, 100, 4);
    EImportoSoglia = casella(
        soglia, "EImportoSoglia",
        QStringLiteral("Specifica l'importo sotto il quale applicare un eventuale altro Tasso (Soglia)"), 100, 20, 88);

    BNInserisci = new QPushButton(QStringLiteral("&Ok"), this);
    BNInserisci->setObjectName(QStringLiteral("BNInserisci"));
    BNInserisci->setGeometry(212, 10, 82, 26);
    BNInserisci->setDefault(true);
    BNAnnulla = new QPushButton(QStringLiteral("&Annulla"), this);
    BNAnnulla->setObjectName(QStringLiteral("BNAnnulla"));
    BNAnnulla->setGeometry(212, 42, 82, 26);
    BitBtn1 = new QPushButton(QStringLiteral("&Help"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(212, 74, 82, 26);
    for (QPushButton* b : {BNAnnulla, BitBtn1})
        b->setAutoDefault(false);

    setTabOrder(EData, ECreditore);
    setTabOrder(ECreditore, EDebitore);
    setTabOrder(EDebitore, ERitenuta);
    setTabOrder(ERitenuta, ETassoSoglia);
    setTabOrder(ETassoSoglia, EImportoSoglia);
    setTabOrder(EImportoSoglia, BNInserisci);
    setTabOrder(BNInserisci, BNAnnulla);
    setTabOrder(BNAnnulla, BitBtn1);

    connect(BNInserisci, &QPushButton::clicked, this, [this] {
        if (testiConvertibili())
            accept();
        else
            reject();
    });
    connect(BNAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { ui_.openHelp(kAiutoTassi); });
}

QLineEdit* TFormTassi::campo(CampoTassi c) const {
    switch (c) {
    case CampoTassi::EData:
        return EData;
    case CampoTassi::ECreditore:
        return ECreditore;
    case CampoTassi::EDebitore:
        return EDebitore;
    case CampoTassi::ERitenuta:
        return ERitenuta;
    case CampoTassi::ETassoSoglia:
        return ETassoSoglia;
    case CampoTassi::EImportoSoglia:
        return EImportoSoglia;
    case CampoTassi::Nessuno:
        break;
    }
    return nullptr;
}

DialogResult TFormTassi::mostra(FormTassi& tassi) {
    setWindowTitle(qtesto(tassi.Caption));
    EData->setText(qtesto(tassi.EData));
    ECreditore->setText(qtesto(tassi.ECreditore));
    EDebitore->setText(qtesto(tassi.EDebitore));
    ERitenuta->setText(qtesto(tassi.ERitenuta));
    ETassoSoglia->setText(qtesto(tassi.ETassoSoglia));
    EImportoSoglia->setText(qtesto(tassi.EImportoSoglia));
    focus_ = tassi.focus;
    if (allaComparsa_)
        QTimer::singleShot(0, this, [this] {
            if (allaComparsa_)
                allaComparsa_();
        });
    const int esito = exec();
    tassi.EData = utf8(EData->text());
    tassi.ECreditore = utf8(ECreditore->text());
    tassi.EDebitore = utf8(EDebitore->text());
    tassi.ERitenuta = utf8(ERitenuta->text());
    tassi.ETassoSoglia = utf8(ETassoSoglia->text());
    tassi.EImportoSoglia = utf8(EImportoSoglia->text());
    return esito == QDialog::Accepted ? DialogResult::Ok : DialogResult::Cancel;
}

bool TFormTassi::testiConvertibili() {
    // The engine converts the same way; asking first lets the refusal be in the program's language.
    const std::string testoData = utf8(EData->text());
    if (!ConvertiDataDigitata(testoData)) {
        ui_.message(MsgDataNonValidaDialogo(testoData), Buttons::Ok);
        return false;
    }
    for (QLineEdit* e : {EImportoSoglia, ETassoSoglia, ECreditore, EDebitore, ERitenuta}) {
        const std::string testo = utf8(e->text());
        if (!ConvertiNumeroDigitato(testo)) {
            ui_.message(MsgNumeroNonValidoDialogo(testo), Buttons::Ok);
            return false;
        }
    }
    return true;
}

void TFormTassi::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ui_.openHelp(kAiutoTassi);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFormTassi::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QLineEdit* e = campo(focus_)) {
        e->setFocus(Qt::OtherFocusReason);
        e->selectAll();
    }
}

} // namespace valmora::gui
