#include "bank/RiscontroStampa.h"

#include "model/UserInterface.h"
#include "print/ReportCanvas.h"

#include <algorithm>
#include <memory>

namespace valmora {

namespace {

constexpr const char* kFont = "MS Sans Serif"; // the report font of the monthly summary too
constexpr int kFontSize = 8;
constexpr int kTitleSize = 14;
constexpr int kGroupSize = 10;
constexpr const char* kEllipsis = "\xE2\x80\xA6";

// Cuts a text at a code point so that it fits `width`, marking the cut.
std::string fitted(const ReportCanvas& c, const std::string& text, int width) {
    if (c.textWidth(text) <= width)
        return text;
    std::string cut = text;
    while (!cut.empty() && c.textWidth(cut + kEllipsis) > width) {
        // One whole code point off the end: its continuation bytes, then its first byte.
        while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80)
            cut.pop_back();
        if (!cut.empty())
            cut.pop_back();
    }
    return cut + kEllipsis;
}

class Impaginazione {
public:
    explicit Impaginazione(ReportCanvas& c) : c_(c) {}

    void intestazione(const std::string& fileBanca) {
        c_.setBold(true);
        c_.setFontSize(kTitleSize);
        scrivi(0, "Riscontro con la banca");
        c_.setFontSize(kFontSize);
        c_.setBold(false);
        scrivi(0, fileBanca);
        spazio();
    }

    void gruppo(const TabellaRiscontro& t) {
        const std::vector<int> x = colonne(t);
        c_.setBold(true);
        c_.setFontSize(kGroupSize);
        riservaRighe(3);
        scrivi(0, t.titolo + " (" + std::to_string(t.righe.size()) + ")");
        c_.setFontSize(kFontSize);
        riga(t.colonne, x);
        c_.drawHorizontalLine(0, c_.pageWidth(), y_);
        c_.setBold(false);
        for (const auto& r : t.righe)
            riga(r, x);
        spazio();
    }

    void totali(const std::vector<std::pair<std::string, std::string>>& totali) {
        c_.setBold(true);
        riservaRighe(static_cast<int>(totali.size()) + 1);
        c_.drawHorizontalLine(0, c_.pageWidth(), y_);
        int larghezza = 0;
        for (const auto& [didascalia, importo] : totali)
            larghezza = std::max(larghezza, c_.textWidth(didascalia + "    "));
        for (const auto& [didascalia, importo] : totali) {
            c_.drawText(0, y_, didascalia);
            const int fine = larghezza + c_.textWidth("-100.000,00 €");
            c_.drawText(fine - c_.textWidth(importo), y_, importo);
            a_capo();
        }
        c_.setBold(false);
    }

private:
    int altezzaRiga() const { return c_.textWidth("M") * 2; }
    void a_capo() {
        y_ += altezzaRiga();
        if (y_ + altezzaRiga() > c_.pageHeight()) {
            c_.newPage();
            y_ = 0;
        }
    }
    void spazio() { a_capo(); }
    void riservaRighe(int n) {
        if (y_ > 0 && y_ + n * altezzaRiga() > c_.pageHeight()) {
            c_.newPage();
            y_ = 0;
        }
    }
    void scrivi(int x, const std::string& testo) {
        c_.drawText(x, y_, testo);
        a_capo();
    }

    // Where each column starts: every column as wide as its widest cell, the descriptions sharing what is left
    // of the page when the whole does not fit.
    std::vector<int> colonne(const TabellaRiscontro& t) {
        const int gap = c_.textWidth("  ");
        std::vector<int> larghezze(t.colonne.size());
        c_.setBold(true);
        for (std::size_t i = 0; i < t.colonne.size(); ++i)
            larghezze[i] = c_.textWidth(t.colonne[i]);
        c_.setBold(false);
        for (const auto& r : t.righe)
            for (std::size_t i = 0; i < r.size() && i < larghezze.size(); ++i)
                larghezze[i] = std::max(larghezze[i], c_.textWidth(r[i]));
        int fisse = 0;
        int descrizioni = 0;
        int quante = 0;
        for (std::size_t i = 0; i < larghezze.size(); ++i) {
            if (t.colonne[i].starts_with("Descrizione")) {
                descrizioni += larghezze[i];
                ++quante;
            } else {
                fisse += larghezze[i];
            }
        }
        const int libero = c_.pageWidth() - fisse - gap * static_cast<int>(larghezze.size());
        if (quante > 0 && descrizioni > libero) {
            const int ciascuna = std::max(libero / quante, c_.textWidth("MMMMMM"));
            for (std::size_t i = 0; i < larghezze.size(); ++i)
                if (t.colonne[i].starts_with("Descrizione"))
                    larghezze[i] = std::min(larghezze[i], ciascuna);
        }
        larghezze_ = larghezze;
        std::vector<int> x(larghezze.size());
        int posizione = 0;
        for (std::size_t i = 0; i < larghezze.size(); ++i) {
            x[i] = posizione;
            posizione += larghezze[i] + gap;
        }
        return x;
    }

    void riga(const std::vector<std::string>& celle, const std::vector<int>& x) {
        for (std::size_t i = 0; i < celle.size() && i < x.size(); ++i)
            if (!celle[i].empty())
                c_.drawText(x[i], y_, fitted(c_, celle[i], larghezze_[i]));
        a_capo();
    }

    ReportCanvas& c_;
    int y_ = 0;
    std::vector<int> larghezze_;
};

} // namespace

void StampaRiscontro(const TabelleRiscontro& tabelle, const std::string& fileBanca, ReportCanvas& canvas) {
    StampaDocumento(canvas, [&] {
        canvas.setFontName(kFont);
        canvas.setFontSize(kFontSize);
        canvas.setBold(false);
        canvas.setColour(Colour::black());
        Impaginazione pagina(canvas);
        pagina.intestazione(fileBanca);
        for (int g = 0; g < TabelleRiscontro::kGruppi; ++g)
            pagina.gruppo(tabelle.gruppo(g));
        pagina.totali(tabelle.totali);
    });
}

void StampaRiscontro(const TabelleRiscontro& tabelle, const std::string& fileBanca, UserInterface& ui) {
    const std::shared_ptr<ReportCanvas> canvas = ui.askPrintCanvas();
    if (canvas)
        StampaRiscontro(tabelle, fileBanca, *canvas);
}

} // namespace valmora
