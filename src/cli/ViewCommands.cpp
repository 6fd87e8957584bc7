// What is on screen: the ledger grid, the totals grid, the charts and the status bar, printed as the engine last
// handed them to the screen.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"

#include <charconv>
#include <string>

namespace valmora::cli {

namespace {

// A chart coordinate in its shortest exact form, with the decimal comma the program uses everywhere.
std::string numero(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    for (char& c : text) {
        if (c == '.') {
            c = ',';
        }
    }
    return text;
}

void movimenti(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    if (!context.master.ContoAperto()) {
        return; // the ledger grid is hidden
    }
    dbase::Table& table = context.master.DM().MainTable;
    dbase::Table::Bookmark place = table.getBookmark();
    for (table.first(); !table.eof(); table.next()) {
        context.print(table.fieldByName("DATA").asDate().toString() + ";" +
                      table.fieldByName("VALUTA").asDate().toString() + ";" +
                      table.fieldByName("OPERAZIONE").asString() + ";" + table.fieldByName("TIPO").asString() + ";" +
                      table.fieldByName("IMPORTO").asMoney().format() + ";" + table.fieldByName("COMMENTO").asString());
    }
    if (table.bookmarkValid(place)) {
        table.gotoBookmark(place);
    }
    table.freeBookmark(place);
}

void totali(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    const auto& totals = context.ui.view().totals;
    if (!totals || !context.master.ContoAperto()) {
        return;
    }
    for (int row = 0; row < TotalsGrid::kRows; ++row) {
        const auto& r = totals->rows[static_cast<std::size_t>(row)];
        if (r.hidden()) {
            context.print(std::to_string(row) + ";(nascosta)");
        } else {
            context.print(std::to_string(row) + ";" + r.cells[0] + ";" + r.cells[1] + ";" + r.cells[2]);
        }
    }
}

void grafico(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    const std::string& which = call.args[0];
    const ShownView& view = context.ui.view();
    if (which != "torta" && which != "saldo" && which != "fuoriconto") {
        throw ScriptError("grafico \"" + which + "\" sconosciuto: saldo, fuoriconto o torta");
    }
    if (!context.master.ContoAperto()) {
        return; // the charts' panel is hidden
    }
    if (which == "torta") {
        for (const PieSlice& slice : view.pie) {
            context.print(slice.label + ";" + std::to_string(slice.value));
        }
        return;
    }
    const std::vector<ChartPoint>* points = which == "saldo" ? &view.saldo : &view.fuoriConto;
    for (const ChartPoint& point : *points) {
        context.print(numero(point.x) + ";" + numero(point.y) + ";" + point.label);
    }
}

void stato(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    FormMaster& master = context.master;
    const ShownView& view = context.ui.view();
    context.print(master.Titolo());
    context.print(""); // panel 0: the long hint of the control under the mouse; a script has none
    context.print(view.notices.modifiche);
    context.print(view.notices.filtro);
    context.print(master.DataDelGiorno());
    context.print(std::string("modifiche: ") + (master.Stato().ModificheDaSalvare ? "si" : "no"));
    const dbase::Table& table = master.DM().MainTable;
    context.print(std::string("filtro: ") + (table.isOpen() && table.filtered() ? "si" : "no"));
    context.print("logo: " + master.Logo());
    context.print(std::string("nuovo anno: ") + (master.NuovoAnnoVisibile() ? "visibile" : "nascosto"));
    context.print("colonna tipo: " + std::to_string(view.tipoColumnWidth.value_or(FormMaster::kColonneDefault[2])));
}

} // namespace

void registerViewCommands(CommandRegistry& registry) {
    registry.add("movimenti", movimenti);
    registry.add("totali", totali);
    registry.add("grafico", grafico);
    registry.add("stato", stato);
}

} // namespace valmora::cli
