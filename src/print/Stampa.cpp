#include "print/Stampa.h"

#include "ledger/LedgerTotals.h"
#include "mainwindow/FormMaster.h"

namespace valmora {

SummaryFigures figuresFrom(const LedgerTotals& totali) {
    SummaryFigures f;
    f.utile = totali.Utile;
    f.numOperazioni = totali.NumOperazioni;
    f.totAccrediti = totali.TotAccrediti.Importo;
    f.totPrelievi = totali.TotPrelievi.Importo;
    f.totAddebiti = totali.TotAddebiti.Importo;
    f.totImposte = totali.TotImposte.Importo;
    f.totInteressi = totali.TotInteressi.Importo;
    f.entrateFC = totali.EntrateFC.Importo;
    f.usciteFC = totali.UsciteFC.Importo;
    f.saldo = totali.Saldo;
    return f;
}

MonthlySummarySource summarySourceOf(FormMaster& master) {
    const MasterState& stato = master.Stato();
    return MonthlySummarySource{master.DM().MainTable, master.DM().TableImp,  figuresFrom(master.ledger().Totali()),
                                stato.AnnoPrimaValuta, stato.MesePrimaValuta, stato.DataUltimaValuta};
}

void Stampa1Click(FormMaster& master, UserInterface& ui) {
    if (!master.ContoAperto())
        return;
    MonthlySummaryReport report(summarySourceOf(master));
    report.StampaRiepilogo(ui);
}

} // namespace valmora
