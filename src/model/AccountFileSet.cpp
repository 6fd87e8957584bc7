#include "model/AccountFileSet.h"

#include <filesystem>

namespace valmora {

namespace fs = std::filesystem;

std::string AccountFileSet::fileNamePart(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string AccountFileSet::folderOf(const std::string& cartella, const std::string& sottocartella) {
    return (fs::path(cartella) / sottocartella).string();
}

std::string AccountFileSet::pathOf(const std::string& cartella, const std::string& sottocartella,
                                   const std::string& file) {
    return (fs::path(cartella) / sottocartella / fileNamePart(file)).string();
}

std::string AccountFileSet::movimenti() const {
    return (fs::path(cartella) / fileNamePart(nomeFile)).string();
}
std::string AccountFileSet::tassi() const {
    return pathOf(cartella, kSottocartellaTassi, nomeFile);
}
std::string AccountFileSet::accrediti() const {
    return pathOf(cartella, kSottocartellaAccrediti, nomeFile);
}
std::string AccountFileSet::impostazioni() const {
    return pathOf(cartella, kSottocartellaImpostazioni, nomeFile);
}

} // namespace valmora
