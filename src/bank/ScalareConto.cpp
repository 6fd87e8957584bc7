#include "bank/ScalareConto.h"

#include "ledger/Ledger.h"
#include "mainwindow/FormMaster.h"
#include "model/LetturaCompleta.h"
#include "model/OperationCatalogue.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include <exception>

namespace valmora {

namespace {

// The replayed ledger tells nobody anything: its messages and chart points were shown by the real scan.
class SchermoMuto : public UserInterface {
public:
    Answer message(const std::string&, Buttons) override { return Answer::Yes; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return std::nullopt; }
};

} // namespace

MovimentiPerScalare MovimentiDelConto(TDM& dm, const Clock& clock) {
    MovimentiPerScalare out;
    SchermoMuto muto;
    MasterState stato; // the replay's own: the window's counters stay the scan's
    Ledger ledger(dm, muto, clock, stato);
    ledger.Inizializza();
    ledger.LeggiUltimoTasso();
    out.tassi = ledger.TassiLetti();

    dbase::Table& t = dm.MainTable;
    LetturaCompleta tutti(t);
    const auto valutaCampo = t.fieldByName(schema::kValuta);
    const auto importoCampo = t.fieldByName(schema::kImporto);
    const auto operazioneCampo = t.fieldByName(schema::kOperazione);
    const auto tipoCampo = t.fieldByName(schema::kTipo);
    std::string opDecodificata;
    std::string tpDecodificato;
    std::int64_t numeriScartati = 0; // the statement works its own intervals out
    t.first();
    Date valutaPrecedente = t.eof() ? Date() : valutaCampo.asDate();
    for (; !t.eof(); t.next()) {
        const Date valuta = valutaCampo.asDate();
        const Money importo = importoCampo.asMoney();
        const std::string_view op = operazioneCampo.asStringView(opDecodificata);
        const std::string_view tp = tipoCampo.asStringView(tpDecodificato);
        ledger.LeggiRecord(valutaPrecedente, valuta, importo, numeriScartati, numeriScartati, op, tp, false);
        const Money saldo = ledger.Totali().Saldo;
        if (!out.saldi.empty() && out.saldi.back().valuta == valuta)
            out.saldi.back().saldo = saldo;
        else
            out.saldi.push_back({valuta, saldo});
        if (op == operazione::Imposta && tp == tipo::Bolli)
            out.bolli.push_back({valuta, importo});
    }
    return out;
}

std::optional<std::string> PeriodoNonValido(Date dal, Date al, int annoConto) {
    if (al < dal)
        return "La data finale precede la data iniziale!";
    if (dal.year() != annoConto || al.year() != annoConto)
        return "Il periodo deve essere compreso nell'anno del conto (" + std::to_string(annoConto) + ")!";
    return std::nullopt;
}

std::optional<RiassuntoScalare> RiassuntoDelConto(FormMaster& master, UserInterface& ui, Date dal, Date al) {
    if (!master.ContoAperto())
        return std::nullopt;
    if (const auto motivo = PeriodoNonValido(dal, al, master.Stato().AnnoConto)) {
        ui.message(*motivo, Buttons::Ok);
        return std::nullopt;
    }
    return CalcolaScalare(MovimentiDelConto(master.DM(), master.Orologio()), dal, al);
}

} // namespace valmora
