#pragma once
// "Riscontro con la banca...": the bank's movement list held against the ledger, in four groups with their
// totals. Thin over the engine (bank/RiscontroComandi.h): the window shows the tables it is given, prints them
// through the report canvas, saves them as PDF, and enters a bank-only line through the operation dialog, after
// which the check is made again on the ledger as it then is.

#include "bank/RiscontroComandi.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace valmora::gui {

class QtUserInterface;
class TFormMaster;

class TFormRiscontro : public QDialog {
    Q_OBJECT
public:
    TFormRiscontro(TFormMaster& master, QtUserInterface& ui);

    // Shows the check of `aperto` (the window is not modal: the ledger stays usable beside it).
    void mostra(RiscontroAperto aperto);
    const RiscontroAperto& aperto() const { return aperto_; }

    QLabel* LabelFile;
    std::array<QTableWidget*, TabelleRiscontro::kGruppi> Gruppi; // agreeing, value dates, bank only, ledger only
    std::array<QLabel*, TabelleRiscontro::kGruppi> TitoliGruppi;
    QLabel* LabelTotali;
    QComboBox* ComboInserimento;
    QPushButton* BInserisci;
    QPushButton* BStampa;
    QPushButton* BSalvaPdf;
    QPushButton* BChiudi;

    // The buttons' handlers.
    void BInserisciClick();
    void BStampaClick();
    void BSalvaPdfClick();

private:
    void riempi();
    void rigaBancaScelta();
    std::optional<std::size_t> rigaBancaCorrente() const;

    TFormMaster& master_;
    QtUserInterface& ui_;
    RiscontroAperto aperto_;
    TabelleRiscontro tabelle_;
};

} // namespace valmora::gui
