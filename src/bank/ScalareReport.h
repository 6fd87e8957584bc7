#pragma once
// The interest statement laid out on the report canvas of the monthly summary: printed, or saved as PDF. A
// heading with the bank and the range, the intervals in columns (repeated on each page), then the totals, the
// average balance and the stamp duty, a disagreement between duty due and charged written in red.

#include "bank/Scalare.h"
#include "print/ReportCanvas.h"

#include <string>

namespace valmora {

class UserInterface;

// The whole statement on a canvas already chosen (a PDF file, a test's recorder). `istituto` names the bank.
void StampaScalare(const RiassuntoScalare& r, const std::string& istituto, ReportCanvas& canvas);
// Through the print dialog; a cancelled dialog prints nothing.
void StampaScalare(const RiassuntoScalare& r, const std::string& istituto, UserInterface& ui);

} // namespace valmora
