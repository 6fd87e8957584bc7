// "N&uovo Anno" and "&Importa": the carry-over of a past year's account into a new one, and the conversion of an
// account of the previous major version. Each fills its save dialog with the file named on its line; the other
// questions take the queued answers.

#include "cli/CliContext.h"
#include "cli/Commands.h"

#include "core/Paths.h"

#include <filesystem>

namespace valmora::cli {

namespace {

// A file typed into a dialog is taken relative to the folder the dialog starts in, as a file dialog does.
std::string nelDialogo(CliContext& context, const std::string& file) {
    if (toPath(file).is_absolute()) {
        return file;
    }
    return context.master.Stato().CartellaConto + file;
}

void nuovoAnno(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    FormMaster& master = context.master;
    if (!master.ContoAperto() || !master.NuovoAnnoVisibile()) {
        return; // the menu item is hidden
    }
    context.ui.chooseFileInNextDialog(nelDialogo(context, call.args[0]));
    // A name in use cancels the dialog that would come back: the script named its file once.
    master.NuovoAnno1Click(false);
}

void importa(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    context.ui.chooseFileInNextDialog(nelDialogo(context, call.args[0]));
    context.master.Importa1Click();
}

} // namespace

void registerAnnoCommands(CommandRegistry& registry) {
    registry.add("nuovo-anno", nuovoAnno);
    registry.add("importa", importa);
}

} // namespace valmora::cli
