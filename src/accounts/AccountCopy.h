#pragma once
// Copies of an account's file set: the snapshot under Backup/ taken at open and save, the restore of that snapshot
// when a close is answered No, and the export into another folder.
//
// A copy never leaves a half-written file in place of a good one: each file is written to a temporary file beside
// its target, pushed to the disk, and only then renamed over the target. A copy whose source and target are the
// same file is refused (it would otherwise truncate the source before reading it). Paths may be of any length.
// Neither routine throws for a failed copy: they report it by their result, as their callers expect.

#include <string>

namespace valmora {

namespace dbase {
class FileSystem;
}

// The name of the temporary file a copy writes beside its target before renaming it over the target.
inline constexpr const char* kFileTemporaneo = "~copia-in-corso.tmp";

// Copies the folder part of `sorgente` + base + `estensione` to `cartella` + base + `estensione`, base being the
// file-name part of `sorgente` without its last four characters (the ".dbf"). An existing target is replaced
// unless `seEsisteFallisci`. Returns whether the copy succeeded.
bool CopiaFile(dbase::FileSystem& fs, const std::string& sorgente, const std::string& cartella,
               const std::string& estensione, bool seEsisteFallisci = false);

// Copies the eight files of the account `nomeFile` (N.dbf) from the folder `sorgente` to `destinazione`: the .dbf
// and .mdx of Accrediti/, Tassi/ and Impostazioni/, then those of N itself, stopping at the first failure (the
// copies made before it stay). Creates the three subfolders of `destinazione` where missing; `destinazione`
// itself must exist. Returns true only when all eight were copied. Copying a folder onto itself is refused.
bool CreaCopia(dbase::FileSystem& fs, const std::string& destinazione, const std::string& sorgente,
               const std::string& nomeFile);

// Whether two paths name the same file or folder: the same absolute path once normalised, or, when both exist
// on the machine's disk, the same file reached another way (a link, a different spelling).
bool StessoPercorso(const std::string& a, const std::string& b);

} // namespace valmora
