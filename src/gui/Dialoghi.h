#pragma once
// The settings, rate and password dialogs and the help window, created once at start-up beside the
// main window and kept until the program ends, and hooked into it: "Im&postazioni..." and the settings
// a new account opens with show TFormImpostazioni, help requests open the help window, and the
// password prompts show TFormPass (through chiediPassword, which the seam's askPassword calls).

#include "model/UserInterface.h"

#include <QPointer>

#include <optional>
#include <string>

namespace valmora::gui {

class HelpViewer;
class QtUserInterface;
class TFormImpostazioni;
class TFormMaster;
class TFormOperazione;
class TFormPass;
class TFormTassi;

class Dialoghi {
public:
    Dialoghi(TFormMaster& master, QtUserInterface& ui, TFormOperazione& operazione);
    ~Dialoghi();
    Dialoghi(const Dialoghi&) = delete;
    Dialoghi& operator=(const Dialoghi&) = delete;

    // The password dialog for the engine's prompt (the seam's askPassword).
    std::optional<std::string> chiediPassword(const PasswordPrompt& prompt);

    TFormImpostazioni* impostazioni() const;
    TFormTassi* tassi() const;
    TFormPass* pass() const;
    HelpViewer* guida() const;

private:
    QtUserInterface& ui_;
    QPointer<TFormMaster> master_;
    // Owned by the main window, like every window of the program.
    QPointer<TFormImpostazioni> impostazioni_;
    QPointer<TFormTassi> tassi_;
    QPointer<TFormPass> pass_;
    QPointer<HelpViewer> guida_;
};

} // namespace valmora::gui
