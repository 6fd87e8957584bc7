// The commands that set up the session rather than drive a window: the date taken as today, the account folder,
// the answers to the questions to come, and the exit.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"

#include <cstdint>
#include <stdexcept>

namespace valmora::cli {

namespace {

void oggi(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    context.clock.set(call.dateArg(0));
}

void cartella(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    // Like the stored preference, the folder is taken as written; the dialogs find out whether it exists.
    context.accountFolder = call.args[0];
    context.master.ImpostaCartellaConto(call.args[0]);
}

void rispondi(const CommandCall& call, CliContext& context) {
    call.requireArgs(1, SIZE_MAX);
    try {
        context.ui.queueAnswers(call.args, call.line);
    } catch (const std::invalid_argument& bad) {
        throw ScriptError(bad.what());
    }
}

void esci(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    context.exitProgram();
}

} // namespace

void registerSessionCommands(CommandRegistry& registry) {
    registry.add("oggi", oggi);
    registry.add("cartella", cartella);
    registry.add("rispondi", rispondi);
    registry.add("esci", esci);
}

} // namespace valmora::cli
