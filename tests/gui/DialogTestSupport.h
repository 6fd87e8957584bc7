#pragma once
// The program's windows with the dialogs hooked in, on a fixed day, for the dialog tests: the main
// window with its engine, the operation dialog, and Dialoghi (settings, rates, password, help). The
// seam here also answers the password prompt with the real dialog and counts the ledger scans.

#include "core/Date.h"
#include "gui/Dialoghi.h"
#include "gui/QtUserInterface.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"

#include <QRect>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <string>

class QTableWidget;

namespace valmora::gui::test {

class InterfacciaDiProva : public QtUserInterface {
public:
    Dialoghi* dialoghi = nullptr;
    int scansioni = 0;         // ledger scans begun (each starts by clearing the balance chart)
    int richiestePassword = 0; // password prompts shown

    std::optional<std::string> askPassword(const PasswordPrompt& prompt) override;
    void chartCleared(LedgerChart chart) override;
};

class ContoConDialoghi {
public:
    ContoConDialoghi();
    ~ContoConDialoghi();

    InterfacciaDiProva& ui() { return ui_; }
    TFormMaster& master() { return *master_; }
    TFormOperazione& operazione() { return *operazione_; }
    Dialoghi& dialoghi() { return *dialoghi_; }
    QString cartella() const { return dir_.path(); }
    std::string percorso(const std::string& nome) const;

    // "&Nuovo" with the file dialog answered; the settings dialog a new account opens with is confirmed.
    void nuovoConto(const std::string& nome = "conto.dbf");
    // "&Apri" on an account of the test's folder.
    void apriConto(const std::string& nome = "conto.dbf");
    // "Im&postazioni..." with `f` run on the dialog once it is up (f must close it).
    void impostazioni(const std::function<void(class TFormImpostazioni&)>& f);

    // Makes a dialog that has just come up the active window, as a window manager would.
    static void attiva(QWidget* w);
    // Types `testo` over the field's content, as a user does after clicking in it.
    static void scriviIn(QWidget* campo, const QString& testo);
    // A double-click on a grid cell as the mouse gives it: press, release, then the double-click.
    static void doppioClic(QTableWidget* griglia, const QRect& cella);

    // The movements table's rows as "DATA|VALUTA|OPERAZIONE|TIPO|IMPORTO|COMMENTO", in ledger order.
    std::vector<std::string> movimenti();

private:
    QTemporaryDir dir_;
    FixedClock clock_;
    InterfacciaDiProva ui_;
    std::unique_ptr<TFormMaster> master_;
    TFormOperazione* operazione_ = nullptr;
    std::unique_ptr<Dialoghi> dialoghi_;
};

// Runs `f` on `dialogo` each time it comes up, made the active window first (f must close it).
template <class Dialogo, class Azione> void allaComparsa(Dialogo& dialogo, Azione f) {
    dialogo.setAllaComparsa([&dialogo, f] {
        ContoConDialoghi::attiva(&dialogo);
        f(dialogo);
    });
}

} // namespace valmora::gui::test
