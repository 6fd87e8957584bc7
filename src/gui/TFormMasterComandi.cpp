// What the main window's menu items and buttons run: the movements entered, modified, deleted and
// printed, the windows it opens, and the filter bar's controls read into the engine's filter.

#include "gui/TFormMaster.h"

#include "gui/AnteprimaStampa.h"
#include "gui/CartellaDati.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormMasterInterno.h"
#include "gui/TFormRiscontro.h"
#include "gui/TFormScalare.h"
#include "gui/TInformazioni.h"
#include "print/Stampa.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QTableView>

namespace valmora::gui {

namespace {

constexpr const char* kVersioneFile = "040106";

QDate toQDate(Date d) {
    return d.isNull() ? QDate() : QDate(d.year(), d.month(), d.day());
}

void seleziona(QComboBox* box, const std::string& text) {
    const int at = box->findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive);
    box->setCurrentIndex(at);
    if (box->isEditable())
        box->setEditText(QString::fromStdString(text));
}

} // namespace

using namespace finestra_principale;

// ---------------------------------------------------------------------------------------------
// Commands

void TFormMaster::selezioneACorrente() {
    const QModelIndex current = DBGrid1->currentIndex();
    if (current.isValid())
        modello->rendiCorrente(current.row());
}

void TFormMaster::InserisciComando(TipoInserimento tipo) {
    if (!contoAperto())
        return;
    comando([this, tipo] { entry().ComandoInserimento(tipo); });
}

void TFormMaster::SpeedModificaClick() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    comando([this] { entry().SpeedModificaClick(); });
}

void TFormMaster::SpeedEliminaClick() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    comando([this] { entry().SpeedEliminaClick(); });
}

void TFormMaster::File1Click() {
    Salva1->setEnabled(contoAperto() && motore_.File1Click());
}

void TFormMaster::Esci1Click() {
    close();
}

void TFormMaster::Informazionisu1Click() {
    Informazioni->mostraInformazioni(q(Stato().TitoloProgramma), QString::fromLatin1(kVersioneFile));
}

void TFormMaster::CondizionidiUtilizzo1Click() {
#ifdef Q_OS_WIN
    const QString file = cartellaWindows_ + QDir::separator() + QStringLiteral("Licenza.txt");
#else
    const QString file = QDir::toNativeSeparators(fileLicenza());
#endif
    const QString error = Informazioni->mostraCondizioni(file);
    if (!error.isEmpty())
        ui_.message((QDir::toNativeSeparators(file) + QStringLiteral(": ") + error).toStdString(), Buttons::Ok);
}

void TFormMaster::TCalendarioClick(bool pressed) {
    if (pressed)
        Calendario->mostra(toQDate(clock_.today()));
    else
        Calendario->close();
}

void TFormMaster::RiscontroBanca1Click() {
    if (!contoAperto())
        return;
    std::optional<RiscontroAperto> aperto = RiscontroConBanca1Click(motore_, ui_);
    if (!aperto)
        return;
    if (!Riscontro)
        Riscontro = new TFormRiscontro(*this, ui_);
    Riscontro->mostra(std::move(*aperto));
}

void TFormMaster::StampaRiepilogo1Click() {
    if (!contoAperto())
        return;
    selezioneACorrente();
    // A canvas chosen beforehand (a test's recorder, nobody at the keyboard) takes the report directly;
    // the user sees the pages first.
    if (ui_.stampaGiaScelta())
        comando([this] { Stampa1Click(motore_, ui_); });
    else
        comando([this] { AnteprimaRiepilogo(motore_, ui_, this); });
}

void TFormMaster::RiassuntoScalare1Click() {
    if (!contoAperto())
        return;
    if (!Scalare)
        Scalare = new TFormScalare(motore_, ui_, this);
    Scalare->mostra();
}

void TFormMaster::ApriRecente(const QString& file) {
    // As "&Apri" does, with the file dialog answered by the account chosen.
    comando([this, file] {
        ui_.queueFile(file.toStdString());
        motore_.Apri1Click();
    });
}

void TFormMaster::ColonnaSaldo1Click(bool visibile) {
    DBGrid1->setColumnHidden(LedgerTableModel::SALDO, !visibile);
    store_->setValue(QStringLiteral("ColonnaSaldo"), visibile);
}

// ---------------------------------------------------------------------------------------------
// Filter bar

void TFormMaster::sincronizzaBarra() {
    syncingBar_ = true;
    const valmora::BarraQuery& b = filtro().Barra();
    seleziona(ComboData, b.ComboData);
    ComboData2->setEditText(QString::fromStdString(b.ComboData2));
    if (b.ComboData2.empty())
        ComboData2->setCurrentIndex(-1);
    ComboData2->setEnabled(b.ComboData2Abilitato);
    Label1->setEnabled(b.ComboData2Abilitato);
    seleziona(ComboOperazioni, b.ComboOperazioni);
    riempi(ComboTipo, b.ComboTipoVoci);
    seleziona(ComboTipo, b.ComboTipo);
    ComboTipo->setEnabled(b.ComboTipoAbilitato);
    Label4->setEnabled(b.ComboTipoAbilitato);
    syncingBar_ = false;
}

namespace {
void leggiBarra(BarraQuery& b, QComboBox* data, QComboBox* data2, QComboBox* operazioni, QComboBox* tipo,
                QLineEdit* cerca) {
    b.ComboData = data->currentText().toStdString();
    b.ComboData2 = data2->currentText().toStdString();
    b.ComboOperazioni = operazioni->currentText().toStdString();
    b.ComboTipo = tipo->currentIndex() < 0 ? std::string() : tipo->currentText().toStdString();
    b.EditCerca = cerca->text().toStdString();
}
} // namespace

void TFormMaster::ComboDataChange(MittenteFiltro mittente) {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this, mittente] { filtro().ComboDataChange(mittente); });
    sincronizzaBarra();
}

void TFormMaster::ComboOperazioniChange() {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().ComboOperazioniChange(); });
    sincronizzaBarra();
}

void TFormMaster::ComboTipoChange() {
    if (syncingBar_ || !contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().ComboTipoChange(); });
    sincronizzaBarra();
}

void TFormMaster::TBCercaClick() {
    if (!contoAperto())
        return;
    leggiBarra(filtro().Barra(), ComboData, ComboData2, ComboOperazioni, ComboTipo, EditCerca);
    comando([this] { filtro().TBCercaClick(); });
    sincronizzaBarra();
}

} // namespace valmora::gui
