#include "gui/TFormPass.h"

#include "accounts/AccountPassword.h"
#include "gui/DialoghiComuni.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace valmora::gui {

namespace {

const char* const kSpiegazione = "Inserire una sequenza di otto caratteri per \n"
                                 "assegnare, o cambiare, una passord. \n"
                                 "Non scrivere nulla  se non si vuole assegnare una password.\n"
                                 "\n"
                                 "NB. Se si vuole cancellare quella vecchia inserire il numero 0, \n"
                                 "in seguito non verrà richiesta nessuna password !";

} // namespace

TFormPass::TFormPass(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TFormPass"));
    setWindowTitle(QStringLiteral("Password"));
    setFont(carattere(QStringLiteral("MS Sans Serif"), 11));
    setFixedSize(kLarghezza, kAltezzaRidotta);

    Label1 = etichetta(QStringLiteral("Password:"), this, 16, 18);
    Label1->setStyleSheet(QStringLiteral("color: navy"));

    DBEdit1 = new QLineEdit(this);
    DBEdit1->setObjectName(QStringLiteral("DBEdit1"));
    DBEdit1->setFont(carattere(QStringLiteral("Arial"), 16));
    DBEdit1->setGeometry(16, 38, 81, 26);
    DBEdit1->setEchoMode(QLineEdit::Password);
    // A "*" for every character, whatever the style's own mask character is.
    DBEdit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    DBEdit1->setMaxLength(static_cast<int>(kLunghezzaPassword));
    DBEdit1->setToolTip(QStringLiteral("Digitare una password"));
    DBEdit1->setStatusTip(QStringLiteral("Digitare una password"));

    BitOk = new QPushButton(QStringLiteral("OK"), this);
    BitOk->setObjectName(QStringLiteral("BitOk"));
    BitOk->setGeometry(228, 12, 82, 26);
    BitOk->setDefault(true);
    BitCancel = new QPushButton(QStringLiteral("Annulla"), this);
    BitCancel->setObjectName(QStringLiteral("BitCancel"));
    BitCancel->setGeometry(228, 46, 82, 26);
    BitBtn3 = new QPushButton(QStringLiteral("Help"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(228, 80, 82, 26);
    for (QPushButton* b : {BitCancel, BitBtn3})
        b->setAutoDefault(false);

    // Below the buttons: uncovered only when Help has made the dialog taller.
    Spiegazione = new QLabel(QString::fromUtf8(kSpiegazione), this);
    Spiegazione->setObjectName(QStringLiteral("Spiegazione"));
    Spiegazione->setGeometry(8, kAltezzaRidotta - 4, kLarghezza - 16, kAltezzaEstesa - kAltezzaRidotta - 4);
    Spiegazione->setFrameShape(QFrame::StyledPanel);
    Spiegazione->setAutoFillBackground(true);
    Spiegazione->setBackgroundRole(QPalette::Button);
    Spiegazione->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Spiegazione->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Spiegazione->setMargin(3);
    Spiegazione->setWordWrap(true); // where the system's font is wider than the one it was written for
    Spiegazione->setFont(carattere(QStringLiteral("MS Sans Serif"), 10));

    connect(BitOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(BitCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, [this] { BitBtn3Click(); });
}

std::optional<std::string> TFormPass::chiedi(const PasswordPrompt& prompt) {
    // "&Password..." always opens at the short height; the prompt at open keeps the height it last had.
    if (prompt.aiutoVisibile)
        setFixedSize(kLarghezza, kAltezzaRidotta);
    BitBtn3->setVisible(prompt.aiutoVisibile);
    DBEdit1->setText(qtesto(TroncaPassword(prompt.testo)));
    if (allaComparsa_)
        QTimer::singleShot(0, this, [this] {
            if (allaComparsa_)
                allaComparsa_();
        });
    const int esito = exec();
    BitBtn3->setVisible(true);
    if (esito != QDialog::Accepted)
        return std::nullopt;
    return TroncaPassword(utf8(DBEdit1->text()));
}

void TFormPass::BitBtn3Click() {
    setFixedSize(kLarghezza, kAltezzaEstesa);
}

void TFormPass::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Typing replaces what the field shows (the placeholder, or the old password).
    DBEdit1->setFocus(Qt::OtherFocusReason);
    DBEdit1->selectAll();
}

} // namespace valmora::gui
