#pragma once
// Every command valmora-cli knows. A feature adds its file with a `registerXxxCommands` function, declares it
// here and lists it once in standardCommands().

#include "cli/CommandRegistry.h"

namespace valmora::cli {

CommandRegistry standardCommands();

// oggi, cartella, rispondi, esci: the session itself, no account needed.
void registerSessionCommands(CommandRegistry& registry);
// nuovo, apri, salva, chiudi, esporta, password: the "&Conto" menu.
void registerContoCommands(CommandRegistry& registry);
// movimenti, totali, grafico, stato: what is on screen.
void registerViewCommands(CommandRegistry& registry);
// accredito, prelievo, addebito, imposta, fuoriconto, modifica, elimina, filtro: "&Modifica" and the filter bar.
void registerMovementCommands(CommandRegistry& registry);

} // namespace valmora::cli
