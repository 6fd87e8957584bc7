#include "MasterFixture.h"

namespace valmora::testing {
namespace {

TEST(Preferences, FirstRunDefaultsAndAZeroGridWidth) {
    PreferenzeFinestra p = PreferenzeFinestra::Predefinite("/avvio");
    EXPECT_EQ(p.DirIniziale, "/avvio");
    const LayoutVista l = CalcolaLayout(SpuntaVisualizza::DaPreferenze(p), p.LarghezzaGriglia, 1280, 65);
    EXPECT_EQ(l.larghezzaGriglia, 500);
    EXPECT_EQ(l.larghezzaColonna0, 0);
    EXPECT_TRUE(l.grigliaValoriVisibile && l.barraSpeedVisibile && l.barraQueryVisibile && l.pannelloValoriVisibile);
    EXPECT_EQ(l.altezzaChart1 + l.altezzaChartFC + l.altezzaChartMovimenti, 510);
    p.LarghezzaGriglia = 0;
    p.Normalizza();
    EXPECT_EQ(p.LarghezzaGriglia, 1);
}

TEST(Preferences, FullScreenAndHiddenChartsLayOutAsTheViewCommandSays) {
    SpuntaVisualizza s;
    s.Inverti(VoceVisualizza::SchermoIntero);
    LayoutVista l = CalcolaLayout(s, 480, 1280, 65);
    EXPECT_EQ(l.larghezzaGriglia, 1280);
    EXPECT_EQ(l.larghezzaColonna0, 65);
    EXPECT_FALSE(l.pannelloValoriVisibile);
    s.Inverti(VoceVisualizza::SchermoIntero);
    s.Inverti(VoceVisualizza::GraficoSaldo);
    l = CalcolaLayout(s, 480, 1280, 65);
    EXPECT_EQ(l.larghezzaGriglia, 480);
    EXPECT_EQ(l.larghezzaColonna0, 0);
    EXPECT_EQ(l.altezzaChart1, 0);
    EXPECT_EQ(l.topChartFC, 0);
    EXPECT_EQ(l.topChartMovimenti, 150);
}

class PreferencesAtExit : public MasterTest {};

TEST_F(PreferencesAtExit, WithoutAnAccountTheInitialViewIsWrittenWhateverWasStored) {
    PreferenzeFinestra stored = PreferenzeFinestra::Predefinite(dir.folder());
    stored.Dettagli = stored.GraficoSaldo = stored.BarraQue = false;
    stored.SchermoI = true;
    stored.LarghezzaGriglia = 0;
    master.Avvio(stored);
    const PreferenzeFinestra written = master.FormClose(33);
    EXPECT_TRUE(written.Dettagli && written.GraficoSaldo && written.GraficoFC && written.GraficoMovimenti &&
                written.BarraOpe && written.BarraQue);
    EXPECT_FALSE(written.SchermoI);
    EXPECT_EQ(written.DirIniziale, dir.folder());
    EXPECT_EQ(written.LarghezzaGriglia, 1);
    EXPECT_EQ(written.LarghezzaColonna0, 33);
}

TEST_F(PreferencesAtExit, AnAccountAppliesTheStoredViewAndExitWritesTheCurrentOne) {
    PreferenzeFinestra stored = PreferenzeFinestra::Predefinite(dir.folder());
    stored.GraficoFC = false;
    master.Avvio(stored);
    nuovo("C.dbf");
    EXPECT_FALSE(master.Spunte().GraficoFuoriConto);
    EXPECT_EQ(master.Layout().altezzaChartFC, 0);
    master.Dettagli1Click(VoceVisualizza::BarraFiltri);
    master.Splitter1Moved(620);
    const PreferenzeFinestra written = master.FormClose();
    EXPECT_FALSE(written.GraficoFC);
    EXPECT_FALSE(written.BarraQue);
    EXPECT_EQ(written.LarghezzaGriglia, 620);
    EXPECT_FALSE(master.ContoAperto());
}

} // namespace
} // namespace valmora::testing
