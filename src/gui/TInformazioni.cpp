#include "gui/TInformazioni.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSvgWidget>
#include <QTextEdit>
#include <QTextStream>
#include <QVBoxLayout>

namespace valmora::gui {

TInformazioni::TInformazioni(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TInformazioni"));
    intestazione_ = new QFrame(this);
    intestazione_->setFrameShape(QFrame::Panel);
    intestazione_->setFrameShadow(QFrame::Raised);
    intestazione_->setGeometry(0, 0, 330, 32);
    LabelTitolo = new QLabel(intestazione_);
    QFont titolo(QStringLiteral("MS Sans Serif"));
    titolo.setPixelSize(13);
    titolo.setBold(true);
    LabelTitolo->setFont(titolo);
    LabelTitolo->setStyleSheet(QStringLiteral("color: navy"));
    LabelTitolo->setGeometry(10, 6, 300, 20);

    pannello_ = new QFrame(this);
    pannello_->setFrameShape(QFrame::StyledPanel);
    pannello_->setGeometry(6, 38, 318, 96);
    auto* logo = new QSvgWidget(QStringLiteral(":/icone/logo.svg"), pannello_);
    logo->setGeometry(8, 8, 41, 41);
    LabelVersione = new QLabel(pannello_);
    QFont serif(QStringLiteral("MS Serif"));
    serif.setPixelSize(13);
    LabelVersione->setFont(serif);
    LabelVersione->setStyleSheet(QStringLiteral("color: navy"));
    LabelVersione->setGeometry(60, 8, 250, 18);
    auto* crediti1 = new QLabel(QStringLiteral("Gestione del conto corrente personale"), pannello_);
    crediti1->setGeometry(60, 34, 250, 18);
    auto* crediti2 = new QLabel(QStringLiteral("Scritto con C++ e Qt"), pannello_);
    crediti2->setGeometry(60, 56, 250, 18);

    RichEdit1 = new QTextEdit(this);
    RichEdit1->setReadOnly(true);
    RichEdit1->hide();
}

void TInformazioni::mostraInformazioni(const QString& titolo, const QString& versioneFile) {
    RichEdit1->hide();
    intestazione_->show();
    pannello_->show();
    setFixedSize(330, 165);
    setWindowTitle(QStringLiteral("Informazioni"));
    LabelTitolo->setText(titolo);
    LabelVersione->setText(QStringLiteral("Versione File: ") + versioneFile);
    setModal(true);
    exec();
}

QString TInformazioni::mostraCondizioni(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return f.errorString();
    const QByteArray bytes = f.readAll();
    intestazione_->hide();
    pannello_->hide();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(544, 444);
    RichEdit1->setGeometry(rect());
    RichEdit1->show();
    // Rich text when the file is rich text, else as it is.
    const QString text = QString::fromUtf8(bytes);
    if (Qt::mightBeRichText(text))
        RichEdit1->setHtml(text);
    else
        RichEdit1->setPlainText(text);
    setWindowTitle(QStringLiteral("Condizioni di Utilizzo"));
    setModal(false);
    show();
    return {};
}

} // namespace valmora::gui
