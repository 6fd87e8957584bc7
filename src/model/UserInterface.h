#pragma once
// The one seam through which the engine asks and tells the user anything.
// The desktop windows implement it with real dialogs; tests and valmora-cli
// implement it with scripted answers (ScriptedUserInterface). The engine never
// knows which one it talks to.
//
// Later features add their questions and view updates here as virtual
// functions with a harmless default, so every implementation keeps compiling.

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
};

} // namespace valmora
