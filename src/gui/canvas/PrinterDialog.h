#pragma once
// The system print dialog with its default options, for the window's side of the seam
// (UserInterface::askPrintCanvas): a canvas on the chosen printer, or nothing when cancelled.

#include "print/ReportCanvas.h"

#include <memory>

class QWidget;

namespace valmora {

std::shared_ptr<ReportCanvas> askPrinterCanvas(QWidget* parent);

} // namespace valmora
