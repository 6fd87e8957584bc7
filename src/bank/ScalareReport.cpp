#include "bank/ScalareReport.h"

#include "bank/ScalareTesto.h"
#include "model/UserInterface.h"

#include <algorithm>
#include <array>
#include <memory>

namespace valmora {

namespace {

// The monthly summary's fonts.
constexpr const char* kReportFont = "MS Sans Serif";
constexpr int kReportFontSize = 10;
constexpr int kHeadingFontSize = 18;

// Column headings and, for their widths, the widest value each column is expected to hold.
struct Colonna {
    const char* titolo;
    const char* campione;
    bool aDestra;
};
constexpr std::array<Colonna, 8> kColonne{{{"Valuta", "22/12/1963", false},
                                           {"Al", "22/12/1963", false},
                                           {"Giorni", "366", true},
                                           {"Saldo", "-100.000,00 €", true},
                                           {"Numeri creditori", "9.999.999,99", true},
                                           {"Numeri debitori", "9.999.999,99", true},
                                           {"Tasso", "100,00%", true},
                                           {"Interesse", "-1.000,00 €", true}}};

class Pagina {
public:
    Pagina(ReportCanvas& canvas, const RiassuntoScalare& r, const std::string& istituto)
        : c_(canvas), r_(r), istituto_(istituto) {
        c_.setFontName(kReportFont);
        c_.setFontSize(kReportFontSize);
        c_.setBold(false);
        c_.setColour(Colour::black());
        const int w = c_.textWidth("Pr");
        altezza_ = w + w / 5;
        std::array<int, 8> larghezze{};
        int somma = 0;
        for (std::size_t k = 0; k < kColonne.size(); ++k) {
            // Wide enough for the widest value and for the heading, which is bold.
            c_.setBold(true);
            const int titolo = c_.textWidth(kColonne[k].titolo);
            c_.setBold(false);
            larghezze[k] = std::max(titolo, c_.textWidth(kColonne[k].campione));
            somma += larghezze[k];
        }
        // The columns keep apart by two characters, less when the page is narrower than that.
        const int intervalli = static_cast<int>(kColonne.size()) - 1;
        const int spazio = std::max(0, std::min(c_.textWidth("--"), (c_.pageWidth() - somma) / intervalli));
        int x = 0;
        for (std::size_t k = 0; k < kColonne.size(); ++k) {
            inizio_[k] = x;
            fine_[k] = x + larghezze[k];
            x += larghezze[k] + spazio;
        }
    }

    void stampa() {
        intestazione();
        for (const IntervalloScalare& i : r_.intervalli) {
            const RigaScalareMostrata m = RigaMostrata(i);
            riga({m.dal, m.al, m.giorni, m.saldo, m.numeriCreditori, m.numeriDebitori, m.tasso, m.interesse});
        }
        righello();
        for (const VoceScalare& v : VociTotali(r_))
            voce(v.etichetta, v.valore, Colour::black());
        if (r_.bolloDovuto != r_.bolloAddebitato)
            voce("Differenza", (r_.bolloAddebitato - r_.bolloDovuto).format(), Colour::red());
    }

private:
    void intestazione() {
        y_ = altezza_;
        c_.setFontSize(kHeadingFontSize);
        c_.setBold(true);
        c_.drawText(0, y_, "Riassunto scalare");
        c_.setFontSize(kReportFontSize);
        c_.setBold(false);
        y_ += 3 * altezza_;
        std::string sotto = "dal " + r_.dal.toString() + " al " + r_.al.toString();
        if (!istituto_.empty())
            sotto = "Conto " + istituto_ + " - " + sotto;
        c_.drawText(0, y_, sotto);
        y_ += 2 * altezza_;
        c_.setBold(true);
        std::array<std::string, 8> titoli;
        for (std::size_t k = 0; k < kColonne.size(); ++k)
            titoli[k] = kColonne[k].titolo;
        scriviRiga(titoli);
        c_.setBold(false);
        righello();
    }

    void aCapo() {
        if (c_.pageHeight() < y_ + altezza_) {
            c_.newPage();
            intestazione();
        }
    }

    void scriviRiga(const std::array<std::string, 8>& celle) {
        for (std::size_t k = 0; k < celle.size(); ++k) {
            if (celle[k].empty())
                continue;
            const int x = kColonne[k].aDestra ? fine_[k] - c_.textWidth(celle[k]) : inizio_[k];
            c_.drawText(x, y_, celle[k]);
        }
        y_ += altezza_;
    }

    void riga(const std::array<std::string, 8>& celle) {
        aCapo();
        scriviRiga(celle);
    }

    void voce(const std::string& etichetta, const std::string& valore, Colour colore) {
        aCapo();
        c_.setColour(colore);
        c_.drawText(inizio_[3], y_, etichetta);
        c_.drawText(fine_[7] - c_.textWidth(valore), y_, valore);
        c_.setColour(Colour::black());
        y_ += altezza_;
    }

    void righello() {
        aCapo();
        c_.drawHorizontalLine(0, fine_[7], y_ + altezza_ / 4);
        y_ += altezza_ / 2;
    }

    ReportCanvas& c_;
    const RiassuntoScalare& r_;
    const std::string& istituto_;
    int altezza_ = 0;
    int y_ = 0;
    std::array<int, 8> inizio_{};
    std::array<int, 8> fine_{};
};

} // namespace

void StampaScalare(const RiassuntoScalare& r, const std::string& istituto, ReportCanvas& canvas) {
    StampaDocumento(canvas, [&] { Pagina(canvas, r, istituto).stampa(); });
}

void StampaScalare(const RiassuntoScalare& r, const std::string& istituto, UserInterface& ui) {
    const std::shared_ptr<ReportCanvas> canvas = ui.askPrintCanvas();
    if (canvas)
        StampaScalare(r, istituto, *canvas);
}

} // namespace valmora
