#include "model/OperationCatalogue.h"

namespace valmora {

namespace {

struct Slice {
    std::string_view selector;
    std::size_t first;
    std::size_t count;
};

// Selectors are matched exactly: "accredito" is not "Accredito".
constexpr std::array<Slice, 9> kSlices = {{
    {"Accredito", 19, 7},
    {"Prelievo", 26, 6},
    {"Addebito", 32, 5},
    {"Imposta", 37, 6},
    {"Interessi", 43, 2},
    {"FuoriConto", 45, 2},
    {"Notifica", 47, 2},
    {"Operazioni", 12, 7},
    {"Mesi", 0, 12},
}};

} // namespace

std::string_view NomeMese(int month) {
    if (month < 1 || month > 12)
        return {};
    return OperationCatalogue[static_cast<std::size_t>(month - 1)];
}

void AggiungiVoci(StringList& list, std::size_t first, std::size_t count) {
    for (std::size_t i = first; i < OperationCatalogue.size() && i - first < count; ++i)
        list.append(std::string(OperationCatalogue[i]));
}

void FillCombo(StringList& list, std::string_view selector) {
    list.clear();
    for (const Slice& slice : kSlices) {
        if (slice.selector == selector) {
            AggiungiVoci(list, slice.first, slice.count);
            return;
        }
    }
}

} // namespace valmora
