#include "gui/Dialoghi.h"

#include "gui/HelpViewer.h"
#include "gui/QtUserInterface.h"
#include "gui/TFormImpostazioni.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"
#include "gui/TFormPass.h"
#include "gui/TFormTassi.h"

namespace valmora::gui {

Dialoghi::Dialoghi(TFormMaster& master, QtUserInterface& ui, TFormOperazione& operazione) : ui_(ui), master_(&master) {
    // Created in the program's order: the settings dialog, then the rate and password dialogs.
    tassi_ = new TFormTassi(ui, &master);
    impostazioni_ = new TFormImpostazioni(ui, master.dm(), *tassi_, operazione, &master);
    pass_ = new TFormPass(&master);
    guida_ = new HelpViewer(&master);

    auto mostra = [this](FormImpostazioni& motore) {
        return impostazioni_ ? impostazioni_->mostra(motore) : DialogResult::Cancel;
    };
    master.motore().mostraImpostazioni = mostra;
    master.Impostazioni1Click = [&master, mostra] { master.motore().Impostazioni1Click(mostra); };
    ui.setHelpOpener([this](int contesto) {
        if (guida_)
            guida_->mostraArgomento(contesto);
    });
}

Dialoghi::~Dialoghi() {
    ui_.setHelpOpener({});
    if (master_) {
        master_->motore().mostraImpostazioni = nullptr;
        master_->Impostazioni1Click = nullptr;
    }
}

TFormImpostazioni* Dialoghi::impostazioni() const {
    return impostazioni_;
}
TFormTassi* Dialoghi::tassi() const {
    return tassi_;
}
TFormPass* Dialoghi::pass() const {
    return pass_;
}
HelpViewer* Dialoghi::guida() const {
    return guida_;
}

std::optional<std::string> Dialoghi::chiediPassword(const PasswordPrompt& prompt) {
    if (!pass_)
        return std::nullopt;
    return pass_->chiedi(prompt);
}

} // namespace valmora::gui
