#include "bank/BankCsvColumns.h"

#include "bank/BankText.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace valmora::bank {

namespace {

// The names the banks give each column, already folded.
constexpr std::array<std::string_view, 5> kData = {"data", "data contabile", "data operazione", "data registrazione",
                                                   "data contabilizzazione"};
constexpr std::array<std::string_view, 2> kValuta = {"valuta", "data valuta"};
constexpr std::array<std::string_view, 4> kImporto = {"importo", "importo (eur)", "importo in euro",
                                                      "importo (\xE2\x82\xAC)"};
constexpr std::array<std::string_view, 3> kDare = {"dare", "addebiti", "uscite"};
constexpr std::array<std::string_view, 3> kAvere = {"avere", "accrediti", "entrate"};
constexpr std::array<std::string_view, 5> kDescrizione = {"descrizione", "causale", "descrizione operazione",
                                                          "dettagli", "causale abi"};

template <std::size_t N>
bool among(const std::array<std::string_view, N>& names, const std::string& folded) {
    return std::find(names.begin(), names.end(), folded) != names.end();
}

void setOnce(std::optional<std::size_t>& role, std::size_t column) {
    if (!role)
        role = column; // the first column of a role wins ("Data" before a later "Data operazione")
}

} // namespace

int CsvColumns::rolesFound() const {
    return int(data.has_value()) + int(valuta.has_value()) + int(importo.has_value()) + int(dare.has_value()) +
           int(avere.has_value()) + int(!descrizione.empty());
}

CsvColumns columnsOf(const CsvRecord& header) {
    CsvColumns c;
    for (std::size_t i = 0; i < header.fields.size(); ++i) {
        const std::string name = foldName(header.fields[i]);
        if (among(kData, name))
            setOnce(c.data, i);
        else if (among(kValuta, name))
            setOnce(c.valuta, i);
        else if (among(kImporto, name))
            setOnce(c.importo, i);
        else if (among(kDare, name))
            setOnce(c.dare, i);
        else if (among(kAvere, name))
            setOnce(c.avere, i);
        else if (among(kDescrizione, name))
            c.descrizione.push_back(i);
    }
    return c;
}

std::string missingColumn(const CsvColumns& c) {
    if (!c.data)
        return "della data contabile (\"Data\", \"Data contabile\", \"Data operazione\" o \"Data registrazione\")";
    if (!c.valuta)
        return "della data valuta (\"Valuta\" o \"Data valuta\")";
    if (!c.importo && !(c.dare && c.avere))
        return "dell'importo (\"Importo\", oppure \"Dare\" e \"Avere\")";
    return {};
}

} // namespace valmora::bank
