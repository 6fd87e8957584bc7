// The ledger scan, the removal of system-written movements and the queue of pending charges.

#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/SystemTexts.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include <algorithm>
#include <exception>
#include <utility>

namespace valmora {

namespace {

// The ledger grid: its table's controls and the screen's own redrawing. Suspensions nest (the
// scan's removal step runs inside the scan); the screen hears only of the outermost one.
class GrigliaSospesa {
public:
    GrigliaSospesa(dbase::Table& tabella, UserInterface& ui)
        : attiva_(!tabella.controlsDisabled()), lotto_(tabella), ui_(ui) {
        if (attiva_)
            ui_.ledgerGridSuspended(true);
    }
    ~GrigliaSospesa() {
        if (attiva_)
            ui_.ledgerGridSuspended(false);
    }
    void resume() {
        if (std::exchange(attiva_, false))
            ui_.ledgerGridSuspended(false);
        lotto_.finish();
    }
    GrigliaSospesa(const GrigliaSospesa&) = delete;
    GrigliaSospesa& operator=(const GrigliaSospesa&) = delete;

private:
    bool attiva_;
    dbase::TableBatch lotto_; // no notifications, one sync at the end
    UserInterface& ui_;
};

// Deletes, in one pass in the table's order, every row `eliminare` picks (asked with that row
// current); the table marks neighbouring records together, a few writes for a whole regeneration.
template <typename Predicato> void eliminaRighe(dbase::Table& t, Predicato eliminare) {
    t.deleteWhere(eliminare);
}

} // namespace

void Ledger::CancellaAssociate() {
    auto& t = dm_.MainTable;
    GrigliaSospesa sospesa(t, ui_);
    const auto operazioneCampo = t.fieldByName(schema::kOperazione);
    const auto commentoCampo = t.fieldByName(schema::kCommento);
    std::string opDecodificata;
    std::string commentoDecodificato;
    eliminaRighe(t, [&] {
        const std::string_view op = operazioneCampo.asStringView(opDecodificata);
        if (op == operazione::Interessi)
            return true;
        return op == operazione::Imposta && IsChargeText(commentoCampo.asStringView(commentoDecodificato));
    });
    sospesa.resume();
}

void Ledger::EliminaInteressiNulli() {
    auto& t = dm_.MainTable;
    const auto operazioneCampo = t.fieldByName(schema::kOperazione);
    const auto importoCampo = t.fieldByName(schema::kImporto);
    std::string opDecodificata;
    eliminaRighe(t, [&] {
        return operazioneCampo.asStringView(opDecodificata) == operazione::Interessi && importoCampo.asMoney().isZero();
    });
}

void Ledger::AccodaMovimento(std::string_view op, std::string_view t, std::string_view descrizione, Date data,
                             Date valuta, Money importo) {
    accodati_.push_back({data, valuta, std::string(op), std::string(t), std::string(descrizione), importo});
}

void Ledger::InserisciAccodati() {
    // All together: a regeneration adds a charge for most movements, and a write and a count for each
    // would be most of the scan's time. A failure adds none of them.
    dm_.MainTable.appendRecords(accodati_.size(), [&](std::size_t i, std::vector<dbase::Value>& valori) {
        const auto& m = accodati_[i];
        valori = {m.DATA, m.VALUTA, m.OPERAZIONE, m.TIPO, m.IMPORTO, m.COMMENTO};
    });
    accodati_.clear();
}

void Ledger::scriviScoperto(bool valore) {
    auto& t = dm_.TableImp;
    if (t.isOpen() && !t.isEmpty()) {
        if (!t.isEditing())
            t.edit();
        t.fieldByName(schema::kScoperto).setBoolean(valore);
        t.post();
    }
    scoperto_ = valore;
}

void Ledger::addebita(const Charge& c, Date& valutaPrecedente, Date valuta, std::int64_t& interessiCredito,
                      std::int64_t& interessiDebito, bool ScriviImporti) {
    // Both dates of a charge are the triggering movement's value date; it enters the totals at once,
    // so the next rule already sees it.
    AccodaMovimento(operazione::Imposta, c.tipo, c.commento, valuta, valuta, c.importo);
    LeggiRecord(valutaPrecedente, valuta, c.importo, interessiCredito, interessiDebito, operazione::Imposta, c.tipo,
                ScriviImporti);
}

void Ledger::ScansioneRecord(bool ScriviImporti, bool Rigenera) {
    auto& t = dm_.MainTable;

    // The grid stops redrawing for the whole scan (the user sees nothing of it until it ends), and
    // the engine then writes the scan's many changes to disk once, at the end, instead of row by row.
    // The settings row's SCOPERTO may be written at the end of the scan: its controls wait as well.
    GrigliaSospesa sospesa(t, ui_);
    dbase::TableBatch impostazioniSospese(dm_.TableImp);

    // 1.
    dbase::Table::Bookmark segnalibro = t.getBookmark();

    // On the way out, even after a table error: the user's filter comes back and the queue goes.
    bool filtroRicordato = false;
    struct Ripristino {
        Ledger& ledger;
        dbase::Table& tabella;
        bool& filtroRicordato;
        bool rigenera;
        int eccezioniAllInizio = std::uncaught_exceptions();
        ~Ripristino() {
            if (std::uncaught_exceptions() <= eccezioniAllInizio)
                return;
            ledger.accodati_.clear();
            try {
                if (rigenera && tabella.isOpen())
                    tabella.setFiltered(filtroRicordato);
            } catch (...) {
                // The error already unwinding is the one to show.
            }
        }
    } ripristino{*this, t, filtroRicordato, Rigenera};

    ChargeSettings addebiti;
    bool conAddebiti = false;
    bool scopertoRegistrato = false; // SCOPERTO as the settings row held it when the scan began

    // 2.
    if (Rigenera) {
        filtroRicordato = t.filtered();
        t.setFiltered(false);

        t.first();
        if (!t.eof()) {
            state_.DataPrimaValuta = t.fieldByName(schema::kValuta).asDate();
            state_.AnnoPrimaValuta = state_.DataPrimaValuta.isNull() ? 0 : state_.DataPrimaValuta.year();
            state_.MesePrimaValuta = state_.DataPrimaValuta.isNull() ? 0 : state_.DataPrimaValuta.month();
        } else {
            // An empty ledger has no first value date and no period to write interest for.
            state_.DataPrimaValuta = Date();
            state_.AnnoPrimaValuta = 0;
            state_.MesePrimaValuta = 0;
        }

        const AccountSettings impostazioni = Impostazioni();
        addebiti = ChargeSettings::from(impostazioni);
        conAddebiti = addebiti.qualcunaPositiva();
        if (conAddebiti) {
            accodati_.clear();
            // The scan starts above zero and follows the balance in memory; the settings row hears
            // only of where it ends, and only when that differs from what it holds.
            scoperto_ = false;
            scopertoRegistrato = impostazioni.scoperto;
        }

        CancellaAssociate();

        if (state_.MesePrimaValuta > 0 && state_.MeseCorrente >= state_.MesePrimaValuta)
            for (int m = state_.MesePrimaValuta; m <= state_.MeseCorrente; ++m)
                ScriviInteressi(m, state_.AnnoConto, state_.DataPrimaValuta);
    }

    // 3., 4., 5.
    Inizializza();
    std::int64_t interessiCredito = 0;
    std::int64_t interessiDebito = 0;
    LeggiUltimoTasso();

    // 6. (The grid has been suspended since the start.)
    {
        const auto valutaCampo = t.fieldByName(schema::kValuta);
        const auto importoCampo = t.fieldByName(schema::kImporto);
        const auto operazioneCampo = t.fieldByName(schema::kOperazione);
        const auto tipoCampo = t.fieldByName(schema::kTipo);

        t.first();
        Date valutaPrecedente = t.eof() ? Date() : valutaCampo.asDate();
        Date ultimaValuta;
        std::string opDecodificata; // where OPERAZIONE and TIPO go when they are not plain ASCII
        std::string tpDecodificato;

        // 7. In value-date order; equal value dates in the order the rows were added.
        while (!t.eof()) {
            const Date valuta = valutaCampo.asDate();
            const Money importo = importoCampo.asMoney();
            // Views of the row's bytes: this row is never deleted within its step, and the posts of the
            // step (its IMPORTO, SCOPERTO, appended charges) leave its OPERAZIONE and TIPO where they are.
            const std::string_view op = operazioneCampo.asStringView(opDecodificata);
            const std::string_view tp = tipoCampo.asStringView(tpDecodificato);
            ultimaValuta = valuta;

            LeggiRecord(valutaPrecedente, valuta, importo, interessiCredito, interessiDebito, op, tp, ScriviImporti);

            if (Rigenera && conAddebiti) {
                // Rules 1-4: the fee of the withdrawal's own kind.
                if (const auto c = CommissioneTipo(addebiti, op, tp))
                    addebita(*c, valutaPrecedente, valuta, interessiCredito, interessiDebito, ScriviImporti);
                if (SoggettaAdAddebitiOperazione(op)) {
                    // Rule 5: at most one fee per movement beyond the free quota.
                    if (addebiti.costoOpe > Money() && OperazioneEccedente(addebiti, totali_.NumOperazioni))
                        addebita({tipo::Operazioni, kImpostaOperazioniEccedenti, addebiti.costoOpe}, valutaPrecedente,
                                 valuta, interessiCredito, interessiDebito, ScriviImporti);
                    // Rule 6: once per passage below zero.
                    if (addebiti.commScope > Money()) {
                        if (totali_.Saldo < Money() && !scoperto_) {
                            addebita({tipo::Operazioni, kCommissioneScopertura, addebiti.commScope}, valutaPrecedente,
                                     valuta, interessiCredito, interessiDebito, ScriviImporti);
                            scoperto_ = true;
                        } else if (totali_.Saldo >= Money()) {
                            scoperto_ = false;
                        }
                    }
                }
            }
            t.next();
        }

        // 8.
        if (ScriviImporti)
            state_.DataUltimaValuta = ultimaValuta;

        // 9.
        VisualizzaTotali();

        // 10.
        if (Rigenera) {
            if (conAddebiti) {
                InserisciAccodati();
                if (scoperto_ != scopertoRegistrato)
                    scriviScoperto(scoperto_);
            }
            EliminaInteressiNulli();
            t.setFiltered(filtroRicordato);
        }

        // 11.
        if (totali_.movimentiContati() > 0 && t.bookmarkValid(segnalibro))
            t.gotoBookmark(segnalibro);
        else
            t.last();
        t.freeBookmark(segnalibro);
    }
    impostazioniSospese.finish();
    sospesa.resume();
}

} // namespace valmora
