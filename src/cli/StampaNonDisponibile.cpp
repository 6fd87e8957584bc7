// `stampa` in a build without Qt: the report is drawn by Qt's painter, which only the desktop program carries.
// The command stays known, so a script written for the full build gets one ERRORE line and goes on.

#include "cli/CliContext.h"
#include "cli/Commands.h"

#include <stdexcept>

namespace valmora::cli {

namespace {

void stampa(const CommandCall& call, CliContext&) {
    call.requireArgs(1);
    throw std::runtime_error("Impossibile stampare " + call.args[0] +
                             ": la stampa del riepilogo mensile richiede il programma Valmora per il desktop.");
}

} // namespace

void registerStampaCommands(CommandRegistry& registry) {
    registry.add("stampa", stampa);
}

} // namespace valmora::cli
