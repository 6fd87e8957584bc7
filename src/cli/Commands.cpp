#include "cli/Commands.h"

namespace valmora::cli {

CommandRegistry standardCommands() {
    CommandRegistry registry;
    registerSessionCommands(registry);
    registerContoCommands(registry);
    registerViewCommands(registry);
    registerImpostazioniCommands(registry);
    registerAnnoCommands(registry);
    registerMovementCommands(registry);
    registerStampaCommands(registry);
    registerScalareCommands(registry);
    registerRiscontroCommands(registry);
    return registry;
}

} // namespace valmora::cli
