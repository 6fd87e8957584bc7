#include "cli/ScriptTokenizer.h"
#include "cli/ScriptError.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using valmora::cli::ScriptError;
using valmora::cli::tokenizeScriptLine;
using Words = std::vector<std::string>;

namespace {

std::string reasonFor(std::string_view line) {
    try {
        tokenizeScriptLine(line);
    } catch (const ScriptError& error) {
        return error.reason();
    }
    return "(nessun errore)";
}

} // namespace

TEST(ScriptTokenizer, SplitsOnRunsOfSpacesAndTabs) {
    EXPECT_EQ(tokenizeScriptLine("accredito 01/02/2026  12,50\tDeposito"),
              (Words{"accredito", "01/02/2026", "12,50", "Deposito"}));
    EXPECT_EQ(tokenizeScriptLine("  \t esci \t "), (Words{"esci"}));
}

TEST(ScriptTokenizer, QuotedWordsKeepBlanksAndDoubledQuotes) {
    EXPECT_EQ(tokenizeScriptLine("prelievo 01/02/2026 50 \"S. Bancomat\" \"per  la \"\"casa\"\"\""),
              (Words{"prelievo", "01/02/2026", "50", "S. Bancomat", "per  la \"casa\""}));
    // An empty quoted word is a word: an empty description is something a user can type.
    EXPECT_EQ(tokenizeScriptLine("cartella \"\""), (Words{"cartella", ""}));
    EXPECT_EQ(tokenizeScriptLine("\"\"\"\""), (Words{"\""}));
    // '#' inside a quoted word and after the first word is ordinary text.
    EXPECT_EQ(tokenizeScriptLine("cartella \"# non commento\" #2"), (Words{"cartella", "# non commento", "#2"}));
}

TEST(ScriptTokenizer, CommentsEmptyLinesAndWindowsLineEndsHaveNoWords) {
    EXPECT_TRUE(tokenizeScriptLine("").empty());
    EXPECT_TRUE(tokenizeScriptLine("   \t").empty());
    EXPECT_TRUE(tokenizeScriptLine("# esci").empty());
    EXPECT_TRUE(tokenizeScriptLine("   #esci \"aperte").empty());
    EXPECT_TRUE(tokenizeScriptLine("\r").empty());
    EXPECT_EQ(tokenizeScriptLine("oggi 01/01/2026\r"), (Words{"oggi", "01/01/2026"}));
    EXPECT_EQ(tokenizeScriptLine("cartella \"a b\"\r"), (Words{"cartella", "a b"}));
}

TEST(ScriptTokenizer, MalformedQuotingIsRefusedWithTheColumn) {
    EXPECT_EQ(reasonFor("cartella \"Conti"), "virgolette aperte alla colonna 10 e mai chiuse");
    // A doubled quote at the end does not close the word.
    EXPECT_EQ(reasonFor("cartella \"Conti\"\""), "virgolette aperte alla colonna 10 e mai chiuse");
    EXPECT_EQ(reasonFor("cartella \"Conti\"2026"), "dopo le virgolette chiuse alla colonna 16 manca uno spazio");
    EXPECT_EQ(reasonFor("cartella Con\"ti\""), "virgolette dentro una parola senza virgolette alla colonna 13");
}
