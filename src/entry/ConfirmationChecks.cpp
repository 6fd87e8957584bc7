// What the operation dialog checks when "&Conferma" or the second button is pressed, before it closes: a
// refusal keeps the dialog open with everything the user typed, the focus on the field at fault.

#include "entry/OperationEntry.h"

#include "entry/TextFit.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <algorithm>
#include <optional>

namespace valmora {

namespace {

bool ascii(std::string_view testo) {
    return std::all_of(testo.begin(), testo.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The table's own refusal of `testo` in the field, word for word as a write would give it, found without
// writing: the text is set on a new row that is then dropped.
std::optional<std::string> rifiutoDelCampo(dbase::Table& t, std::string_view campo, std::string_view testo) {
    if (ascii(testo) || !t.isOpen() || t.isEditing()) {
        return std::nullopt;
    }
    const std::string tagliato = TagliaAlCampo(t, campo, testo);
    t.append();
    try {
        t.fieldByName(campo).setString(tagliato);
    } catch (const dbase::TableError& e) {
        t.cancel();
        return std::string(e.what());
    }
    t.cancel();
    return std::nullopt;
}

struct TestoDaScrivere {
    CampoScheda campo;
    dbase::Table* tabella;
    std::string_view colonna;
    const std::string* testo;
};

} // namespace

bool OperationEntry::rifiuta(const std::string& messaggio, CampoScheda campo) {
    ui_.message(messaggio, Buttons::Ok);
    scheda_.focus = campo;
    return false;
}

bool OperationEntry::ConfermaAccettabile() {
    const std::string& h = scheda_.LabelPanel;
    if (h == intestazione::Elimina) {
        return true; // the fields are shown read-only and nothing typed is written
    }
    const bool movimento = IntestazioneInserimento(h) || h == intestazione::Modifica;
    const bool programmata = scheda_.CBInsAuto || h == intestazione::OperazioneAutomatica ||
                             h == intestazione::ModificaOperazioneAutomatica;
    if (!ConvertiNumeroDigitato(scheda_.EditImporto)) {
        return rifiuta(MsgNumeroNonValido(scheda_.EditImporto), CampoScheda::EditImporto);
    }
    if (movimento || programmata) {
        if (const auto rifiuto = ImportoRifiutato(scheda_.EditImporto)) {
            return rifiuta(std::string(*rifiuto), CampoScheda::EditImporto);
        }
    }
    // The texts in tab order, each where the confirmation will write it.
    std::vector<TestoDaScrivere> testi;
    if (movimento) {
        testi.push_back({CampoScheda::ComboOp, &dm_.MainTable, schema::kOperazione, &scheda_.ComboOp});
        testi.push_back({CampoScheda::ComboBoxTipo, &dm_.MainTable, schema::kTipo, &scheda_.ComboBoxTipo});
        testi.push_back({CampoScheda::EditDescrizione, &dm_.MainTable, schema::kCommento, &scheda_.EditDescrizione});
    }
    if (programmata) {
        testi.push_back({CampoScheda::ComboOp, &dm_.TableAcc, schema::kAccOperazione, &scheda_.ComboOp});
        testi.push_back({CampoScheda::ComboBoxTipo, &dm_.TableAcc, schema::kAccTipo, &scheda_.ComboBoxTipo});
        testi.push_back({CampoScheda::EditDescrizione, &dm_.TableAcc, schema::kDescrizion, &scheda_.EditDescrizione});
        testi.push_back({CampoScheda::CBFrequenza, &dm_.TableAcc, schema::kFrequenza, &scheda_.CBFrequenza});
        testi.push_back({CampoScheda::CBMeseInizio, &dm_.TableAcc, schema::kInizio, &scheda_.CBMeseInizio});
    }
    std::stable_sort(testi.begin(), testi.end(),
                     [](const TestoDaScrivere& a, const TestoDaScrivere& b) { return a.campo < b.campo; });
    for (const TestoDaScrivere& t : testi) {
        if (auto rifiuto = rifiutoDelCampo(*t.tabella, t.colonna, *t.testo)) {
            return rifiuta(*rifiuto, t.campo);
        }
    }
    if (!ConvertiNumeroDigitato(scheda_.CBGiorno)) {
        return rifiuta(MsgNumeroNonValido(scheda_.CBGiorno), CampoScheda::CBGiorno);
    }
    if (h == intestazione::Modifica && !ConvertiDataDigitata(scheda_.EditValuta)) {
        return rifiuta(std::string(kMsgValutaNonValida), CampoScheda::EditValuta);
    }
    return true;
}

} // namespace valmora
