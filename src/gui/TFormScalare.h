#pragma once
// The "Riassunto scalare" window: the interest statement by value date of the open account for a period chosen
// from its list or typed as two dates, with its totals, the average balance and the stamp duty due and charged
// (their difference in red); printed, saved as PDF or copied as CSV. The window holds no rule: FormScalare does.

#include "bank/ScalareForm.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QPushButton;
class QTableWidget;

namespace valmora {
class FormMaster;
}

namespace valmora::gui {

class QtUserInterface;

class TFormScalare : public QDialog {
    Q_OBJECT
public:
    TFormScalare(FormMaster& master, QtUserInterface& ui, QWidget* parent = nullptr);

    // Shows the window (not modal) with the periods of the open account and the statement of the first one.
    void mostra();
    FormScalare& motore() { return motore_; }

    void ComboPeriodoChange(int indice);
    void BCalcolaClick();
    void BStampaClick();
    void BPdfClick();
    void BCopiaClick();

    QComboBox* ComboPeriodo;
    QDateEdit* EDal;
    QDateEdit* EAl;
    QPushButton *BCalcola, *BStampa, *BPdf, *BCopia, *BChiudi;
    QTableWidget* GrigliaScalare;
    QTableWidget* GrigliaTotali;

private:
    void mostraRiassunto();

    FormMaster& master_;
    QtUserInterface& ui_;
    FormScalare motore_;
};

} // namespace valmora::gui
