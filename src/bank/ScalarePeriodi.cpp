#include "bank/ScalarePeriodi.h"

#include "model/OperationCatalogue.h"
#include "model/PeriodWording.h"

namespace valmora {

namespace {

Date fineMese(int anno, int mese) {
    return *Date::fromYmd(anno, mese, GiorniMese(anno, mese));
}

void capitalizzazioni(std::vector<PeriodoScalare>& out, int anno, int mesiPeriodo, std::string_view tipo,
                      Date primaValuta) {
    if (mesiPeriodo < 1 || mesiPeriodo > 12)
        return;
    Date dal = *Date::fromYmd(anno, 1, 1);
    for (int mese = mesiPeriodo; mese <= 12; mese += mesiPeriodo) {
        const Date al = fineMese(anno, mese);
        if (!(primaValuta < dal) && primaValuta < al)
            dal = primaValuta;
        out.push_back({ComponiDescrizione(operazione::Interessi, tipo, mese, mesiPeriodo), dal, al});
        dal = al;
    }
}

} // namespace

std::vector<PeriodoScalare> PeriodiOfferti(int anno, const std::string& capitaCre, const std::string& capitaDeb,
                                           Date primaValuta) {
    std::vector<PeriodoScalare> out;
    const int mesiCre = MesiPeriodo(capitaCre);
    const int mesiDeb = MesiPeriodo(capitaDeb);
    capitalizzazioni(out, anno, mesiCre, tipo::Creditore, primaValuta);
    if (mesiDeb != mesiCre)
        capitalizzazioni(out, anno, mesiDeb, tipo::Debitore, primaValuta);
    for (int mese = 1; mese <= 12; ++mese)
        out.push_back({std::string(NomeMese(mese)), *Date::fromYmd(anno, mese, 1), fineMese(anno, mese)});
    for (int trimestre = 1; trimestre <= 4; ++trimestre) {
        std::string nome = OrdinalePeriodo(trimestre, 3);
        nome[0] = static_cast<char>(nome[0] - 'a' + 'A');
        out.push_back({nome, *Date::fromYmd(anno, 3 * trimestre - 2, 1), fineMese(anno, 3 * trimestre)});
    }
    out.push_back({"Anno " + std::to_string(anno), *Date::fromYmd(anno, 1, 1), fineMese(anno, 12)});
    return out;
}

} // namespace valmora
