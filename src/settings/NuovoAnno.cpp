#include "settings/NuovoAnno.h"

#include "accounts/AccountCommands.h"
#include "accounts/AccountWindow.h"
#include "accounts/Automatismi.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/Movement.h"
#include "model/OperationCatalogue.h"
#include "model/SystemTexts.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"
#include "settings/TabelleNuovoAnno.h"

#include <optional>
#include <string>

namespace valmora {

namespace {

constexpr std::size_t kLunghezzaNomeProposto = 15;

} // namespace

NuovoAnno::NuovoAnno(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window,
                     AccountCommands& comandi, Automatismi& automatismi)
    : dm_(dm), ledger_(ledger), ui_(ui), clock_(clock), window_(window), comandi_(comandi), automatismi_(automatismi) {}

void NuovoAnno::ProponiNuovoAnno() {
    dbase::Table& imp = dm_.TableImp;
    if (!imp.isOpen()) {
        return;
    }
    imp.first();
    if (imp.eof()) {
        return;
    }
    const bool offertaAperta = imp.fieldByName(schema::kNewAnno).asBoolean();
    if (ledger_.Stato().AnnoPrimaValuta >= clock_.today().year() || !offertaAperta) {
        return;
    }
    // Help opens its topic and leaves the question open: a screen that reports Help is asked again.
    Answer risposta = ui_.message(kDomandaNuovoAnno, Buttons::NoOkHelp);
    while (risposta == Answer::Help) {
        risposta = ui_.message(kDomandaNuovoAnno, Buttons::NoOkHelp);
    }
    if (risposta != Answer::Ok) {
        return;
    }
    // Closed before the dialog shows, so cancelling the dialog does not bring the offer back.
    imp.first();
    imp.edit();
    imp.fieldByName(schema::kNewAnno).setBoolean(false);
    imp.post();
    Tab_NuovoAnno();
}

void NuovoAnno::Tab_NuovoAnno(bool dialogoRipetuto) {
    MasterState& state = ledger_.Stato();
    // The balance the window shows now: a close answered No restores the old files, not this figure.
    const Money saldo = ledger_.Totali().Saldo;

    const std::optional<AccountCommands::NomeNuovoConto> scelta = AccountCommands::ChiediNomeNuovoConto(
        dm_, ui_, state.CartellaConto, state.NomeFileConto.substr(0, kLunghezzaNomeProposto),
        {kSottocartellaTassi, kSottocartellaImpostazioni, kSottocartellaAccrediti}, dialogoRipetuto);
    if (!scelta) {
        return;
    }
    const std::string& cartella = scelta->cartella;
    const std::string& nome = scelta->nome;

    // The old account closes in its own folder; its tables stay bound there for the three readers below.
    if (dm_.MainTable.isOpen()) {
        comandi_.Chiudi1Click(false);
    }
    if (!comandi_.BloccaConto(cartella, nome)) {
        return;
    }
    state.CartellaConto = cartella;
    const Date j = *Date::fromYmd(clock_.today().year(), 1, 1);

    dm_.NuovaTabella(dm_.MainTable, cartella + nome, schema::kIndiceValuta);
    VecchieImpostazioni(dm_, cartella, nome, j);
    VecchioTasso(dm_, cartella, nome, kSottocartellaTassi, j);
    VecchiAccrediti(dm_, cartella, nome);

    state.NomeFileConto = nome;
    window_.AggiornaTitolo();
    window_.Attiva();

    const Movement riportato{j,
                             j,
                             std::string(operazione::Notifica),
                             std::string(tipo::SaldoAnnoPrecedente),
                             saldo,
                             std::string(kSaldoAnnoPrecedente)};
    dm_.MainTable.appendRecord(riportato.values());
    state.NumMovimenti = 1;
    automatismi_.Esegui();
}

} // namespace valmora
