#include "accounts/AccountCopy.h"

#include "dbase/FileCopy.h"
#include "dbase/FileSystem.h"
#include "model/AccountFileSet.h"

#include <array>
#include "core/Paths.h"

#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace valmora {

namespace {

namespace stdfs = std::filesystem;

// The temporary file a copy is written to before it replaces its target: one fixed name per folder (copies run one
// after the other), short so that a target name near the file system's limit still leaves room for it. A copy cut
// short leaves at most this one stray file, which the next copy into the folder simply overwrites.
std::string temporaneo(const std::string& target) {
    const std::string folder = fromPath(toPath(target).parent_path());
    return folder.empty() ? std::string(kFileTemporaneo) : fromPath(toPath(folder) / kFileTemporaneo);
}

std::string joined(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : fromPath(toPath(folder) / toPath(name));
}

// Copies `from` onto `to` through a temporary file; throws on any failure, leaving `to` as it was.
void copiaSicura(dbase::FileSystem& fs, const std::string& from, const std::string& to) {
    const std::string temp = temporaneo(to);
    try {
        dbase::copyWhole(fs, from, temp);
        fs.rename(temp, to);
    } catch (...) {
        try {
            if (fs.exists(temp)) {
                fs.remove(temp);
            }
        } catch (...) {
            // The stray temporary file is harmless: the target was never touched.
        }
        throw;
    }
    fs.syncDirectory(parentFolder(to));
}

} // namespace

bool StessoPercorso(const std::string& a, const std::string& b) {
    std::error_code ec;
    const stdfs::path pa = stdfs::absolute(toPath(a), ec).lexically_normal();
    const stdfs::path pb = stdfs::absolute(toPath(b), ec).lexically_normal();
    auto trimmed = [](const stdfs::path& p) {
        std::string s = fromPath(p);
        while (s.size() > 1 && s.back() == '/') {
            s.pop_back();
        }
        return s;
    };
    if (trimmed(pa) == trimmed(pb)) {
        return true;
    }
    return stdfs::exists(pa, ec) && stdfs::exists(pb, ec) && stdfs::equivalent(pa, pb, ec);
}

bool CopiaFile(dbase::FileSystem& fs, const std::string& sorgente, const std::string& cartella,
               const std::string& estensione, bool seEsisteFallisci) {
    try {
        const stdfs::path source = toPath(sorgente);
        const std::string name = fromPath(source.filename());
        if (name.size() < 4) {
            return false;
        }
        const std::string base = name.substr(0, name.size() - 4);
        const std::string from = joined(fromPath(source.parent_path()), base + estensione);
        const std::string to = joined(cartella, base + estensione);
        if (StessoPercorso(from, to)) {
            return false;
        }
        if (seEsisteFallisci && fs.exists(to)) {
            return false;
        }
        copiaSicura(fs, from, to);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool CreaCopia(dbase::FileSystem& fs, const std::string& destinazione, const std::string& sorgente,
               const std::string& nomeFile) {
    static constexpr std::array<const char*, 3> kSottocartelle = {kSottocartellaAccrediti, kSottocartellaTassi,
                                                                  kSottocartellaImpostazioni};
    static constexpr std::array<const char*, 2> kEstensioni = {".dbf", ".mdx"};
    try {
        const std::string name = AccountFileSet::fileNamePart(nomeFile);
        if (name.size() < 4) {
            return false;
        }
        const std::string base = name.substr(0, name.size() - 4);
        // The eight copies, in their order: (source file, target folder).
        std::vector<std::pair<std::string, std::string>> copie;
        for (const char* sub : kSottocartelle) {
            for (const char* ext : kEstensioni) {
                copie.emplace_back(AccountFileSet::folderOf(sorgente, sub) + "/" + base + ext,
                                   AccountFileSet::folderOf(destinazione, sub));
            }
        }
        for (const char* ext : kEstensioni) {
            copie.emplace_back(joined(sorgente, base + ext), destinazione);
        }
        // A target that is one of the sources would be overwritten before it is read: a copy into the account's
        // own folder, or into one of its own subfolders (its rates would become its movements), is refused before
        // anything is written.
        for (const auto& [from, into] : copie) {
            const std::string target = joined(into, fromPath(toPath(from).filename()));
            for (const auto& other : copie) {
                if (StessoPercorso(target, other.first)) {
                    return false;
                }
            }
        }
        for (const char* sub : kSottocartelle) {
            fs.makeDirectories(AccountFileSet::folderOf(destinazione, sub));
        }
        for (const auto& [from, into] : copie) {
            const std::string ext = fromPath(toPath(from).extension());
            if (!CopiaFile(fs, from, into, ext)) {
                return false;
            }
        }
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace valmora
