#pragma once
// The user interface of tests and of valmora-cli: every question the program asks is answered from a queue of
// answer words (as the script's `rispondi` gives them), and everything shown is written as transcript lines:
//
//   MESSAGGIO [Si,No]: text        a message box (a line break inside the text written as the two characters \n)
//   RISPOSTA: si                   the answer a question took, queued or by default
//   PROPOSTA: fields               the operation dialog showing a due programmed operation
//
// Defaults when the queue is empty: Yes for a Yes/No box, No for a No/OK (and No/OK/Help) box, `annulla` for a
// proposal, the password prompt and a save dialog; an open dialog is cancelled. One-button boxes take no answer.
// A queued word that does not fit the question (e.g. `file x.dbf` for a Yes/No box) is a fault of the script, not
// of the program: it throws ScriptedAnswerMismatch, which is deliberately not a std::exception so that nothing in
// the engine mistakes it for a table error and shows it; the script's runner stops on it.

#include "model/UserInterface.h"

#include <cstddef>
#include <deque>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace valmora {

// One answer word of the queue.
struct ScriptedAnswer {
    enum class Kind { Si, No, Ok, Annulla, Aiuto, Conferma, Password, File };

    Kind kind = Kind::Ok;
    std::string text;   // what `password` types or the path `file` chooses
    int sourceLine = 0; // the script line that queued it; 0 when queued by a test

    // The answer as the script writes it: "si", "password segreta", "file conto.dbf".
    std::string word() const;
};

// Reads answer words as `rispondi` takes them: `password` and `file` each take the word after them.
// Throws std::invalid_argument with an Italian message on an unknown word or a missing text.
std::vector<ScriptedAnswer> parseAnswerWords(const std::vector<std::string>& words, int sourceLine = 0);

// A queued answer that the question asked cannot take.
class ScriptedAnswerMismatch {
public:
    explicit ScriptedAnswerMismatch(std::string message) : message_(std::move(message)) {}
    const std::string& message() const { return message_; }

private:
    std::string message_;
};

// What the screen shows now beside the ledger, as the engine last set it: the commands that print the totals,
// the charts and the status bar read it, and so do engine tests.
struct ShownView {
    std::optional<TotalsGrid> totals; // nothing until the first refresh
    std::vector<ChartPoint> saldo;
    std::vector<ChartPoint> fuoriConto;
    std::vector<PieSlice> pie;
    StatusNotices notices;
    std::optional<int> tipoColumnWidth; // nothing until the engine sets it
    bool ledgerGridSuspended = false;
    bool busy = false;
};

class ScriptedUserInterface : public UserInterface {
public:
    // Keeps the transcript in memory (tests read it back with transcript()).
    ScriptedUserInterface() = default;
    // Also writes each transcript line to `echo` as it happens (valmora-cli: standard output).
    explicit ScriptedUserInterface(std::ostream& echo, bool keepTranscript = false);

    // --- The answer queue ---
    void queueAnswer(ScriptedAnswer answer);
    // Words as `rispondi` takes them, e.g. {"no", "file", "conto.dbf"}; throws std::invalid_argument on a bad word.
    void queueAnswers(const std::vector<std::string>& words, int sourceLine = 0);
    std::size_t pendingAnswers() const { return queue_.size(); }
    void clearAnswers() { queue_.clear(); }

    // A command that names its own file (`nuovo FILE`, `apri FILE`) fills the next file dialog with it. That dialog
    // is the command's own, so it takes no queued answer and prints no RISPOSTA line.
    void chooseFileInNextDialog(std::string path) { commandFile_ = std::move(path); }
    // Drops a command's file choice that no dialog used, so it cannot leak into the next command.
    void forgetCommandChoices() { commandFile_.reset(); }

    // --- What was shown ---
    struct ShownMessage {
        std::string text;
        Buttons buttons;
        Answer answer;
    };
    const std::vector<std::string>& transcript() const { return transcript_; }
    std::string transcriptText() const; // the lines, each ended by '\n'
    const std::vector<ShownMessage>& messages() const { return messages_; }
    int helpOpenings() const { return helpOpenings_; }
    void clearTranscript();

    // Any other line the program shows (command output, ERRORE lines), kept in order with the questions.
    void writeLine(std::string line);

    // --- UserInterface ---
    Answer message(const std::string& text, Buttons buttons) override;
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;

    // --- View updates: kept, never printed by themselves ---
    const ShownView& view() const { return view_; }
    void totalsGridChanged(const TotalsGrid& grid) override { view_.totals = grid; }
    void chartCleared(LedgerChart chart) override;
    void chartPointAdded(LedgerChart chart, const ChartPoint& point) override;
    void pieSliceAdded(const PieSlice& slice) override { view_.pie.push_back(slice); }
    void statusNoticesChanged(const StatusNotices& notices) override { view_.notices = notices; }
    void tipoColumnWidthChanged(int pixels) override { view_.tipoColumnWidth = pixels; }
    void busyCursor(bool on) override { view_.busy = on; }
    void ledgerGridSuspended(bool suspended) override { view_.ledgerGridSuspended = suspended; }

    // --- Questions whose seam functions come with their features; their overrides answer through these ---
    enum class ProposalReply { Confirm, Cancel };
    // Prints "PROPOSTA: " + fields, then takes `conferma` or `annulla` (default).
    ProposalReply answerProposal(std::string_view fields);

    struct PasswordReply {
        enum class Kind { Typed, OkUntyped, Cancel };
        Kind kind = Kind::Cancel;
        std::string text; // what was typed over the placeholder (Typed only)
    };
    // Takes `password TESTO`, `ok` or `annulla` (default).
    PasswordReply answerPasswordPrompt();

    // The seam's proposal and password questions, answered through the two above. A confirmed proposal keeps the
    // proposed values; the password prompt returns the typed text, or the starting text for a bare `ok`.
    std::optional<ProposalValues> askProposal(const OperationProposal& proposal) override;
    std::optional<std::string> askPassword(const PasswordPrompt& prompt) override;

    // Hands what was written so far to the echo stream's reader: a script fed line by line through a pipe sees
    // each command's output before it sends the next.
    void flushEcho();

    // --- Formatting shared with other printers ---
    static std::string buttonsLabel(Buttons buttons); // "Si", "Ok", "Si,No", "No,Ok", "No,Ok,Aiuto"
    static std::string escapeLineBreaks(std::string_view text);

private:
    // Takes the next answer for a question that accepts the kinds in `fits`; an empty queue gives `fallback`.
    ScriptedAnswer take(std::initializer_list<ScriptedAnswer::Kind> fits, ScriptedAnswer::Kind fallback,
                        std::string_view question);
    static std::string asDialogReturnsIt(const std::string& typed);
    std::optional<std::string> answerFileDialog(std::string_view question, ScriptedAnswer::Kind fallback);

    std::ostream* echo_ = nullptr;
    bool keepTranscript_ = true;
    std::deque<ScriptedAnswer> queue_;
    std::optional<std::string> commandFile_;
    std::vector<std::string> transcript_;
    std::vector<ShownMessage> messages_;
    int helpOpenings_ = 0;
    ShownView view_;
};

} // namespace valmora
