#pragma once
// The rate dialog TFormTassi as plain data, with its confirmation. The settings dialog's rate buttons fill it
// (Prepara...), the screen shows it modally over these members, and its "&Ok" runs BNInserisciClick, its
// "&Annulla" BNAnnullaClick. The caption is the mode: "Nuovo Tasso" appends a rate row, "Modifica Tasso" rewrites
// the rates table's current row (the row selected in the rates grid).
//
// Every rate row is mirrored in the ledger by a notification movement ("Notifica", "Variazione", 0,
// "Variazione Tassi d'interesse") dated with the row's DATA; the two are matched by date and description only.
// Rate rows and notifications are written at once; the interest is recomputed by the settings dialog's OK.

#include "core/Date.h"
#include "core/Money.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace valmora {

class TDM;
class UserInterface;
enum class DialogResult;

inline constexpr std::string_view kCaptionNuovoTasso = "Nuovo Tasso";
inline constexpr std::string_view kCaptionModificaTasso = "Modifica Tasso";
inline constexpr int kAiutoTassi = 2; // the dialog's help topic

// The dialog's fields, in tab order; `focus` names the one holding the keyboard focus.
enum class CampoTassi { Nessuno, EData, ECreditore, EDebitore, ERitenuta, ETassoSoglia, EImportoSoglia };

// "'abc' is not a valid date": the conversion error of a date that does not convert.
std::string MsgDataNonValida(std::string_view testo);

// The movements table's first row (in its current order, filter off for the search) that is the notification of a
// rate dated `data`: DATA equal and COMMENTO "Variazione Tassi d'interesse" ignoring letter case. Leaves the table
// on that row and returns true, or returns false. The table's filter switch is as before either way.
bool TrovaNotificaTasso(TDM& dm, Date data);

class FormTassi {
public:
    FormTassi(TDM& dm, UserInterface& ui);
    FormTassi(const FormTassi&) = delete;
    FormTassi& operator=(const FormTassi&) = delete;

    // The controls, as typed.
    std::string Caption;
    std::string EData;
    std::string ECreditore;
    std::string EDebitore;
    std::string ERitenuta;
    std::string ETassoSoglia;
    std::string EImportoSoglia;
    CampoTassi focus = CampoTassi::Nessuno;

    // "&Nuovo": today, and 1,5 / 13 / 27 / 0 / 0.
    void PreparaNuovo(Date oggi);
    // "&Modifica": the rates table's current row as plain numbers (an empty column gives an empty box).
    void PreparaModifica();
    // On every showing the focus goes to the date.
    void FormShow() { focus = CampoTassi::EData; }

    // "&Ok": converts the six texts (a failure is shown with its conversion error and nothing is written), then
    // appends or rewrites the rate row and appends or moves its notification. Returns whether a rate was written.
    bool BNInserisciClick();
    // "&Annulla": any pending edit of the rates table is cancelled.
    void BNAnnullaClick();

private:
    struct Valori {
        Date data;
        Money limite;
        Money tassoCre;
        Money tassoH;
        Money tassoDeb;
        Money ritenuta;
    };
    std::optional<Valori> converti();
    void scriviRiga(const Valori& v);

    TDM& dm_;
    UserInterface& ui_;
};

} // namespace valmora
