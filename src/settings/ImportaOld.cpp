#include "settings/ImportaOld.h"

#include "accounts/AccountCommands.h"
#include "accounts/AccountCopy.h"
#include "accounts/AccountWindow.h"
#include "accounts/Automatismi.h"
#include "dbase/FileSystem.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>

namespace valmora {

namespace {

using dbase::FieldType;

bool stessoNome(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

bool eData(FieldType t) {
    return t == FieldType::Date || t == FieldType::Timestamp;
}
bool eTesto(FieldType t) {
    return t == FieldType::Character;
}
bool eNumero(FieldType t) {
    return t == FieldType::Numeric || t == FieldType::Integer || t == FieldType::Double;
}

// What each of the six movement fields accepts from the old table's field at the same position.
constexpr std::array<bool (*)(FieldType), 6> kCampiMovimento = {eData, eData, eTesto, eTesto, eNumero, eTesto};

// The eight files of an account: the .dbf and .mdx of the movements and of the three associated tables.
std::vector<std::string> fileDelConto(const std::string& cartella, const std::string& nome) {
    const std::string base = nome.substr(0, nome.size() - 4);
    std::vector<std::string> files = {cartella + nome, cartella + base + ".mdx"};
    for (const char* sotto : {kSottocartellaImpostazioni, kSottocartellaTassi, kSottocartellaAccrediti}) {
        const std::string dove = AccountFileSet::folderOf(cartella, sotto) + "/";
        files.push_back(dove + nome);
        files.push_back(dove + base + ".mdx");
    }
    return files;
}

} // namespace

std::string MsgGiaImportato(const std::string& nomeFile) {
    return "Il Conto " + nomeFile + " è già stato importato!";
}

void VerificaVecchioConto(TDM& dm) {
    dbase::Table& old = dm.TableOld;
    const std::vector<std::string> tags = old.indexTags();
    const bool conData =
        std::any_of(tags.begin(), tags.end(), [](const std::string& t) { return stessoNome(t, schema::kIndiceData); });
    if (!conData) {
        throw dbase::TableError("Il file " + old.path() +
                                " non ha l'indice \"Data\" dei Conti delle versioni precedenti di Valmora: "
                                "non può essere importato.");
    }
    const std::vector<dbase::FieldDef>& campi = old.fieldDefs();
    bool adatti = campi.size() == kCampiMovimento.size();
    for (std::size_t i = 0; adatti && i < campi.size(); ++i) {
        adatti = kCampiMovimento[i](campi[i].type);
    }
    if (!adatti) {
        throw dbase::TableError("I campi del file " + old.path() +
                                " non sono quelli di un Conto delle versioni precedenti di Valmora (DATA, VALUTA, "
                                "OPERAZIONE, TIPO, IMPORTO, COMMENTO): non può essere importato.");
    }
}

void RiportaVecchioConto(TDM& dm) {
    dbase::Table& old = dm.TableOld;
    dbase::Table& movimenti = dm.MainTable;
    if (!old.isOpen()) {
        old.open();
    }
    old.setIndexName(schema::kIndiceData);
    if (!movimenti.isOpen()) {
        movimenti.open();
    }
    movimenti.setIndexName(schema::kIndiceValuta);
    TDM::CopiaPerPosizione(old, movimenti);
}

ImportazioneConto::ImportazioneConto(TDM& dm, Ledger& ledger, UserInterface& ui, AccountWindow& window,
                                     AccountCommands& comandi, Automatismi& automatismi)
    : dm_(dm), ledger_(ledger), ui_(ui), window_(window), comandi_(comandi), automatismi_(automatismi) {}

void ImportazioneConto::ImportaOld() {
    if (ui_.message(kDomandaImporta, Buttons::YesNo) != Answer::Yes) {
        ui_.message(kImportazioneAnnullata, Buttons::Yes);
        return;
    }
    MasterState& state = ledger_.Stato();
    FileDialogRequest request;
    request.title = "Importa Versione Precedente";
    request.folder = state.CartellaConto;
    const std::optional<std::string> scelto = ui_.askSaveFile(request);
    if (!scelto) {
        return;
    }
    if (window_.ContoAperto()) {
        comandi_.Chiudi1Click(false);
    }
    const std::string cartella = state.CartellaConto;
    const std::string nome = AccountCommands::ConEstensione(AccountFileSet::fileNamePart(*scelto));

    dbase::Table& old = dm_.TableOld;
    old.close();
    old.bind(AccountCommands::CartellaDi(*scelto), nome);

    if (dm_.fileSystem().exists(cartella + nome)) {
        ui_.message(MsgGiaImportato(nome), Buttons::Yes);
        return;
    }
    // Everything that can refuse the old table is checked before the first file of the new account exists.
    old.open();
    try {
        VerificaVecchioConto(dm_);
    } catch (...) {
        old.close();
        throw;
    }

    state.NomeFileConto = nome;
    window_.AggiornaTitolo();
    try {
        creaConto(cartella, nome);
        RiportaVecchioConto(dm_);
    } catch (...) {
        old.close();
        rimuoviConto(cartella, nome);
        window_.StatoSenzaConto(false);
        throw;
    }
    old.close();

    window_.Attiva();
    const std::string backup = AccountFileSet::folderOf(cartella, kSottocartellaBackup) + "/";
    dm_.fileSystem().makeDirectories(backup);
    CreaCopia(dm_.fileSystem(), backup, cartella, nome);
    automatismi_.Esegui();
}

void ImportazioneConto::creaConto(const std::string& cartella, const std::string& nome) {
    dm_.NuovaTabella(dm_.MainTable, cartella + nome, schema::kIndiceValuta);
    dm_.NuovaTabImpostazioni(dm_.TableImp, cartella, nome, kSottocartellaImpostazioni, dm_.ImpostazioniDefault());
    dm_.NuovaTabTassi(dm_.TableTassi, cartella, nome, kSottocartellaTassi, dm_.TassoDefault());
    dm_.NuovaTabAcc(dm_.TableAcc, cartella, nome, kSottocartellaAccrediti);
}

void ImportazioneConto::rimuoviConto(const std::string& cartella, const std::string& nome) {
    comandi_.ChiudiTabelle();
    for (const std::string& file : fileDelConto(cartella, nome)) {
        // Best effort: a file the failure never created is simply not there.
        try {
            if (dm_.fileSystem().exists(file)) {
                dm_.fileSystem().remove(file);
            }
        } catch (const std::exception&) {
        }
    }
}

} // namespace valmora
