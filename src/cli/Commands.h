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
// impostazioni ... ok / annulla: the settings dialog, its rates and programmed operations.
void registerImpostazioniCommands(CommandRegistry& registry);
// nuovo-anno, importa: the new-year carry-over and the import of a previous-version account.
void registerAnnoCommands(CommandRegistry& registry);
// accredito, prelievo, addebito, imposta, fuoriconto, modifica, elimina, filtro: "&Modifica" and the filter bar.
void registerMovementCommands(CommandRegistry& registry);
// stampa: the monthly summary as a PDF file.
void registerStampaCommands(CommandRegistry& registry);
// scalare: the interest statement by value date, held against the bank's.
void registerScalareCommands(CommandRegistry& registry);
// riscontro: the bank's movement list held against the ledger.
void registerRiscontroCommands(CommandRegistry& registry);

} // namespace valmora::cli
