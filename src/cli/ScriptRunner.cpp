#include "cli/ScriptRunner.h"

#include "cli/ScriptError.h"
#include "cli/ScriptTokenizer.h"

#include <exception>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace valmora::cli {

namespace {

// Runs one command as the window's event handler would: an engine failure is shown and the program goes on.
// ScriptError and ScriptedAnswerMismatch are not std::exception and pass through to stop the script.
void runAsEventHandler(CliContext& context, const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& failure) {
        context.print("ERRORE: " + ScriptedUserInterface::escapeLineBreaks(failure.what()));
    }
    context.ui.forgetCommandChoices();
}

CommandHandler findCommand(const std::string& name, const CliContext& context, const CommandRegistry& commands) {
    if (context.dialogIsOpen()) {
        if (const CommandHandler* inner = context.dialogCommands().find(name)) {
            return *inner;
        }
        throw ScriptError("il comando \"" + name + "\" non vale dentro la finestra di \"" + context.dialogName() +
                          "\" aperta alla riga " + std::to_string(context.dialogLine()));
    }
    if (const CommandHandler* handler = commands.find(name)) {
        return *handler;
    }
    throw ScriptError("comando sconosciuto \"" + name + "\"");
}

std::string place(int line) {
    return line > 0 ? "riga " + std::to_string(line) : "fine dello script";
}

} // namespace

ExitStatus runScript(std::istream& script, CliContext& context, const CommandRegistry& commands, std::ostream& errors) {
    std::string text;
    int lineNumber = 0;
    try {
        while (std::getline(script, text)) {
            context.currentLine = ++lineNumber;
            std::vector<std::string> words = tokenizeScriptLine(text);
            if (words.empty()) {
                continue;
            }
            if (context.hasExited()) {
                throw ScriptError("il comando \"" + words[0] + "\" viene dopo \"esci\"");
            }
            // A copy: a command that closes a dialog drops the dialog's table while it runs.
            CommandHandler handler = findCommand(words[0], context, commands);
            CommandCall call{words[0], std::vector<std::string>(words.begin() + 1, words.end()), lineNumber};
            runAsEventHandler(context, [&] { handler(call, context); });
            context.ui.flushEcho();
        }
        if (script.bad()) {
            errors << "valmora-cli: lettura dello script interrotta dopo la riga " << lineNumber << '\n';
            return kExitScriptUnreadable;
        }
        context.currentLine = 0;
        if (context.dialogIsOpen()) {
            throw ScriptError("la finestra di \"" + context.dialogName() + "\" aperta alla riga " +
                              std::to_string(context.dialogLine()) + " non è mai stata chiusa");
        }
        if (!context.hasExited()) {
            runAsEventHandler(context, [&] { context.exitProgram(); });
        }
    } catch (const ScriptError& fault) {
        errors << "valmora-cli: " << place(context.currentLine) << ": " << fault.reason() << '\n';
        return kExitScriptFault;
    } catch (const ScriptedAnswerMismatch& mismatch) {
        errors << "valmora-cli: " << place(context.currentLine) << ": " << mismatch.message() << '\n';
        return kExitScriptFault;
    }
    return kExitAllRan;
}

} // namespace valmora::cli
