#include "model/ScriptedUserInterface.h"
#include "core/Paths.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>

using namespace valmora;
using Lines = std::vector<std::string>;

namespace {

FileDialogRequest titled(std::string title) {
    FileDialogRequest request;
    request.title = std::move(title);
    return request;
}

std::string mismatchFor(const std::function<void()>& question) {
    try {
        question();
    } catch (const ScriptedAnswerMismatch& mismatch) {
        return mismatch.message();
    }
    return "(nessun errore)";
}

} // namespace


// A file dialog returns the full path of what was typed into it.
static std::string comeDaDialogo(const char* typed) {
    return fromPath(std::filesystem::absolute(typed).lexically_normal());
}

TEST(ScriptedUserInterface, EmptyQueueTakesEachQuestionsDefault) {
    ScriptedUserInterface ui;
    EXPECT_EQ(ui.message("Salvare le modifiche effettuate?", Buttons::YesNo), Answer::Yes);
    EXPECT_EQ(ui.message("Eliminare?", Buttons::NoOk), Answer::No);
    EXPECT_EQ(ui.message("Riportare saldo ed impostazioni in un nuovo Conto?", Buttons::NoOkHelp), Answer::No);
    EXPECT_EQ(ui.askSaveFile(titled("Nuovo Conto")), std::nullopt);
    EXPECT_EQ(ui.askOpenFile(titled("Apri Conto")), std::nullopt);
    EXPECT_EQ(ui.answerProposal("01/02/2026;Prelievo;Sportello;100;Affitto"),
              ScriptedUserInterface::ProposalReply::Cancel);
    EXPECT_EQ(ui.answerPasswordPrompt().kind, ScriptedUserInterface::PasswordReply::Kind::Cancel);

    EXPECT_EQ(ui.transcript(), (Lines{
                                   "MESSAGGIO [Si,No]: Salvare le modifiche effettuate?",
                                   "RISPOSTA: si",
                                   "MESSAGGIO [No,Ok]: Eliminare?",
                                   "RISPOSTA: no",
                                   "MESSAGGIO [No,Ok,Aiuto]: Riportare saldo ed impostazioni in un nuovo Conto?",
                                   "RISPOSTA: no",
                                   "RISPOSTA: annulla",
                                   "RISPOSTA: annulla",
                                   "PROPOSTA: 01/02/2026;Prelievo;Sportello;100;Affitto",
                                   "RISPOSTA: annulla",
                                   "RISPOSTA: annulla",
                               }));
}

TEST(ScriptedUserInterface, OneButtonBoxesTakeNoAnswer) {
    ScriptedUserInterface ui;
    ui.queueAnswers({"no"});
    EXPECT_EQ(ui.message("Conto salvato", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(ui.message("Attenzione", Buttons::Yes), Answer::Yes);
    EXPECT_EQ(ui.pendingAnswers(), 1u);
    EXPECT_EQ(ui.message("Salvare?", Buttons::YesNo), Answer::No);
    EXPECT_EQ(ui.pendingAnswers(), 0u);
    EXPECT_EQ(ui.transcript(), (Lines{"MESSAGGIO [Ok]: Conto salvato", "MESSAGGIO [Si]: Attenzione",
                                      "MESSAGGIO [Si,No]: Salvare?", "RISPOSTA: no"}));
}

TEST(ScriptedUserInterface, QueuedAnswersAreTakenInOrderByEachKindOfQuestion) {
    ScriptedUserInterface ui;
    ui.queueAnswers(
        {"ok", "no", "conferma", "password", "segreta", "ok", "file", "Conto 2027.dbf", "file", "vecchio.dbf"});
    EXPECT_EQ(ui.message("a", Buttons::NoOk), Answer::Ok);
    EXPECT_EQ(ui.message("b", Buttons::YesNo), Answer::No);
    EXPECT_EQ(ui.answerProposal("x"), ScriptedUserInterface::ProposalReply::Confirm);
    auto typed = ui.answerPasswordPrompt();
    EXPECT_EQ(typed.kind, ScriptedUserInterface::PasswordReply::Kind::Typed);
    EXPECT_EQ(typed.text, "segreta");
    EXPECT_EQ(ui.answerPasswordPrompt().kind, ScriptedUserInterface::PasswordReply::Kind::OkUntyped);
    EXPECT_EQ(ui.askSaveFile({}), comeDaDialogo("Conto 2027.dbf"));
    EXPECT_EQ(ui.askOpenFile({}), comeDaDialogo("vecchio.dbf"));
    EXPECT_EQ(ui.pendingAnswers(), 0u);
    EXPECT_THAT(ui.transcript(), testing::Contains("RISPOSTA: password segreta"));
    EXPECT_THAT(ui.transcript(), testing::Contains("RISPOSTA: file Conto 2027.dbf"));
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].answer, Answer::No);
}

TEST(ScriptedUserInterface, HelpOpensAndTheSameBoxTakesTheNextAnswer) {
    ScriptedUserInterface ui;
    ui.queueAnswers({"aiuto", "aiuto", "ok", "aiuto"});
    EXPECT_EQ(ui.message("Riportare?", Buttons::NoOkHelp), Answer::Ok);
    EXPECT_EQ(ui.helpOpenings(), 2);
    // Help as the last answer: the box then takes its default.
    EXPECT_EQ(ui.message("Riportare?", Buttons::NoOkHelp), Answer::No);
    EXPECT_EQ(ui.helpOpenings(), 3);
    EXPECT_EQ(ui.transcript(),
              (Lines{"MESSAGGIO [No,Ok,Aiuto]: Riportare?", "RISPOSTA: aiuto", "RISPOSTA: aiuto", "RISPOSTA: ok",
                     "MESSAGGIO [No,Ok,Aiuto]: Riportare?", "RISPOSTA: aiuto", "RISPOSTA: no"}));
}

TEST(ScriptedUserInterface, AnAnswerThatDoesNotFitStopsWithWhereItWasQueued) {
    ScriptedUserInterface ui;
    ui.queueAnswers({"aiuto"}, 7);
    EXPECT_EQ(mismatchFor([&] { ui.message("Salvare?", Buttons::YesNo); }),
              "la risposta \"aiuto\", data alla riga 7, non vale per MESSAGGIO [Si,No]: Salvare? (valgono: si, no)");
    // The box was shown before the answer was found wrong; the answer stays queued.
    EXPECT_EQ(ui.transcript(), (Lines{"MESSAGGIO [Si,No]: Salvare?"}));
    EXPECT_EQ(ui.pendingAnswers(), 1u);

    ScriptedUserInterface other;
    other.queueAnswers({"si"});
    EXPECT_EQ(
        mismatchFor([&] { other.askSaveFile(titled("Esporta")); }),
        "la risposta \"si\" non vale per la finestra di salvataggio \"Esporta\" (valgono: file PERCORSO, annulla)");
    EXPECT_NE(mismatchFor([&] { other.answerPasswordPrompt(); }), "(nessun errore)");
    EXPECT_NE(mismatchFor([&] { other.answerProposal("x"); }), "(nessun errore)");
    EXPECT_NE(mismatchFor([&] { other.message("x", Buttons::NoOk); }), "(nessun errore)");
}

TEST(ScriptedUserInterface, ACommandsOwnFileFillsOnlyTheNextDialogSilently) {
    ScriptedUserInterface ui;
    ui.queueAnswers({"file", "dalla-coda.dbf"});
    ui.chooseFileInNextDialog("mio.dbf");
    EXPECT_EQ(ui.askSaveFile({}), comeDaDialogo("mio.dbf"));
    EXPECT_EQ(ui.askOpenFile({}), comeDaDialogo("dalla-coda.dbf"));
    EXPECT_EQ(ui.transcript(), (Lines{"RISPOSTA: file dalla-coda.dbf"}));

    ui.chooseFileInNextDialog("non-usato.dbf");
    ui.forgetCommandChoices();
    EXPECT_EQ(ui.askOpenFile({}), std::nullopt);
}

TEST(ScriptedUserInterface, AnswerWordsAreCheckedWhenQueued) {
    ScriptedUserInterface ui;
    EXPECT_THROW(ui.queueAnswers({"si", "forse"}), std::invalid_argument);
    EXPECT_THROW(ui.queueAnswers({"file"}), std::invalid_argument);
    EXPECT_THROW(ui.queueAnswers({"Si"}), std::invalid_argument); // words are exact, as typed in the script
    EXPECT_EQ(ui.pendingAnswers(), 0u);                           // a bad line queues nothing, not even "si"

    auto answers = parseAnswerWords({"password", "file", "file", "password"}, 3);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].word(), "password file");
    EXPECT_EQ(answers[1].word(), "file password");
    EXPECT_EQ(answers[1].sourceLine, 3);
}

TEST(ScriptedUserInterface, LineBreaksInsideTextsAreWrittenAsBackslashN) {
    ScriptedUserInterface ui;
    ui.message("Prima riga\nseconda\r\nterza\rquarta \\n resta", Buttons::Ok);
    EXPECT_EQ(ui.transcript(), (Lines{"MESSAGGIO [Ok]: Prima riga\\nseconda\\nterza\\nquarta \\n resta"}));
    // The recorded message keeps the text as the program gave it.
    EXPECT_EQ(ui.messages().at(0).text, "Prima riga\nseconda\r\nterza\rquarta \\n resta");
}

TEST(ScriptedUserInterface, EchoWritesEachLineAsItHappens) {
    std::ostringstream out;
    ScriptedUserInterface ui(out);
    ui.message("Uno", Buttons::YesNo);
    EXPECT_EQ(out.str(), "MESSAGGIO [Si,No]: Uno\nRISPOSTA: si\n");
    ui.writeLine("ERRORE: disco pieno");
    EXPECT_EQ(out.str(), "MESSAGGIO [Si,No]: Uno\nRISPOSTA: si\nERRORE: disco pieno\n");
    // valmora-cli keeps nothing in memory: a long script must not grow it.
    EXPECT_TRUE(ui.transcript().empty());
    EXPECT_TRUE(ui.messages().empty());

    std::ostringstream both;
    ScriptedUserInterface keeping(both, true);
    keeping.message("Due", Buttons::Ok);
    EXPECT_EQ(keeping.transcriptText(), both.str());
}

TEST(ScriptedUserInterface, KeepsWhatTheViewShowsNowForThePrintingCommands) {
    ScriptedUserInterface ui;
    EXPECT_FALSE(ui.view().totals.has_value());
    EXPECT_FALSE(ui.view().tipoColumnWidth.has_value());

    ui.chartPointAdded(LedgerChart::Saldo, {1, 0.5, "Gennaio", {}});
    ui.chartPointAdded(LedgerChart::FuoriConto, {1, -0.1, "", {}});
    ui.pieSliceAdded({"Accrediti", 3, {}});
    // A new scan starts by clearing each chart: earlier points must not survive into the next listing.
    ui.chartCleared(LedgerChart::Saldo);
    ui.chartCleared(LedgerChart::Movimenti);
    ui.chartPointAdded(LedgerChart::Saldo, {1, 0.7, "Febbraio", {}});
    ASSERT_EQ(ui.view().saldo.size(), 1u);
    EXPECT_EQ(ui.view().saldo[0].label, "Febbraio");
    EXPECT_EQ(ui.view().fuoriConto.size(), 1u);
    EXPECT_TRUE(ui.view().pie.empty());

    TotalsGrid grid;
    grid.cell(0, 1) = "Saldo";
    ui.totalsGridChanged(grid);
    grid.cell(0, 1) = "cambiato dopo";
    EXPECT_EQ(ui.view().totals->cell(0, 1), "Saldo"); // a copy, as the screen holds its own cells
    ui.tipoColumnWidthChanged(64);
    ui.statusNoticesChanged({"Modifiche da Salvare!", "", true});
    EXPECT_EQ(ui.view().tipoColumnWidth, 64);
    EXPECT_EQ(ui.view().notices.modifiche, "Modifiche da Salvare!");
    EXPECT_TRUE(ui.transcript().empty()); // view updates print nothing by themselves
}
