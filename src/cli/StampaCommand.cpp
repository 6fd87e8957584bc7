// "Stampa &Riepilogo Mensile ...": the monthly summary of the open account, written to a PDF file instead of a
// printer. The path is taken as typed, relative to the folder the program was started in.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "gui/canvas/PdfReport.h"

namespace valmora::cli {

namespace {

void stampa(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    renderReportToPdf(context.master, call.args[0]);
}

} // namespace

void registerStampaCommands(CommandRegistry& registry) {
    registry.add("stampa", stampa);
}

} // namespace valmora::cli
