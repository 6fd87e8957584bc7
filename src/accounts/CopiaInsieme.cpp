#include "accounts/CopiaInsieme.h"

#include "dbase/FileCopy.h"
#include "dbase/FileSystem.h"
#include "model/AccountFileSet.h"

#include "core/Paths.h"

#include <filesystem>
#include <set>
#include <stdexcept>

namespace valmora {

namespace {

constexpr const char* kNuovo = ".nuovo";

std::string causa(const std::exception& e) {
    if (const auto* f = dynamic_cast<const dbase::FileError*>(&e)) {
        switch (f->kind()) {
        case dbase::FileError::Kind::DiskFull:
            return "disco pieno";
        case dbase::FileError::Kind::AccessDenied:
            return "accesso negato";
        case dbase::FileError::Kind::NotFound:
            return "file non trovato";
        case dbase::FileError::Kind::Other:
            break;
        }
    }
    return e.what();
}

void scriviRegistro(dbase::FileSystem& fs, const CoppieFile& coppie, const std::string& registro) {
    std::string testo;
    for (const auto& [from, to] : coppie)
        testo += to + "\n";
    const std::string temp = registro + ".tmp";
    {
        auto file = fs.open(temp, dbase::OpenMode::Create);
        file->writeAt(0, testo.data(), testo.size());
        file->sync();
    }
    fs.rename(temp, registro);
    fs.syncDirectory(parentFolder(registro));
}

std::vector<std::string> leggiRegistro(dbase::FileSystem& fs, const std::string& registro) {
    auto file = fs.open(registro, dbase::OpenMode::Read);
    std::string testo(static_cast<std::size_t>(file->size()), '\0');
    testo.resize(file->readAt(0, testo.data(), testo.size()));
    std::vector<std::string> righe;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        const std::size_t fine = testo.find('\n', inizio);
        if (fine == std::string::npos)
            break; // a last line without its end was never committed
        righe.push_back(testo.substr(inizio, fine - inizio));
        inizio = fine + 1;
    }
    return righe;
}

void rinominaTutti(dbase::FileSystem& fs, const std::vector<std::string>& destinazioni) {
    std::set<std::string> cartelle;
    for (const std::string& to : destinazioni) {
        if (fs.exists(to + kNuovo))
            fs.rename(to + kNuovo, to);
        cartelle.insert(parentFolder(to));
    }
    for (const std::string& c : cartelle)
        fs.syncDirectory(c);
}

void eliminaSeEsiste(dbase::FileSystem& fs, const std::string& file) noexcept {
    try {
        if (fs.exists(file))
            fs.remove(file);
    } catch (...) {
        // A stray staging file is harmless: without the register nothing takes it for a target.
    }
}

} // namespace

CoppieFile FileDelConto(const std::string& sorgente, const std::string& destinazione, const std::string& nomeFile) {
    const std::string name = AccountFileSet::fileNamePart(nomeFile);
    const std::string base = name.size() >= 4 ? name.substr(0, name.size() - 4) : name;
    CoppieFile coppie;
    for (const char* sub : {kSottocartellaAccrediti, kSottocartellaTassi, kSottocartellaImpostazioni}) {
        for (const char* ext : {".dbf", ".mdx"}) {
            coppie.emplace_back(AccountFileSet::folderOf(sorgente, sub) + "/" + base + ext,
                                AccountFileSet::folderOf(destinazione, sub) + "/" + base + ext);
        }
    }
    for (const char* ext : {".dbf", ".mdx"})
        coppie.emplace_back(fromPath(toPath(sorgente) / toPath(base + ext)),
                            fromPath(toPath(destinazione) / toPath(base + ext)));
    return coppie;
}

void CopiaInsieme(dbase::FileSystem& fs, const CoppieFile& coppie, const std::string& registro) {
    std::vector<std::string> scritti;
    std::string corrente;
    try {
        for (const auto& [from, to] : coppie) {
            corrente = to;
            fs.makeDirectories(parentFolder(to));
            scritti.push_back(to + kNuovo);
            dbase::copyWhole(fs, from, to + kNuovo);
        }
        corrente = registro;
        scriviRegistro(fs, coppie, registro);
    } catch (const std::exception& e) {
        for (const std::string& f : scritti)
            eliminaSeEsiste(fs, f);
        eliminaSeEsiste(fs, registro + ".tmp");
        if (dynamic_cast<const std::runtime_error*>(&e) == nullptr)
            throw; // not a file failure (a simulated crash in tests): nothing to explain
        throw std::runtime_error("il file: " + corrente + " non è stato copiato (" + causa(e) + ")");
    }
    // Committed: from here on the copy is finished, now or at the next open.
    std::vector<std::string> destinazioni;
    for (const auto& coppia : coppie)
        destinazioni.push_back(coppia.second);
    rinominaTutti(fs, destinazioni);
    fs.remove(registro);
    fs.syncDirectory(parentFolder(registro));
}

void CompletaCopiaInterrotta(dbase::FileSystem& fs, const std::string& registro) {
    if (!fs.exists(registro))
        return;
    rinominaTutti(fs, leggiRegistro(fs, registro));
    fs.remove(registro);
    fs.syncDirectory(parentFolder(registro));
}

} // namespace valmora
