#include "settings/FormTassi.h"

#include "entry/OperationEntry.h"
#include "entry/SchedaOperazione.h"
#include "model/Movement.h"
#include "model/OperationCatalogue.h"
#include "model/RatePeriod.h"
#include "model/SystemTexts.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

namespace valmora {

namespace {

// A number as the rate dialog shows it for editing: plain, decimal comma, nothing for an empty column.
std::string numeroSemplice(dbase::Table& table, const char* campo) {
    const dbase::Field f = table.fieldByName(campo);
    return f.isNull() ? std::string() : f.asMoney().plain();
}

} // namespace

std::string MsgDataNonValida(std::string_view testo) {
    return "'" + std::string(testo) + "' is not a valid date";
}

bool TrovaNotificaTasso(TDM& dm, Date data) {
    dbase::Table& movimenti = dm.MainTable;
    // The rate and its notification must move together, so the search also sees what the ledger filter hides.
    const bool filtrato = movimenti.filtered();
    movimenti.setFiltered(false);
    const bool trovato = movimenti.locate(std::string(schema::kData) + ";" + schema::kCommento,
                                          {data, std::string(kVariazioneTassi)}, true);
    if (!trovato) {
        movimenti.setFiltered(filtrato);
    }
    return trovato;
}

FormTassi::FormTassi(TDM& dm, UserInterface& ui) : dm_(dm), ui_(ui) {}

void FormTassi::PreparaNuovo(Date oggi) {
    EData = oggi.toString();
    ECreditore = "1,5";
    EDebitore = "13";
    ERitenuta = "27";
    ETassoSoglia = "0";
    EImportoSoglia = "0";
    Caption = std::string(kCaptionNuovoTasso);
}

void FormTassi::PreparaModifica() {
    dbase::Table& tassi = dm_.TableTassi;
    EData = tassi.fieldByName(schema::kData).asDate().toString();
    ECreditore = numeroSemplice(tassi, schema::kTassoH);
    EDebitore = numeroSemplice(tassi, schema::kTassoDeb);
    ERitenuta = numeroSemplice(tassi, schema::kRitenuta);
    ETassoSoglia = numeroSemplice(tassi, schema::kTassoCre);
    EImportoSoglia = numeroSemplice(tassi, schema::kLimite);
    Caption = std::string(kCaptionModificaTasso);
}

std::optional<FormTassi::Valori> FormTassi::converti() {
    Valori v;
    const std::optional<Date> data = ConvertiDataDigitata(EData);
    if (!data) {
        ui_.message(MsgDataNonValida(EData), Buttons::Ok);
        return std::nullopt;
    }
    v.data = *data;
    struct Numero {
        const std::string& testo;
        Money& valore;
    };
    for (const Numero& n :
         {Numero{EImportoSoglia, v.limite}, Numero{ETassoSoglia, v.tassoCre}, Numero{ECreditore, v.tassoH},
          Numero{EDebitore, v.tassoDeb}, Numero{ERitenuta, v.ritenuta}}) {
        const std::optional<Money> valore = ConvertiNumeroDigitato(n.testo);
        if (!valore) {
            ui_.message(MsgNumeroNonValido(n.testo), Buttons::Ok);
            return std::nullopt;
        }
        n.valore = *valore;
    }
    return v;
}

void FormTassi::scriviRiga(const Valori& v) {
    dbase::Table& tassi = dm_.TableTassi;
    tassi.fieldByName(schema::kData).setDate(v.data);
    tassi.fieldByName(schema::kLimite).setMoney(v.limite);
    tassi.fieldByName(schema::kTassoCre).setMoney(v.tassoCre);
    tassi.fieldByName(schema::kTassoH).setMoney(v.tassoH);
    tassi.fieldByName(schema::kTassoDeb).setMoney(v.tassoDeb);
    tassi.fieldByName(schema::kRitenuta).setMoney(v.ritenuta);
    tassi.post();
}

bool FormTassi::BNInserisciClick() {
    const std::optional<Valori> v = converti();
    if (!v) {
        return false;
    }
    dbase::Table& tassi = dm_.TableTassi;
    if (Caption == kCaptionNuovoTasso) {
        tassi.append();
        scriviRiga(*v);
        const Movement notifica{v->data,
                                v->data,
                                std::string(operazione::Notifica),
                                std::string(tipo::Variazione),
                                Money(),
                                std::string(kVariazioneTassi)};
        dm_.MainTable.appendRecord(notifica.values());
        return true;
    }
    if (Caption == kCaptionModificaTasso) {
        // Without a selected row there is nothing to change (and editing would make a row up).
        if (tassi.isEmpty() || tassi.recNo() == 0) {
            return false;
        }
        const Date vecchia = tassi.fieldByName(schema::kData).asDate();
        dbase::Table& movimenti = dm_.MainTable;
        const bool filtrato = movimenti.filtered();
        if (TrovaNotificaTasso(dm_, vecchia)) {
            movimenti.edit();
            movimenti.fieldByName(schema::kData).setDate(v->data);
            movimenti.fieldByName(schema::kValuta).setDate(v->data);
            movimenti.post();
            movimenti.setFiltered(filtrato);
        }
        tassi.edit();
        scriviRiga(*v);
        return true;
    }
    return false;
}

void FormTassi::BNAnnullaClick() {
    if (dm_.TableTassi.isOpen() && dm_.TableTassi.isEditing()) {
        dm_.TableTassi.cancel();
    }
}

} // namespace valmora
