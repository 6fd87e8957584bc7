#pragma once
// The rate dialog: six free-text boxes over the engine's FormTassi. The settings dialog's "&Nuovo" and
// "&Modifica" fill FormTassi and show it here; the caption ("Nuovo Tasso" or "Modifica Tasso") is the
// mode the engine's confirmation acts on.

#include "model/UserInterface.h"
#include "settings/FormTassi.h"

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace valmora::gui {

class QtUserInterface;

class TFormTassi : public QDialog {
    Q_OBJECT
public:
    explicit TFormTassi(QtUserInterface& ui, QWidget* parent = nullptr);

    // Shows `tassi` modally (caption, the six texts, the focus) and hands the texts back when it closes.
    // "&Ok" gives Ok, unless a text does not convert: that is refused in Italian and the dialog closes
    // with Cancel, so nothing is written.
    DialogResult mostra(FormTassi& tassi);
    void setAllaComparsa(std::function<void()> hook) { allaComparsa_ = std::move(hook); }

    QLineEdit* EData;
    QLineEdit* ECreditore;
    QLineEdit* EDebitore;
    QLineEdit* ERitenuta;
    QLineEdit* ETassoSoglia;
    QLineEdit* EImportoSoglia;
    QPushButton* BNInserisci;
    QPushButton* BNAnnulla;
    QPushButton* BitBtn1;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* campo(CampoTassi c) const;
    // The first text that does not convert is refused; false then.
    bool testiConvertibili();

    QtUserInterface& ui_;
    std::function<void()> allaComparsa_;
    CampoTassi focus_ = CampoTassi::EData;
};

} // namespace valmora::gui
