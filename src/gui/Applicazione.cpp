#include "gui/Applicazione.h"

#include "gui/Italiano.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"

#include <QtGlobal>

// The settings, rate and password dialogs and the help window come with their own module.
#if __has_include("gui/Dialoghi.h")
#include "gui/Dialoghi.h"
#define VALMORA_HAS_DIALOGHI 1
#endif

// The pictures live in the static library's resources, which the program must register itself
// (outside any namespace, as the resource initialiser is declared globally).
static void registraRisorse() {
    Q_INIT_RESOURCE(valmora);
}

namespace valmora::gui {

Applicazione::Applicazione(const Clock& clock, const QString& fileImpostazioni) : clock_(clock) {
    registraRisorse();
    // Before any window: each widget takes the default locale when it is made.
    ImpostaItaliano();
    master_ = std::make_unique<TFormMaster>(ui_, clock_, fileImpostazioni);
    operazione_ = new TFormOperazione(ui_, master_.get());
    ui_.setOperationDialog(operazione_);
#ifdef VALMORA_HAS_DIALOGHI
    dialoghi_ = new Dialoghi(*master_, ui_, *operazione_);
    ui_.setPasswordAsker([this](const PasswordPrompt& prompt) { return dialoghi_->chiediPassword(prompt); });
#endif
}

Applicazione::~Applicazione() {
#ifdef VALMORA_HAS_DIALOGHI
    ui_.setPasswordAsker({});
    delete dialoghi_;
    dialoghi_ = nullptr;
#endif
    ui_.setOperationDialog(nullptr);
    master_.reset();
}

} // namespace valmora::gui
