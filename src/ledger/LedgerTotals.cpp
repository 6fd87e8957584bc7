#include "ledger/LedgerTotals.h"

#include "model/OperationCatalogue.h"

namespace valmora {

namespace {

CategoryTotal somma(std::initializer_list<const CategoryTotal*> parti) {
    CategoryTotal t;
    for (const auto* p : parti) {
        t.Importo += p->Importo;
        t.Numero += p->Numero;
    }
    return t;
}

} // namespace

CategoryTotal* LedgerTotals::categoria(std::string_view op, std::string_view t) {
    if (op == operazione::Accredito) {
        if (t == tipo::Bonifico)
            return &Bonifici;
        if (t == tipo::Stipendio)
            return &Stipendi;
        if (t == tipo::AssegnoStessoIstituto || t == tipo::AssegnoAltroIstituto || t == tipo::AssegnoCircolare ||
            t == tipo::AssegnoPostale)
            return &AssegniVersati;
        if (t == tipo::Contante)
            return &Contante;
    } else if (op == operazione::Prelievo) {
        if (t == tipo::BancomatStessoIstituto || t == tipo::BancomatAltroIstituto)
            return &PrelieviBancomat;
        if (t == tipo::Assegno)
            return &AssegniEmessi;
        if (t == tipo::Sportello)
            return &PrelieviSportello;
        if (t == tipo::POS)
            return &PagamentiPOS;
        if (t == tipo::CartaDiCredito)
            return &PagamentiCarta;
    } else if (op == operazione::Addebito) {
        if (t == tipo::Luce)
            return &Luce;
        if (t == tipo::Acqua)
            return &Acqua;
        if (t == tipo::Telefono)
            return &Telefono;
        if (t == tipo::Gas)
            return &Gas;
        if (t == tipo::Generico)
            return &AddebitiGenerici;
    } else if (op == operazione::Imposta) {
        if (t == tipo::Bolli)
            return &Bolli;
        if (t == tipo::Operazioni)
            return &ImposteOperazioni;
        if (t == tipo::Bancomat)
            return &ImposteBancomat;
        if (t == tipo::POS)
            return &ImpostePOS;
        if (t == tipo::CartaDiCredito)
            return &ImposteCarta;
        if (t == tipo::Generica)
            return &ImposteGeneriche;
    } else if (op == operazione::FuoriConto) {
        if (t == tipo::Entrate)
            return &EntrateFC;
        if (t == tipo::Uscite)
            return &UsciteFC;
    }
    return nullptr;
}

void LedgerTotals::ricalcola() {
    TotAccrediti = somma({&Bonifici, &Stipendi, &AssegniVersati, &Contante});
    TotPrelievi = somma({&PrelieviBancomat, &AssegniEmessi, &PrelieviSportello, &PagamentiPOS, &PagamentiCarta});
    TotAddebiti = somma({&Luce, &Acqua, &Telefono, &Gas, &AddebitiGenerici});
    TotImposte = somma({&Bolli, &ImposteOperazioni, &ImposteBancomat, &ImpostePOS, &ImposteCarta, &ImposteGeneriche});
    TotInteressi.Importo = InteressiCreditori.Importo - InteressiDebitori.Importo;
    TotInteressi.Numero = InteressiCreditori.Numero + InteressiDebitori.Numero;

    Utile = TotInteressi.Importo - TotImposte.Importo;
    Saldo = TotAccrediti.Importo - TotPrelievi.Importo - TotImposte.Importo - TotAddebiti.Importo +
            TotInteressi.Importo + SaldoAnnoPrecedente;
    NumOperazioni = TotAccrediti.Numero + TotPrelievi.Numero + TotAddebiti.Numero;
}

} // namespace valmora
