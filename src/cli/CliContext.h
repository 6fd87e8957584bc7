#pragma once
// What the commands of a script share: the date taken as today, the scripted screen (answer queue and output),
// the account folder, and whether the program has already exited.

#include "cli/CommandRegistry.h"
#include "core/Date.h"
#include "mainwindow/FormMaster.h"
#include "model/ScriptedUserInterface.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

namespace valmora::cli {

class CliContext {
public:
    CliContext(Date today, std::ostream& out);

    // Today as the program takes it: `--oggi`, then changed by `oggi`.
    FixedClock clock;
    // The screen: message boxes, answers and every printed line go through it, in order.
    ScriptedUserInterface ui;
    // The account folder the dialogs start in; `cartella` stands for the stored preference.
    std::string accountFolder;

    // The engine's main-window object: the account, its tables and every command of the window.
    FormMaster master;

    // The script line being run (1-based), for messages.
    int currentLine = 0;

    void print(std::string line) { ui.writeLine(std::move(line)); }

    bool hasExited() const { return exited_; }
    // "&Esci": what `esci` does and what the end of the script does when the script did not say it.
    void exitProgram();

    // A modal dialog that the script fills line by line (`impostazioni` ... `ok` or `annulla`): while it is open,
    // only its own commands run. The opening command calls openDialog with them; the closing ones closeDialog.
    void openDialog(std::string name, CommandRegistry commands);
    void closeDialog() { dialog_.reset(); }
    bool dialogIsOpen() const { return dialog_.has_value(); }
    const CommandRegistry& dialogCommands() const { return dialog_->commands; }
    // The command that opened it and its line, for messages.
    const std::string& dialogName() const { return dialog_->name; }
    int dialogLine() const { return dialog_->line; }

private:
    struct OpenDialog {
        std::string name;
        int line;
        CommandRegistry commands;
    };
    bool exited_ = false;
    std::optional<OpenDialog> dialog_;
};

} // namespace valmora::cli
