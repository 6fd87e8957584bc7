#include "gui/canvas/PrinterDialog.h"

#include "gui/canvas/PainterCanvas.h"

#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace valmora {

std::shared_ptr<ReportCanvas> askPrinterCanvas(QWidget* parent) {
    // The printer's own resolution: the report is laid out in its device pixels.
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_shared<PainterCanvas>(std::move(printer));
}

} // namespace valmora
