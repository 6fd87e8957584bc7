#pragma once
// "Stampa &Riepilogo Mensile ...": the monthly summary first in a print preview, where the user looks at the
// pages, picks the printer and its settings and prints, or closes it and nothing is printed.

class QWidget;

namespace valmora {
class FormMaster;
}

namespace valmora::gui {

class QtUserInterface;

// Shows the open account's summary in a QPrintPreviewDialog; the report is laid out anew on each device the
// preview draws for (the preview itself, then the printer). An error while drawing is shown as any command's.
void AnteprimaRiepilogo(FormMaster& master, QtUserInterface& ui, QWidget* parent);

} // namespace valmora::gui
