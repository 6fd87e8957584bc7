#include "cli/ScriptRunner.h"

#include "cli/ScriptError.h"
#include "cli/ScriptTokenizer.h"

#include <exception>
#include <istream>
#include <ostream>
#include <string>

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
            const CommandHandler* handler = commands.find(words[0]);
            if (handler == nullptr) {
                throw ScriptError("comando sconosciuto \"" + words[0] + "\"");
            }
            CommandCall call{words[0], std::vector<std::string>(words.begin() + 1, words.end()), lineNumber};
            runAsEventHandler(context, [&] { (*handler)(call, context); });
        }
        if (script.bad()) {
            errors << "valmora-cli: lettura dello script interrotta dopo la riga " << lineNumber << '\n';
            return kExitScriptUnreadable;
        }
        context.currentLine = 0;
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
