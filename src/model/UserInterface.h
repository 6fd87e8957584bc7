#pragma once
// The one seam through which the engine asks and tells the user anything.
// The desktop windows implement it with real dialogs; tests and valmora-cli
// implement it with scripted answers (ScriptedUserInterface). The engine never
// knows which one it talks to.
//
// Later features add their questions and view updates here as virtual
// functions with a harmless default, so every implementation keeps compiling.

#include "model/LedgerView.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace valmora {

class ReportCanvas; // print/ReportCanvas.h

// The button sets of a plain message box (no icon, the program's title as caption).
enum class Buttons { Yes, Ok, YesNo, NoOk, NoOkHelp };

enum class Answer { Yes, No, Ok, Cancel, Help };

struct FileDialogRequest {
    std::string title;
    std::string folder;                // initial folder
    std::string fileName;              // proposed name
    std::string filter = "*.dbf";      // e.g. "*.dbf"
    std::string defaultExtension = "dbf";
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
};

} // namespace valmora
