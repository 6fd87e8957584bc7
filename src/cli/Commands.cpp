#include "cli/Commands.h"

namespace valmora::cli {

CommandRegistry standardCommands() {
    CommandRegistry registry;
    registerSessionCommands(registry);
    return registry;
}

} // namespace valmora::cli
