// `riscontro FILE [GIORNI]`: the bank's movement list held against the ledger, one line per pair, per line
// without a partner and per total. The path is taken as typed, relative to the folder the program was started in.

#include "bank/RiscontroConto.h"
#include "bank/RiscontroRighe.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"

#include <charconv>

namespace valmora::cli {

namespace {

int giorniArg(const CommandCall& call) {
    if (call.args.size() < 2)
        return kGiorniRiscontro;
    const std::string& word = call.args[1];
    int giorni = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), giorni);
    if (error != std::errc() || end != word.data() + word.size() || giorni < 0 || giorni > 366)
        throw ScriptError("giorni \"" + word + "\" non validi: un numero intero da 0 a 366");
    return giorni;
}

void riscontro(const CommandCall& call, CliContext& context) {
    call.requireArgs(1, 2);
    const int giorni = giorniArg(call);
    if (!context.master.ContoAperto())
        return; // the menu item is disabled while no account is open
    const RiscontroCompleto esito =
        RiscontraFile(context.master.DM(), call.args[0], context.master.DM().fileSystem(), giorni);
    for (std::string& riga : RigheRiscontro(esito.riscontro))
        context.print(std::move(riga));
}

} // namespace

void registerRiscontroCommands(CommandRegistry& registry) {
    registry.add("riscontro", riscontro);
}

} // namespace valmora::cli
