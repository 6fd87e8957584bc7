#include "mainwindow/Preferences.h"

#include <utility>

namespace valmora {

PreferenzeFinestra PreferenzeFinestra::Predefinite(std::string cartellaAvvio) {
    PreferenzeFinestra p;
    p.DirIniziale = std::move(cartellaAvvio);
    return p;
}

void PreferenzeFinestra::Normalizza() {
    if (LarghezzaGriglia == 0) {
        LarghezzaGriglia = 1;
    }
}

SpuntaVisualizza SpuntaVisualizza::DaPreferenze(const PreferenzeFinestra& p) {
    SpuntaVisualizza s;
    s.DettagliOperazioni = p.Dettagli;
    s.GraficoSaldo = p.GraficoSaldo;
    s.GraficoFuoriConto = p.GraficoFC;
    s.PercentualeOperazioni = p.GraficoMovimenti;
    s.BarraOperazioni = p.BarraOpe;
    s.BarraFiltri = p.BarraQue;
    s.SchermoIntero = p.SchermoI;
    return s;
}

void SpuntaVisualizza::Inverti(VoceVisualizza voce) {
    switch (voce) {
    case VoceVisualizza::Nessuna:
        break;
    case VoceVisualizza::DettagliOperazioni:
        DettagliOperazioni = !DettagliOperazioni;
        break;
    case VoceVisualizza::GraficoSaldo:
        GraficoSaldo = !GraficoSaldo;
        break;
    case VoceVisualizza::GraficoFuoriConto:
        GraficoFuoriConto = !GraficoFuoriConto;
        break;
    case VoceVisualizza::PercentualeOperazioni:
        PercentualeOperazioni = !PercentualeOperazioni;
        break;
    case VoceVisualizza::BarraOperazioni:
        BarraOperazioni = !BarraOperazioni;
        break;
    case VoceVisualizza::BarraFiltri:
        BarraFiltri = !BarraFiltri;
        break;
    case VoceVisualizza::SchermoIntero:
        SchermoIntero = !SchermoIntero;
        break;
    }
}

LayoutVista CalcolaLayout(const SpuntaVisualizza& spunte, int larghezzaGriglia, int larghezzaSchermo,
                          int larghezzaColonna1) {
    LayoutVista l;
    l.grigliaValoriVisibile = spunte.DettagliOperazioni;
    l.barraSpeedVisibile = spunte.BarraOperazioni;
    l.barraQueryVisibile = spunte.BarraFiltri;
    l.altezzaChart1 = spunte.GraficoSaldo ? 150 : 0;
    l.altezzaChartFC = spunte.GraficoFuoriConto ? 150 : 0;
    l.altezzaChartMovimenti = spunte.PercentualeOperazioni ? 210 : 0;
    if (spunte.SchermoIntero) {
        l.larghezzaGriglia = larghezzaSchermo;
        l.larghezzaColonna0 = larghezzaColonna1;
        l.pannelloValoriVisibile = false;
    } else {
        l.larghezzaColonna0 = 0;
        l.larghezzaGriglia = larghezzaGriglia;
        l.pannelloValoriVisibile = true;
    }
    // A hidden chart takes no room: the ones below move up.
    l.topChart1 = 0;
    l.topChartFC = l.topChart1 + l.altezzaChart1;
    l.topChartMovimenti = l.topChart1 + l.altezzaChart1 + l.altezzaChartFC;
    return l;
}

PreferenzeFinestra PreferenzeDaScrivere(const std::string& cartellaConto, int larghezzaColonna0, int larghezzaGriglia,
                                        const SpuntaVisualizza& spunte, bool grigliaValoriVisibile,
                                        bool barraSpeedVisibile, bool barraQueryVisibile) {
    PreferenzeFinestra p;
    p.DirIniziale = cartellaConto;
    p.LarghezzaColonna0 = larghezzaColonna0;
    p.LarghezzaGriglia = larghezzaGriglia;
    p.GraficoSaldo = spunte.GraficoSaldo;
    p.GraficoFC = spunte.GraficoFuoriConto;
    p.GraficoMovimenti = spunte.PercentualeOperazioni;
    p.Dettagli = grigliaValoriVisibile;
    p.BarraOpe = barraSpeedVisibile;
    p.BarraQue = barraQueryVisibile;
    p.SchermoI = spunte.SchermoIntero;
    return p;
}

} // namespace valmora
