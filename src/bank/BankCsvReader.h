#pragma once
// The movement list of an online bank exported as CSV.
//
// The separator (";", "," or tab) is found from the file, the text may be UTF-8 (with or without its mark) or
// Windows-1252. The header row is looked for among the first lines by its column names, compared without case
// and accents; lines before it (the account's name, the period) and summary lines among or after the movements
// (an opening or closing balance, a blank line: a row whose booking date is not a date) are skipped.

#include "bank/BankLine.h"

#include <string>
#include <string_view>
#include <vector>

namespace valmora::bank {

// `text` is the file's bytes; `fileName` is how messages name the file. Throws BankListError.
std::vector<BankLine> readBankCsv(std::string_view bytes, const std::string& fileName);

} // namespace valmora::bank
