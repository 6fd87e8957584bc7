#pragma once
// The desktop side of the seam: plain message boxes without icon captioned with the program's title,
// the standard file dialogs, and the ledger view updates forwarded to the main window.
//
// Tests drive the real windows on the offscreen platform, where nobody could press a button of a
// modal box: they queue the answers here first (the "next answer" hooks), and every box shown is
// recorded, answered or not, so a test can check its text and buttons.

#include "model/UserInterface.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace valmora::gui {

class TFormOperazione;

// Where the ledger's view updates land (the main window implements it).
class LedgerViewTarget {
public:
    virtual ~LedgerViewTarget() = default;
    virtual void mostraTotali(const TotalsGrid& grid) = 0;
    virtual void svuotaGrafico(LedgerChart chart) = 0;
    virtual void aggiungiPunto(LedgerChart chart, const ChartPoint& point) = 0;
    virtual void aggiungiFetta(const PieSlice& slice) = 0;
    virtual void StatoTabella(const StatusNotices& notices) = 0;
    virtual void larghezzaColonnaTipo(int pixels) = 0;
    virtual void sospendiGriglia(bool suspended) = 0;
    virtual void impostaTitolo(const std::string& caption) = 0;
    virtual void impostaIstituto(const std::string& text) = 0;
    virtual void contoApertoCambiato(bool open) = 0;
    virtual void mostraNuovoAnno(bool visible) = 0;
};

class QtUserInterface : public UserInterface {
public:
    QtUserInterface();
    ~QtUserInterface() override;

    // The caption of every box (the program's title) and the window boxes are centred on.
    void setTitle(std::string title) { title_ = std::move(title); }
    const std::string& title() const { return title_; }
    void setParentWindow(QWidget* parent) { parent_ = parent; }
    void setViewTarget(LedgerViewTarget* target) { target_ = target; }
    void setOperationDialog(TFormOperazione* dialog) { dialog_ = dialog; }
    // The entry whose dialog state a due programmed operation is shown with (askProposal).
    void setProposalEntry(OperationEntry* entry) { proposalEntry_ = entry; }
    // Opens the help on a topic; the main window provides the viewer.
    void setHelpOpener(std::function<void(int topic)> opener) { helpOpener_ = std::move(opener); }
    // The password dialog (TFormPass), provided beside the main window; unset, the prompt is cancelled.
    using PasswordAsker = std::function<std::optional<std::string>(const PasswordPrompt&)>;
    void setPasswordAsker(PasswordAsker asker) { passwordAsker_ = std::move(asker); }
    void openHelp(int topic);

    // Runs one user command: an engine error (an exception with an Italian message) stops the command
    // where it is, is shown in a plain box with OK, and the program goes on. Returns false on an error.
    bool esegui(const std::function<void()>& command);
    void mostraErrore(const std::string& text);

    // --- UserInterface ---
    Answer message(const std::string& text, Buttons buttons) override;
    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> askOpenFile(const FileDialogRequest& request) override;
    std::shared_ptr<ReportCanvas> askPrintCanvas() override;
    DialogResult showOperationDialog(OperationEntry& entry) override;
    std::optional<ProposalValues> askProposal(const OperationProposal& proposal) override;
    std::optional<std::string> askPassword(const PasswordPrompt& prompt) override;
    void totalsGridChanged(const TotalsGrid& grid) override;
    void chartCleared(LedgerChart chart) override;
    void chartPointAdded(LedgerChart chart, const ChartPoint& point) override;
    void pieSliceAdded(const PieSlice& slice) override;
    void statusNoticesChanged(const StatusNotices& notices) override;
    void tipoColumnWidthChanged(int pixels) override;
    void busyCursor(bool on) override;
    void ledgerGridSuspended(bool suspended) override;
    void captionChanged(const std::string& caption) override;
    void institutoLabelChanged(const std::string& text) override;
    void accountOpenChanged(bool open) override;
    void nuovoAnnoVisibleChanged(bool visible) override;

    // --- Answers queued by tests ---
    struct ShownBox {
        std::string text;
        Buttons buttons;
        Answer answer;
    };
    void queueAnswer(Answer answer) { answers_.push_back(answer); }
    void queueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    // The canvas the next print dialog "chooses" (a test's recorder).
    void queuePrintCanvas(std::shared_ptr<ReportCanvas> canvas) { canvases_.push_back(std::move(canvas)); }
    // The next print dialog would not be shown: a canvas is queued, or nobody answers at the keyboard.
    bool stampaGiaScelta() const { return !canvases_.empty() || answerByDefault_; }
    // With no queued answer: false (the default) shows the real modal box; true answers with the
    // box's default button instead, for tests that must never block.
    void setAnswerUnqueuedByDefault(bool on) { answerByDefault_ = on; }
    const std::vector<ShownBox>& shownBoxes() const { return shown_; }
    void clearShownBoxes() { shown_.clear(); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    const std::vector<int>& helpTopicsOpened() const { return helpTopics_; }

    // The Italian captions of the buttons, as the boxes show them.
    static QString buttonCaption(Answer answer);
    // What Esc (or closing the box) answers for a button set.
    static Answer escapeAnswer(Buttons buttons);

private:
    Answer showBox(const std::string& text, Buttons buttons);
    std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);

    std::string title_ = "Valmora";
    QWidget* parent_ = nullptr;
    LedgerViewTarget* target_ = nullptr;
    TFormOperazione* dialog_ = nullptr;
    OperationEntry* proposalEntry_ = nullptr;
    std::function<void(int)> helpOpener_;
    PasswordAsker passwordAsker_;
    std::deque<Answer> answers_;
    std::deque<std::optional<std::string>> files_;
    std::deque<std::shared_ptr<ReportCanvas>> canvases_;
    bool answerByDefault_ = false;
    std::vector<ShownBox> shown_;
    std::vector<int> helpTopics_;
    int busyDepth_ = 0;
};

} // namespace valmora::gui
