#pragma once
// When a programmed operation falls due. Its schedule starts again every calendar year from the month Inizio and
// repeats every MesiPeriodo(Frequenza) months; in each month it falls due on day Giorno, or on the last day of
// the month when Giorno is 0.

#include "core/Date.h"
#include "model/ProgrammedOperation.h"

#include <optional>

namespace valmora {

// The due date of `operazione` in month `mese` of `anno`, or nothing when it does not fall due that month.
//
// Stored values the editor never offers are taken so that a run cannot stop on them: a Frequenza that is not one
// of the six words or an Inizio that is not a month name never falls due; a Giorno past the month's end falls
// due on the month's last day (31 in April is 30 April); a negative Giorno never falls due.
std::optional<Date> ScadenzaNelMese(const ProgrammedOperation& operazione, int mese, int anno);

} // namespace valmora
