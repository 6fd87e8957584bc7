#include "print/MonthlySummaryReport.h"

#include "dbase/Table.h"
#include "model/OperationCatalogue.h"
#include "model/TableSchemas.h"
#include "model/UserInterface.h"

#include <algorithm>
#include <memory>

namespace valmora {

namespace {

// The report font: the ledger grid's.
constexpr const char* kReportFont = "MS Sans Serif";
constexpr int kReportFontSize = 10;
constexpr int kHeadingFontSize = 18;

// Sample texts whose widths give the columns, so they fit the widest value of each.
constexpr const char* kDateSample = "22/12/1963--";
constexpr const char* kOperationSample = "OPERAZIONE--";
constexpr const char* kTypeSample = "Assegno Circolare---";
constexpr const char* kAmountSample = "100.000,00 €";

// The seven totals of one month, summed exactly from the movements listed.
struct MonthTotals {
    Money accrediti;
    Money prelievi;
    Money addebiti;
    Money imposte;
    Money fuoriConto;
    Money interessiCreditore;
    Money interessiDebitore;

    void add(const std::string& op, const std::string& tp, Money importo) {
        if (op == operazione::Accredito)
            accrediti += importo;
        else if (op == operazione::Prelievo)
            prelievi += importo;
        else if (op == operazione::Addebito)
            addebiti += importo;
        else if (op == operazione::Imposta)
            imposte += importo;
        else if (op == operazione::FuoriConto) {
            if (tp == tipo::Entrate)
                fuoriConto += importo;
            else if (tp == tipo::Uscite)
                fuoriConto -= importo;
        } else if (op == operazione::Interessi) {
            if (tp == tipo::Creditore)
                interessiCreditore += importo;
            else if (tp == tipo::Debitore)
                interessiDebitore += importo;
        }
        // Notifications and anything unknown are listed but add to nothing.
    }
};

} // namespace

void MonthlySummaryReport::StampaRiepilogo(UserInterface& ui) {
    std::shared_ptr<ReportCanvas> canvas = ui.askPrintCanvas();
    if (!canvas)
        return;
    StampaRiepilogo(*canvas);
}

void MonthlySummaryReport::StampaRiepilogo(ReportCanvas& canvas) {
    canvas_ = &canvas;
    tabellaStaccata_ = false;
    documentoAperto_ = false;
    try {
        PreparaStampa();

        // A zero scan date (an empty ledger) has month 0: nothing to list. The range is kept
        // within the calendar so no month outside 1..12 is ever named.
        const int primo = std::max(src_.mesePrimaValuta, 1);
        const int ultimo = std::min(src_.dataUltimaValuta.month(), 12);
        for (int mese = primo; mese <= ultimo; ++mese)
            StampaMese(mese);

        righello();
        stampaRiepilogoAnno();
        canvas_->setBold(false);

        // The year's figures close the report: no page follows that would hold only the heading.
        FineStampa();
    } catch (...) {
        // The printer or the table gave up half-way: the job is dropped, but the ledger must
        // come back as it was (filter switch and grid) whatever happened.
        if (documentoAperto_) {
            documentoAperto_ = false;
            try {
                canvas_->abortDocument();
            } catch (...) {
            }
        }
        if (tabellaStaccata_)
            ripristinaTabella();
        canvas_ = nullptr;
        throw;
    }
    canvas_ = nullptr;
}

void MonthlySummaryReport::PreparaStampa() {
    dbase::Table& movimenti = src_.movimenti;
    movimenti.disableControls();
    tabellaStaccata_ = true;
    filtroSalvato_ = movimenti.filtered();
    movimenti.setFiltered(false);

    canvas_->beginDocument();
    documentoAperto_ = true;

    canvas_->setFontName(kReportFont);
    canvas_->setFontSize(kReportFontSize);
    canvas_->setBold(false);
    canvas_->setColour(Colour::black());

    const int larghezzaData = canvas_->textWidth(kDateSample);
    layout_.xValuta = larghezzaData;
    layout_.xOperazione = 2 * larghezzaData;
    layout_.xTipo = layout_.xOperazione + canvas_->textWidth(kOperationSample);
    layout_.xDescrizione = layout_.xTipo + canvas_->textWidth(kTypeSample) + canvas_->textWidth(kAmountSample);
    layout_.fineImporto = layout_.xDescrizione - canvas_->textWidth("IM");
    const int w = canvas_->textWidth("Pr");
    layout_.altezzaRiga = w + w / 5;

    IntestazioneStampa();
}

void MonthlySummaryReport::IntestazioneStampa() {
    rigaCorrente_ = 0;

    dbase::Table& impostazioni = src_.impostazioni;
    impostazioni.first();
    const std::string istituto =
        impostazioni.eof() ? std::string() : impostazioni.fieldByName(schema::kIstituto).asString();
    const std::string testo = "Conto " + istituto + " - Anno " + std::to_string(src_.annoPrimaValuta);

    const int dimensione = canvas_->fontSize();
    canvas_->setFontSize(kHeadingFontSize);
    canvas_->setBold(true);
    canvas_->drawText(0, layout_.altezzaRiga, testo);
    canvas_->setFontSize(dimensione);
    canvas_->setBold(false);

    rigaCorrente_ = 4 * layout_.altezzaRiga - 1;
}

void MonthlySummaryReport::StampaRiga(const std::string& data, const std::string& valuta, const std::string& operazione,
                                      const std::string& tipo, const std::string& importo,
                                      const std::string& descrizione) {
    if (canvas_->pageHeight() < rigaCorrente_ + layout_.altezzaRiga) {
        canvas_->newPage();
        IntestazioneStampa();
    }

    const int y = rigaCorrente_;
    auto testo = [&](int x, const std::string& t) {
        if (!t.empty())
            canvas_->drawText(x, y, t);
    };
    testo(0, data);
    testo(layout_.xValuta, valuta);
    testo(layout_.xOperazione, operazione);
    testo(layout_.xTipo, tipo);
    if (!importo.empty())
        canvas_->drawText(layout_.fineImporto - canvas_->textWidth(importo), y, importo);
    testo(layout_.xDescrizione, entroLarghezza(descrizione, canvas_->pageWidth() - layout_.xDescrizione));

    rigaCorrente_ += layout_.altezzaRiga;
}

std::string MonthlySummaryReport::entroLarghezza(const std::string& testo, int larghezza) const {
    if (testo.empty() || canvas_->textWidth(testo) <= larghezza)
        return testo;
    static constexpr std::string_view kPuntini = "…";
    // Whole UTF-8 characters come off the end until the cut text and the dots fit.
    std::string corto = testo;
    while (!corto.empty()) {
        std::size_t fine = corto.size() - 1;
        while (fine > 0 && (static_cast<unsigned char>(corto[fine]) & 0xC0U) == 0x80U)
            --fine;
        corto.erase(fine);
        if (canvas_->textWidth(corto + std::string(kPuntini)) <= larghezza)
            break;
    }
    return corto + std::string(kPuntini);
}

void MonthlySummaryReport::StampaMese(int mese) {
    canvas_->setBold(true);
    StampaRiga(std::string(NomeMese(mese)), "", "", "", "", "");
    canvas_->setBold(false);
    righello();

    MonthTotals totali;
    dbase::Table& movimenti = src_.movimenti;
    movimenti.first();
    if (!movimenti.eof()) {
        const dbase::Field data = movimenti.fieldByName(schema::kData);
        const dbase::Field valuta = movimenti.fieldByName(schema::kValuta);
        const dbase::Field operazione = movimenti.fieldByName(schema::kOperazione);
        const dbase::Field tipo = movimenti.fieldByName(schema::kTipo);
        const dbase::Field importo = movimenti.fieldByName(schema::kImporto);
        const dbase::Field commento = movimenti.fieldByName(schema::kCommento);
        for (; !movimenti.eof(); movimenti.next()) {
            // Only the month is compared: an account holds one calendar year.
            const Date dataValuta = valuta.asDate();
            if (dataValuta.month() != mese)
                continue;
            const std::string op = operazione.asString();
            const std::string tp = tipo.asString();
            const Money somma = importo.asMoney();
            totali.add(op, tp, somma);
            StampaRiga(data.asDate().toString(), dataValuta.toString(), op, tp, somma.format(), commento.asString());
        }
    }

    canvas_->setBold(true);
    canvas_->setColour(Colour::red());
    const Money zero;
    if (totali.accrediti > zero)
        stampaVoce("Accrediti:", totali.accrediti.format());
    if (totali.prelievi > zero)
        stampaVoce("Prelievi:", totali.prelievi.format());
    if (totali.addebiti > zero)
        stampaVoce("Addebiti:", totali.addebiti.format());
    if (totali.imposte > zero)
        stampaVoce("Imposte:", totali.imposte.format());
    if (!totali.fuoriConto.isZero())
        stampaVoce("Fuori Conto:", totali.fuoriConto.format());
    if (totali.interessiCreditore > zero)
        stampaVoce("Interessi Creditore:", totali.interessiCreditore.format());
    if (totali.interessiDebitore > zero)
        stampaVoce("Interessi Debitore:", totali.interessiDebitore.format());

    canvas_->setBold(false);
    canvas_->setColour(Colour::black());
    rigaCorrente_ += layout_.altezzaRiga / 2;
}

void MonthlySummaryReport::stampaRiepilogoAnno() {
    const SummaryFigures& f = src_.figures;
    const Money zero;
    canvas_->setBold(true);
    canvas_->setColour(Colour::blue());
    stampaVoce("Utile:", f.utile.format());
    stampaVoce("N° Operazioni:", std::to_string(f.numOperazioni));
    if (f.totAccrediti > zero)
        stampaVoce("Accrediti totali:", f.totAccrediti.format());
    if (f.totPrelievi > zero)
        stampaVoce("Prelievi totali:", f.totPrelievi.format());
    if (f.totAddebiti > zero)
        stampaVoce("Addebiti totali:", f.totAddebiti.format());
    if (f.totImposte > zero)
        stampaVoce("Imposte totali:", f.totImposte.format());
    if (f.totInteressi > zero)
        stampaVoce("Interessi totali", f.totInteressi.format());
    const Money fuoriConto = f.entrateFC - f.usciteFC;
    if (!fuoriConto.isZero())
        stampaVoce("Totale Fuori Conto:", fuoriConto.format());
    canvas_->setColour(Colour::black());
    stampaVoce("Saldo:", f.saldo.format());
}

void MonthlySummaryReport::FineStampa() {
    documentoAperto_ = false;
    canvas_->endDocument();
    ripristinaTabella();
}

void MonthlySummaryReport::righello() {
    canvas_->drawHorizontalLine(0, canvas_->pageWidth(), rigaCorrente_);
    rigaCorrente_ += layout_.altezzaRiga / 2;
}

void MonthlySummaryReport::stampaVoce(const std::string& etichetta, const std::string& valore) {
    StampaRiga(etichetta, "", "", "", valore, "");
}

void MonthlySummaryReport::ripristinaTabella() {
    // Only the switch was touched; the filter text stays as the user left it.
    tabellaStaccata_ = false;
    try {
        src_.movimenti.setFiltered(filtroSalvato_);
    } catch (...) {
        src_.movimenti.enableControls();
        throw;
    }
    src_.movimenti.enableControls();
}

} // namespace valmora
