#pragma once
// The operation dialog (TFormOperazione) as plain data: what each control holds and how the dialog is
// arranged. The desktop dialog binds its controls to these members and calls OperationEntry's handlers;
// valmora-cli types into them. Nothing here knows about a screen.

#include "core/Date.h"
#include "core/Money.h"
#include "model/StringList.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace valmora {

// The dialog's mode headings (LabelPanel), compared exactly.
namespace intestazione {
inline constexpr std::string_view Accredito = "Accredito";
inline constexpr std::string_view Prelievo = "Prelievo";
inline constexpr std::string_view Imposta = "Imposta";
inline constexpr std::string_view Addebito = "Addebito";
inline constexpr std::string_view FuoriConto = "FuoriConto";
inline constexpr std::string_view Modifica = "Modifica";
inline constexpr std::string_view Elimina = "Elimina";
inline constexpr std::string_view OperazioneAutomatica = "Operazione Automatica";
inline constexpr std::string_view ModificaOperazioneAutomatica = "Modifica Operazione Automatica";
} // namespace intestazione

// One of the five headings under which the confirmation inserts a movement.
bool IntestazioneInserimento(std::string_view heading);

// The fields of the dialog, in tab order; `focus` names the one holding the keyboard focus.
enum class CampoScheda {
    Nessuno,
    Calendario,
    EditImporto,
    ComboOp,
    ComboBoxTipo,
    EditDescrizione,
    CBInsAuto,
    CBFrequenza,
    CBMeseInizio,
    CBGiorno,
    EditValuta,
};

// Where the type box stands: in the operation box's place (inserts and due programmed operations, the
// operation box hidden), or beside the operation box (modify, delete, programmed-operation editor: the type
// box's left edge 10 pixels right of the operation box, the "Tipo" label 138 pixels right of "Operazione").
enum class PostoTipo { AlPostoOperazione, AccantoOperazione };

struct SchedaOperazione {
    std::string LabelPanel;        // the heading: the dialog's mode
    Date Calendario;               // booking date (DATA)
    std::string EditImporto = "0"; // amount as typed: decimal comma, optional sign
    std::string ComboOp;           // operation as typed or chosen
    StringList ComboOpVoci;        // the operation list; the opener fills it
    bool ComboOpVisibile = true;
    std::string ComboBoxTipo;    // type as typed or chosen
    StringList ComboBoxTipoVoci; // the types of the operation
    PostoTipo posizioneTipo = PostoTipo::AccantoOperazione;
    std::string EditDescrizione;                 // description (COMMENTO)
    bool CBInsAuto = false;                      // "Inserisci con frequenza:": also create a programmed operation
    std::string CBFrequenza;                     // frequency (FREQUENZA)
    std::string CBMeseInizio;                    // start month (INIZIO)
    std::string CBGiorno = "0";                  // day of the month (GIORNO); any number may be typed
    bool programmazioneAbilitata = false;        // CBFrequenza, CBMeseInizio, CBGiorno and their labels
    std::string EditValuta;                      // the stored value date "dd/mm/yyyy"; shown, checked, never read back
    bool EditValutaVisibile = false;             // EditValuta with its label LabelValuta
    std::string BitBtnNuovaOpCaption = "&Nuovo"; // the second button, its caption set by the opener
    bool BitBtnNuovaOpVisibile = false;
    bool campiAbilitati = true; // every control of the middle area (false while deleting)
    CampoScheda focus = CampoScheda::Nessuno;

    // The items the three programmed-insertion boxes offer (typed text is accepted as well).
    static const std::array<std::string_view, 6>& VociFrequenza(); // "Mensile" ... "Annuale"
    static StringList VociMese();                                  // "Gennaio" ... "Dicembre"
    static StringList VociGiorno();                                // "0", "1", ... "28"
};

// The texts of the field checks made when the focus leaves a field.
inline constexpr std::string_view kMsgImportoNonValido = "Immettere l'importo in cifre senza altri simboli!";
inline constexpr std::string_view kMsgOperazioneNonInElenco = "Scegliere un'Operazione dall'elenco di riepilogo";
inline constexpr std::string_view kMsgTipoNonInElenco = "Scegliere una Tipologia  dall'elenco di riepilogo";
inline constexpr std::string_view kMsgValutaNonValida = "Immettere nel formato \"gg/mm/aa\" la data per la Valuta!";
// An amount is in euro and cent, and the operation gives its direction: the rows on screen, shown with two
// decimals, must add up to the balance shown.
inline constexpr std::string_view kMsgImportoDecimali = "Immettere l'importo con non più di due cifre decimali!";
inline constexpr std::string_view kMsgImportoNegativo =
    "Immettere l'importo senza segno meno: è l'operazione a dire se entra o esce!";

// The amount or the day as the dialog converts it: a decimal number with "," as decimal separator and an
// optional sign, blanks around it allowed; nothing for any other text.
std::optional<Money> ConvertiNumeroDigitato(std::string_view testo);

// Why an amount typed for a movement or a programmed operation cannot be taken: not a number
// (kMsgImportoNonValido), more than two decimals, or negative; nothing when it can.
std::optional<std::string_view> ImportoRifiutato(std::string_view testo);

// A value date typed in the short date format: "dd/mm/yyyy", also with one-digit day or month and a
// two-digit year (years 00-49 are 2000-2049, 50-99 are 1950-1999).
std::optional<Date> ConvertiDataDigitata(std::string_view testo);

} // namespace valmora
