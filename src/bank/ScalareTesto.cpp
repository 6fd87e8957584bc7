#include "bank/ScalareTesto.h"

#include "settings/FormImpostazioni.h"

#include <algorithm>

namespace valmora {

namespace {

constexpr std::string_view kEuro = " \u20ac";

// A figure for a spreadsheet cell: "-1234,56".
std::string cella(Money m) {
    std::string testo = m.decimalText(2);
    std::replace(testo.begin(), testo.end(), '.', ',');
    return testo;
}

std::string unisci(const std::vector<std::string>& campi) {
    std::string riga;
    for (std::size_t k = 0; k < campi.size(); ++k) {
        if (k > 0)
            riga += ';';
        riga += campi[k];
    }
    return riga;
}

} // namespace

std::string TestoNumeri(Money numeri) {
    std::string testo = numeri.format();
    return testo.substr(0, testo.size() - kEuro.size());
}

RigaScalareMostrata RigaMostrata(const IntervalloScalare& i) {
    const bool creditore = i.numeri >= Money();
    return {i.dal.toString(),
            i.al.toString(),
            std::to_string(i.giorni),
            i.saldo.format(),
            creditore ? TestoNumeri(i.numeri) : "",
            creditore ? "" : TestoNumeri(i.numeri.abs()),
            FormatoPercentuale(i.tasso),
            FormatoPercentuale(i.ritenuta),
            i.interesse.format()};
}

std::vector<VoceScalare> VociTotali(const RiassuntoScalare& r) {
    return {{"Numeri creditori", TestoNumeri(r.numeriCreditori)},
            {"Numeri debitori", TestoNumeri(r.numeriDebitori)},
            {"Interessi creditori", r.interessiCreditori.format()},
            {"Interessi debitori", r.interessiDebitori.format()},
            {"Giacenza media", r.giacenzaMedia.format()},
            {"Imposta di bollo dovuta", r.bolloDovuto.format()},
            {"Imposta di bollo addebitata", r.bolloAddebitato.format()}};
}

std::vector<std::string> RigheScalare(const RiassuntoScalare& r) {
    std::vector<std::string> righe{"SCALARE;" + r.dal.toString() + ";" + r.al.toString()};
    for (const IntervalloScalare& i : r.intervalli) {
        const RigaScalareMostrata m = RigaMostrata(i);
        righe.push_back(unisci(
            {"INTERVALLO", m.dal, m.al, m.giorni, m.saldo, TestoNumeri(i.numeri), m.tasso, m.ritenuta, m.interesse}));
    }
    righe.push_back("NUMERI CREDITORI;" + TestoNumeri(r.numeriCreditori));
    righe.push_back("NUMERI DEBITORI;" + TestoNumeri(r.numeriDebitori));
    righe.push_back("INTERESSI CREDITORI;" + r.interessiCreditori.format());
    righe.push_back("INTERESSI DEBITORI;" + r.interessiDebitori.format());
    righe.push_back("GIACENZA MEDIA;" + r.giacenzaMedia.format());
    righe.push_back("BOLLO;" + r.bolloDovuto.format() + ";" + r.bolloAddebitato.format());
    return righe;
}

std::string CsvScalare(const RiassuntoScalare& r) {
    std::vector<std::string> righe{"Riassunto scalare;" + r.dal.toString() + ";" + r.al.toString(),
                                   "Valuta;Al;Giorni;Saldo;Numeri creditori;Numeri debitori;Tasso;Ritenuta;Interesse"};
    for (const IntervalloScalare& i : r.intervalli) {
        const bool creditore = i.numeri >= Money();
        righe.push_back(unisci({i.dal.toString(), i.al.toString(), std::to_string(i.giorni), cella(i.saldo),
                                creditore ? cella(i.numeri) : "", creditore ? "" : cella(i.numeri.abs()),
                                cella(i.tasso), cella(i.ritenuta), cella(i.interesse)}));
    }
    righe.push_back("Numeri creditori;" + cella(r.numeriCreditori));
    righe.push_back("Numeri debitori;" + cella(r.numeriDebitori));
    righe.push_back("Interessi creditori;" + cella(r.interessiCreditori));
    righe.push_back("Interessi debitori;" + cella(r.interessiDebitori));
    righe.push_back("Giacenza media;" + cella(r.giacenzaMedia));
    righe.push_back("Imposta di bollo dovuta;" + cella(r.bolloDovuto));
    righe.push_back("Imposta di bollo addebitata;" + cella(r.bolloAddebitato));
    std::string csv;
    for (const std::string& riga : righe)
        csv += riga + "\r\n";
    return csv;
}

} // namespace valmora
