#include "mainwindow/SaldoProgressivo.h"

#include "ledger/LedgerTotals.h"
#include "model/OperationCatalogue.h"
#include "model/TableSchemas.h"

namespace valmora {

namespace {

// `categorie` only answers which category a type belongs to: the totals' own table says which types count.
Money effetto(LedgerTotals& categorie, std::string_view op, std::string_view t, Money importo, Date valuta,
              Date oggi) {
    if (op == operazione::Accredito || op == operazione::Prelievo || op == operazione::Addebito ||
        op == operazione::Imposta) {
        if (valuta > oggi || categorie.categoria(op, t) == nullptr) {
            return Money();
        }
        return op == operazione::Accredito ? importo : -importo;
    }
    if (op == operazione::Interessi) {
        if (t == tipo::Creditore) {
            return importo;
        }
        return t == tipo::Debitore ? -importo.abs() : Money();
    }
    if (op == operazione::Notifica && t == tipo::SaldoAnnoPrecedente) {
        return importo;
    }
    return Money();
}

} // namespace

Money EffettoSulSaldo(std::string_view op, std::string_view t, Money importo, Date valuta, Date oggi) {
    LedgerTotals categorie;
    return effetto(categorie, op, t, importo, valuta, oggi);
}

std::vector<Money> SaldiProgressivi(dbase::Table& movimenti, Date oggi) {
    std::vector<Money> saldi;
    if (!movimenti.isOpen() || movimenti.isEmpty()) {
        return saldi;
    }
    saldi.reserve(static_cast<std::size_t>(movimenti.recordCount()));
    const dbase::Table::Bookmark corrente = movimenti.getBookmark();
    const auto valuta = movimenti.fieldByName(schema::kValuta);
    const auto importo = movimenti.fieldByName(schema::kImporto);
    const auto operazione = movimenti.fieldByName(schema::kOperazione);
    const auto tipo = movimenti.fieldByName(schema::kTipo);
    std::string opDecodificata;
    std::string tipoDecodificato;
    LedgerTotals categorie;
    Money saldo;
    for (movimenti.first(); !movimenti.eof(); movimenti.next()) {
        saldo += effetto(categorie, operazione.asStringView(opDecodificata), tipo.asStringView(tipoDecodificato),
                                 importo.asMoney(), valuta.asDate(), oggi);
        saldi.push_back(saldo);
    }
    if (movimenti.bookmarkValid(corrente)) {
        movimenti.gotoBookmark(corrente);
    }
    return saldi;
}

} // namespace valmora
