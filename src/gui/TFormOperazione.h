#pragma once
// The operation dialog: one instance, created at start-up and reused. Its controls mirror the engine's
// SchedaOperazione: `mostra` shows the entry's Scheda() modally, runs the entry's field handlers as the
// focus moves (the checks, the operation change, the programmed-insertion box) and hands the controls
// back to the entry when a button closes it; the entry then runs the confirmation itself.

#include "entry/OperationEntry.h"
#include "entry/SchedaOperazione.h"

#include <QDialog>

#include <functional>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace valmora::gui {

class QtUserInterface;

class TFormOperazione : public QDialog {
    Q_OBJECT
public:
    // The dialog's results: OK for "&Conferma", Cancel for "&Annulla", Retry for the second button.
    enum Esito { Annulla = QDialog::Rejected, OK = QDialog::Accepted, Riprova = 2 };

    TFormOperazione(QtUserInterface& ui, QWidget* parent = nullptr);

    // Shows the entry's dialog state modally and returns the button that closed it; the controls are
    // then in entry.Scheda().
    DialogResult mostra(OperationEntry& entry);
    // Called each time the dialog has been shown and laid out (tests drive it from here).
    void setAllaComparsa(std::function<void()> hook) { allaComparsa_ = std::move(hook); }

    // Shows a SchedaOperazione in the controls (values, lists, arrangement, enabled states).
    void carica(const SchedaOperazione& scheda);
    // The controls read back.
    SchedaOperazione leggi() const;

    // The two places of the type box.
    void DisponiInserimento();       // type box in the operation box's place
    void DisponiModifica();          // type box beside the operation box
    void abilitaCampi(bool enabled); // every control of the middle area

    // Handlers: each hands the controls to the entry and shows back what it changed.
    void CBInsAutoClick();
    void ComboOpChange();

    // Controls, named as the program names them (tests reach them too).
    QLabel* LabelPanel;
    QCalendarWidget* Calendario;
    QLabel* LabelImporto;
    QLineEdit* EditImporto;
    QLabel* LabelOperazione;
    QComboBox* ComboOp;
    QLabel* LabelTipo;
    QComboBox* ComboBoxTipo;
    QLabel* LabelDescrizione;
    QLineEdit* EditDescrizione;
    QCheckBox* CBInsAuto;
    QComboBox* CBFrequenza;
    QLabel* LabelMeseInizio;
    QComboBox* CBMeseInizio;
    QLabel* LabelGiorno;
    QComboBox* CBGiorno;
    QLabel* LabelValuta;
    QLineEdit* EditValuta;
    QPushButton* BitBtnConferma;
    QPushButton* BitBtnNuovaOp;
    QPushButton* BitBtnAnnulla;
    QPushButton* BitBtn1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The check made when the focus leaves `field`; a refusal puts the focus back there.
    void controllaUscita(QWidget* field);
    // "&Conferma" or the second button: closes with `esito` once the entry accepts what was typed.
    void conferma(Esito esito);
    QWidget* campo(CampoScheda c) const;
    CampoScheda campoDi(const QWidget* w) const;
    void mostraProgrammazione(bool enabled);

    QtUserInterface& ui_;
    OperationEntry* entry_ = nullptr;
    std::function<void()> allaComparsa_;
    QFrame* middle_[3];
    bool loading_ = false;
    bool checking_ = false;
};

} // namespace valmora::gui
