#pragma once
// The monthly summary: every movement of the account, month by month in value-date
// order, each month closed by its totals per category, then the year's figures as
// the last ledger scan left them. It is drawn straight onto a ReportCanvas in the
// device's pixels; there is no preview.

#include "core/Date.h"
#include "core/Money.h"
#include "print/ReportCanvas.h"

#include <cstdint>
#include <string>
#include <utility>

namespace valmora {

namespace dbase {
class Table;
}

class UserInterface;

// The year's figures the summary closes with, taken from the ledger totals.
struct SummaryFigures {
    Money utile;
    std::int32_t numOperazioni = 0;
    Money totAccrediti;
    Money totPrelievi;
    Money totAddebiti;
    Money totImposte;
    Money totInteressi;
    Money entrateFC;
    Money usciteFC;
    Money saldo;
};

// What one report reads. The tables are the open account's; the scan values are
// the main window's, as the last scan left them.
struct MonthlySummarySource {
    dbase::Table& movimenti;    // MainTable, ordered by value date
    dbase::Table& impostazioni; // TableImp: its one row names the bank
    SummaryFigures figures;
    int annoPrimaValuta = 0;
    int mesePrimaValuta = 0;
    Date dataUltimaValuta;
};

class MonthlySummaryReport {
public:
    explicit MonthlySummaryReport(MonthlySummarySource source) : src_(std::move(source)) {}

    // The print command: the print dialog first; a cancelled dialog prints and changes nothing.
    void StampaRiepilogo(UserInterface& ui);
    // The whole report on a canvas already chosen (a PDF file, a test's recorder).
    void StampaRiepilogo(ReportCanvas& canvas);

private:
    // Measured once per report with the report font.
    struct Layout {
        int xValuta = 0;
        int xOperazione = 0;
        int xTipo = 0;
        int xDescrizione = 0;
        int fineImporto = 0; // amounts end here: XDescrizione minus the width of "IM"
        int altezzaRiga = 0;
    };

    void PreparaStampa();
    void IntestazioneStampa();
    void StampaRiga(const std::string& data, const std::string& valuta, const std::string& operazione,
                    const std::string& tipo, const std::string& importo, const std::string& descrizione);
    void StampaMese(int mese);
    void FineStampa();

    void stampaRiepilogoAnno();
    void righello();                                                          // a rule across the page, half a line
    // The text cut with "…" so it ends within `larghezza` pixels (a description longer than the page).
    std::string entroLarghezza(const std::string& testo, int larghezza) const;
    void stampaVoce(const std::string& etichetta, const std::string& valore); // label + amount column
    void ripristinaTabella();

    MonthlySummarySource src_;
    ReportCanvas* canvas_ = nullptr;
    Layout layout_;
    int rigaCorrente_ = 0;
    bool filtroSalvato_ = false;
    bool tabellaStaccata_ = false; // the grid is detached and the filter switched off
    bool documentoAperto_ = false; // the print job has begun and not ended
};

} // namespace valmora
