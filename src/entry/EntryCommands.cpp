// The main window's entry commands: the five inserts, modify and delete of the selected movement.

#include "entry/OperationEntry.h"

#include "model/Movement.h"
#include "model/OperationCatalogue.h"
#include "model/SystemTexts.h"
#include "model/TDM.h"

namespace valmora {

namespace {

struct ComandoInserimentoDef {
    std::string_view operazione; // also the heading
    std::string_view tipo;       // the default type
    std::string_view secondo;    // the second button's caption
};

ComandoInserimentoDef definizione(TipoInserimento tipo) {
    switch (tipo) {
    case TipoInserimento::Accredito:
        return {operazione::Accredito, tipo::Bonifico, "&Nuovo Accredito"};
    case TipoInserimento::Prelievo:
        return {operazione::Prelievo, tipo::BancomatStessoIstituto, "&Nuovo Prelievo"};
    case TipoInserimento::Addebito:
        return {operazione::Addebito, tipo::Telefono, "&Nuovo Addebito"};
    case TipoInserimento::Imposta:
        return {operazione::Imposta, tipo::Generica, "&Nuova Imposta"};
    case TipoInserimento::FuoriConto:
        return {operazione::FuoriConto, tipo::Entrate, "&Nuove Entrate"};
    }
    return {};
}

} // namespace

ValoriScheda OperationEntry::ValoriInserimento(TipoInserimento tipo, Date oggi) {
    const ComandoInserimentoDef def = definizione(tipo);
    ValoriScheda v;
    v.intestazione = def.operazione;
    v.operazione = def.operazione;
    v.tipo = def.tipo;
    v.frequenza = "Mensile";
    v.meseInizio = NomeMese(oggi.month());
    v.captionSecondo = def.secondo;
    v.data = oggi;
    v.secondoVisibile = true;
    return v;
}

ValoriScheda OperationEntry::ValoriProposta(const OperationProposal& proposta) {
    ValoriScheda v;
    v.intestazione = proposta.intestazione;
    v.operazione = proposta.operazione;
    v.tipo = proposta.tipo;
    v.descrizione = proposta.descrizione;
    v.frequenza = proposta.frequenza;
    v.meseInizio = proposta.inizio;
    v.captionSecondo = proposta.secondoPulsante;
    v.importo = proposta.importo;
    v.giorno = proposta.giorno;
    v.data = proposta.data;
    v.secondoVisibile = false;
    return v;
}

DialogResult OperationEntry::ComandoInserimento(TipoInserimento tipo) {
    return InserisciMovimento(ValoriInserimento(tipo, clock_.today()));
}

DialogResult OperationEntry::ComandoInserimento(TipoInserimento tipo, const MostraScheda& mostra) {
    return InserisciMovimento(ValoriInserimento(tipo, clock_.today()), mostra);
}

void OperationEntry::disponiPerMovimento(const Movement& movimento, std::string_view h) {
    ValoriScheda v;
    v.intestazione = h;
    v.operazione = movimento.operazione;
    v.tipo = movimento.tipo;
    v.descrizione = movimento.commento;
    v.frequenza = "Mensile";
    v.meseInizio = NomeMese(clock_.today().month());
    v.importo = movimento.importo;
    v.data = movimento.data;
    v.secondoVisibile = false;
    ValoriSchedaOpe(v);
    scheda_.EditValutaVisibile = true;
    scheda_.ComboOpVisibile = true;
    scheda_.posizioneTipo = PostoTipo::AccantoOperazione;
    scheda_.EditValuta = movimento.valuta.toString();
    valutaMostrata_ = movimento.valuta;
}

DialogResult OperationEntry::SpeedModificaClick() {
    return SpeedModificaClick([](OperationEntry& entry) { return entry.mostraSeam(); });
}

std::optional<Movement> OperationEntry::movimentoDaCambiare(std::string_view rifiuto) {
    // With no movement in view there is nothing to change: the dialog would only offer to replace nothing.
    if (correnteVuota()) {
        return std::nullopt;
    }
    Movement movimento = Movement::read(dm_.MainTable);
    if (IsSystemWrittenForEdit(movimento.operazione, movimento.commento)) {
        ui_.message(std::string(rifiuto), Buttons::Yes);
        return std::nullopt;
    }
    return movimento;
}

DialogResult OperationEntry::SpeedModificaClick(const MostraScheda& mostra) {
    const std::optional<Movement> movimento = movimentoDaCambiare(kMsgModificaAutomatica);
    if (!movimento) {
        return DialogResult::Cancel;
    }
    disponiPerMovimento(*movimento, intestazione::Modifica);
    FillCombo(scheda_.ComboOpVoci, "Operazioni");
    return mostraEConferma(mostra);
}

DialogResult OperationEntry::SpeedEliminaClick() {
    return SpeedEliminaClick([](OperationEntry& entry) { return entry.mostraSeam(); });
}

DialogResult OperationEntry::SpeedEliminaClick(const MostraScheda& mostra) {
    const std::optional<Movement> movimento = movimentoDaCambiare(kMsgEliminaAutomatica);
    if (!movimento) {
        return DialogResult::Cancel;
    }
    // The operation list is left as the last opener filled it.
    disponiPerMovimento(*movimento, intestazione::Elimina);
    scheda_.campiAbilitati = false;
    struct Riabilita {
        SchedaOperazione& scheda;
        ~Riabilita() { scheda.campiAbilitati = true; }
    } riabilita{scheda_};
    return mostraEConferma(mostra);
}

bool OperationEntry::TastoElimina(bool tastoCanc, Modificatori m) {
    return tastoCanc && m.ctrl && !m.shift && !m.alt && !m.mouse;
}

bool OperationEntry::DBGrid1KeyDown(bool tastoCanc, Modificatori modificatori) {
    return DBGrid1KeyDown(tastoCanc, modificatori, [](OperationEntry& entry) { return entry.mostraSeam(); });
}

bool OperationEntry::DBGrid1KeyDown(bool tastoCanc, Modificatori modificatori, const MostraScheda& mostra) {
    if (!TastoElimina(tastoCanc, modificatori)) {
        return false;
    }
    SpeedEliminaClick(mostra);
    return true;
}

} // namespace valmora
