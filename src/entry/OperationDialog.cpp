// The operation dialog's filling, showing and field handlers.

#include "entry/OperationEntry.h"

#include "entry/GridSuspension.h"
#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/TDM.h"

namespace valmora {

std::string AvvisoValutaFutura(std::string_view operazione, Money importo, Date valuta) {
    return "L'operazione di " + std::string(operazione) + " di " + importo.format() + " verrà effettuata con valuta " +
           valuta.toString() + " !";
}

std::string MsgNumeroNonValido(std::string_view testo) {
    return "'" + std::string(testo) + "' is not a valid floating point value";
}

OperationEntry::OperationEntry(TDM& dm, Ledger& ledger, FiltroMovimenti& filtro, UserInterface& ui, const Clock& clock)
    : dm_(dm), ledger_(ledger), filtro_(filtro), ui_(ui), clock_(clock) {}

void OperationEntry::ValoriSchedaOpe(const ValoriScheda& valori) {
    scheda_.Calendario = valori.data;
    scheda_.EditImporto = valori.importo.plain();
    scheda_.ComboBoxTipo = valori.tipo;
    scheda_.ComboOp = valori.operazione;
    scheda_.EditDescrizione = valori.descrizione;
    scheda_.CBFrequenza = valori.frequenza;
    scheda_.CBGiorno = valori.giorno.plain();
    scheda_.CBMeseInizio = valori.meseInizio;
    scheda_.LabelPanel = valori.intestazione;
    scheda_.BitBtnNuovaOpCaption = valori.captionSecondo;
    // The list follows the operation; the box keeps the type just set, even one the list lacks.
    FillCombo(scheda_.ComboBoxTipoVoci, valori.operazione);
    scheda_.BitBtnNuovaOpVisibile = valori.secondoVisibile;
}

void OperationEntry::disponiPerInserimento() {
    scheda_.EditValutaVisibile = false;
    scheda_.ComboOpVisibile = false;
    scheda_.posizioneTipo = PostoTipo::AlPostoOperazione;
}

DialogResult OperationEntry::mostraSeam() {
    return ui_.showOperationDialog(*this);
}

DialogResult OperationEntry::mostraEConferma(const MostraScheda& mostra) {
    FormActivate();
    DialogResult premuto = mostra(*this);
    DialogResult esito = premuto;
    // FormClose runs however the dialog ends, also when the confirmation stops on a table error.
    struct Chiusura {
        OperationEntry& entry;
        bool chiusa = false;
        ~Chiusura() {
            if (!chiusa) {
                try {
                    entry.FormClose();
                } catch (...) {
                    // Already leaving on the confirmation's own error, the one to report.
                }
            }
        }
    } chiusura{*this};
    if (premuto != DialogResult::Cancel) {
        esito = BitBtnConfermaClick(premuto);
    }
    chiusura.chiusa = true;
    FormClose();
    return esito;
}

DialogResult OperationEntry::InserisciMovimento(const ValoriScheda& valori) {
    return InserisciMovimento(valori, [](OperationEntry& entry) { return entry.mostraSeam(); });
}

DialogResult OperationEntry::InserisciMovimento(const ValoriScheda& valori, const MostraScheda& mostra) {
    DialogResult esito = DialogResult::Retry;
    while (esito == DialogResult::Retry) {
        SospensioneGriglia sospesa(ui_, dm_.MainTable);
        ValoriSchedaOpe(valori);
        disponiPerInserimento();
        esito = mostraEConferma(mostra);
        sospesa.termina();
    }
    return esito;
}

void OperationEntry::FormActivate() {
    const std::string& h = scheda_.LabelPanel;
    if (h == intestazione::OperazioneAutomatica || h == intestazione::ModificaOperazioneAutomatica) {
        scheda_.focus = CampoScheda::EditImporto;
        scheda_.CBInsAuto = true;
    } else if (h != intestazione::Elimina) {
        scheda_.focus = CampoScheda::EditImporto;
        scheda_.CBInsAuto = false;
    }
    CBInsAutoClick();
}

void OperationEntry::CBInsAutoClick() {
    scheda_.programmazioneAbilitata = scheda_.CBInsAuto;
}

void OperationEntry::ComboOpChange() {
    FillCombo(scheda_.ComboBoxTipoVoci, scheda_.ComboOp);
    scheda_.ComboBoxTipo = scheda_.ComboBoxTipoVoci.empty() ? std::string() : scheda_.ComboBoxTipoVoci[0];
}

bool OperationEntry::EditImportoExit() {
    const auto rifiuto = ImportoRifiutato(scheda_.EditImporto);
    if (!rifiuto) {
        return true;
    }
    return rifiuta(std::string(*rifiuto), CampoScheda::EditImporto);
}

bool OperationEntry::ComboOpExit() {
    if (scheda_.ComboOpVoci.indexOf(scheda_.ComboOp)) {
        return true;
    }
    ui_.message(std::string(kMsgOperazioneNonInElenco), Buttons::Ok);
    scheda_.ComboOp.clear();
    scheda_.focus = CampoScheda::ComboOp;
    return false;
}

bool OperationEntry::ComboBoxTipoExit() {
    if (scheda_.ComboBoxTipoVoci.indexOf(scheda_.ComboBoxTipo)) {
        return true;
    }
    ui_.message(std::string(kMsgTipoNonInElenco), Buttons::Ok);
    scheda_.ComboBoxTipo.clear();
    scheda_.focus = CampoScheda::ComboBoxTipo;
    return false;
}

bool OperationEntry::EditValutaExit() {
    if (ConvertiDataDigitata(scheda_.EditValuta)) {
        return true;
    }
    return rifiuta(std::string(kMsgValutaNonValida), CampoScheda::EditValuta);
}

void OperationEntry::FormClose() {
    if (dm_.MainTable.isOpen() && dm_.MainTable.isEditing()) {
        dm_.MainTable.cancel();
    }
    // The delete dialog shows the movement read-only only while it is open.
    scheda_.campiAbilitati = true;
}

} // namespace valmora
