#include "settings/FormImpostazioni.h"

#include "accounts/Automatismi.h"
#include "entry/SchedaOperazione.h"
#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/ProgrammedOperation.h"
#include "model/RatePeriod.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include <algorithm>
#include <cctype>

namespace valmora {

namespace {

constexpr std::size_t kLunghezzaNomeCaption = 15;
constexpr std::string_view kValuteAssegni = "Inserire il numero di giorni di valuta";

// A row of the list is selected: the modify and delete buttons act on it.
bool rigaScelta(const dbase::Table& tabella) {
    return !tabella.isEmpty() && tabella.recNo() != 0;
}

// Every row of a list's table as the list shows it; the current row stays where it was.
template <class Mostra> auto righeMostrate(dbase::Table& tabella, Mostra mostra) {
    std::vector<decltype(mostra(tabella))> righe;
    if (!tabella.isOpen()) {
        return righe;
    }
    dbase::Table::Bookmark posto = tabella.getBookmark();
    for (tabella.first(); !tabella.eof(); tabella.next()) {
        righe.push_back(mostra(tabella));
    }
    if (tabella.bookmarkValid(posto)) {
        tabella.gotoBookmark(posto);
    }
    tabella.freeBookmark(posto);
    return righe;
}

bool stessoNome(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::string colonna(std::string_view c) {
    return std::string(c);
}

} // namespace

std::string FormatoPercentuale(Money valore) {
    std::string testo = valore.decimalText(2);
    std::replace(testo.begin(), testo.end(), '.', ',');
    return testo + "%";
}

FormImpostazioni::FormImpostazioni(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock,
                                   OperationEntry& entry, Automatismi& automatismi)
    : dm_(dm), ledger_(ledger), ui_(ui), clock_(clock), entry_(entry), automatismi_(automatismi), tassi_(dm, ui),
      logo_([this](const std::string& testo) { ui_.institutoLabelChanged(testo); }) {}

// ------------------------------------------------------------------------------------------ opening and closing

void FormImpostazioni::Impostazioni1Click(const std::string& nomeFileConto, const MostraImpostazioni& mostra) {
    if (!dm_.TableImp.isOpen()) {
        return; // "Im&postazioni..." is enabled only while an account is open
    }
    Prepara(nomeFileConto);
    FormShow();
    const DialogResult esito = mostra(*this);
    if (esito == DialogResult::Ok) {
        OKBtnClick();
    } else {
        // The close box too: a row left in edit mode would be posted by the next move over the table, keeping
        // changes the user never confirmed.
        CancelBtnClick();
    }
}

void FormImpostazioni::Prepara(const std::string& nomeFileConto) {
    ActivePage = SchedaImpostazioni::CondizioniGenerali;
    Caption = "Impostazioni - " + nomeFileConto.substr(0, kLunghezzaNomeCaption);
    dm_.TableImp.first();
    dm_.TableImp.edit();
}

void FormImpostazioni::FormShow() {
    TassiModificati = false;
    CostiModificati = false;
}

void FormImpostazioni::OKBtnClick() {
    if (dm_.TableImp.isEditing()) {
        dm_.TableImp.post();
    }
    if (TassiModificati || CostiModificati) {
        SiCambia();
    }
    const MasterState& state = ledger_.Stato();
    ledger_.StatoTabella(state.ModificheDaSalvare, dm_.MainTable.isOpen() && dm_.MainTable.filtered());
}

void FormImpostazioni::CancelBtnClick() {
    if (dm_.TableImp.isOpen() && dm_.TableImp.isEditing()) {
        dm_.TableImp.cancel();
    }
}

void FormImpostazioni::SiCambia() {
    if (!dm_.MainTable.isOpen()) {
        return;
    }
    if (TassiModificati || CostiModificati) {
        ledger_.ScansioneRecord(true, true);
    }
    aggiornaLogo();
}

int FormImpostazioni::BitBtn1Click() const {
    switch (ActivePage) {
    case SchedaImpostazioni::CondizioniGenerali:
        return 3;
    case SchedaImpostazioni::TassiInteresse:
        return 4;
    case SchedaImpostazioni::OperazioniAutomatiche:
        return 5;
    }
    return 3;
}

void FormImpostazioni::aggiornaLogo() {
    dbase::Table& imp = dm_.TableImp;
    if (!imp.isOpen() || imp.isEmpty()) {
        return;
    }
    logo_(imp.fieldByName(schema::kIstituto).asString());
}

// ---------------------------------------------------------------------------------------------------- first tab

const std::array<CampoCondizione, 17>& FormImpostazioni::CampiCondizioni() {
    static const std::array<CampoCondizione, 17> campi = {{
        {schema::kIstituto, "Istituto", "", 256, "Istituto di appartenenza", false, false, false},
        {schema::kCoordinate, "Istituto", "Coordinate", 191, "Coordinate del conto", false, false, false},
        {schema::kNumConto, "Istituto", "N° Conto", 191, "Numero di conto", false, false, false},
        {schema::kVIstituto, "Valuta Assegni", "Stesso Istituto", 30, kValuteAssegni, true, false, false},
        {schema::kVAltroIst, "Valuta Assegni", "Altro Istituto", 30, kValuteAssegni, true, false, false},
        {schema::kVCircolare, "Valuta Assegni", "A. Circolare", 30, kValuteAssegni, true, false, false},
        {schema::kVPostale, "Valuta Assegni", "A. Postale", 30, kValuteAssegni, true, false, false},
        {schema::kMaxScope, "", "Scopertura Massima", 77, "Tetto di scopertura massima", true, true, true},
        {schema::kCommScope, "", "Commissione Scop.", 77, "Commissione su scopertura", true, true, true},
        {schema::kNumOpe, "", "N° Op. Extra (+/-)", 77, "Numero di operazioni gratuite", true, false, true},
        {schema::kCostoOpe, "", "Costo Operaz. Extra", 77, "Costo unitario per operazioni eccedenti", true, true, true},
        {schema::kBMensile, "Carta Bancomat", "Max Prelievo Mensile", 77, "Massimo prelievo mensile consentito", true,
         true, false},
        {schema::kBStesso, "Carta Bancomat", "Prelievi Stesso Bancomat", 77, "Costo prelievi stesso istituto", true,
         true, true},
        {schema::kBAltro, "Carta Bancomat", "Prelievi Altro Bancomat ", 77, "Costo prelievi presso altri istituti",
         true, true, true},
        {schema::kBPos, "Carta Bancomat", "Commissione P.O.S.", 77, "Commissione su operazioni P.O.S.", true, true,
         true},
        {schema::kMaxCCred, "Carta di Credito", "Max Pagamento Mensile", 77, "Massimo pagamento mensile consentito",
         true, true, false},
        {schema::kCommCCred, "Carta di Credito", "Commissione", 77, "Commissione su operazioni con Carta di Credito",
         true, true, true},
    }};
    return campi;
}

const CampoCondizione* FormImpostazioni::Campo(std::string_view nome) {
    for (const CampoCondizione& c : CampiCondizioni()) {
        if (stessoNome(c.colonna, nome)) {
            return &c;
        }
    }
    return nullptr;
}

std::string FormImpostazioni::TestoCampo(std::string_view nome) {
    const CampoCondizione* c = Campo(nome);
    if (c == nullptr) {
        return {};
    }
    const dbase::Field f = dm_.TableImp.fieldByName(colonna(c->colonna));
    if (f.isNull()) {
        return {};
    }
    if (!c->numerico) {
        return f.asString();
    }
    return c->valuta ? f.asMoney().format() : f.asMoney().plain();
}

std::string FormImpostazioni::TestoInModifica(std::string_view nome) {
    const CampoCondizione* c = Campo(nome);
    if (c == nullptr) {
        return {};
    }
    const dbase::Field f = dm_.TableImp.fieldByName(colonna(c->colonna));
    if (f.isNull()) {
        return {};
    }
    return c->numerico ? f.asMoney().plain() : f.asString();
}

void FormImpostazioni::DBEdit1Change() {
    ledger_.Stato().ModificheDaSalvare = true;
    aggiornaLogo();
}

bool FormImpostazioni::DigitaCampo(std::string_view nome, std::string_view testo) {
    const CampoCondizione* c = Campo(nome);
    if (c == nullptr) {
        return false;
    }
    // The field's text changes only when what is typed differs from what it shows.
    if (c->costo && testo != TestoInModifica(nome)) {
        DBEdit4Change();
    }
    dbase::Table& imp = dm_.TableImp;
    if (!imp.isEditing()) {
        imp.edit();
    }
    dbase::Field f = imp.fieldByName(colonna(c->colonna));
    if (!c->numerico) {
        f.setString(testo);
        return true;
    }
    if (testo.find_first_not_of(' ') == std::string_view::npos) {
        f.clear();
        return true;
    }
    const std::optional<Money> valore = ConvertiNumeroDigitato(testo);
    if (!valore) {
        ui_.message(MsgNumeroNonValido(testo), Buttons::Ok);
        return false;
    }
    f.setMoney(*valore);
    return true;
}

void FormImpostazioni::CampoLasciato(std::string_view nome) {
    if (stessoNome(nome, schema::kIstituto)) {
        DBEdit1Change();
    }
}

// ----------------------------------------------------------------------------------------------- capitalisation

const std::array<std::string_view, 5>& FormImpostazioni::VociCapitalizzazione() {
    static const std::array<std::string_view, 5> voci = {"MENSILE", "TRIMESTRALE", "SEMESTRALE", "ANNUALE", "NESSUNA"};
    return voci;
}

std::string FormImpostazioni::CapitalizzazioneCreditore() {
    return dm_.TableImp.fieldByName(schema::kCapitaCre).asString();
}

std::string FormImpostazioni::CapitalizzazioneDebitore() {
    return dm_.TableImp.fieldByName(schema::kCapitaDeb).asString();
}

bool FormImpostazioni::cambiaCapitalizzazione(const char* nome, std::string_view voce) {
    const auto& voci = VociCapitalizzazione();
    if (std::find(voci.begin(), voci.end(), voce) == voci.end()) {
        return false;
    }
    dbase::Table& imp = dm_.TableImp;
    if (imp.fieldByName(nome).asString() == voce) {
        return true; // the same item again is no change
    }
    if (!imp.isEditing()) {
        imp.edit();
    }
    imp.fieldByName(nome).setString(voce);
    TassiModificati = true;
    ledger_.Stato().ModificheDaSalvare = true;
    return true;
}

bool FormImpostazioni::DBComboBox1Change(std::string_view voce) {
    return cambiaCapitalizzazione(schema::kCapitaCre, voce);
}

bool FormImpostazioni::DBComboBox2Change(std::string_view voce) {
    return cambiaCapitalizzazione(schema::kCapitaDeb, voce);
}

// --------------------------------------------------------------------------------------------------- rates tab

DialogResult FormImpostazioni::mostraRate(const MostraTassi& mostra) {
    tassi_.FormShow();
    const DialogResult esito = mostra(tassi_);
    if (esito == DialogResult::Ok) {
        if (tassi_.BNInserisciClick()) {
            TassiModificati = true;
        }
    } else {
        tassi_.BNAnnullaClick();
    }
    return esito;
}

DialogResult FormImpostazioni::BtnNuovoTassoClick(const MostraTassi& mostra) {
    tassi_.PreparaNuovo(clock_.today());
    return mostraRate(mostra);
}

DialogResult FormImpostazioni::BtnModificaTassoClick(const MostraTassi& mostra) {
    dbase::Table& tassi = dm_.TableTassi;
    if (!rigaScelta(tassi)) {
        return DialogResult::Cancel;
    }
    tassi_.PreparaModifica();
    return mostraRate(mostra);
}

bool FormImpostazioni::eliminazioneConfermata(const dbase::Table& tabella) {
    if (ui_.message(std::string(kCancellareValori), Buttons::YesNo) != Answer::Yes) {
        return false;
    }
    return rigaScelta(tabella);
}

void FormImpostazioni::BtnEliminaTassoClick() {
    dbase::Table& tassi = dm_.TableTassi;
    if (!eliminazioneConfermata(tassi)) {
        return;
    }
    const Date data = tassi.fieldByName(schema::kData).asDate();
    tassi.deleteRecord();
    dbase::Table& movimenti = dm_.MainTable;
    const bool filtrato = movimenti.filtered();
    if (TrovaNotificaTasso(dm_, data)) {
        movimenti.deleteRecord();
        movimenti.setFiltered(filtrato);
    }
    TassiModificati = true;
    ledger_.Stato().ModificheDaSalvare = true;
}

std::vector<RigaTassoMostrata> FormImpostazioni::RigheTassi() {
    return righeMostrate(dm_.TableTassi, [](dbase::Table& tassi) -> RigaTassoMostrata {
        const RatePeriod r = RatePeriod::read(tassi);
        return {r.data.toString(),
                FormatoPercentuale(r.tassoH),
                FormatoPercentuale(r.tassoDeb),
                FormatoPercentuale(r.ritenuta),
                r.limite.format(),
                FormatoPercentuale(r.tassoCre)};
    });
}

// ------------------------------------------------------------------------------------ programmed-operations tab

void FormImpostazioni::dispostaProgrammata(const ValoriScheda& valori) {
    entry_.ValoriSchedaOpe(valori);
    SchedaOperazione& scheda = entry_.Scheda();
    FillCombo(scheda.ComboOpVoci, "Operazioni");
    scheda.EditValutaVisibile = false;
    scheda.ComboOpVisibile = true;
    scheda.posizioneTipo = PostoTipo::AccantoOperazione;
}

DialogResult FormImpostazioni::mostraProgrammata(const OperationEntry::MostraScheda& mostra) {
    entry_.FormActivate();
    struct Chiusura {
        OperationEntry& entry;
        ~Chiusura() { entry.FormClose(); }
    } chiusura{entry_};
    const DialogResult premuto = mostra(entry_);
    if (premuto == DialogResult::Cancel) {
        return premuto;
    }
    return entry_.BitBtnConfermaClick(premuto);
}

DialogResult FormImpostazioni::BTNuovoAccClick(const OperationEntry::MostraScheda& mostra) {
    const Date oggi = clock_.today();
    ValoriScheda valori;
    valori.intestazione = std::string(intestazione::OperazioneAutomatica);
    valori.operazione = std::string(operazione::Accredito);
    valori.tipo = std::string(tipo::Bonifico);
    valori.frequenza = "Mensile";
    valori.meseInizio = std::string(NomeMese(oggi.month()));
    valori.captionSecondo = "&Nuovo Accredito";
    valori.secondoVisibile = false;
    valori.data = oggi;
    dispostaProgrammata(valori);
    return mostraProgrammata(mostra);
}

DialogResult FormImpostazioni::BTModificaAccClick(const OperationEntry::MostraScheda& mostra) {
    dbase::Table& acc = dm_.TableAcc;
    if (!rigaScelta(acc)) {
        return DialogResult::Cancel;
    }
    const ProgrammedOperation op = ProgrammedOperation::read(acc);
    ValoriScheda valori;
    valori.intestazione = std::string(intestazione::ModificaOperazioneAutomatica);
    valori.operazione = op.operazione;
    valori.tipo = op.tipo;
    valori.descrizione = op.descrizione;
    valori.frequenza = op.frequenza;
    valori.meseInizio = op.inizio;
    valori.captionSecondo = "&Nuovo Accredito";
    valori.secondoVisibile = false;
    valori.importo = op.importo;
    valori.giorno = op.giorno;
    valori.data = clock_.today();
    dispostaProgrammata(valori);
    return mostraProgrammata(mostra);
}

void FormImpostazioni::BTEliminaAccClick() {
    dbase::Table& acc = dm_.TableAcc;
    if (!eliminazioneConfermata(acc)) {
        return;
    }
    acc.deleteRecord();
}

void FormImpostazioni::BtnRielaboraClick() {
    if (ui_.message(std::string(kAvvisoRielabora), Buttons::NoOk) != Answer::Ok) {
        return;
    }
    const MasterState& state = ledger_.Stato();
    // Copied first: the proposals' scans may move them.
    const int primo = state.MesePrimaValuta;
    const int ultimo = state.MeseCorrente;
    const int anno = state.AnnoConto;
    const Date dopo = state.DataPrimaValuta;
    for (int mese = primo; mese <= ultimo; ++mese) {
        automatismi_.InserisciImposte(mese, anno, dopo);
    }
}

std::vector<RigaProgrammataMostrata> FormImpostazioni::RigheProgrammate() {
    return righeMostrate(dm_.TableAcc, [](dbase::Table& acc) -> RigaProgrammataMostrata {
        const ProgrammedOperation op = ProgrammedOperation::read(acc);
        return {op.descrizione, op.importo.format(), op.operazione,    op.tipo,
                op.frequenza,   op.inizio,           op.giorno.plain()};
    });
}

} // namespace valmora
