#pragma once
// The main window's stored preferences and the view they give. Plain data: the desktop program keeps them with
// its settings store (the key "Valmora" of the current user) and hands them over at start-up and back at exit;
// valmora-cli reads and writes none.

#include <string>

namespace valmora {

// The ten stored values, with the defaults a missing value takes.
struct PreferenzeFinestra {
    std::string DirIniziale;      // the account folder; default: the start-up folder
    int LarghezzaColonna0 = 0;    // ledger column 0 (DATA), pixels
    bool Dettagli = true;         // the totals grid
    bool GraficoSaldo = true;     // "Grafico &Saldo"
    bool GraficoFC = true;        // "Grafico Fuori &Conto"
    bool GraficoMovimenti = true; // "&Percentuale Operazioni"
    int LarghezzaGriglia = 500;   // the ledger grid outside full-screen mode; never 0
    bool BarraOpe = true;         // the operations toolbar
    bool BarraQue = true;         // the filter toolbar
    bool SchermoI = false;        // "Schermo &Intero"

    // The values as a first run has them, the folder being the start-up folder.
    static PreferenzeFinestra Predefinite(std::string cartellaAvvio);
    // A stored grid width of 0 becomes 1 (a grid of no width could never be dragged wider again).
    void Normalizza();
};

// The seven items of the "&Visualizza" menu, each with a check mark.
enum class VoceVisualizza {
    Nessuna, // the window itself calls the view command: nothing toggles
    DettagliOperazioni,
    GraficoSaldo,
    GraficoFuoriConto,
    PercentualeOperazioni,
    BarraOperazioni,
    BarraFiltri,
    SchermoIntero,
};

struct SpuntaVisualizza {
    bool DettagliOperazioni = true;
    bool GraficoSaldo = true;
    bool GraficoFuoriConto = true;
    bool PercentualeOperazioni = true;
    bool BarraOperazioni = true;
    bool BarraFiltri = true;
    bool SchermoIntero = false;

    static SpuntaVisualizza DaPreferenze(const PreferenzeFinestra& p);
    void Inverti(VoceVisualizza voce);
};

// What the view command lays out from the check marks.
struct LayoutVista {
    bool grigliaValoriVisibile = true; // the totals grid GrigliaValori
    bool barraSpeedVisibile = true;    // the operations toolbar
    bool barraQueryVisibile = true;    // the filter toolbar
    int altezzaChart1 = 150;           // balance chart
    int altezzaChartFC = 150;          // off-account chart
    int altezzaChartMovimenti = 210;   // pie
    int topChart1 = 0;
    int topChartFC = 150;
    int topChartMovimenti = 300;
    bool pannelloValoriVisibile = true;
    int larghezzaGriglia = 500; // the ledger grid
    int larghezzaColonna0 = 0;  // DATA: collapsed outside full-screen mode
};

// The view command's layout: `larghezzaSchermo` is the screen width and `larghezzaColonna1` that of VALUTA (DATA
// takes it in full-screen mode).
LayoutVista CalcolaLayout(const SpuntaVisualizza& spunte, int larghezzaGriglia, int larghezzaSchermo,
                          int larghezzaColonna1);

// What the window writes back at exit: its current check marks and widths, not the flags read at start-up.
PreferenzeFinestra PreferenzeDaScrivere(const std::string& cartellaConto, int larghezzaColonna0, int larghezzaGriglia,
                                        const SpuntaVisualizza& spunte, bool grigliaValoriVisibile,
                                        bool barraSpeedVisibile, bool barraQueryVisibile);

} // namespace valmora
