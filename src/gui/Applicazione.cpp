#include "gui/Applicazione.h"

#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"

#include <QtGlobal>

// The pictures live in the static library's resources, which the program must register itself
// (outside any namespace, as the resource initialiser is declared globally).
static void registraRisorse() {
    Q_INIT_RESOURCE(valmora);
}

namespace valmora::gui {

Applicazione::Applicazione(const Clock& clock, const QString& fileImpostazioni) : clock_(clock) {
    registraRisorse();
    master_ = std::make_unique<TFormMaster>(ui_, clock_, fileImpostazioni);
    operazione_ = new TFormOperazione(ui_, master_.get());
    ui_.setOperationDialog(operazione_);
}

Applicazione::~Applicazione() {
    ui_.setOperationDialog(nullptr);
    master_.reset();
}

} // namespace valmora::gui
