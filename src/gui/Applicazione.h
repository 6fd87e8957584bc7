#pragma once
// The program's start-up: the main window (whose engine creates the data module first), then the
// other windows in their order, each created once and kept until the program ends.

#include "core/Date.h"
#include "gui/QtUserInterface.h"

#include <QString>

#include <memory>

namespace valmora::gui {

class Dialoghi;
class TFormMaster;
class TFormOperazione;

class Applicazione {
public:
    // `clock` and `fileImpostazioni` are the tests' (a fixed day, a preferences file of their own);
    // the program passes the system clock and the user's store.
    Applicazione(const Clock& clock, const QString& fileImpostazioni = {});
    ~Applicazione();
    Applicazione(const Applicazione&) = delete;
    Applicazione& operator=(const Applicazione&) = delete;

    QtUserInterface& ui() { return ui_; }
    TFormMaster& master() { return *master_; }
    TFormOperazione& operazione() { return *operazione_; }
    // The settings, rate and password dialogs and the help window; nullptr in a build without them.
    Dialoghi* dialoghi() { return dialoghi_; }

private:
    const Clock& clock_;
    QtUserInterface ui_;
    std::unique_ptr<TFormMaster> master_;
    TFormOperazione* operazione_ = nullptr; // owned by the main window
    Dialoghi* dialoghi_ = nullptr;          // owned here; its windows belong to the main window
};

} // namespace valmora::gui
