#pragma once
// What the window tests share: one QApplication on the offscreen platform for the whole run, and a
// started program (the real windows) on a fixed day, with its preferences in a file of its own.

#include "core/Date.h"
#include "gui/Applicazione.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"

#include <QAbstractButton>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace valmora::gui::test {

// The day the tests run on: a Wednesday in March 2026.
Date OggiDiProva();

class ProgrammaDiProva {
public:
    // `fileImpostazioni` empty: a fresh preferences file in the test's own folder.
    explicit ProgrammaDiProva(const QString& fileImpostazioni = {});
    ~ProgrammaDiProva();

    Applicazione& app() { return *app_; }
    TFormMaster& master() { return app_->master(); }
    TFormOperazione& dialogo() { return app_->operazione(); }
    QtUserInterface& ui() { return app_->ui(); }
    QString cartella() const { return dir_.path(); }
    FixedClock& orologio() { return clock_; }
    QString fileImpostazioni() const { return settings_; }

    // The main window made active again, as the window manager does when a dialog closes.
    void attivaFinestra();
    // "&Nuovo" (Ctrl+N) with the file dialog answered: a new account in the test's folder.
    void nuovoConto(const std::string& nome = "conto.dbf");
    // "&Apri" (Ctrl+A) with the file dialog answered.
    void apriConto(const std::string& nome = "conto.dbf");
    // Runs `f` on the operation dialog each time it shows (the argument counts the showings from 1);
    // the dialog is modal, so `f` must close it.
    void allaComparsaDelDialogo(std::function<void(TFormOperazione&, int)> f);
    int comparseDelDialogo() const { return comparse_; }

    // A movement typed as a user does: amount, description, then "&Conferma".
    static void digita(TFormOperazione& d, const QString& importo, const QString& descrizione);
    // A movement entered through a toolbar button (TDepositi, TPrelievi...), the dialog typed in as digita does.
    void registra(QAbstractButton* pulsante, const QString& importo, const QString& descrizione);

    // The ledger grid row whose OPERAZIONE and IMPORTO read as given, -1 when there is none.
    int rigaDelMovimento(const QString& operazione, const QString& importo);

private:
    QTemporaryDir dir_;
    QString settings_;
    FixedClock clock_;
    std::unique_ptr<Applicazione> app_;
    int comparse_ = 0;
};

// Whether a message box with exactly this text was shown.
inline bool mostrato(const QtUserInterface& ui, std::string_view text) {
    for (const auto& box : ui.shownBoxes())
        if (box.text == text)
            return true;
    return false;
}

} // namespace valmora::gui::test
