#include "model/PeriodWording.h"

#include <array>

#include "core/Date.h"
#include "model/OperationCatalogue.h"

namespace valmora {

namespace {

struct PeriodName {
    std::string_view upper;
    std::string_view capitalised;
    int months;
};

constexpr std::array<PeriodName, 7> kPeriods = {{
    {"MENSILE", "Mensile", 1},
    {"BIMESTRALE", "Bimestrale", 2},
    {"TRIMESTRALE", "Trimestrale", 3},
    {"QUADRIMESTRALE", "Quadrimestrale", 4},
    {"SEMESTRALE", "Semestrale", 6},
    {"ANNUALE", "Annuale", 12},
    {"NESSUNA", "Nessuna", 13},
}};

constexpr std::array<std::string_view, 12> kOrdinals = {"primo",  "secondo", "terzo",      "quarto",
                                                        "quinto", "sesto",   "settimo",    "ottavo",
                                                        "nono",   "decimo",  "undicesimo", "dodicesimo"};

} // namespace

int MesiPeriodo(std::string_view periodo) {
    for (const PeriodName& period : kPeriods)
        if (periodo == period.upper || periodo == period.capitalised)
            return period.months;
    return 0;
}

int NumeroMese(std::string_view mese) {
    for (int month = 1; month <= 12; ++month)
        if (NomeMese(month) == mese)
            return month;
    return 0;
}

int GiorniMese(int year, int month) {
    return Date::daysInMonth(year, month);
}

int GiornoOFineMese(int day, int month, int year) {
    return day != 0 ? day : GiorniMese(year, month);
}

std::string OrdinalePeriodo(int index, int mesiPerPeriodo) {
    const std::string ordinal =
        (index >= 1 && index <= 12) ? std::string(kOrdinals[static_cast<std::size_t>(index - 1)]) : "Altro";
    switch (mesiPerPeriodo) {
    case 1:
        return ordinal + " mese";
    case 2:
        return ordinal + " bimestre";
    case 3:
        return ordinal + " trimestre";
    case 4:
        return ordinal + " quadrimestre";
    case 6:
        return ordinal + " semestre";
    case 12:
        return "annuale";
    default:
        return "Errore";
    }
}

std::string ComponiDescrizione(std::string_view operazione, std::string_view tipo, int mese, int mesiPerPeriodo) {
    // Callers pass a month already found to be a multiple of the period; a zero or negative length
    // would divide by zero, so it is worded as the unknown period it is ("Errore") instead.
    const int index = mesiPerPeriodo > 0 ? mese / mesiPerPeriodo : 0;
    std::string text(operazione);
    text += ' ';
    text += tipo;
    text += ' ';
    text += OrdinalePeriodo(index, mesiPerPeriodo);
    return text;
}

} // namespace valmora
