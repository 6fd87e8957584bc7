#include "cli/CliContext.h"

namespace valmora::cli {

void CliContext::exitProgram() {
    // Marked first: if closing fails the program is gone all the same, as the window is after "&Esci".
    exited_ = true;
}

void CliContext::openDialog(std::string name, CommandRegistry commands) {
    dialog_ = OpenDialog{std::move(name), currentLine, std::move(commands)};
}

} // namespace valmora::cli
