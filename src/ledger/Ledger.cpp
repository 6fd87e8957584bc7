#include "ledger/Ledger.h"

#include "ledger/InterestMath.h"
#include "model/OperationCatalogue.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

namespace valmora {

namespace {

constexpr Rgb kRosso{255, 0, 0};

// Characters, not bytes: a type written with an accented letter is as wide as it reads.
std::int32_t lunghezzaCaratteri(std::string_view text) {
    std::int32_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

} // namespace

Ledger::Ledger(TDM& dm, UserInterface& ui, const Clock& clock, MasterState& state)
    : dm_(dm), ui_(ui), clock_(clock), state_(state) {}

AccountSettings Ledger::Impostazioni() {
    auto& t = dm_.TableImp;
    if (!t.isOpen() || t.isEmpty()) {
        // No settings row: no allowance and no charge applies.
        AccountSettings zero;
        zero.bMensile = zero.maxScope = zero.commScope = zero.maxCCred = Money();
        zero.capitaCre = zero.capitaDeb = "";
        return zero;
    }
    // The settings dialog keeps the row in edit while it is open: read it as it stands then.
    if (!t.isEditing())
        t.first();
    return AccountSettings::read(t);
}

void Ledger::Inizializza() {
    // A fresh record: every category, group total, counter and label back to zero, the TIPO width to 5.
    totali_ = LedgerTotals{};
    fette_.clear();
    ui_.chartCleared(LedgerChart::Saldo);
    ui_.chartCleared(LedgerChart::FuoriConto);
    ui_.chartCleared(LedgerChart::Movimenti);
    const AccountSettings s = Impostazioni();
    totali_.ResiduoBancomatMese = s.bMensile;
    totali_.ResiduoCartaMese = s.maxCCred;
}

int Ledger::meseDi(Date valuta) {
    if (valuta.isNull())
        return 0;
    const std::int32_t giorno = valuta.dayNumber();
    if (giorno < meseRicordato_.primo || giorno > meseRicordato_.ultimo) {
        const int anno = valuta.year();
        const int mese = valuta.month();
        const std::int32_t primo = Date::fromYmd(anno, mese, 1)->dayNumber();
        const std::int32_t ultimo = mese == 12 ? Date::fromYmd(anno, 12, 31)->dayNumber()
                                               : Date::fromYmd(anno, mese + 1, 1)->dayNumber() - 1;
        meseRicordato_ = {primo, ultimo, mese};
    }
    return meseRicordato_.mese;
}

void Ledger::messaggioTipoSconosciuto(std::string_view op, std::string_view t) {
    ui_.message("L'operazione " + std::string(op) + " di tipo " + std::string(t) +
                    " è di una versione precedente!\rPer il corretto funzionamento cambiare in modo opportuno!",
                Buttons::Yes);
}

void Ledger::LeggiRecord(Date& valutaPrecedente, Date valuta, Money importo, std::int64_t& interessiCredito,
                         std::int64_t& interessiDebito, std::string_view op, std::string_view t, bool ScriviImporti) {
    // 1. The interval up to this value date earns or pays on the balance before this movement.
    ComputoInteressi(valutaPrecedente, valuta, interessiCredito, interessiDebito);

    // 2.
    const int mese = meseDi(valuta);
    const Date oggi = clock_.today();

    // 3. Classification.
    const bool contabile = op == operazione::Accredito || op == operazione::Prelievo || op == operazione::Addebito ||
                           op == operazione::Imposta;
    if (contabile) {
        if (valuta <= oggi) {
            if (CategoryTotal* c = totali_.categoria(op, t)) {
                c->aggiungi(importo);
                if (mese == state_.MeseCorrente && op == operazione::Prelievo) {
                    if (t == tipo::BancomatStessoIstituto || t == tipo::BancomatAltroIstituto)
                        totali_.ResiduoBancomatMese -= importo;
                    else if (t == tipo::CartaDiCredito)
                        totali_.ResiduoCartaMese -= importo;
                }
            } else {
                messaggioTipoSconosciuto(op, t);
            }
        }
    } else if (op == operazione::Interessi) {
        if (t == tipo::Creditore || t == tipo::Debitore)
            classificaInteressi(importo, interessiCredito, interessiDebito, t, ScriviImporti);
        else
            messaggioTipoSconosciuto(op, t);
    } else if (op == operazione::FuoriConto) {
        if (CategoryTotal* c = totali_.categoria(op, t))
            c->aggiungi(importo);
        else
            messaggioTipoSconosciuto(op, t);
    } else if (op == operazione::Notifica) {
        if (t == tipo::Variazione) {
            ++totali_.NumNotifiche;
        } else if (t == tipo::SaldoAnnoPrecedente) {
            totali_.SaldoAnnoPrecedente += importo;
            ++totali_.NumNotifiche;
        }
    } else if (valuta <= oggi) {
        ui_.message("L'operazione " + std::string(op) +
                        " è sconosciuta!\rPer il corretto funzionamento cambiare in modo opportuno!",
                    Buttons::Yes);
    }

    // 4. The TIPO column widens to the longest type met; it never narrows within a scan.
    const std::int32_t lunghezza = lunghezzaCaratteri(t);
    if (lunghezza > totali_.LunghezzaTipoMax) {
        totali_.LunghezzaTipoMax = lunghezza;
        ui_.tipoColumnWidthChanged(7 * lunghezza);
    }

    // 5.
    totali_.ricalcola();

    // 6. Every call adds exactly one point, also for a movement that counted nothing.
    aggiungiPunto(op, mese);

    // 7. The counter only follows the whole ledger.
    if (!dm_.MainTable.filtered())
        state_.NumMovimenti = totali_.movimentiContati();
}

void Ledger::classificaInteressi(Money importo, std::int64_t& interessiCredito, std::int64_t& interessiDebito,
                                 std::string_view t, bool ScriviImporti) {
    const bool creditore = t == tipo::Creditore;
    CategoryTotal& categoria = creditore ? totali_.InteressiCreditori : totali_.InteressiDebitori;
    Money registrato = importo; // what the movement's IMPORTO holds after this step
    if (ScriviImporti) {
        std::int64_t& accumulatore = creditore ? interessiCredito : interessiDebito;
        registrato = Money::fromUnits(DividiArrotondando(accumulatore, kDivisoreNumeri));
        auto& tabella = dm_.MainTable;
        // A row that already holds this amount is left alone: posting it again would change nothing
        // on disk, and every post re-sorts the table, which a scan over a large ledger cannot afford.
        if (tabella.fieldByName(schema::kImporto).asMoney() != registrato) {
            tabella.edit();
            tabella.fieldByName(schema::kImporto).setMoney(registrato);
            tabella.post();
        }
        accumulatore = 0;
    }
    // Debit interest lowers the balance by its size whichever sign it was stored with.
    categoria.Importo += creditore ? registrato : registrato.abs();
    if (!registrato.isZero())
        ++categoria.Numero;
}

void Ledger::aggiungiPunto(std::string_view op, int mese) {
    const std::string_view nome = NomeMese(mese);
    ChartPoint punto;
    punto.colour = kRosso;
    if (op != operazione::FuoriConto) {
        punto.x = totali_.NumOperazioni;
        punto.y = static_cast<double>(totali_.Saldo.units()) / 1e7;
        if (nome != totali_.UltimaEtichettaSaldo) {
            totali_.UltimaEtichettaSaldo = nome;
            punto.label = nome;
        }
        ui_.chartPointAdded(LedgerChart::Saldo, punto);
    } else {
        punto.x = totali_.EntrateFC.Numero + totali_.UsciteFC.Numero;
        punto.y = static_cast<double>((totali_.EntrateFC.Importo - totali_.UsciteFC.Importo).units()) / 1e7;
        if (nome != totali_.UltimaEtichettaFC) {
            totali_.UltimaEtichettaFC = nome;
            punto.label = nome;
        }
        ui_.chartPointAdded(LedgerChart::FuoriConto, punto);
    }
}

} // namespace valmora
