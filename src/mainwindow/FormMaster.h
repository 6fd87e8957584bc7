#pragma once
// The main window's engine: the account state and every command of the "&Conto" menu, without a screen.
// The desktop TFormMaster owns one and forwards its menu and toolbar handlers here; valmora-cli drives the same
// object from a script. Everything the user must see or answer goes through the UserInterface seam.
//
// What it owns, built in this order and living as long as it: the data module TDM (the four tables), the
// main-window state MasterState, the Ledger (scan, totals, charts), the filter bar FiltroMovimenti, the operation
// dialog's engine OperationEntry, the programmed-operations run Automatismi, the account commands, the settings
// dialog FormImpostazioni, the new-year carry-over NuovoAnno and the import ImportazioneConto.
//
// States: no account open (after construction and after Chiudi1Click) and account open (after Attiva).
//
// API for the screen:
//   Avvio(preferenze)        start-up: the no-account state, then the stored preferences (LeggiDaRegistro)
//   Nuovo1Click ... Esporta1Click, Password1Click, NuovoAnno1Click, Importa1Click   the "&Conto" commands
//   Impostazioni1Click(mostra)                         "Im&postazioni..." with the screen's dialog
//   FormClose()              exit: returns the preferences to store (ScriviSuRegistro), then closes the account
//   Dettagli1Click(voce)     a "&Visualizza" item; Layout() is the view it gives
//   File1Click()             whether "&Salva" is enabled when the "&Conto" menu opens
//   ContoAperto, NuovoAnnoVisibile, Titolo, Logo, Stato()  what the window shows
//   DM(), ledger(), Filtro(), Entry(), Automatismi()       the parts, for the entry, filter and settings handlers
// Hook the screen sets: mostraImpostazioni, how the settings dialog that a new account opens is shown (unset, the
// dialog is confirmed unchanged, as a script does).
//
// Errors of the table engine are not caught: they reach the caller (the window's event wrapper, the CLI loop),
// which shows the message; the window keeps the state it had reached.

#include "accounts/AccountCommands.h"
#include "accounts/AccountWindow.h"
#include "accounts/Automatismi.h"
#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "ledger/Ledger.h"
#include "ledger/MasterState.h"
#include "mainwindow/Preferences.h"
#include "model/TDM.h"
#include "settings/FormImpostazioni.h"
#include "settings/ImportaOld.h"
#include "settings/NuovoAnno.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace valmora {

namespace dbase {
class FileSystem;
}

class FormMaster : public AccountWindow {
public:
    // `fs` nullptr: the real disk. Today comes from `clock` only.
    FormMaster(UserInterface& ui, const Clock& clock, std::shared_ptr<dbase::FileSystem> fs = nullptr);
    ~FormMaster() override;
    FormMaster(const FormMaster&) = delete;
    FormMaster& operator=(const FormMaster&) = delete;

    // ColonneDefault: ledger columns 1 to 5 (VALUTA, OPERAZIONE, TIPO, IMPORTO, COMMENTO), pixels.
    static constexpr std::array<int, 5> kColonneDefault = {65, 75, 70, 85, 1500};

    // --- Start-up and exit ---
    void Avvio(const PreferenzeFinestra& preferenze);
    // The preferences as the window stands (check marks and widths), then the close command.
    // `larghezzaColonna0` is the current width of the DATA column.
    PreferenzeFinestra FormClose(int larghezzaColonna0 = 0);
    const PreferenzeFinestra& Preferenze() const { return preferenze_; }

    // --- "&Conto" ---
    void Nuovo1Click(bool dialogoRipetuto = true) { comandi_.Nuovo1Click(dialogoRipetuto); }
    void Apri1Click() { comandi_.Apri1Click(); }
    // Save, export and password are disabled while no account is open: then they do nothing.
    void Salva1Click();
    void Chiudi1Click(bool daMenuChiudi = true) { comandi_.Chiudi1Click(daMenuChiudi); }
    void Esporta1Click();
    // `digitata`: the text a script types before OK; otherwise the password dialog asks.
    void Password1Click(const std::optional<std::string>& digitata = std::nullopt);
    bool File1Click() const { return state_.ModificheDaSalvare; }
    // "N&uovo Anno" (only while the item is visible) and "&Importa".
    void NuovoAnno1Click(bool dialogoRipetuto = true);
    void Importa1Click() { importazione_.ImportaOld(); }
    // "Im&postazioni..." (only with an account open): the settings dialog shown by `mostra`.
    void Impostazioni1Click(const FormImpostazioni::MostraImpostazioni& mostra);
    // The folder the dialogs start in (the stored DirIniziale, or `cartella` in a script).
    void ImpostaCartellaConto(std::string cartella);

    // --- "&Visualizza" ---
    void Dettagli1Click(VoceVisualizza voce);
    const SpuntaVisualizza& Spunte() const { return spunte_; }
    const LayoutVista& Layout() const { return layout_; }
    // After the user drags the splitter.
    void Splitter1Moved(int larghezzaGriglia);
    void ImpostaSchermo(int larghezzaSchermo) { larghezzaSchermo_ = larghezzaSchermo; }

    // --- What the window shows ---
    bool ContoAperto() const override { return contoAperto_; }
    bool NuovoAnnoVisibile() const { return nuovoAnnoVisibile_; }
    const std::string& Titolo() const { return titolo_; }
    const std::string& Logo() const { return logo_; }
    // Status panel 3: today as "dddd, d mmmm yyyy" in Italian.
    std::string DataDelGiorno() const;
    // The StatoTabella call every caller makes: the unsaved-changes flag and whether the filter is on.
    void StatoTabella();

    // --- The parts ---
    TDM& DM() { return dm_; }
    MasterState& Stato() { return state_; }
    const MasterState& Stato() const { return state_; }
    Ledger& ledger() { return ledger_; }
    const Clock& Orologio() const { return clock_; }
    FiltroMovimenti& Filtro() { return filtro_; }
    OperationEntry& Entry() { return entry_; }
    valmora::Automatismi& Automatismi() { return automatismi_; }
    AccountCommands& Comandi() { return comandi_; }
    FormImpostazioni& Impostazioni() { return impostazioni_; }
    NuovoAnno& NuovoAnnoConto() { return nuovoAnno_; }

    // --- Hooks ---
    // Shows the settings dialog that a new account opens; unset, it is confirmed unchanged.
    FormImpostazioni::MostraImpostazioni mostraImpostazioni;

    // --- AccountWindow ---
    void Attiva() override;
    void StatoSenzaConto(bool daMenuChiudi) override;
    void AggiornaTitolo() override;
    void ImpostazioniNuovoConto() override;
    void ProponiNuovoAnno() override;
    void MostraNuovoAnno() override;
    void InserisciProposta(const OperationProposal& proposta) override;

private:
    UserInterface& ui_;
    const Clock& clock_;
    TDM dm_;
    MasterState state_;
    Ledger ledger_;
    FiltroMovimenti filtro_;
    OperationEntry entry_;
    valmora::Automatismi automatismi_;
    AccountCommands comandi_;
    FormImpostazioni impostazioni_;
    NuovoAnno nuovoAnno_;
    ImportazioneConto importazione_;

    bool contoAperto_ = false;
    bool nuovoAnnoVisibile_ = false;
    std::string titolo_;
    std::string logo_;
    PreferenzeFinestra preferenze_;
    SpuntaVisualizza spunte_;
    LayoutVista layout_;
    int larghezzaSchermo_ = 1024;
    // Whether the screen has shown the totals grid and the toolbars as the check marks say since start-up
    // (until an account is activated they keep their initial, all-visible state).
    bool vistaApplicata_ = false;
};

} // namespace valmora
