#pragma once
// One line of the bank's own movement list, as its CSV export or camt.053 statement gives it.

#include "core/Date.h"
#include "core/Money.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace valmora {

struct BankLine {
    Date data;               // the bank's booking date
    Date valuta;             // the bank's value date
    Money importo;           // signed: positive for money into the account
    std::string descrizione; // the bank's own wording, blanks collapsed
    int riga = 0;            // the file's line (CSV) or entry number (camt.053), for messages

    bool operator==(const BankLine&) const = default;
};

// A file that cannot be read as a movement list. The message is Italian, names the file and says what is
// missing or which line is wrong; the caller shows it as it is.
class BankListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace valmora
