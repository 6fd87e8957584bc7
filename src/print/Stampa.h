#pragma once
// The monthly summary as the main window runs it: "Stampa &Riepilogo Mensile ..." in the
// "&Conto" menu and "Stampa" in the ledger grid's pop-up both come here.

#include "print/MonthlySummaryReport.h"

namespace valmora {

class FormMaster;
struct LedgerTotals;
class UserInterface;

// The year's figures as the last ledger scan left them (under a filter: the filtered movements').
SummaryFigures figuresFrom(const LedgerTotals& totali);

// The open account's report: its movements and settings tables, the last scan's totals and dates.
MonthlySummarySource summarySourceOf(FormMaster& master);

// Runs the report through the print dialog; nothing happens without an open account (the
// command is disabled then) or when the dialog is cancelled.
void Stampa1Click(FormMaster& master, UserInterface& ui);

} // namespace valmora
