#include "cli/CliContext.h"

namespace valmora::cli {

void CliContext::exitProgram() {
    // Marked first: if closing fails the program is gone all the same, as the window is after "&Esci".
    exited_ = true;
}

} // namespace valmora::cli
