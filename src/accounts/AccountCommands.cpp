#include "accounts/AccountCommands.h"

#include "accounts/AccountCopy.h"
#include "accounts/AccountPassword.h"
#include "accounts/AccountWindow.h"
#include "accounts/Automatismi.h"
#include "dbase/FileSystem.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include "core/Paths.h"

#include <filesystem>
#include <stdexcept>

namespace valmora {

namespace {

constexpr const char* kGiaEsistente = "Conto già esistente! Cambiare nome.";
constexpr const char* kSalvareModifiche = "Salvare le modifiche effettuate?";

bool finisceConDbf(const std::string& nome) {
    if (nome.size() < 4) {
        return false;
    }
    std::string ext = nome.substr(nome.size() - 4);
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return ext == ".dbf";
}

} // namespace

AccountCommands::AccountCommands(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window,
                                 Automatismi& automatismi)
    : dm_(dm), ledger_(ledger), ui_(ui), clock_(clock), window_(window), automatismi_(automatismi) {}

AccountCommands::~AccountCommands() = default;

std::string AccountCommands::CartellaDi(const std::string& percorso) {
    const std::string folder = fromPath(toPath(percorso).parent_path());
    if (folder.empty()) {
        return {};
    }
    return folder.back() == '/' ? folder : folder + "/";
}

std::string AccountCommands::ConEstensione(const std::string& nomeFile) {
    return finisceConDbf(nomeFile) ? nomeFile : nomeFile + ".dbf";
}

void AccountCommands::ChiudiTabelle() {
    dm_.MainTable.close();
    dm_.TableAcc.close();
    dm_.TableImp.close();
    dm_.TableTassi.close();
}

void AccountCommands::RiapriTabelle() {
    const std::string filtro = dm_.MainTable.filter();
    const bool filtrato = dm_.MainTable.filtered();
    dm_.MainTable.open();
    dm_.MainTable.setIndexName(schema::kIndiceValuta);
    if (!filtro.empty()) {
        dm_.MainTable.setFilter(filtro);
    }
    dm_.MainTable.setFiltered(filtrato);
    dm_.TableAcc.open();
    dm_.TableAcc.setIndexName(schema::kIndiceOperazione);
    dm_.TableImp.open();
    dm_.TableTassi.open();
    dm_.TableTassi.setIndexName(schema::kIndiceData);
}

std::optional<AccountCommands::NomeNuovoConto>
AccountCommands::ChiediNomeNuovoConto(TDM& dm, UserInterface& ui, std::string cartella, const std::string& nomeProposto,
                                      std::initializer_list<const char*> sottocartelle, bool dialogoRipetuto) {
    for (;;) {
        FileDialogRequest request;
        request.title = "Crea Nuovo Conto";
        request.folder = cartella;
        request.fileName = nomeProposto;
        const std::optional<std::string> scelto = ui.askSaveFile(request);
        if (!scelto) {
            return std::nullopt;
        }
        NomeNuovoConto scelta{CartellaDi(*scelto), ConEstensione(AccountFileSet::fileNamePart(*scelto))};
        bool inUso = dm.fileSystem().exists(scelta.cartella + scelta.nome);
        for (const char* sottocartella : sottocartelle) {
            if (inUso) {
                break;
            }
            inUso = dm.TabEsiste(scelta.cartella, scelta.nome, sottocartella);
        }
        if (!inUso) {
            return scelta;
        }
        ui.message(kGiaEsistente, Buttons::Yes);
        if (!dialogoRipetuto) {
            return std::nullopt;
        }
        cartella = scelta.cartella;
    }
}

void AccountCommands::Nuovo1Click(bool dialogoRipetuto) {
    MasterState& state = ledger_.Stato();
    const std::optional<NomeNuovoConto> scelta = ChiediNomeNuovoConto(
        dm_, ui_, state.CartellaConto, "NuovoConto.dbf",
        {kSottocartellaTassi, kSottocartellaAccrediti, kSottocartellaImpostazioni}, dialogoRipetuto);
    if (!scelta) {
        return;
    }
    const std::string& cartella = scelta->cartella;
    const std::string& nome = scelta->nome;

    if (window_.ContoAperto()) {
        Chiudi1Click(false);
    }
    if (!BloccaConto(cartella, nome)) {
        return;
    }
    state.CartellaConto = cartella;
    state.NomeFileConto = nome;
    window_.AggiornaTitolo();

    dm_.NuovaTabImpostazioni(dm_.TableImp, cartella, nome, kSottocartellaImpostazioni, dm_.ImpostazioniDefault());
    dm_.NuovaTabTassi(dm_.TableTassi, cartella, nome, kSottocartellaTassi, dm_.TassoDefault());
    dm_.NuovaTabAcc(dm_.TableAcc, cartella, nome, kSottocartellaAccrediti);
    dm_.DefaultAccrediti(dm_.TableAcc);

    state.NumMovimenti = 0;
    dm_.NuovaTabella(dm_.MainTable, cartella + nome, schema::kIndiceValuta);

    const Date today = clock_.today();
    ledger_.Inizializza();
    state.MeseCorrente = today.month();
    state.AnnoConto = today.year();
    // A new account has no password: nothing to ask.
    state.PasswordAccettata = true;

    window_.Attiva();
    state.DataUltimaValuta = today;
    state.DataPrimaValuta = today;
    window_.ImpostazioniNuovoConto();
    ledger_.VisualizzaTotali();
}

void AccountCommands::Apri1Click() {
    MasterState& state = ledger_.Stato();
    FileDialogRequest request;
    request.title = "Apri";
    request.folder = state.CartellaConto;
    const std::optional<std::string> scelto = ui_.askOpenFile(request);
    if (!scelto) {
        return;
    }
    const std::string cartella = CartellaDi(*scelto);
    const std::string nome = AccountFileSet::fileNamePart(*scelto);
    // Without its movements file there is no account to open: stop before anything changes, so the open account
    // stays open and no associated table is created beside a file that is not there.
    if (!dm_.fileSystem().exists(cartella + nome)) {
        throw std::runtime_error("Errore! il file: " + cartella + nome + " non esiste o è danneggiato!");
    }
    // Held by another copy: refused before this window's account closes or anything is written. The account
    // this window holds already is locked again once its close has let it go.
    std::unique_ptr<dbase::FileLock> blocco;
    if (contoBloccato_ != cartella + nome && !(blocco = PrendiBlocco(cartella, nome))) {
        return;
    }
    if (window_.ContoAperto()) {
        Chiudi1Click(false);
    }
    if (!blocco && !(blocco = PrendiBlocco(cartella, nome))) {
        return;
    }
    blocco_ = std::move(blocco);
    contoBloccato_ = cartella + nome;
    try {
        ApriConto(cartella, nome);
    } catch (...) {
        // A table that cannot be opened leaves the window without an account: nothing may take the damaged
        // file for this session's state (a save would copy it over the good snapshot).
        try {
            window_.StatoSenzaConto(false);
            ChiudiTabelle();
        } catch (...) {
            // The failure of the open is the one to report.
        }
        SbloccaConto();
        throw;
    }
}

void AccountCommands::ApriConto(const std::string& cartella, const std::string& nome) {
    MasterState& state = ledger_.Stato();
    CompletaOperazioniInterrotte(cartella, nome);
    dm_.MainTable.close();
    dm_.MainTable.bind(cartella, nome);
    state.CartellaConto = cartella;

    const Date today = clock_.today();
    if (!dm_.TabellaAssociata(dm_.TableTassi, cartella, nome, kSottocartellaTassi)) {
        dm_.NuovaTabTassi(dm_.TableTassi, cartella, nome, kSottocartellaTassi, dm_.TassoDefault());
    }
    if (!dm_.TabellaAssociata(dm_.TableAcc, cartella, nome, kSottocartellaAccrediti)) {
        dm_.NuovaTabAcc(dm_.TableAcc, cartella, nome, kSottocartellaAccrediti);
        dm_.DefaultAccrediti(dm_.TableAcc);
    }
    if (!dm_.TabellaAssociata(dm_.TableImp, cartella, nome, kSottocartellaImpostazioni)) {
        dm_.NuovaTabImpostazioni(dm_.TableImp, cartella, nome, kSottocartellaImpostazioni, dm_.ImpostazioniDefault());
    }

    if (!ControllaPasswordApertura(dm_, ui_, state)) {
        // The window stays without an account: nothing of this one is left open.
        ChiudiTabelle();
        SbloccaConto();
        return;
    }

    state.NomeFileConto = nome;
    window_.AggiornaTitolo();
    window_.Attiva();

    AggiornaCopiaDiSicurezza();

    state.AnnoPrimaValuta = today.year();
    automatismi_.Esegui();
    window_.ProponiNuovoAnno();
}

void AccountCommands::Salva1Click() {
    MasterState& state = ledger_.Stato();
    ChiudiTabelle();
    AggiornaCopiaDiSicurezza();
    RiapriTabelle();
    if (copiaDellaSessione_) {
        state.ModificheDaSalvare = false;
    }
    ledger_.StatoTabella(state.ModificheDaSalvare, dm_.MainTable.filtered());
}

void AccountCommands::Chiudi1Click(bool daMenuChiudi) {
    MasterState& state = ledger_.Stato();
    window_.StatoSenzaConto(daMenuChiudi);
    if (dm_.TableImp.isOpen()) {
        dm_.TableImp.first();
        dm_.TableImp.edit();
        dm_.TableImp.fieldByName("NUM_REC").setInteger(state.NumMovimenti);
        dm_.TableImp.post();
    }
    ChiudiTabelle();
    if (state.ModificheDaSalvare && ui_.message(kSalvareModifiche, Buttons::YesNo) == Answer::No) {
        RipristinaCopiaDiSicurezza();
    }
    state.ModificheDaSalvare = false;
    SbloccaConto();
}

void AccountCommands::Esporta1Click() {
    MasterState& state = ledger_.Stato();
    FileDialogRequest request;
    request.title = "Esporta";
    request.folder = state.CartellaConto;
    request.fileName = state.NomeFileConto;
    const std::optional<std::string> scelto = ui_.askSaveFile(request);
    if (!scelto) {
        return;
    }
    ChiudiTabelle();
    // Only the chosen folder counts: the copy keeps the account's own name. Exporting into the account's own
    // folder would copy every file onto itself; CreaCopia refuses that, and the user hears of it.
    const std::string destinazione = CartellaDi(*scelto);
    const bool copiato = CreaCopia(dm_.fileSystem(), destinazione, state.CartellaConto, state.NomeFileConto);
    ui_.message(copiato ? "Copia creata!" : "Copia non riuscita!", Buttons::Yes);
    RiapriTabelle();
}

} // namespace valmora
