#pragma once
// The settings dialog TFormImpostazioni as plain data with its handlers, for the desktop dialog and valmora-cli.
// The dialog edits the open account's settings row in place (no copy): opening puts the row into edit mode, "&OK"
// posts it and "&Annulla" cancels the edit. The rates list and the programmed-operations list write at once and
// stay written whichever button closes the dialog.
//
// Use:
//   1. Impostazioni1Click(nomeFileConto, mostra) runs the whole modal cycle: Prepara, FormShow, `mostra` (the
//      screen lets the user work while calling the handlers below), then OKBtnClick for DialogResult::Ok and
//      CancelBtnClick for anything else (the title-bar close box included, so no half-edited row stays pending).
//   2. First tab ("Condizioni Generali"): CampiCondizioni() lists the seventeen fields; TestoCampo shows one;
//      a click in a field is DBEdit1Change, typing is DigitaCampo, leaving a field is CampoLasciato.
//   3. Capitalisation lists: DBComboBox1Change (credit) and DBComboBox2Change (debit) with the chosen item.
//   4. Rates tab: BtnNuovoTassoClick / BtnModificaTassoClick show the rate dialog (Tassi()) through a
//      MostraTassi function; BtnEliminaTassoClick asks and deletes. The grid's selected row is TableTassi's
//      current row. RigheTassi() is the grid as shown.
//   5. Programmed-operations tab: BTNuovoAccClick / BTModificaAccClick show the operation dialog in its two
//      programmed modes through an OperationEntry::MostraScheda function; BTEliminaAccClick asks and deletes;
//      BtnRielaboraClick proposes every programmed operation again. The selected row is TableAcc's current row.
//      RigheProgrammate() is the grid as shown.
//
// Flags, cleared at every showing: TassiModificati (a capitalisation changed, a rate was added, changed or
// deleted) and CostiModificati (a charge field's text changed). Either makes OK run a full regenerating scan.
// Table-engine errors are not caught: they reach the command runner.

#include "core/Date.h"
#include "core/Money.h"
#include "entry/OperationEntry.h"
#include "settings/FormTassi.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace valmora {

namespace dbase {
class Table;
}

class Automatismi;
class Ledger;
class TDM;
class UserInterface;

// The tabs, in order, with their help topics 3, 4 and 5.
enum class SchedaImpostazioni { CondizioniGenerali, TassiInteresse, OperazioniAutomatiche };

// One field of the first tab.
struct CampoCondizione {
    std::string_view colonna; // the settings column it is bound to
    std::string_view gruppo;  // the heading of its group ("" when it has none)
    std::string_view etichetta;
    int larghezza; // pixels
    std::string_view suggerimento;
    bool numerico; // typed as a number with decimal comma
    bool valuta;   // shown as a currency amount
    bool costo;    // a text change sets CostiModificati
};

// A row of the rates grid as shown: "Data Inizio", "T. Creditore", "T. Debitore", "Ritenuta", "Importo Soglia",
// "T. Soglia".
struct RigaTassoMostrata {
    std::string data;
    std::string creditore;
    std::string debitore;
    std::string ritenuta;
    std::string importoSoglia;
    std::string tassoSoglia;
};

// A row of the programmed-operations grid as shown, in the grid's column order.
struct RigaProgrammataMostrata {
    std::string descrizione;
    std::string importo;
    std::string operazione;
    std::string tipo;
    std::string frequenza;
    std::string inizio;
    std::string giorno;
};

inline constexpr std::string_view kCancellareValori = "Cancellare i valori correnti";
inline constexpr std::string_view kAvvisoRielabora =
    "Attenzione!\nContinuando verranno riproposte tutte le operazioni in automatico senza cancellare quelle già "
    "inserite!";

// A rate as the display format "0.00%" shows it: two decimals, decimal comma, a literal "%" (2 is "2,00%").
std::string FormatoPercentuale(Money valore);

class FormImpostazioni {
public:
    using MostraImpostazioni = std::function<DialogResult(FormImpostazioni&)>;
    using MostraTassi = std::function<DialogResult(FormTassi&)>;
    // Sets the main window's institute label LLogo.
    using ImpostaLogo = std::function<void(const std::string&)>;

    FormImpostazioni(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, OperationEntry& entry,
                     Automatismi& automatismi);
    FormImpostazioni(const FormImpostazioni&) = delete;
    FormImpostazioni& operator=(const FormImpostazioni&) = delete;

    // The institute label's setter (by default the seam's institutoLabelChanged).
    void ImpostaEtichettaLogo(ImpostaLogo imposta) { logo_ = std::move(imposta); }

    // --- Opening and closing ---
    void Impostazioni1Click(const std::string& nomeFileConto, const MostraImpostazioni& mostra);
    // Everything before the dialog shows: first tab, caption, settings row in edit mode.
    void Prepara(const std::string& nomeFileConto);
    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();
    void SiCambia();
    // The help button's topic for the active tab.
    int BitBtn1Click() const;

    std::string Caption;
    SchedaImpostazioni ActivePage = SchedaImpostazioni::CondizioniGenerali;
    bool TassiModificati = false;
    bool CostiModificati = false;

    // --- First tab ---
    static const std::array<CampoCondizione, 17>& CampiCondizioni();
    // The field of `colonna` (ignoring case), or nothing.
    static const CampoCondizione* Campo(std::string_view colonna);
    // The field's text as shown (currency columns as "1.500,00 €") and as it is edited (numbers in plain form
    // with decimal comma, "1500"); an empty column gives "".
    std::string TestoCampo(std::string_view colonna);
    std::string TestoInModifica(std::string_view colonna);
    // A mouse click in any first-tab field (and leaving ISTITUTO): the account is marked modified and the
    // institute label shows the row's ISTITUTO.
    void DBEdit1Change();
    // The user replaced the field's text with `testo` (a charge field whose text changes sets CostiModificati).
    // Numeric fields take a number with decimal comma; text that does not convert is refused with its conversion
    // error (the field keeps its value) and false is returned.
    bool DigitaCampo(std::string_view colonna, std::string_view testo);
    // The text of a charge field changed.
    void DBEdit4Change() { CostiModificati = true; }
    // The focus left a field (leaving ISTITUTO refreshes the institute label).
    void CampoLasciato(std::string_view colonna);

    // --- Capitalisation ---
    static const std::array<std::string_view, 5>& VociCapitalizzazione();
    std::string CapitalizzazioneCreditore();
    std::string CapitalizzazioneDebitore();
    // A list item chosen (the lists accept only their items: another text changes nothing and returns false).
    bool DBComboBox1Change(std::string_view voce);
    bool DBComboBox2Change(std::string_view voce);

    // --- Rates tab ---
    FormTassi& Tassi() { return tassi_; }
    DialogResult BtnNuovoTassoClick(const MostraTassi& mostra);
    DialogResult BtnModificaTassoClick(const MostraTassi& mostra);
    void BtnEliminaTassoClick();
    std::vector<RigaTassoMostrata> RigheTassi();

    // --- Programmed-operations tab ---
    DialogResult BTNuovoAccClick(const OperationEntry::MostraScheda& mostra);
    DialogResult BTModificaAccClick(const OperationEntry::MostraScheda& mostra);
    void BTEliminaAccClick();
    void BtnRielaboraClick();
    std::vector<RigaProgrammataMostrata> RigheProgrammate();

private:
    bool cambiaCapitalizzazione(const char* colonna, std::string_view voce);
    // The delete question, answered Yes, and a row of `tabella` selected to delete.
    bool eliminazioneConfermata(const dbase::Table& tabella);
    DialogResult mostraRate(const MostraTassi& mostra);
    DialogResult mostraProgrammata(const OperationEntry::MostraScheda& mostra);
    void dispostaProgrammata(const ValoriScheda& valori);
    void aggiornaLogo();

    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    const Clock& clock_;
    OperationEntry& entry_;
    Automatismi& automatismi_;
    FormTassi tassi_;
    ImpostaLogo logo_;
};

} // namespace valmora
