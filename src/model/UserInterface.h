#pragma once
// The one seam through which the engine asks and tells the user anything.
// The desktop windows implement it with real dialogs; tests and valmora-cli
// implement it with scripted answers (ScriptedUserInterface). The engine never
// knows which one it talks to.
//
// Later features add their questions and view updates here as virtual
// functions with a harmless default, so every implementation keeps compiling.

#include "core/Date.h"
#include "core/Money.h"
#include "model/LedgerView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace valmora {

class ReportCanvas; // print/ReportCanvas.h
class OperationEntry; // entry/OperationEntry.h: the operation dialog's state and handlers

// The button sets of a plain message box (no icon, the program's title as caption).
enum class Buttons { Yes, Ok, YesNo, NoOk, NoOkHelp };

enum class Answer { Yes, No, Ok, Cancel, Help };

// How a modal dialog closes: OK, Cancel or Retry.
enum class DialogResult { Ok, Cancel, Retry };

struct FileDialogRequest {
    std::string title;
    std::string folder;                // initial folder
    std::string fileName;              // proposed name
    std::string filter = "*.dbf";      // e.g. "*.dbf"
    std::string defaultExtension = "dbf";
};

// A due programmed operation shown in the operation dialog (heading and operation both the programmed
// Operazione; the operation list and the value date hidden; the schedule shown but disabled; the second
// button hidden and captioned "&Nuova Operazione").
struct OperationProposal {
    std::string intestazione;  // the dialog's heading: the programmed Operazione
    std::string operazione;
    std::string tipo;
    std::string descrizione;
    std::string frequenza;
    std::string inizio;
    std::string secondoPulsante = "&Nuova Operazione";
    Money importo;
    Money giorno;
    Date data;                 // the occurrence's due date, shown in the calendar
};

// What the dialog holds when the user confirms a proposal: its values as proposed or as the user changed them.
struct ProposalValues {
    Date data;
    std::string tipo;
    Money importo;
    std::string descrizione;
};

// The password dialog TFormPass. `testo` is what its entry field starts with (the placeholder at open, the
// current password for "&Password..."), shown masked.
struct PasswordPrompt {
    std::string testo;
    bool aiutoVisibile = true; // the Help button (hidden for the open-time prompt)
};

class UserInterface {
public:
    virtual ~UserInterface() = default;

    // A plain message box; returns the button pressed (a one-button box returns that button).
    virtual Answer message(const std::string& text, Buttons buttons) = 0;

    // The save and open dialogs: the chosen path, or nothing when cancelled.
    virtual std::optional<std::string> askSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> askOpenFile(const FileDialogRequest& request) = 0;

    // The print dialog (default options): a canvas on the chosen printer, or nothing when cancelled.
    virtual std::shared_ptr<ReportCanvas> askPrintCanvas() { return nullptr; }

    // The operation dialog, shown modally over entry.Scheda(): the user edits the fields while the dialog runs
    // the entry's field handlers, and the button that closed it is returned (Ok "&Conferma", Retry the second
    // button, Cancel "&Annulla"); the entry then runs the confirmation itself. By default nobody is there to
    // fill it in, so it is cancelled.
    virtual DialogResult showOperationDialog(OperationEntry& /*entry*/) { return DialogResult::Cancel; }

    // --- Ledger view updates (the ledger scan and the totals refresh) ---
    // The totals grid changed: captions, amounts and counts, row heights.
    virtual void totalsGridChanged(const TotalsGrid& /*grid*/) {}
    // A chart's series was emptied (the start of every scan).
    virtual void chartCleared(LedgerChart /*chart*/) {}
    // One point added to the balance or the off-account line chart.
    virtual void chartPointAdded(LedgerChart /*chart*/, const ChartPoint& /*point*/) {}
    // One slice appended to the pie (seven after each totals refresh).
    virtual void pieSliceAdded(const PieSlice& /*slice*/) {}
    // The two state panels of the status bar and the save button (StatoTabella).
    virtual void statusNoticesChanged(const StatusNotices& /*notices*/) {}
    // The ledger grid's TIPO column (its fourth) is set to this width in pixels.
    virtual void tipoColumnWidthChanged(int /*pixels*/) {}
    // The hourglass cursor while a long job runs.
    virtual void busyCursor(bool /*on*/) {}
    // The ledger grid stops (true) or resumes (false) redrawing during a scan.
    virtual void ledgerGridSuspended(bool /*suspended*/) {}

    // --- Account files ---
    // The operation dialog filled with a due programmed operation. Returns the dialog's values when the user
    // confirms (as proposed or changed), nothing when the user cancels. The default cancels.
    virtual std::optional<ProposalValues> askProposal(const OperationProposal& /*proposal*/) { return std::nullopt; }
    // The password dialog: the entry field's text when the user presses OK (the starting text when nothing was
    // typed), nothing on Cancel. The default cancels.
    virtual std::optional<std::string> askPassword(const PasswordPrompt& /*prompt*/) { return std::nullopt; }

    // --- Main window state ---
    // The window's caption: the program's title, with " - " and the file name while an account is open.
    virtual void captionChanged(const std::string& /*caption*/) {}
    // The institute label LLogo beside the charts (the settings row's ISTITUTO).
    virtual void institutoLabelChanged(const std::string& /*text*/) {}
    // The window switched between no account (false) and an account open (true): menus, toolbars, grid, panels.
    virtual void accountOpenChanged(bool /*open*/) {}
    // The menu item "N&uovo Anno" shown or hidden.
    virtual void nuovoAnnoVisibleChanged(bool /*visible*/) {}
};

} // namespace valmora
