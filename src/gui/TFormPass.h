#pragma once
// The password dialog: one small window serving both the prompt made before an account opens (the
// placeholder in the field, no Help button) and "&Password..." (the current password in the field,
// Help uncovering an explanation). The entry shows a "*" per character and holds at most eight.
// The dialog only collects the text: the check and the storing are the engine's.

#include "model/UserInterface.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace valmora::gui {

class TFormPass : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLarghezza = 323;
    static constexpr int kAltezzaRidotta = 145; // "&Password..." shows it so
    static constexpr int kAltezzaEstesa = 250;  // Help uncovers the explanation

    explicit TFormPass(QWidget* parent = nullptr);

    // Shows the prompt modally; the field's text on OK (the starting text when nothing was typed),
    // nothing on Annulla or the close box.
    std::optional<std::string> chiedi(const PasswordPrompt& prompt);
    // Called each time the dialog has come up (tests drive it from here).
    void setAllaComparsa(std::function<void()> hook) { allaComparsa_ = std::move(hook); }

    // "Help": the dialog grows to uncover the explanation.
    void BitBtn3Click();

    QLabel* Label1;
    QLineEdit* DBEdit1;
    QPushButton* BitOk;
    QPushButton* BitCancel;
    QPushButton* BitBtn3;
    QLabel* Spiegazione;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<void()> allaComparsa_;
};

} // namespace valmora::gui
