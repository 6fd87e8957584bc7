#pragma once
// Runs a script line by line: each line's words go to the command the first word names. A line that cannot be
// run as written (syntax, unknown command, wrong words, a command after `esci`, a queued answer that does not fit
// the question) stops the run with the reason on `errors`, naming the line. An error of the engine or of the file
// system is printed as "ERRORE: text" and the run goes on, as the program goes on after showing it. At the end
// of the script the program exits as with `esci`.

#include "cli/CliContext.h"
#include "cli/CommandRegistry.h"

#include <iosfwd>

namespace valmora::cli {

enum ExitStatus : int {
    kExitAllRan = 0,
    kExitScriptFault = 1,
    kExitScriptUnreadable = 2,
};

ExitStatus runScript(std::istream& script, CliContext& context, const CommandRegistry& commands, std::ostream& errors);

} // namespace valmora::cli
