#include "gui/QtUserInterface.h"

#include "entry/OperationEntry.h"
#include "gui/TFormOperazione.h"

#if __has_include("gui/canvas/PrinterDialog.h")
#include "gui/canvas/PrinterDialog.h"
#define VALMORA_HAS_PRINTER_DIALOG 1
#endif

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include <exception>
#include <map>

namespace valmora::gui {

namespace {

std::vector<Answer> buttonsOf(Buttons buttons) {
    switch (buttons) {
    case Buttons::Yes:
        return {Answer::Yes};
    case Buttons::Ok:
        return {Answer::Ok};
    case Buttons::YesNo:
        return {Answer::Yes, Answer::No};
    case Buttons::NoOk:
        return {Answer::No, Answer::Ok};
    case Buttons::NoOkHelp:
        return {Answer::No, Answer::Ok, Answer::Help};
    }
    return {Answer::Ok};
}

QMessageBox::ButtonRole roleOf(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return QMessageBox::YesRole;
    case Answer::No:
        return QMessageBox::NoRole;
    case Answer::Ok:
        return QMessageBox::AcceptRole;
    case Answer::Cancel:
        return QMessageBox::RejectRole;
    case Answer::Help:
        return QMessageBox::HelpRole;
    }
    return QMessageBox::AcceptRole;
}

// A file dialog's filter text from the request's pattern ("*.dbf" -> "Tabelle dBase (*.dbf)").
QString filterText(const FileDialogRequest& request) {
    const QString pattern = QString::fromStdString(request.filter.empty() ? std::string("*") : request.filter);
    if (pattern.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive))
        return QStringLiteral("Tabelle dBase (%1)").arg(pattern);
    return pattern;
}

} // namespace

QtUserInterface::QtUserInterface() = default;
QtUserInterface::~QtUserInterface() = default;

QString QtUserInterface::buttonCaption(Answer answer) {
    switch (answer) {
    case Answer::Yes:
        return QStringLiteral("&Sì");
    case Answer::No:
        return QStringLiteral("&No");
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Annulla");
    case Answer::Help:
        return QStringLiteral("&Aiuto");
    }
    return {};
}

Answer QtUserInterface::escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::Yes:
        return Answer::Yes;
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::NoOk:
    case Buttons::NoOkHelp:
        return Answer::No;
    }
    return Answer::Ok;
}

void QtUserInterface::openHelp(int topic) {
    helpTopics_.push_back(topic);
    if (helpOpener_)
        helpOpener_(topic);
}

bool QtUserInterface::esegui(const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        // A scan interrupted by the error may have left the grid suspended or the cursor busy.
        while (busyDepth_ > 0)
            busyCursor(false);
        if (target_)
            target_->sospendiGriglia(false);
        mostraErrore(e.what());
        return false;
    }
}

void QtUserInterface::mostraErrore(const std::string& text) {
    message(text, Buttons::Ok);
}

Answer QtUserInterface::message(const std::string& text, Buttons buttons) {
    const std::vector<Answer> allowed = buttonsOf(buttons);
    for (;;) {
        Answer answer = escapeAnswer(buttons);
        if (!answers_.empty() && allowed.size() > 1) {
            // A one-button box takes no queued answer: a notice cannot change the course of a command.
            answer = answers_.front();
            answers_.pop_front();
        } else if (!answers_.empty() || answerByDefault_) {
            answer = allowed.size() == 1 ? allowed.front() : escapeAnswer(buttons);
        } else {
            answer = showBox(text, buttons);
        }
        shown_.push_back({text, buttons, answer});
        if (answer != Answer::Help)
            return answer;
        // Help opens the help and leaves the same question open.
        openHelp(0);
    }
}

Answer QtUserInterface::showBox(const std::string& text, Buttons buttons) {
    QMessageBox box(parent_ ? parent_ : QApplication::activeWindow());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(QString::fromStdString(title_));
    // The engine writes line breaks as '\r' (the classic message convention); Qt wants '\n'.
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    box.setText(shown);
    box.setTextFormat(Qt::PlainText);
    std::map<QAbstractButton*, Answer> answerOf;
    const std::vector<Answer> allowed = buttonsOf(buttons);
    for (Answer a : allowed) {
        QPushButton* button = box.addButton(buttonCaption(a), roleOf(a));
        answerOf[button] = a;
        if (a == escapeAnswer(buttons))
            box.setEscapeButton(button);
    }
    box.setDefaultButton(static_cast<QPushButton*>(box.buttons().front()));
    box.exec();
    const auto found = answerOf.find(box.clickedButton());
    return found == answerOf.end() ? escapeAnswer(buttons) : found->second;
}

std::optional<std::string> QtUserInterface::fileDialog(const FileDialogRequest& request, bool save) {
    if (!files_.empty()) {
        std::optional<std::string> chosen = files_.front();
        files_.pop_front();
        return chosen;
    }
    if (answerByDefault_)
        return std::nullopt;
    QFileDialog dialog(parent_, QString::fromStdString(request.title), QString::fromStdString(request.folder),
                       filterText(request));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A new account refuses a name in use itself ("Conto già esistente!"), and the import only reads the file
    // it is given: Qt's own question whether to replace the file would come first and say the wrong thing.
    // Only the export writes over what it finds, and keeps the question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, save && request.title != "Esporta");
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.fileName.empty())
        dialog.selectFile(QString::fromStdString(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().front()).toStdString();
}

std::optional<std::string> QtUserInterface::askSaveFile(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

std::optional<std::string> QtUserInterface::askOpenFile(const FileDialogRequest& request) {
    return fileDialog(request, false);
}

std::shared_ptr<ReportCanvas> QtUserInterface::askPrintCanvas() {
    if (!canvases_.empty()) {
        std::shared_ptr<ReportCanvas> canvas = canvases_.front();
        canvases_.pop_front();
        return canvas;
    }
    if (answerByDefault_)
        return nullptr; // nobody at the keyboard: the print dialog is cancelled
#ifdef VALMORA_HAS_PRINTER_DIALOG
    return askPrinterCanvas(parent_);
#else
    return nullptr;
#endif
}

DialogResult QtUserInterface::showOperationDialog(OperationEntry& entry) {
    return dialog_ ? dialog_->mostra(entry) : DialogResult::Cancel;
}

std::optional<ProposalValues> QtUserInterface::askProposal(const OperationProposal& proposal) {
    // The entry has just filled its dialog state with the proposal (heading, values, insert arrangement).
    if (!dialog_ || !proposalEntry_ || !proposalEntry_->Scheda().LabelPanel.size())
        return std::nullopt;
    SchedaOperazione& scheda = proposalEntry_->Scheda();
    if (scheda.LabelPanel != proposal.intestazione)
        return std::nullopt;
    if (dialog_->mostra(*proposalEntry_) == DialogResult::Cancel)
        return std::nullopt;
    const std::optional<Money> importo = ConvertiNumeroDigitato(scheda.EditImporto);
    if (!importo) {
        message(MsgNumeroNonValido(scheda.EditImporto), Buttons::Ok);
        return std::nullopt;
    }
    ProposalValues values;
    values.data = scheda.Calendario;
    values.tipo = scheda.ComboBoxTipo;
    values.importo = *importo;
    values.descrizione = scheda.EditDescrizione;
    return values;
}

std::optional<std::string> QtUserInterface::askPassword(const PasswordPrompt& prompt) {
    return passwordAsker_ ? passwordAsker_(prompt) : std::nullopt;
}

void QtUserInterface::captionChanged(const std::string& caption) {
    if (target_)
        target_->impostaTitolo(caption);
}

void QtUserInterface::institutoLabelChanged(const std::string& text) {
    if (target_)
        target_->impostaIstituto(text);
}

void QtUserInterface::accountOpenChanged(bool open) {
    if (target_)
        target_->contoApertoCambiato(open);
}

void QtUserInterface::nuovoAnnoVisibleChanged(bool visible) {
    if (target_)
        target_->mostraNuovoAnno(visible);
}

void QtUserInterface::totalsGridChanged(const TotalsGrid& grid) {
    if (target_)
        target_->mostraTotali(grid);
}

void QtUserInterface::chartCleared(LedgerChart chart) {
    if (target_)
        target_->svuotaGrafico(chart);
}

void QtUserInterface::chartPointAdded(LedgerChart chart, const ChartPoint& point) {
    if (target_)
        target_->aggiungiPunto(chart, point);
}

void QtUserInterface::pieSliceAdded(const PieSlice& slice) {
    if (target_)
        target_->aggiungiFetta(slice);
}

void QtUserInterface::statusNoticesChanged(const StatusNotices& notices) {
    if (target_)
        target_->StatoTabella(notices);
}

void QtUserInterface::tipoColumnWidthChanged(int pixels) {
    if (target_)
        target_->larghezzaColonnaTipo(pixels);
}

void QtUserInterface::busyCursor(bool on) {
    if (on) {
        ++busyDepth_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (busyDepth_ > 0) {
        --busyDepth_;
        QApplication::restoreOverrideCursor();
    }
}

void QtUserInterface::ledgerGridSuspended(bool suspended) {
    if (target_)
        target_->sospendiGriglia(suspended);
}

} // namespace valmora::gui
