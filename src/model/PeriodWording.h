#pragma once
// Italian period and month words to numbers and back: pure functions, no state, no tables.
// Every text comparison is exact and case-sensitive. Numbers are plain ints (the stored values
// are small unsigned counts; an int spares callers narrowing conversions).

#include <string>
#include <string_view>

namespace valmora {

// Months in a capitalisation or repetition period, from its name in upper case (as the settings
// store it) or capitalised (as the programmed operations store it). "NESSUNA"/"Nessuna" gives 13,
// one more than a year, so "is this month a multiple of the period" never holds for months 1..12
// and "have whole periods elapsed since the start" holds only when none has elapsed. 0 for any other text.
int MesiPeriodo(std::string_view periodo);

// 1 for "Gennaio" ... 12 for "Dicembre"; 0 for any other text.
int NumeroMese(std::string_view mese);

// Days of a month (Gregorian leap years); 0 for a month outside 1..12.
int GiorniMese(int year, int month);

// The day itself when it is not 0, else the last day of that month. The day is not checked against
// the month's length: callers store 0 to mean "end of month" and pass real days through.
int GiornoOFineMese(int day, int month, int year);

// "secondo trimestre", "quinto mese", "annuale"; "Errore" for a period length that has no name,
// and the ordinal "Altro" for an index of 0 or above 12.
std::string OrdinalePeriodo(int index, int mesiPerPeriodo);

// The description of a period-end interest movement: operation, type and the period's ordinal,
// separated by single spaces ("Interessi Creditore secondo trimestre").
std::string ComponiDescrizione(std::string_view operazione, std::string_view tipo, int mese, int mesiPerPeriodo);

} // namespace valmora
