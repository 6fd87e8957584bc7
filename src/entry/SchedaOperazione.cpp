#include "entry/SchedaOperazione.h"

#include "model/OperationCatalogue.h"

#include <charconv>

namespace valmora {

bool IntestazioneInserimento(std::string_view heading) {
    return heading == intestazione::Accredito || heading == intestazione::Prelievo ||
           heading == intestazione::Imposta || heading == intestazione::Addebito || heading == intestazione::FuoriConto;
}

const std::array<std::string_view, 6>& SchedaOperazione::VociFrequenza() {
    static const std::array<std::string_view, 6> voci = {"Mensile",        "Bimestrale", "Trimestrale",
                                                         "Quadrimestrale", "Semestrale", "Annuale"};
    return voci;
}

StringList SchedaOperazione::VociMese() {
    StringList mesi;
    FillCombo(mesi, "Mesi");
    return mesi;
}

StringList SchedaOperazione::VociGiorno() {
    StringList giorni;
    for (int g = 0; g <= 28; ++g) {
        giorni.append(std::to_string(g));
    }
    return giorni;
}

namespace {

std::string_view senzaSpazi(std::string_view testo) {
    while (!testo.empty() && testo.front() == ' ') {
        testo.remove_prefix(1);
    }
    while (!testo.empty() && testo.back() == ' ') {
        testo.remove_suffix(1);
    }
    return testo;
}

// Digits only, one or two of them for day and month, two or four for the year.
std::optional<int> numero(std::string_view parte, std::size_t minimo, std::size_t massimo) {
    if (parte.size() < minimo || parte.size() > massimo) {
        return std::nullopt;
    }
    int valore = 0;
    auto [fine, errore] = std::from_chars(parte.data(), parte.data() + parte.size(), valore);
    if (errore != std::errc() || fine != parte.data() + parte.size() || parte.front() == '-' || parte.front() == '+') {
        return std::nullopt;
    }
    return valore;
}

} // namespace

std::optional<Money> ConvertiNumeroDigitato(std::string_view testo) {
    return Money::parseTyped(senzaSpazi(testo));
}

std::optional<std::string_view> ImportoRifiutato(std::string_view testo) {
    const auto importo = ConvertiNumeroDigitato(testo);
    if (!importo) {
        return kMsgImportoNonValido;
    }
    // Ten-thousandths are kept for the values older files hold; a typed amount stops at the cent.
    if (importo->units() % 100 != 0) {
        return kMsgImportoDecimali;
    }
    if (*importo < Money()) {
        return kMsgImportoNegativo;
    }
    return std::nullopt;
}

std::optional<Date> ConvertiDataDigitata(std::string_view testo) {
    testo = senzaSpazi(testo);
    auto primo = testo.find('/');
    if (primo == std::string_view::npos) {
        return std::nullopt;
    }
    auto secondo = testo.find('/', primo + 1);
    if (secondo == std::string_view::npos) {
        return std::nullopt;
    }
    auto giorno = numero(testo.substr(0, primo), 1, 2);
    auto mese = numero(testo.substr(primo + 1, secondo - primo - 1), 1, 2);
    std::string_view parteAnno = testo.substr(secondo + 1);
    auto anno = parteAnno.size() == 2 ? numero(parteAnno, 2, 2) : numero(parteAnno, 4, 4);
    if (!giorno || !mese || !anno) {
        return std::nullopt;
    }
    int annoPieno = *anno;
    if (parteAnno.size() == 2) {
        annoPieno += *anno < 50 ? 2000 : 1900;
    }
    return Date::fromYmd(annoPieno, *mese, *giorno);
}

} // namespace valmora
