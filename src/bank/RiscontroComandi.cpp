#include "bank/RiscontroComandi.h"

#include "bank/BankListFile.h"
#include "mainwindow/FormMaster.h"
#include "model/UserInterface.h"

namespace valmora {

std::optional<RiscontroAperto> RiscontroConBanca1Click(FormMaster& master, UserInterface& ui) {
    if (!master.ContoAperto())
        return std::nullopt;
    FileDialogRequest request;
    request.title = "Riscontro con la banca";
    request.folder = master.Stato().CartellaConto;
    request.filter = "Movimenti della banca (*.csv *.txt *.xml);;Tutti i file (*)";
    request.defaultExtension = "csv";
    const std::optional<std::string> scelto = ui.askOpenFile(request);
    if (!scelto)
        return std::nullopt;
    RiscontroAperto aperto;
    aperto.file = *scelto;
    try {
        aperto.banca = bank::readBankList(*scelto, master.DM().fileSystem());
    } catch (const BankListError& e) {
        ui.message(e.what(), Buttons::Ok);
        return std::nullopt;
    }
    RiscontraDiNuovo(master, aperto);
    return aperto;
}

void RiscontraDiNuovo(FormMaster& master, RiscontroAperto& aperto, int giorni) {
    aperto.esito = RiscontraLista(LeggiContoRiscontro(master.DM()), aperto.banca, giorni);
}

std::vector<TipoInserimento> InserimentiPer(const BankLine& riga) {
    if (riga.importo > Money())
        return {TipoInserimento::Accredito};
    return {TipoInserimento::Prelievo, TipoInserimento::Addebito, TipoInserimento::Imposta};
}

DialogResult InserisciDaBanca(OperationEntry& entry, TipoInserimento tipo, const BankLine& riga,
                              const OperationEntry::MostraScheda& mostra) {
    return entry.ComandoInserimento(tipo, [&](OperationEntry& e) {
        // Filled on every showing: a refused insert brings the dialog back with the bank's values again.
        SchedaOperazione& s = e.Scheda();
        s.Calendario = riga.data;
        s.EditImporto = riga.importo.abs().plain();
        s.EditDescrizione = riga.descrizione;
        return mostra(e);
    });
}

DialogResult InserisciDaBanca(OperationEntry& entry, TipoInserimento tipo, const BankLine& riga, UserInterface& ui) {
    return InserisciDaBanca(entry, tipo, riga, [&ui](OperationEntry& e) { return ui.showOperationDialog(e); });
}

} // namespace valmora
