#pragma once
// A copy of several files that is all or nothing: the snapshot of an account under Backup/ and its copy back on a
// close answered No. Every new file is first written whole beside its target (NAME.nuovo, synced); only then does
// a small register naming the targets appear (written and renamed into place), which commits the copy; the files
// are renamed over their targets and the register is removed. A crash before the register leaves every target as
// it was; a crash after it is finished by CompletaCopiaInterrotta before the targets are next read.

#include <string>
#include <utility>
#include <vector>

namespace valmora {

namespace dbase {
class FileSystem;
}

using CoppieFile = std::vector<std::pair<std::string, std::string>>; // (source, target)

// The eight files of the account `nomeFile` in `sorgente` paired with their places in `destinazione`.
CoppieFile FileDelConto(const std::string& sorgente, const std::string& destinazione, const std::string& nomeFile);

// Copies every pair, creating the targets' folders. On a failure throws std::runtime_error saying in Italian which
// file could not be copied and why ("il file: X non è stato copiato (disco pieno)"); the targets are then all as
// they were.
void CopiaInsieme(dbase::FileSystem& fs, const CoppieFile& coppie, const std::string& registro);

// Finishes a copy whose register is there (the program stopped after committing it); no-op without one.
void CompletaCopiaInterrotta(dbase::FileSystem& fs, const std::string& registro);

} // namespace valmora
