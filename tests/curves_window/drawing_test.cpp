// The curve window's drawing on a read-back curve: timebase labels one to a
// pixel column, and the picture mux6ctl draws made of the same plots as the
// window's view of the whole curve.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <set>
#include <utility>

#include "config/model.h"
#include "curves/model.h"
#include "curves/view.h"
#include "curves/window.h"
#include "curves/window_plot.h"
#include "support/scripted_dialogs.h"
#include "ui/graph.h"
#include "ui/registry.h"

namespace {

using curves::gKurven;

class KurvenZeichnung : public ::testing::Test {
  protected:
    void SetUp() override {
        config::StandardwerteSetzen();
        haupt = std::make_unique<QWidget>();
        haupt->resize(1000, 720);
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = haupt.get();
        panel = new curves::Kurvenpanel(haupt.get());
        ASSERT_EQ(panel->KurvenpanelInit(), 0);
        panel->setGeometry(1, 17, 998, 702);
        panel->show();
        haupt->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(haupt.get()));
        // As read back: one segment per tick, the timebase changing at each.
        curves::Kurve& k = gKurven[0];
        k.geraden.assign(kSegmente, curves::Gerade{});
        for (int i = 0; i < kSegmente; ++i)
            k.geraden[static_cast<std::size_t>(i)] = {
                .y = (i * 37) % 4096,
                .laenge = 1,
                .zeitbasis = static_cast<std::int8_t>(1 + i % 2)};
        k.anzahl = kSegmente;
        curves::ZoomGesamtkurve();
        panel->Kurvenpanel_Neuzeichnen();
    }
    void TearDown() override {
        haupt.reset();
        ui::registry().Leeren();
        curves::KurvenInit();
    }
    // The visible plots of a graph by colour: their number of points.
    static std::multiset<std::pair<QRgb, int>> Plots(ui::Graph* g) {
        std::multiset<std::pair<QRgb, int>> r;
        for (const ui::Graph::Plotinfo& p : g->Plots(ui::Graph::Plotart::Kurvenzug)) {
            if (p.sichtbar)
                r.emplace(p.farbe.rgb(), static_cast<int>(p.punkte.size()));
        }
        return r;
    }

    static constexpr int kSegmente = 3000;
    testsupport::DialogScope dialoge;
    std::unique_ptr<QWidget> haupt;
    curves::Kurvenpanel* panel = nullptr;
};

TEST_F(KurvenZeichnung, ZeitbasislabelsHoechstensEinesJePixelspalte) {
    panel->Eintrag("KURVEN_BEARBEITEN_ZEITBASISZEIG")->trigger();
    int labels = 0;
    for (const ui::Graph::Plotinfo& p : panel->graph()->Plots())
        labels += p.art == ui::Graph::Plotart::Text;
    const int breite = panel->graph()->Plotflaeche().width();
    EXPECT_GT(labels, breite / 4);
    EXPECT_LE(labels, breite + 1);
    // Every change keeps its yellow line.
    bool linien = false;
    for (const auto& [farbe, punkte] : Plots(panel->graph()))
        linien =
            linien || (farbe == QColor(0xFF, 0xFF, 0x00).rgb() && punkte == 3 * (kSegmente - 1));
    EXPECT_TRUE(linien);
}

TEST_F(KurvenZeichnung, BildAusDerDateiZeigtWasDasFensterZeigt) {
    for (const char* modus : {"LIN", "ST", "LINST"}) {
        panel->Eintrag(QString("KURVEN_ANSICHT_DARSTELLUNG_") + modus)->trigger();
        ui::Graph bild;
        ASSERT_TRUE(curves::KurvenbildZeichnen(bild, 0, curves::gDarstellung));
        EXPECT_EQ(Plots(&bild), Plots(panel->graph())) << modus;
        EXPECT_EQ(bild.XMax(), panel->graph()->XMax());
        EXPECT_EQ(bild.YMin(), panel->graph()->YMin());
        EXPECT_EQ(bild.YName(), panel->graph()->YName());
    }
}

}  // namespace
