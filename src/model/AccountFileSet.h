#pragma once
// Where the four tables of one account live: D/N.dbf and, beside it, D/Tassi/N.dbf,
// D/Accrediti/N.dbf and D/Impostazioni/N.dbf. Several accounts can share a folder;
// their associated tables then differ by file name only.

#include <string>

namespace valmora {

inline constexpr const char* kSottocartellaTassi = "Tassi";
inline constexpr const char* kSottocartellaAccrediti = "Accrediti";
inline constexpr const char* kSottocartellaImpostazioni = "Impostazioni";
inline constexpr const char* kSottocartellaBackup = "Backup";

struct AccountFileSet {
    std::string cartella; // D, the account folder (a trailing separator is allowed)
    std::string nomeFile; // N.dbf, the movements file name

    // Only the file-name part of a path names an account's tables.
    static std::string fileNamePart(const std::string& path);
    // D + subfolder, written with '/'.
    static std::string folderOf(const std::string& cartella, const std::string& sottocartella);
    // D + subfolder + "/" + N.dbf.
    static std::string pathOf(const std::string& cartella, const std::string& sottocartella, const std::string& file);

    std::string movimenti() const;
    std::string tassi() const;
    std::string accrediti() const;
    std::string impostazioni() const;
};

} // namespace valmora
