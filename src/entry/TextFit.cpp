#include "entry/TextFit.h"

namespace valmora {

std::string TagliaTesto(std::string_view testo, int caratteri) {
    if (caratteri <= 0) {
        return {};
    }
    std::size_t pos = 0;
    int contati = 0;
    while (pos < testo.size()) {
        // A UTF-8 character starts at every byte that is not a continuation byte (10xxxxxx).
        std::size_t fine = pos + 1;
        while (fine < testo.size() && (static_cast<unsigned char>(testo[fine]) & 0xC0U) == 0x80U) {
            ++fine;
        }
        if (contati == caratteri) {
            break;
        }
        ++contati;
        pos = fine;
    }
    return std::string(testo.substr(0, pos));
}

std::string TagliaAlCampo(dbase::Table& table, std::string_view campo, std::string_view testo) {
    return TagliaTesto(testo, table.fieldByName(campo).width());
}

} // namespace valmora
