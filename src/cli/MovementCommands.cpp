// The commands of the "&Modifica" menu and the filter bar: the five inserts, modify and delete of a ledger row,
// and the filter. Each opens the operation dialog as the window does and types the command's words into its
// fields in tab order; every field's check runs as the field is left, and so do the dialog's checks on
// "&Conferma"; a refusal, after its message, cancels the dialog. A dialog that would come back by itself (an
// insert refused by a limit) is cancelled then.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"
#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"

#include <charconv>
#include <optional>

namespace valmora::cli {

namespace {

// The schedule of "Inserisci con frequenza:", typed after the word `ogni`.
struct Programmazione {
    std::string frequenza;
    std::string inizio;
    std::string giorno;
};

// What a movement command types: the words from `prima` on are [DESCRIZIONE] [ogni FREQUENZA INIZIO GIORNO].
struct Coda {
    std::optional<std::string> descrizione;
    std::optional<Programmazione> programmazione;
};

Coda leggiCoda(const CommandCall& call, std::size_t prima) {
    const std::size_t resto = call.args.size() - prima;
    Coda coda;
    std::size_t ogni = prima;
    if (resto == 1 || resto == 5) {
        coda.descrizione = call.args[prima];
        ogni = prima + 1;
    }
    if (resto == 4 || resto == 5) {
        if (call.args[ogni] != "ogni") {
            throw ScriptError("il comando \"" + call.name + "\" aspetta \"ogni\" al posto di \"" + call.args[ogni] +
                              "\"");
        }
        coda.programmazione = Programmazione{call.args[ogni + 1], call.args[ogni + 2], call.args[ogni + 3]};
    } else if (resto != 0 && resto != 1) {
        throw ScriptError("il comando \"" + call.name + "\" vuole [DESCRIZIONE] [ogni FREQUENZA INIZIO GIORNO] dopo " +
                          std::to_string(prima) + " parole");
    }
    return coda;
}

// The first fields in tab order: the booking date, then the amount, whose check runs as the focus leaves it.
bool digitaDataImporto(OperationEntry& entry, Date data, const std::string& importo) {
    SchedaOperazione& scheda = entry.Scheda();
    scheda.Calendario = data;
    scheda.EditImporto = importo;
    return entry.EditImportoExit();
}

// The fields after the type, in tab order: description, then the schedule box and its three fields.
void digitaCoda(OperationEntry& entry, const Coda& coda) {
    SchedaOperazione& scheda = entry.Scheda();
    if (coda.descrizione) {
        scheda.EditDescrizione = *coda.descrizione;
    }
    if (coda.programmazione) {
        scheda.CBInsAuto = true;
        entry.CBInsAutoClick();
        scheda.CBFrequenza = coda.programmazione->frequenza;
        scheda.CBMeseInizio = coda.programmazione->inizio;
        scheda.CBGiorno = coda.programmazione->giorno;
    }
}

// "&Conferma" pressed: the dialog's own checks of what was typed; a refusal, after its message, cancels it.
DialogResult confermato(OperationEntry& entry) {
    return entry.ConfermaAccettabile() ? DialogResult::Ok : DialogResult::Cancel;
}

// The 1-based ledger row named by a word, within the active filter; the movements table is moved onto it.
void vaiAllaRiga(const CommandCall& call, CliContext& context, std::size_t indice) {
    const std::string& parola = call.args.at(indice);
    int riga = 0;
    auto [fine, errore] = std::from_chars(parola.data(), parola.data() + parola.size(), riga);
    dbase::Table& movimenti = context.master.DM().MainTable;
    if (errore != std::errc() || fine != parola.data() + parola.size() || riga < 1 || riga > movimenti.recordCount()) {
        throw ScriptError("\"" + parola +
                          "\" non è una riga del registro (righe: " + std::to_string(movimenti.recordCount()) + ")");
    }
    movimenti.moveTo(riga);
}

void inserimento(TipoInserimento comando, const CommandCall& call, CliContext& context) {
    call.requireArgs(3, 8);
    const Date data = call.dateArg(0);
    const Coda coda = leggiCoda(call, 3);
    if (!context.master.ContoAperto()) {
        return; // the toolbar and the "&Modifica" menu are hidden
    }
    int mostrata = 0;
    context.master.Entry().ComandoInserimento(comando, [&](OperationEntry& entry) {
        if (mostrata++ > 0) {
            return DialogResult::Cancel; // the dialog came back after a refusal
        }
        if (!digitaDataImporto(entry, data, call.args[1])) {
            return DialogResult::Cancel;
        }
        entry.Scheda().ComboBoxTipo = call.args[2];
        if (!entry.ComboBoxTipoExit()) {
            return DialogResult::Cancel;
        }
        digitaCoda(entry, coda);
        return confermato(entry);
    });
}

// The optional last word `valuta=GG/MM/AAAA` of `modifica`, taken off the call.
std::optional<std::string> togliValuta(CommandCall& call) {
    static constexpr std::string_view kValuta = "valuta=";
    if (call.args.empty() || call.args.back().rfind(kValuta, 0) != 0) {
        return std::nullopt;
    }
    std::string valuta = call.args.back().substr(kValuta.size());
    call.args.pop_back();
    return valuta;
}

void modifica(const CommandCall& chiamata, CliContext& context) {
    CommandCall call = chiamata;
    const std::optional<std::string> valuta = togliValuta(call);
    call.requireArgs(5, 10);
    const Date data = call.dateArg(1);
    const Coda coda = leggiCoda(call, 5);
    if (!context.master.ContoAperto()) {
        return;
    }
    vaiAllaRiga(call, context, 0);
    int mostrata = 0;
    context.master.Entry().SpeedModificaClick([&](OperationEntry& entry) {
        if (mostrata++ > 0) {
            return DialogResult::Cancel; // the dialog came back after a refusal
        }
        if (!digitaDataImporto(entry, data, call.args[2])) {
            return DialogResult::Cancel;
        }
        SchedaOperazione& scheda = entry.Scheda();
        // Choosing another operation refills the type list, as picking it in the list does.
        const bool cambiata = scheda.ComboOp != call.args[3];
        scheda.ComboOp = call.args[3];
        if (!entry.ComboOpExit()) {
            return DialogResult::Cancel;
        }
        if (cambiata) {
            entry.ComboOpChange();
        }
        scheda.ComboBoxTipo = call.args[4];
        if (!entry.ComboBoxTipoExit()) {
            return DialogResult::Cancel;
        }
        digitaCoda(entry, coda);
        if (valuta) {
            scheda.EditValuta = *valuta;
            if (!entry.EditValutaExit()) {
                return DialogResult::Cancel;
            }
        }
        return confermato(entry);
    });
}

void elimina(const CommandCall& call, CliContext& context) {
    call.requireArgs(1);
    if (!context.master.ContoAperto()) {
        return;
    }
    vaiAllaRiga(call, context, 0);
    context.master.Entry().SpeedEliminaClick([](OperationEntry&) { return DialogResult::Ok; });
}

// A drop-down list takes only its own items.
void inElenco(const StringList& voci, const std::string& testo, const std::string& parola) {
    if (!voci.indexOf(testo)) {
        throw ScriptError("\"" + testo + "\" non è una voce dell'elenco di " + parola);
    }
}

void filtroComando(const CommandCall& call, CliContext& context) {
    call.requireArgs(0, 5);
    std::string da(kTutto), a, operazione(kTutto), tipo(kTutto), cerca;
    bool tipoIndicato = false;
    bool aIndicato = false;
    for (const std::string& parola : call.args) {
        const auto uguale = parola.find('=');
        const std::string nome = parola.substr(0, uguale);
        const std::string valore = uguale == std::string::npos ? std::string() : parola.substr(uguale + 1);
        if (uguale == std::string::npos) {
            throw ScriptError("\"" + parola + "\": il filtro vuole parole NOME=VALORE");
        } else if (nome == "da") {
            da = valore;
        } else if (nome == "a") {
            a = valore;
            aIndicato = true;
        } else if (nome == "operazione") {
            operazione = valore;
        } else if (nome == "tipo") {
            tipo = valore;
            tipoIndicato = true;
        } else if (nome == "cerca") {
            cerca = valore;
        } else {
            throw ScriptError("\"" + nome + "\" sconosciuto: da, a, operazione, tipo o cerca");
        }
    }
    inElenco(BarraQuery::VociComboData(), da, "Periodo");
    inElenco(BarraQuery::VociComboOperazioni(), operazione, "Operazione");
    if (aIndicato && da == kTutto) {
        throw ScriptError("\"a=\" vuole un mese iniziale \"da=\": senza, la casella è disabilitata");
    }
    if (tipoIndicato && operazione == kTutto) {
        throw ScriptError("\"tipo=\" vuole un'operazione \"operazione=\": senza, la casella è disabilitata");
    }
    if (!context.master.ContoAperto()) {
        return; // the filter bar is hidden
    }

    FiltroMovimenti& filtro = context.master.Filtro();
    BarraQuery& barra = filtro.Barra();
    // Each control is set as the user would, and fires its change only when its value changes.
    if (barra.ComboData != da) {
        barra.ComboData = da;
        filtro.ComboDataChange(MittenteFiltro::ComboData);
    }
    if (barra.ComboData2Abilitato && barra.ComboData2 != a) {
        barra.ComboData2 = a;
        filtro.ComboDataChange(MittenteFiltro::ComboData2);
    }
    if (barra.ComboOperazioni != operazione) {
        barra.ComboOperazioni = operazione;
        filtro.ComboOperazioniChange();
    }
    if (barra.ComboTipoAbilitato && barra.ComboTipo != tipo) {
        inElenco(barra.ComboTipoVoci, tipo, "Tipo");
        barra.ComboTipo = tipo;
        filtro.ComboTipoChange();
    }
    barra.EditCerca = cerca;
    filtro.TBCercaClick();
}

} // namespace

void registerMovementCommands(CommandRegistry& registry) {
    registry.add("accredito",
                 [](const CommandCall& c, CliContext& x) { inserimento(TipoInserimento::Accredito, c, x); });
    registry.add("prelievo", [](const CommandCall& c, CliContext& x) { inserimento(TipoInserimento::Prelievo, c, x); });
    registry.add("addebito", [](const CommandCall& c, CliContext& x) { inserimento(TipoInserimento::Addebito, c, x); });
    registry.add("imposta", [](const CommandCall& c, CliContext& x) { inserimento(TipoInserimento::Imposta, c, x); });
    registry.add("fuoriconto",
                 [](const CommandCall& c, CliContext& x) { inserimento(TipoInserimento::FuoriConto, c, x); });
    registry.add("modifica", modifica);
    registry.add("elimina", elimina);
    registry.add("filtro", filtroComando);
}

} // namespace valmora::cli
