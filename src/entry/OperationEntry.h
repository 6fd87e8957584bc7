#pragma once
// The operation dialog's engine (TFormOperazione with the main window's entry commands): one object that the
// desktop dialog and valmora-cli both drive.
//
// Use:
//   1. An opener fills the dialog's state (Scheda()) with ValoriSchedaOpe and arranges it for its mode, or runs a
//      whole command: the five insert commands (ComandoInserimento / TDepositiClick...), the modify and delete
//      commands of the ledger grid (SpeedModificaClick, SpeedEliminaClick, DBGrid1KeyDown), or
//      InserisciMovimento for any insert (the account's due programmed operations come this way too).
//   2. The dialog is shown modally by a `MostraScheda` function: it lets the user edit Scheda(), runs the field
//      handlers as the focus moves (EditImportoExit, ComboOpExit, ComboBoxTipoExit, EditValutaExit,
//      ComboOpChange, CBInsAutoClick) and returns the button that closed it: DialogResult::Ok for "&Conferma",
//      DialogResult::Retry for the second button, DialogResult::Cancel for "&Annulla". Without one, the
//      UserInterface seam's showOperationDialog is used.
//   3. The entry then runs the confirmation (BitBtnConfermaClick) for Ok and Retry: it writes the movement or the
//      programmed operation, adds the linked charges and refreshes the ledger. An insert refused by a limit comes
//      back as Retry, and InserisciMovimento shows the dialog again with the opener's values.
//
// Every change is written to the account's files at once. Table-engine errors are not caught: they leave the
// routine where it is (the ledger grid's refresh is resumed on the way out) and reach the command runner.

#include "core/Date.h"
#include "core/Money.h"
#include "entry/SchedaOperazione.h"
#include "model/UserInterface.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace valmora {

class FiltroMovimenti;
class Ledger;
class TDM;
struct Movement;

// The eleven values an opener hands to ValoriSchedaOpe and InserisciMovimento, in their order.
struct ValoriScheda {
    std::string intestazione; // the heading: the dialog's mode
    std::string operazione;
    std::string tipo;
    std::string descrizione;
    std::string frequenza;
    std::string meseInizio;
    std::string captionSecondo; // caption of the second button
    Money importo;
    Money giorno;
    Date data; // booking date
    bool secondoVisibile = false;
};

// The five insert commands of the toolbar and of the "&Inserisci" submenu.
enum class TipoInserimento { Accredito, Prelievo, Addebito, Imposta, FuoriConto };

// The modifier keys held with a key press in the ledger grid.
struct Modificatori {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool mouse = false; // any mouse button
};

// The refusals of the modify and delete commands for a movement the program wrote itself.
inline constexpr std::string_view kMsgModificaAutomatica =
    "Questa operazione è stata inserita in automatico e non è consentito modificarne i valori!\r\r"
    "Cambiare opportunamente i parametri della scheda Impostazioni (CTRL+I)";
inline constexpr std::string_view kMsgEliminaAutomatica =
    "Questa operazione è stata inserita in automatico e non è consentito cancellarla!\r\r"
    "Cambiare opportunamente i parametri della scheda Impostazioni (CTRL+I)";
// The limit refusals.
inline constexpr std::string_view kMsgSogliaScopertura =
    "Operazione non consentita:\rIl prelievo supera la soglia di scopertura massima!";
inline constexpr std::string_view kMsgDisponibilitaMensile =
    "Operazione non consentita:\rIl prelievo supera la disponibilità mensile residua!";

// "L'operazione di Accredito di 1.000,00 € verrà effettuata con valuta 03/03/2005 !"
std::string AvvisoValutaFutura(std::string_view operazione, Money importo, Date valuta);
// "'12.50' is not a valid floating point value"
std::string MsgNumeroNonValido(std::string_view testo);

class OperationEntry {
public:
    using MostraScheda = std::function<DialogResult(OperationEntry&)>;

    OperationEntry(TDM& dm, Ledger& ledger, FiltroMovimenti& filtro, UserInterface& ui, const Clock& clock);
    OperationEntry(const OperationEntry&) = delete;
    OperationEntry& operator=(const OperationEntry&) = delete;

    SchedaOperazione& Scheda() { return scheda_; }
    const SchedaOperazione& Scheda() const { return scheda_; }

    // --- Filling and showing (the main window's side) ---

    // Calendar, amount (plain form), type, operation, description, frequency, day, start month, heading and the
    // second button's caption take the values; the type list is refilled for the operation; the second button is
    // shown or hidden. Nothing else changes: the arrangement is the opener's.
    void ValoriSchedaOpe(const ValoriScheda& valori);
    // Shows the dialog for an insert (operation and value-date boxes hidden, the type box in the operation box's
    // place) until it closes with OK or Cancel, each time refilled with the same values; returns that result.
    DialogResult InserisciMovimento(const ValoriScheda& valori);
    DialogResult InserisciMovimento(const ValoriScheda& valori, const MostraScheda& mostra);

    // --- The dialog's handlers ---

    // On every showing: the focus to the amount and "Inserisci con frequenza:" unticked, except for the two
    // programmed-operation headings (ticked) and "Elimina" (neither); then CBInsAutoClick.
    void FormActivate();
    // The three programmed-insertion boxes are enabled exactly while the box is ticked.
    void CBInsAutoClick();
    // A new operation chosen: its types fill the type list, the first one selected.
    void ComboOpChange();
    // The checks on leaving a field: false after showing the refusal (the focus stays in the field; the
    // operation and type boxes are emptied).
    bool EditImportoExit();
    bool ComboOpExit();
    bool ComboBoxTipoExit();
    bool EditValutaExit();
    // The confirmation, for "&Conferma" (premuto Ok) or the second button (premuto Retry); returns the result the
    // dialog closes with: Retry for an insert refused by a limit, else `premuto`.
    DialogResult BitBtnConfermaClick(DialogResult premuto);
    // Any unposted change of the movements table is cancelled.
    void FormClose();
    // Before a confirming button closes the dialog: the amount (a number, two decimals at most, no sign), the
    // texts the confirmation would store (each as its table can hold it), the day and, in the modify mode, the
    // value date, in tab order. The first at fault shows its message and takes the focus; false then, and the
    // dialog stays open with what the user typed.
    bool ConfermaAccettabile();

    // --- The rules of an entry ---

    // The value date for a type and a booking date (the account's cheque value days).
    Date AssegnaValuta(std::string_view tipo, Date data);
    // The overdraft ceiling and the monthly cash-machine allowance, measured at the booking date. Shows its
    // refusal and returns false; leaves the user's filtered view and its totals as they were.
    bool PrimaDiInserire(std::string_view operazione, std::string_view tipo, Money importo, Date data);
    // After a movement was appended: classifies it, adds its charges and refreshes the ledger, or has the
    // ledger regenerated when the movement is not the last by value date (or the ledger held no other).
    void DopoInserimento(std::string_view operazione, std::string_view tipo, Money importo, Date data, Date valuta);

    // --- The main window's entry commands ---

    // What each insert command opens the dialog with, on `oggi`.
    static ValoriScheda ValoriInserimento(TipoInserimento tipo, Date oggi);
    // What a due programmed operation's proposal opens the dialog with: its values, the second button hidden.
    static ValoriScheda ValoriProposta(const OperationProposal& proposta);
    DialogResult ComandoInserimento(TipoInserimento tipo);
    DialogResult ComandoInserimento(TipoInserimento tipo, const MostraScheda& mostra);
    DialogResult TDepositiClick() { return ComandoInserimento(TipoInserimento::Accredito); }
    DialogResult TPrelieviClick() { return ComandoInserimento(TipoInserimento::Prelievo); }
    DialogResult TAddebitiClick() { return ComandoInserimento(TipoInserimento::Addebito); }
    DialogResult TImposteClick() { return ComandoInserimento(TipoInserimento::Imposta); }
    DialogResult TContanteClick() { return ComandoInserimento(TipoInserimento::FuoriConto); }

    // The modify and delete commands on the movements table's current row (the row selected in the ledger
    // grid). A movement the program wrote itself is refused with its message; with no movement in view nothing
    // opens. Returns the dialog's result (Cancel when nothing was opened).
    DialogResult SpeedModificaClick();
    DialogResult SpeedModificaClick(const MostraScheda& mostra);
    DialogResult SpeedEliminaClick();
    DialogResult SpeedEliminaClick(const MostraScheda& mostra);
    // Ctrl+Del in the ledger grid (exactly Ctrl: no Shift, no Alt, no mouse button) runs the delete command.
    // The window must route one key press either to its "&Elimina" shortcut or here, never to both.
    static bool TastoElimina(bool tastoCanc, Modificatori modificatori);
    bool DBGrid1KeyDown(bool tastoCanc, Modificatori modificatori);
    bool DBGrid1KeyDown(bool tastoCanc, Modificatori modificatori, const MostraScheda& mostra);

private:
    DialogResult conferma(DialogResult premuto);
    bool rifiuta(const std::string& messaggio, CampoScheda campo);
    // The value date a modification stores: the one typed in the value-date box when the user changed it
    // (the bank's own), else the one AssegnaValuta derives.
    Date valutaInModifica(std::string_view tipo, Date data);
    DialogResult mostraSeam();
    DialogResult mostraEConferma(const MostraScheda& mostra);
    void disponiPerInserimento();
    void disponiPerMovimento(const Movement& movimento, std::string_view intestazione);
    bool correnteVuota();
    // The movement in view, for the modify and delete commands; none when there is none, or when the program
    // wrote it itself (then `rifiuto` is shown).
    std::optional<Movement> movimentoDaCambiare(std::string_view rifiuto);
    bool verificaLimiti(std::string_view operazione, std::string_view tipo, Money importo);

    bool confermaInserimento(const std::string& operazione, const std::string& tipo, Date data, Money importo,
                             const std::string& descrizione);
    void confermaModifica(const std::string& operazione, const std::string& tipo, Date data, Money importo,
                          const std::string& descrizione);
    void confermaElimina();
    void appendiMovimento(const Movement& movimento);
    void appendiProgrammata(const std::string& descrizione, Money importo, const std::string& operazione,
                            const std::string& tipo, Money giorno);
    void modificaProgrammata(const std::string& descrizione, Money importo, const std::string& operazione,
                             const std::string& tipo, Money giorno);
    void inserisciAddebito(std::string_view tipo, std::string_view commento, Money importo, Date valuta);
    void scriviScoperto(bool valore);
    void decidiSuTuttiIMovimenti();

    TDM& dm_;
    Ledger& ledger_;
    FiltroMovimenti& filtro_;
    UserInterface& ui_;
    const Clock& clock_;
    SchedaOperazione scheda_;
    std::optional<Date> valutaMostrata_; // the value date the modify and delete modes showed
};

} // namespace valmora
