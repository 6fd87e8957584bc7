#pragma once
// The bank's movement list read from a file, whichever of the two forms the bank exported.

#include "bank/BankLine.h"

#include <memory>
#include <string>
#include <vector>

namespace valmora::dbase {
class FileSystem;
}

namespace valmora::bank {

// A camt.053 statement when the file opens as XML, else a CSV export. Throws BankListError for a file that
// cannot be read, is empty, is not text, or is not a movement list.
std::vector<BankLine> readBankList(const std::string& path, dbase::FileSystem& fs);

// The same on the bytes of a file already read.
std::vector<BankLine> readBankListBytes(std::string_view bytes, const std::string& fileName);

} // namespace valmora::bank
