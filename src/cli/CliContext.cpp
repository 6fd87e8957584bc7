#include "cli/CliContext.h"

namespace valmora::cli {

CliContext::CliContext(Date today, std::ostream& out) : clock(today), ui(out), master(ui, clock) {
    // No stored preferences: the dialogs start in the working folder until `cartella` says otherwise.
    master.Avvio(PreferenzeFinestra::Predefinite(""));
}

void CliContext::exitProgram() {
    // Marked first: if closing fails the program is gone all the same, as the window is after "&Esci".
    exited_ = true;
    master.FormClose();
}

void CliContext::openDialog(std::string name, CommandRegistry commands) {
    dialog_ = OpenDialog{std::move(name), currentLine, std::move(commands)};
}

} // namespace valmora::cli
