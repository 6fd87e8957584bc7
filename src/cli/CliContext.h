#pragma once
// What the commands of a script share: the date taken as today, the scripted screen (answer queue and output),
// the account folder, and whether the program has already exited.

#include "core/Date.h"
#include "model/ScriptedUserInterface.h"

#include <iosfwd>
#include <string>

namespace valmora::cli {

class CliContext {
public:
    CliContext(Date today, std::ostream& out) : clock(today), ui(out) {}

    // Today as the program takes it: `--oggi`, then changed by `oggi`.
    FixedClock clock;
    // The screen: message boxes, answers and every printed line go through it, in order.
    ScriptedUserInterface ui;
    // The account folder the dialogs start in; `cartella` stands for the stored preference.
    std::string accountFolder;

    // The engine's main-window object joins here when it exists; `exitProgram` will then run its "&Esci".

    // The script line being run (1-based), for messages.
    int currentLine = 0;

    void print(std::string line) { ui.writeLine(std::move(line)); }

    bool hasExited() const { return exited_; }
    // "&Esci": what `esci` does and what the end of the script does when the script did not say it.
    void exitProgram();

private:
    bool exited_ = false;
};

} // namespace valmora::cli
