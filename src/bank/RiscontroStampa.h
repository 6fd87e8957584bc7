#pragma once
// The check against the bank printed: a heading with the bank's file, the four groups each under its title and
// column headings, the totals. Laid out on the report canvas the monthly summary uses, so the same code goes to
// a printer and into a PDF file.

#include "bank/RiscontroTabelle.h"

#include <string>

namespace valmora {

class ReportCanvas;
class UserInterface;

// Draws the whole document (begin to end); a canvas error aborts the job and reaches the caller.
void StampaRiscontro(const TabelleRiscontro& tabelle, const std::string& fileBanca, ReportCanvas& canvas);

// Through the print dialog; nothing happens when it is cancelled.
void StampaRiscontro(const TabelleRiscontro& tabelle, const std::string& fileBanca, UserInterface& ui);

} // namespace valmora
