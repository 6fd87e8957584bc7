// The commands of the "&Conto" menu: new, open, save, close, exit, export and password. Each fills the dialog the
// command opens with the file or text named on its line; the questions the command then asks take the queued
// answers, as the window's would.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "core/Paths.h"

#include <filesystem>

namespace valmora::cli {

namespace {

// A file typed into a dialog is taken relative to the folder the dialog starts in, as a file dialog does.
std::string nelDialogo(const CliContext& context, const std::string& file) {
    const std::filesystem::path path = toPath(file);
    if (path.is_absolute()) {
        return file;
    }
    const std::string& cartella = context.master.Stato().CartellaConto;
    return cartella.empty() ? file : fromPath(toPath(cartella) / path);
}

// The file named on the line, for the dialog the command opens.
void fileDelDialogo(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    context.ui.chooseFileInNextDialog(nelDialogo(context, call.args[0]));
}

void nuovo(const CommandCall& call, CliContext& context) {
    fileDelDialogo(call, context);
    // The settings dialog that follows is confirmed unchanged; a name in use cancels the dialog that comes back.
    context.master.Nuovo1Click(false);
}

void apri(const CommandCall& call, CliContext& context) {
    fileDelDialogo(call, context);
    context.master.Apri1Click();
}

void salva(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    context.master.Salva1Click();
}

void chiudi(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    context.master.Chiudi1Click(true);
}

void esporta(const CommandCall& call, CliContext& context) {
    fileDelDialogo(call, context);
    context.master.Esporta1Click();
}

void password(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    context.master.Password1Click(call.args[0]);
}

} // namespace

void registerContoCommands(CommandRegistry& registry) {
    registry.add("nuovo", nuovo);
    registry.add("apri", apri);
    registry.add("salva", salva);
    registry.add("chiudi", chiudi);
    registry.add("esporta", esporta);
    registry.add("password", password);
}

} // namespace valmora::cli
