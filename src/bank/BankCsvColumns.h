#pragma once
// Which column of a bank's CSV export holds what, found from the header row's names.

#include "bank/BankCsvTokenizer.h"

#include <optional>
#include <string>
#include <vector>

namespace valmora::bank {

struct CsvColumns {
    std::optional<std::size_t> data;       // booking date
    std::optional<std::size_t> valuta;     // value date
    std::optional<std::size_t> importo;    // one signed amount
    std::optional<std::size_t> dare;       // money out
    std::optional<std::size_t> avere;      // money in
    std::vector<std::size_t> descrizione;  // joined in their order

    // How many of the roles the row named: a header names at least two.
    int rolesFound() const;
};

// The columns a row names, by its cells compared without case and accents.
CsvColumns columnsOf(const CsvRecord& header);

// What a header is still missing, as the message says it ("della data valuta (...)"); empty when it is whole.
std::string missingColumn(const CsvColumns& columns);

} // namespace valmora::bank
