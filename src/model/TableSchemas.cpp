#include "model/TableSchemas.h"

#include <cctype>

namespace valmora::schema {

using dbase::FieldDef;

std::vector<FieldDef> movimentiFields() {
    return {FieldDef::date(kData),     FieldDef::date(kValuta),   FieldDef::text(kOperazione, 10),
            FieldDef::text(kTipo, 25), FieldDef::money(kImporto), FieldDef::text(kCommento, 250)};
}

std::vector<FieldDef> tassiFields() {
    return {FieldDef::date(kData),       FieldDef::number(kLimite), FieldDef::number(kTassoCre),
            FieldDef::number(kTassoDeb), FieldDef::number(kTassoH), FieldDef::number(kRitenuta)};
}

std::vector<std::string> tassiDeclaredOrder() {
    return {kData, kLimite, kTassoCre, kTassoH, kTassoDeb, kRitenuta};
}

std::vector<FieldDef> accreditiFields() {
    return {FieldDef::text(kDescrizion, 40), FieldDef::money(kAccImporto),   FieldDef::text(kAccOperazione, 10),
            FieldDef::text(kAccTipo, 25),    FieldDef::text(kFrequenza, 15), FieldDef::text(kInizio, 12),
            FieldDef::money(kGiorno)};
}

std::vector<FieldDef> impostazioniFields() {
    return {FieldDef::text(kIstituto, 50),  FieldDef::text(kCoordinate, 25), FieldDef::text(kNumConto, 25),
            FieldDef::text(kCapitaCre, 12), FieldDef::text(kCapitaDeb, 12),  FieldDef::number(kNumOpe),
            FieldDef::money(kCostoOpe),     FieldDef::number(kVIstituto),    FieldDef::number(kVCircolare),
            FieldDef::number(kVPostale),    FieldDef::number(kVAltroIst),    FieldDef::money(kBStesso),
            FieldDef::money(kBAltro),       FieldDef::money(kBPos),          FieldDef::money(kBMensile),
            FieldDef::money(kMaxScope),     FieldDef::money(kCommScope),     FieldDef::money(kMaxCCred),
            FieldDef::money(kCommCCred),    FieldDef::text(kPassword, 8),    FieldDef::boolean(kNewAnno),
            FieldDef::date(kOldData),       FieldDef::number(kNumRec),       FieldDef::boolean(kScoperto)};
}

dbase::IndexDef movimentiIndex() {
    return {kIndiceValuta, kValuta};
}
dbase::IndexDef tassiIndex() {
    return {kIndiceData, kData};
}
dbase::IndexDef accreditiIndex() {
    return {kIndiceOperazione, kAccOperazione};
}
dbase::IndexDef impostazioniIndex() {
    return {kIndiceIst, kIstituto};
}

std::vector<DisplayColumn> movimentiColumns() {
    return {
        {kData, kData, 10, "", false}, {kValuta, kValuta, 10, "", false},  {kOperazione, kOperazione, 10, "", false},
        {kTipo, kTipo, 25, "", false}, {kImporto, kImporto, 20, "", true}, {kCommento, kCommento, 250, "", false}};
}

std::vector<DisplayColumn> tassiColumns() {
    return {{kData, "Data", 10, "", false},
            {kLimite, "Importo Min", 12, "", true},
            {kTassoCre, "Tasso Min", 8, "0.00%", false},
            {kTassoH, kTassoH, 8, "0.00%", false},
            {kTassoDeb, "Tasso Debitore", 10, "0.00%", false},
            {kRitenuta, "Ritenuta", 9, "0.00%", false}};
}

std::vector<DisplayColumn> accreditiColumns() {
    return {{kDescrizion, "Descrizione", 20, "", false},
            {kAccImporto, "Importo", 10, "", true},
            {kAccOperazione, "Operaz.", 8, "", false},
            {kAccTipo, "Tipo", 11, "", false},
            {kFrequenza, "Frequenza", 12, "", false},
            {kInizio, "Inizio", 8, "", false},
            {kGiorno, "Gior.", 3, "", false}};
}

std::string declaredFieldName(const std::vector<FieldDef>& fields, const std::string& name) {
    auto same = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size())
            return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    };
    for (const auto& f : fields)
        if (same(f.name, name))
            return f.name;
    return name;
}

} // namespace valmora::schema
