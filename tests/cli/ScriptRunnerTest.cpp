#include "cli/ScriptRunner.h"
#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <streambuf>

using namespace valmora;
using namespace valmora::cli;

namespace {

FileDialogRequest titled(std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    return request;
}

// The standard commands plus a few that only tests need: a question, a failing engine call, and a print of
// today's date, so the runner's behaviour can be seen from outside.
CommandRegistry testCommands() {
    CommandRegistry registry = standardCommands();
    registry.add("chiedi", [](const CommandCall& call, CliContext& context) {
        call.requireArgs(1);
        Answer answer = context.ui.message(call.args[0], Buttons::NoOkHelp);
        context.print(answer == Answer::Ok ? "scelto ok" : "scelto no");
    });
    registry.add("guasto", [](const CommandCall& call, CliContext& context) {
        context.ui.chooseFileInNextDialog("lasciato.dbf");
        throw std::runtime_error("Errore di scrittura:\nil disco è pieno (" + call.args.at(0) + ")");
    });
    registry.add("salva-come", [](const CommandCall&, CliContext& context) {
        auto chosen = context.ui.askSaveFile(titled("Salva"));
        context.print("file: " + chosen.value_or("(annullato)"));
    });
    registry.add("data", [](const CommandCall&, CliContext& context) {
        context.print("oggi " + context.clock.today().toString());
    });
    // A dialog driven line by line, as the settings dialog is.
    registry.add("finestra", [](const CommandCall&, CliContext& context) {
        CommandRegistry inside;
        inside.add("campo", [](const CommandCall& call, CliContext& c) { c.print("campo " + call.args.at(0)); });
        inside.add("ok", [](const CommandCall&, CliContext& c) {
            c.closeDialog();
            c.print("chiusa");
        });
        context.openDialog("finestra", std::move(inside));
    });
    return registry;
}

struct ScriptRun {
    ExitStatus status;
    std::string out;
    std::string err;
    bool exited;
};

ScriptRun run(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    CliContext context(*Date::fromYmd(2026, 3, 15), out);
    ExitStatus status = runScript(in, context, testCommands(), err);
    return {status, out.str(), err.str(), context.hasExited()};
}

// A stream that fails part-way, like a disk read error on the script.
class FailingBuffer : public std::streambuf {
public:
    explicit FailingBuffer(std::string text) : text_(std::move(text)) {
        setg(text_.data(), text_.data(), text_.data() + text_.size());
    }

protected:
    int_type underflow() override { throw std::runtime_error("errore di lettura"); }

private:
    std::string text_;
};

} // namespace

TEST(ScriptRunner, RunsEveryLineAndExitsAtTheEnd) {
    ScriptRun result = run("# prova\n"
                           "data\n"
                           "\n"
                           "oggi 01/02/2027\n"
                           "data\n");
    EXPECT_EQ(result.status, kExitAllRan);
    EXPECT_EQ(result.out, "oggi 15/03/2026\noggi 01/02/2027\n");
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.exited);
}

#ifdef VALMORA_CLI_WITHOUT_QT
TEST(ScriptRunner, WithoutQtStampaSaysPrintingNeedsTheDesktopProgramAndTheScriptGoesOn) {
    ScriptRun result = run("stampa riepilogo.pdf\n"
                           "data\n");
    EXPECT_EQ(result.status, kExitAllRan);
    EXPECT_EQ(result.out, "ERRORE: Impossibile stampare riepilogo.pdf: la stampa del riepilogo mensile richiede il "
                          "programma Valmora per il desktop.\n"
                          "oggi 15/03/2026\n");
}
#endif

TEST(ScriptRunner, QueuedAnswersReachTheQuestionsOfLaterCommands) {
    ScriptRun result = run("rispondi aiuto ok\n"
                           "chiedi \"Riportare saldo?\"\n"
                           "chiedi \"Di nuovo?\"\n");
    EXPECT_EQ(result.status, kExitAllRan);
    EXPECT_EQ(result.out, "MESSAGGIO [No,Ok,Aiuto]: Riportare saldo?\n"
                          "RISPOSTA: aiuto\n"
                          "RISPOSTA: ok\n"
                          "scelto ok\n"
                          "MESSAGGIO [No,Ok,Aiuto]: Di nuovo?\n"
                          "RISPOSTA: no\n"
                          "scelto no\n");
}

TEST(ScriptRunner, AnEngineErrorIsPrintedAndTheScriptGoesOn) {
    ScriptRun result = run("guasto x\n"
                           "salva-come\n");
    EXPECT_EQ(result.status, kExitAllRan);
    // The failed command's own file choice does not leak into the next command's dialog.
    EXPECT_EQ(result.out, "ERRORE: Errore di scrittura:\\nil disco è pieno (x)\n"
                          "RISPOSTA: annulla\n"
                          "file: (annullato)\n");
}

TEST(ScriptRunner, ScriptFaultsStopTheRunNamingTheLine) {
    struct Case {
        const char* script;
        const char* err;
    };
    const Case cases[] = {
        {"data\nnonesiste 1\ndata\n", "valmora-cli: riga 2: comando sconosciuto \"nonesiste\"\n"},
        {"esci\n\n# fine\ndata\n", "valmora-cli: riga 4: il comando \"data\" viene dopo \"esci\"\n"},
        {"esci subito\n", "valmora-cli: riga 1: il comando \"esci\" vuole 0 parole dopo il nome, ne ha 1\n"},
        {"oggi\n", "valmora-cli: riga 1: il comando \"oggi\" vuole 1 parola dopo il nome, ne ha 0\n"},
        {"rispondi\n", "valmora-cli: riga 1: il comando \"rispondi\" vuole almeno 1 parola dopo il nome, ne ha 0\n"},
        {"oggi 1/2/2026\n", "valmora-cli: riga 1: \"1/2/2026\" non è una data GG/MM/AAAA valida\n"},
        {"rispondi \"si\n", "valmora-cli: riga 1: virgolette aperte alla colonna 10 e mai chiuse\n"},
        {"rispondi file x.dbf\n\nchiedi \"Riportare?\"\n",
         "valmora-cli: riga 3: la risposta \"file x.dbf\", data alla riga 1, non vale per MESSAGGIO [No,Ok,Aiuto]: "
         "Riportare? (valgono: no, ok, aiuto)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        ScriptRun result = run(c.script);
        EXPECT_EQ(result.status, kExitScriptFault);
        EXPECT_EQ(result.err, c.err);
    }
    // Nothing after the faulty line runs, and the program does not go through its exit.
    ScriptRun stopped = run("data\nboh\ndata\n");
    EXPECT_EQ(stopped.out, "oggi 15/03/2026\n");
    EXPECT_FALSE(stopped.exited);
}

TEST(ScriptRunner, AnOpenDialogTakesOnlyItsOwnCommandsUntilClosed) {
    ScriptRun closed = run("finestra\n"
                           "campo BPOS\n"
                           "ok\n"
                           "data\n");
    EXPECT_EQ(closed.status, kExitAllRan);
    EXPECT_EQ(closed.out, "campo BPOS\nchiusa\noggi 15/03/2026\n");

    ScriptRun outerInside = run("\nfinestra\ndata\n");
    EXPECT_EQ(outerInside.status, kExitScriptFault);
    EXPECT_EQ(
        outerInside.err,
        "valmora-cli: riga 3: il comando \"data\" non vale dentro la finestra di \"finestra\" aperta alla riga 2\n");

    ScriptRun innerOutside = run("campo BPOS\n");
    EXPECT_EQ(innerOutside.err, "valmora-cli: riga 1: comando sconosciuto \"campo\"\n");

    ScriptRun neverClosed = run("finestra\ncampo x\n");
    EXPECT_EQ(neverClosed.status, kExitScriptFault);
    EXPECT_EQ(
        neverClosed.err,
        "valmora-cli: fine dello script: la finestra di \"finestra\" aperta alla riga 1 non è mai stata chiusa\n");
    EXPECT_FALSE(neverClosed.exited);
}

TEST(ScriptRunner, AScriptThatCannotBeReadGivesStatusTwo) {
    FailingBuffer buffer("data\nda");
    std::istream in(&buffer);
    std::ostringstream out;
    std::ostringstream err;
    CliContext context(*Date::fromYmd(2026, 3, 15), out);
    EXPECT_EQ(runScript(in, context, testCommands(), err), kExitScriptUnreadable);
    EXPECT_EQ(out.str(), "oggi 15/03/2026\n");
    EXPECT_EQ(err.str(), "valmora-cli: lettura dello script interrotta dopo la riga 1\n");
}

TEST(CommandRegistry, ACommandNameCanBeTakenOnlyOnce) {
    CommandRegistry registry = standardCommands();
    EXPECT_THROW(registry.add("oggi", [](const CommandCall&, CliContext&) {}), std::logic_error);
    EXPECT_THAT(registry.names(), testing::IsSupersetOf({"cartella", "esci", "oggi", "rispondi"}));
    EXPECT_EQ(registry.find("Oggi"), nullptr); // command names are exact
}

TEST(SessionCommands, CartellaAndRispondiFillTheContext) {
    std::istringstream in("cartella \"/tmp/Conti di casa\"\nrispondi si password \"a b\"\n");
    std::ostringstream out;
    std::ostringstream err;
    CliContext context(*Date::fromYmd(2026, 3, 15), out);
    ASSERT_EQ(runScript(in, context, standardCommands(), err), kExitAllRan);
    EXPECT_EQ(context.accountFolder, "/tmp/Conti di casa");
    EXPECT_EQ(context.ui.pendingAnswers(), 2u);
    EXPECT_EQ(context.ui.message("?", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(context.ui.answerPasswordPrompt().text, "a b");
}
