// `scalare DAL AL`: the interest statement by value date of the open account, with the average balance and the
// stamp duty, as the "Riassunto scalare" window shows it for the same two dates.

#include "bank/ScalareConto.h"
#include "bank/ScalareTesto.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"

namespace valmora::cli {

namespace {

void scalare(const CommandCall& call, CliContext& context) {
    call.requireArgs(2);
    const Date dal = call.dateArg(0);
    const Date al = call.dateArg(1);
    const auto riassunto = RiassuntoDelConto(context.master, context.ui, dal, al);
    if (!riassunto)
        return;
    for (std::string& riga : RigheScalare(*riassunto))
        context.print(std::move(riga));
}

} // namespace

void registerScalareCommands(CommandRegistry& registry) {
    registry.add("scalare", scalare);
}

} // namespace valmora::cli
