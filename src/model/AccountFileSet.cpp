#include "model/AccountFileSet.h"

#include "core/Paths.h"

#include <filesystem>

namespace valmora {

std::string AccountFileSet::fileNamePart(const std::string& path) {
    return fromPath(toPath(path).filename());
}

std::string AccountFileSet::folderOf(const std::string& cartella, const std::string& sottocartella) {
    return fromPath(toPath(cartella) / toPath(sottocartella));
}

std::string AccountFileSet::pathOf(const std::string& cartella, const std::string& sottocartella,
                                   const std::string& file) {
    return fromPath(toPath(cartella) / toPath(sottocartella) / toPath(fileNamePart(file)));
}

std::string AccountFileSet::movimenti() const {
    return fromPath(toPath(cartella) / toPath(fileNamePart(nomeFile)));
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
