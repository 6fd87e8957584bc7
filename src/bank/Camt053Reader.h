#pragma once
// The bank's statement as an ISO 20022 camt.053 document: every Ntry with its amount (Amt), its direction
// (CdtDbtInd), its booking and value dates (BookgDt, ValDt: Dt or DtTm) and its description (AddtlNtryInf, else
// the unstructured remittance texts RmtInf/Ustrd of its details). Read through expat, an XML parser, so
// namespaces, comments, CDATA and entities are what XML says they are.

#include "bank/BankLine.h"

#include <string>
#include <string_view>
#include <vector>

namespace valmora::bank {

// True when the bytes open as an XML document would (after a byte-order mark and blanks, a '<').
bool looksLikeXml(std::string_view bytes);

// Throws BankListError naming `fileName` for a document that is not XML, not a camt.053 statement, or holds an
// entry without one of the four values.
std::vector<BankLine> readCamt053(std::string_view bytes, const std::string& fileName);

} // namespace valmora::bank
