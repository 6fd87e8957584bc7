#pragma once
// The settings dialog: the account's conditions, its interest rates with the two capitalisation
// lists, and its programmed operations, in three tabs. It holds no rule: every event is handed to the
// engine's FormImpostazioni (which edits the settings row in place and sets ModificheDaSalvare,
// CostiModificati and TassiModificati), and the two lists are re-read from the tables after each change.

#include "model/UserInterface.h"
#include "settings/FormImpostazioni.h"

#include <QDialog>

#include <functional>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace valmora {
class TDM;
namespace dbase {
class Table;
}
} // namespace valmora

namespace valmora::gui {

class QtUserInterface;
class TFormOperazione;
class TFormTassi;

class TFormImpostazioni : public QDialog {
    Q_OBJECT
public:
    TFormImpostazioni(QtUserInterface& ui, TDM& dm, TFormTassi& tassi, TFormOperazione& operazione,
                      QWidget* parent = nullptr);

    // The engine's MostraImpostazioni: shows the prepared dialog modally and returns OK ("&OK"), or
    // Cancel ("&Annulla", Esc, the close box); the engine then posts or cancels the row.
    DialogResult mostra(FormImpostazioni& motore);
    // Called each time the dialog has come up (tests drive it from here).
    void setAllaComparsa(std::function<void()> hook) { allaComparsa_ = std::move(hook); }

    // The field bound to a settings column (nullptr for a column the first tab does not show).
    QLineEdit* campo(std::string_view colonna) const;

    // Handlers, named as the program names them.
    void OKBtnClick();
    void BitBtn1Click();
    void BtnNuovoTassoClick();
    void BtnModificaTassoClick();
    void BtnEliminaTassoClick();
    void BTNuovoAccClick();
    void BTModificaAccClick();
    void BTEliminaAccClick();
    void BtnRielaboraClick();

    QTabWidget* PageControl1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* BitBtn1;
    QTableWidget* GrigliaTassi;
    QPushButton *BtnNuovoTasso, *BtnModificaTasso, *BtnEliminaTasso;
    QComboBox* DBComboBox1; // CAPITA_CRE
    QComboBox* DBComboBox2; // CAPITA_DEB
    QTableWidget* GrigliaAcc;
    QPushButton *BTNuovoAcc, *BTModificaAcc, *BTEliminaAcc, *BtnRielabora;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    struct CampoLegato {
        const CampoCondizione* def;
        QLineEdit* edit;
        bool digitato = false; // the user typed since the field took the focus
    };

    QWidget* creaCondizioni();
    QWidget* creaTassi();
    QWidget* creaAutomatiche();
    QFrame* cornice(QWidget* parent, int x, int y, int w, int h);
    QLabel* intestazione(const QString& testo, QWidget* parent, int x, int y, bool grassetto);
    void legaCampo(QWidget* parent, std::string_view colonna, int xEtichetta, int xCampo, int y,
                   bool etichettaSopra = false);

    CampoLegato* legato(const QObject* o);
    // The field's text handed to the engine when the focus leaves it; false when refused.
    bool lascia(CampoLegato& c);
    void mostraCampi();
    void mostraCapitalizzazione();
    void ricaricaTassi();
    void ricaricaAutomatiche();
    void selezioneACorrente(QTableWidget* griglia, dbase::Table& tabella);
    // Runs an engine command: its errors are shown and the dialog stays.
    void esegui(const std::function<void()>& comando);

    QtUserInterface& ui_;
    TDM& dm_;
    TFormTassi& tassi_;
    TFormOperazione& operazione_;
    FormImpostazioni* motore_ = nullptr;
    std::vector<CampoLegato> campi_;
    std::function<void()> allaComparsa_;
    bool chiudendo_ = false;
    bool inLascia_ = false;
};

} // namespace valmora::gui
