#include "mainwindow/FormMaster.h"

#include "accounts/AccountPassword.h"
#include "dbase/FileSystem.h"
#include "model/TableSchemas.h"

#include <utility>

namespace valmora {

namespace {

// A stored counter is a whole number; one out of range (a file edited by hand) is taken as no movements.
std::int32_t contatoreMovimenti(std::int64_t stored) {
    if (stored < 0 || stored > INT32_MAX) {
        return 0;
    }
    return static_cast<std::int32_t>(stored);
}

} // namespace

FormMaster::FormMaster(UserInterface& ui, const Clock& clock, std::shared_ptr<dbase::FileSystem> fs)
    : ui_(ui), clock_(clock), dm_(ui, clock, std::move(fs)), ledger_(dm_, ui, clock, state_), filtro_(dm_, ledger_),
      entry_(dm_, ledger_, filtro_, ui, clock), automatismi_(dm_, ledger_, ui, clock, *this),
      comandi_(dm_, ledger_, ui, clock, *this, automatismi_),
      impostazioni_(dm_, ledger_, ui, clock, entry_, automatismi_),
      nuovoAnno_(dm_, ledger_, ui, clock, *this, comandi_, automatismi_),
      importazione_(dm_, ledger_, ui, *this, comandi_, automatismi_), titolo_(state_.TitoloProgramma) {
    // The settings dialog changes the institute label the window shows.
    impostazioni_.ImpostaEtichettaLogo([this](const std::string& testo) {
        logo_ = testo;
        ui_.institutoLabelChanged(testo);
    });
}

FormMaster::~FormMaster() = default;

void FormMaster::Avvio(const PreferenzeFinestra& preferenze) {
    StatoSenzaConto(false);
    preferenze_ = preferenze;
    preferenze_.Normalizza();
    state_.CartellaConto = preferenze_.DirIniziale;
}

PreferenzeFinestra FormMaster::FormClose(int larghezzaColonna0) {
    // The screen's controls keep their initial, all-visible state until an account applies the stored view.
    const bool grigliaValori = vistaApplicata_ ? layout_.grigliaValoriVisibile : true;
    const bool barraSpeed = vistaApplicata_ ? layout_.barraSpeedVisibile : true;
    const bool barraQuery = vistaApplicata_ ? layout_.barraQueryVisibile : true;
    PreferenzeFinestra scritte =
        PreferenzeDaScrivere(state_.CartellaConto, larghezzaColonna0, preferenze_.LarghezzaGriglia, spunte_,
                             grigliaValori, barraSpeed, barraQuery);
    comandi_.Chiudi1Click(false);
    return scritte;
}

void FormMaster::ImpostaCartellaConto(std::string cartella) {
    if (!cartella.empty() && cartella.back() != '/') {
        cartella += '/';
    }
    state_.CartellaConto = std::move(cartella);
}

void FormMaster::Salva1Click() {
    if (contoAperto_) {
        comandi_.Salva1Click();
    }
}

void FormMaster::Esporta1Click() {
    if (contoAperto_) {
        comandi_.Esporta1Click();
    }
}

void FormMaster::Password1Click(const std::optional<std::string>& digitata) {
    if (!contoAperto_) {
        return;
    }
    valmora::Password1Click(dm_, ui_, digitata);
}

void FormMaster::Dettagli1Click(VoceVisualizza voce) {
    spunte_.Inverti(voce);
    layout_ = CalcolaLayout(spunte_, preferenze_.LarghezzaGriglia, larghezzaSchermo_, kColonneDefault[0]);
    vistaApplicata_ = true;
}

void FormMaster::Splitter1Moved(int larghezzaGriglia) {
    preferenze_.LarghezzaGriglia = larghezzaGriglia == 0 ? 1 : larghezzaGriglia;
}

std::string FormMaster::DataDelGiorno() const {
    static constexpr std::array<const char*, 7> kGiorni = {"domenica", "lunedì",  "martedì", "mercoledì",
                                                           "giovedì",  "venerdì", "sabato"};
    static constexpr std::array<const char*, 12> kMesi = {"gennaio",   "febbraio", "marzo",    "aprile",
                                                          "maggio",    "giugno",   "luglio",   "agosto",
                                                          "settembre", "ottobre",  "novembre", "dicembre"};
    const Date today = clock_.today();
    if (today.isNull()) {
        return {};
    }
    // 1 January 1970 was a Thursday.
    const int giorno = static_cast<int>(((today.dayNumber() % 7) + 7 + 4) % 7);
    return std::string(kGiorni[static_cast<std::size_t>(giorno)]) + ", " + std::to_string(today.day()) + " " +
           kMesi[static_cast<std::size_t>(today.month() - 1)] + " " + std::to_string(today.year());
}

void FormMaster::StatoTabella() {
    ledger_.StatoTabella(state_.ModificheDaSalvare, dm_.MainTable.isOpen() && dm_.MainTable.filtered());
}

void FormMaster::Attiva() {
    ui_.tipoColumnWidthChanged(kColonneDefault[2]);
    ledger_.StrutturaValori();
    spunte_ = SpuntaVisualizza::DaPreferenze(preferenze_);
    Dettagli1Click(VoceVisualizza::Nessuna);

    // The settings table is open already after a new account or an open; the row gives the institute label.
    if (!dm_.TableImp.isOpen()) {
        dm_.TableImp.open();
    }
    dm_.TableImp.first();
    logo_ = dm_.TableImp.eof() ? std::string() : dm_.TableImp.fieldByName("ISTITUTO").asString();
    ui_.institutoLabelChanged(logo_);

    if (!dm_.MainTable.isOpen()) {
        dm_.MainTable.open();
    }
    dm_.MainTable.setIndexName(schema::kIndiceValuta);
    dm_.MainTable.setFiltered(false);
    // Only a movements table that opened makes an open account: a damaged one leaves the window without one.
    contoAperto_ = true;
    ui_.accountOpenChanged(true);
    filtro_.Barra().Attiva();

    state_.NumMovimenti = dm_.TableImp.eof() ? 0 : contatoreMovimenti(dm_.TableImp.fieldByName("NUM_REC").asInteger());
    state_.ModificheDaSalvare = false;
}

void FormMaster::StatoSenzaConto(bool /*daMenuChiudi*/) {
    // Closing the calendar window when the sender is "&Chiudi" is the screen's business.
    state_.PasswordAccettata = false;
    contoAperto_ = false;
    ui_.accountOpenChanged(false);
    if (nuovoAnnoVisibile_) {
        nuovoAnnoVisibile_ = false;
    }
    ui_.nuovoAnnoVisibleChanged(false);
    titolo_ = state_.TitoloProgramma;
    ui_.captionChanged(titolo_);
    filtro_.Barra().Chiudi();
}

void FormMaster::AggiornaTitolo() {
    titolo_ = state_.TitoloProgramma + " - " + state_.NomeFileConto;
    ui_.captionChanged(titolo_);
}

void FormMaster::NuovoAnno1Click(bool dialogoRipetuto) {
    if (contoAperto_ && nuovoAnnoVisibile_) {
        nuovoAnno_.NuovoAnno1Click(dialogoRipetuto);
    }
}

void FormMaster::Impostazioni1Click(const FormImpostazioni::MostraImpostazioni& mostra) {
    if (contoAperto_) {
        impostazioni_.Impostazioni1Click(state_.NomeFileConto, mostra);
    }
}

void FormMaster::ImpostazioniNuovoConto() {
    if (mostraImpostazioni) {
        impostazioni_.Impostazioni1Click(state_.NomeFileConto, mostraImpostazioni);
    } else {
        impostazioni_.Impostazioni1Click(state_.NomeFileConto, [](FormImpostazioni&) { return DialogResult::Ok; });
    }
}

void FormMaster::ProponiNuovoAnno() {
    nuovoAnno_.ProponiNuovoAnno();
}

void FormMaster::MostraNuovoAnno() {
    nuovoAnnoVisibile_ = true;
    ui_.nuovoAnnoVisibleChanged(true);
}

void FormMaster::InserisciProposta(const OperationProposal& proposta) {
    entry_.InserisciMovimento(OperationEntry::ValoriProposta(proposta), [this, &proposta](OperationEntry& entry) {
        const std::optional<ProposalValues> confermati = ui_.askProposal(proposta);
        if (!confermati) {
            return DialogResult::Cancel;
        }
        SchedaOperazione& scheda = entry.Scheda();
        scheda.Calendario = confermati->data;
        scheda.EditImporto = confermati->importo.plain();
        scheda.ComboBoxTipo = confermati->tipo;
        scheda.EditDescrizione = confermati->descrizione;
        return DialogResult::Ok;
    });
}

} // namespace valmora
