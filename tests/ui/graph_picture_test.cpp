// The graph's pictures and redraw: the right-button menu and its file dialog,
// failures, plots reused in drawing order, and markers that share a pixel.
// The three formats are read back in mux6ctl's tests, which save through the
// same call.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/graph.h"
#include "ui/help.h"

namespace {

class GraphBild : public ::testing::Test {
  protected:
    void SetUp() override {
        graph.resize(500, 300);
        graph.XBereichSetzen(0, 100);
        graph.YBereichSetzen(0, 100);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
    }
    void TearDown() override { ui::gHilfeAktiv = 0; }
    // Whether the colour is on a pixel within two of the graph position.
    bool FarbeNahe(QPointF g, QColor farbe) {
        graph.Neuzeichnen();
        const QImage bild = graph.Bild();
        const QPointF p = graph.GraphZuPixel(g);
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if (bild.pixelColor(static_cast<int>(p.x()) + dx, static_cast<int>(p.y()) + dy) ==
                    farbe)
                    return true;
        return false;
    }
    QAction* Speichern() { return graph.Kontextmenue()->actions().value(0); }
    void RechtsKlicken() {
        QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(100, 100),
                            graph.mapToGlobal(QPoint(100, 100)));
        QApplication::sendEvent(&graph, &e);
    }

    testsupport::DialogScope dialoge;
    testsupport::TempDir dir;
    ui::Graph graph;
};

TEST_F(GraphBild, RechteMaustasteZeigtDasMenue) {
    RechtsKlicken();
    EXPECT_TRUE(graph.Kontextmenue()->isVisible());
    ASSERT_NE(Speichern(), nullptr);
    EXPECT_EQ(Speichern()->text(), QString::fromUtf8("Grafik speichern…"));
    graph.Kontextmenue()->hide();
}

TEST_F(GraphBild, KeinMenueInDerDirekthilfe) {
    ui::gHilfeAktiv = 1;
    RechtsKlicken();
    EXPECT_FALSE(graph.Kontextmenue()->isVisible());
}

TEST_F(GraphBild, SpeichernFragtNachDerDateiUndSchreibtDieGrafikWieGezeigt) {
    graph.LinieZeichnen({0, 50}, {100, 50}, Qt::red);
    dialoge->dateien.push_back(QString::fromStdString((dir / "bild").string()));
    Speichern()->trigger();
    const auto gefragt = dialoge->Alle("Datei");
    ASSERT_EQ(gefragt.size(), 1u);
    EXPECT_EQ(gefragt[0].titel, "Grafik speichern");
    // Without one of the three endings the picture is a PNG, and named so.
    const QImage bild(QString::fromStdString((dir / "bild.png").string()));
    ASSERT_FALSE(bild.isNull());
    EXPECT_EQ(bild.size(), graph.size());
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(GraphBild, AbbrechenSchreibtNichts) {
    Speichern()->trigger();
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(GraphBild, OrdnerFehltZeigtDenFehler) {
    dialoge->dateien.push_back(QString::fromStdString((dir / "nix" / "b.pdf").string()));
    Speichern()->trigger();
    const auto m = dialoge->Alle("Meldung");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].text.contains(QString::fromUtf8("Öffnen der Datei")))
        << m[0].text.toStdString();
}

TEST_F(GraphBild, WiederverwendetePlotsBehaltenDieZeichenfolge) {
    graph.LinieZeichnen({0, 0}, {0, 0}, Qt::black);  // an item keeps its own place
    graph.PolylinieZeichnen({0, 100}, {50, 50}, Qt::red);
    graph.PolylinieZeichnen({0, 100}, {50, 50}, Qt::blue);
    EXPECT_FALSE(FarbeNahe({50, 50}, Qt::red));
    const int plots = graph.Kurvenzugobjekte();
    graph.AllePlotsLoeschen();
    // The other way round: the one drawn last lies on top, as a new plot would.
    graph.PolylinieZeichnen({0, 100}, {50, 50}, Qt::blue);
    graph.PolylinieZeichnen({0, 100}, {50, 50}, Qt::red);
    EXPECT_FALSE(FarbeNahe({50, 50}, Qt::blue));
    EXPECT_EQ(graph.Kurvenzugobjekte(), plots);
}

TEST_F(GraphBild, MarkerAufEinemPixelEinmalAndereAlle) {
    // 2000 markers in four places, and in one pixel column two rows taking
    // turns: every place shows its marker.
    QVector<double> x, y;
    for (int i = 0; i < 2000; ++i) {
        x << 20 * (1 + i / 500) + 0.001 * (i % 500);
        y << 20 * (1 + i / 500);
    }
    for (int i = 0; i < 200; ++i) {
        x << 90;
        y << (i % 2 ? 10 : 90);
    }
    graph.PolylinieZeichnen(x, y, Qt::red, ui::Graph::Linienart::Keine, true);
    for (QPointF p : {QPointF(20, 20), QPointF(40, 40), QPointF(60, 60), QPointF(80, 80),
                      QPointF(90, 10), QPointF(90, 90)})
        EXPECT_TRUE(FarbeNahe(p, Qt::red)) << p.x() << " " << p.y();
    EXPECT_FALSE(FarbeNahe({30, 30}, Qt::red));
    EXPECT_FALSE(FarbeNahe({90, 50}, Qt::red));
}

}  // namespace
