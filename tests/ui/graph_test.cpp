// The graph control: plots by handle, gaps, the preview layer, the display-unit
// ticker, and the mouse as the graph's cursor.
#include "ui/graph.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class GraphTest : public ::testing::Test {
  protected:
    void SetUp() override {
        graph.resize(600, 400);
        graph.XBereichSetzen(0, 100);
        graph.YBereichSetzen(0, 100);
        graph.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&graph));
        graph.Neuzeichnen();
    }
    // Whether the drawing near a graph position has the colour (a pixel on or
    // next to it, lines being one pixel wide).
    bool FarbeNahe(QPointF g, QColor farbe) {
        const QImage bild = graph.Bild();
        const QPointF px = graph.GraphZuPixel(g);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (bild.pixelColor(static_cast<int>(px.x()) + dx, static_cast<int>(px.y()) + dy) ==
                    farbe)
                    return true;
        return false;
    }
    using Art = ui::Graph::Plotart;
    // What QCustomPlot counts as its plottables and its items.
    std::size_t Kurvenzuege() { return graph.Plots(Art::Kurvenzug).size(); }
    std::size_t Elemente() {
        return graph.Plots().size() - Kurvenzuege() -
               graph.Plots(Art::Kurvenzug, ui::Graph::Ebene::Vorschau).size();
    }
    ui::Graph graph;
};

TEST_F(GraphTest, PlotsHabenEigeneHandlesUndWerdenEinzelnGeloescht) {
    const int a = graph.LinieZeichnen({0, 0}, {100, 100}, Qt::red);
    const int b = graph.PunktZeichnen({50, 50}, Qt::blue);
    const int c = graph.RechteckZeichnen({10, 10}, {20, 20}, Qt::green);
    const int d = graph.TextZeichnen({5, 5}, "1ms", Qt::yellow);
    EXPECT_NE(a, b);
    EXPECT_NE(b, c);
    EXPECT_NE(c, d);
    EXPECT_EQ(graph.AnzahlPlots(), 4);
    graph.PlotLoeschen(b);
    EXPECT_FALSE(graph.PlotVorhanden(b));
    EXPECT_TRUE(graph.PlotVorhanden(a));
    EXPECT_EQ(Kurvenzuege(), 0u);
    EXPECT_EQ(Elemente(), 3u);
    graph.PlotLoeschen(b);  // twice: nothing happens
    graph.PlotLoeschen(9999);
    EXPECT_EQ(graph.AnzahlPlots(), 3);
    graph.AllePlotsLoeschen();
    EXPECT_EQ(graph.AnzahlPlots(), 0);
    EXPECT_EQ(Elemente(), 0u);
    // Handles are not reused, so a stale one cannot delete a new plot.
    const int e = graph.PunktZeichnen({1, 1}, Qt::red);
    graph.PlotLoeschen(a);
    EXPECT_TRUE(graph.PlotVorhanden(e));
}

TEST_F(GraphTest, NaNMachtEineLueckeInEinerPolylinie) {
    // Two horizontal pieces at 50 in one plot, a gap from 40 to 60.
    graph.PolylinieZeichnen({0, 40, kNaN, 60, 100}, {50, 50, kNaN, 50, 50}, Qt::red);
    EXPECT_EQ(Kurvenzuege(), 1u);
    graph.Neuzeichnen();
    EXPECT_TRUE(FarbeNahe({20, 50}, Qt::red));
    EXPECT_TRUE(FarbeNahe({80, 50}, Qt::red));
    EXPECT_FALSE(FarbeNahe({50, 50}, Qt::red));
}

TEST_F(GraphTest, StufenHaltenDenWertBisZumNaechstenPunkt) {
    graph.PolylinieZeichnen({0, 50, 100}, {20, 80, 80}, Qt::blue, ui::Graph::Linienart::Stufen);
    graph.Neuzeichnen();
    EXPECT_TRUE(FarbeNahe({25, 20}, Qt::blue));   // held at 20 until x = 50
    EXPECT_FALSE(FarbeNahe({25, 50}, Qt::blue));  // no slope
    EXPECT_TRUE(FarbeNahe({50, 50}, Qt::blue));   // the vertical step
    EXPECT_TRUE(FarbeNahe({75, 80}, Qt::blue));
}

TEST_F(GraphTest, DiePunktfolgeBleibtAuchBeiGleichenZeiten) {
    // A vertical piece repeats its key; the plot must keep the given order.
    graph.PolylinieZeichnen({0, 50, 50, 100}, {10, 10, 90, 90}, Qt::red);
    const QVector<QPointF> g = graph.Plots(Art::Kurvenzug).at(0).punkte;
    ASSERT_EQ(g.size(), 4);
    EXPECT_EQ(g[1].y(), 10);
    EXPECT_EQ(g[2].y(), 90);
}

TEST_F(GraphTest, RechteckOhneFuellungIstNurEinRahmen) {
    graph.RechteckZeichnen({20, 20}, {80, 80}, Qt::green);
    graph.Neuzeichnen();
    EXPECT_TRUE(FarbeNahe({20, 50}, Qt::green));
    EXPECT_TRUE(FarbeNahe({50, 80}, Qt::green));
    EXPECT_FALSE(FarbeNahe({50, 50}, Qt::green));
}

TEST_F(GraphTest, VorschauLiegtAufEigenerGepufferterEbene) {
    const int kurve = graph.LinieZeichnen({0, 10}, {100, 10}, Qt::red);
    const int vorschau =
        graph.LinieZeichnen({0, 90}, {100, 90}, Qt::blue, ui::Graph::Ebene::Vorschau);
    EXPECT_TRUE(graph.EbeneGepuffert(ui::Graph::Ebene::Vorschau));
    EXPECT_EQ(graph.Plots(Art::Linie, ui::Graph::Ebene::Vorschau).size(), 1u);
    graph.Neuzeichnen();
    graph.EbeneLoeschen(ui::Graph::Ebene::Vorschau);
    EXPECT_FALSE(graph.PlotVorhanden(vorschau));
    EXPECT_TRUE(graph.PlotVorhanden(kurve));
    graph.VorschauNeuzeichnen();
    EXPECT_FALSE(FarbeNahe({50, 90}, Qt::blue));
    EXPECT_TRUE(FarbeNahe({50, 10}, Qt::red));
}

TEST_F(GraphTest, GeaenderteVorschauZeichnetNurIhreEbene) {
    const int linie = graph.PolylinieZeichnen({}, {}, Qt::blue, ui::Graph::Linienart::Linie, false,
                                              ui::Graph::Ebene::Vorschau);
    graph.LinieZeichnen({0, 10}, {100, 10}, Qt::red);
    graph.Neuzeichnen();
    QSignalSpy voll(&graph, &ui::Graph::vollNeugezeichnet);
    graph.PolylinieSetzen(linie, {0, 100}, {90, 90});
    graph.PlotZeigen(linie, true);
    graph.VorschauNeuzeichnen();
    EXPECT_EQ(voll.size(), 0);
    EXPECT_TRUE(FarbeNahe({50, 90}, Qt::blue));
    graph.PlotZeigen(linie, false);
    EXPECT_FALSE(graph.PlotSichtbar(linie));
    graph.VorschauNeuzeichnen();
    EXPECT_EQ(voll.size(), 0);
    EXPECT_FALSE(FarbeNahe({50, 90}, Qt::blue));
    // A plot added since the last drawing needs everything drawn again.
    graph.PunktZeichnen({50, 50}, Qt::blue, ui::Graph::Ebene::Vorschau);
    graph.VorschauNeuzeichnen();
    EXPECT_EQ(voll.size(), 1);
}

TEST_F(GraphTest, RechteckVerschieben) {
    const int r = graph.RechteckZeichnen({0, 0}, {10, 10}, Qt::green);
    graph.RechteckSetzen(r, {80, 20}, {20, 80});
    graph.Neuzeichnen();
    EXPECT_TRUE(FarbeNahe({20, 50}, Qt::green));
    EXPECT_TRUE(FarbeNahe({80, 50}, Qt::green));
    EXPECT_FALSE(FarbeNahe({5, 10}, Qt::green));
}

TEST_F(GraphTest, YBeschriftungInAnzeigeeinheitenMitRundenSchritten) {
    // Raw 0..4095 shown as 0..10 V: the labels are round volts, not round counts.
    graph.YBereichSetzen(0, 4095);
    graph.YAnzeigeSetzen(10.0 / 4095, 0);
    graph.Neuzeichnen();
    const QStringList labels = graph.YBeschriftungen();
    ASSERT_GE(labels.size(), 3);
    for (const QString& l : labels) {
        bool ok = false;
        const double v = l.toDouble(&ok);
        ASSERT_TRUE(ok) << l.toStdString();
        EXPECT_GE(v, -1e-9);
        EXPECT_LE(v, 10 + 1e-9);
        // Steps of 1, 2, 2.5 or 5 units (or tenths of them): a multiple of 0.5.
        EXPECT_NEAR(std::fmod(v * 2, 1.0), 0.0, 1e-9) << l.toStdString();
    }
    EXPECT_TRUE(labels.contains("0"));
    EXPECT_TRUE(labels.contains("10"));
}

TEST_F(GraphTest, YBeschriftungMitVersatzUndDezimalpunkt) {
    // -5 .. +5 over the raw range, decimal labels with a point whatever the locale.
    QLocale::setDefault(QLocale(QLocale::German));
    graph.YBereichSetzen(0, 4095);
    graph.YAnzeigeSetzen(1.0 / 4095, -0.5);
    graph.Neuzeichnen();
    const QStringList labels = graph.YBeschriftungen();
    QLocale::setDefault(QLocale::c());
    EXPECT_TRUE(labels.contains("0"));
    EXPECT_TRUE(labels.contains("-0.4") || labels.contains("-0.5"))
        << labels.join(' ').toStdString();
    for (const QString& l : labels)
        EXPECT_FALSE(l.contains(',')) << l.toStdString();
}

TEST_F(GraphTest, ZeitachseZeigtSchlichteRundeZahlenBeiJedemZoom) {
    // From a few µs to hours in µs: round steps, every label the plain tick value.
    const std::pair<double, double> bereiche[] = {
        {0, 10001}, {0, 2e6}, {123456, 3.07e10}, {1e9, 1e9 + 3}, {100.5, 101.7}};
    for (const auto& [von, bis] : bereiche) {
        graph.XBereichSetzen(von, bis);
        graph.Neuzeichnen();
        const QVector<double> ticks = graph.XMarken();
        const QVector<QString> labels = graph.XBeschriftungen();
        ASSERT_GE(ticks.size(), 2) << von << ".." << bis;
        const double schritt = ticks[1] - ticks[0];
        const double m = schritt / std::pow(10.0, std::floor(std::log10(schritt)));
        EXPECT_TRUE(QList<double>({1, 2, 2.5, 5}).contains(std::round(m * 10) / 10)) << schritt;
        for (int i = 0; i < ticks.size(); ++i) {
            const double wert = QString(labels[i]).remove(QChar(0x2009)).toDouble();
            EXPECT_NEAR(wert, ticks[i], schritt * 1e-6) << labels[i].toStdString();
            EXPECT_FALSE(labels[i].contains('e')) << labels[i].toStdString();
            // Large numbers in groups of three, parted by thin spaces.
            EXPECT_EQ(labels[i].contains(QChar(0x2009)), std::fabs(ticks[i]) >= 1e4);
        }
    }
}

TEST_F(GraphTest, PlotflaecheUndUmrechnung) {
    const QSize f = graph.Plotflaeche();
    EXPECT_GT(f.width(), 400);
    EXPECT_LT(f.width(), 600);
    EXPECT_GT(f.height(), 250);
    const QPointF p = graph.GraphZuPixel({25, 75});
    const QPointF zurueck = graph.PixelZuGraph(p);
    EXPECT_NEAR(zurueck.x(), 25, 1e-9);
    EXPECT_NEAR(zurueck.y(), 75, 1e-9);
}

TEST_F(GraphTest, DrueckenUndZiehenMeldenWertLoslassenMeldetCommit) {
    QSignalSpy gezogen(&graph, &ui::Graph::gezogen);
    QSignalSpy losgelassen(&graph, &ui::Graph::losgelassen);
    QWidget* flaeche = &graph;
    const QPoint a = graph.GraphZuPixel({20, 30}).toPoint();
    const QPoint b = graph.GraphZuPixel({60, 70}).toPoint();
    QTest::mousePress(flaeche, Qt::LeftButton, {}, a);
    ASSERT_EQ(gezogen.size(), 1);
    EXPECT_NEAR(gezogen[0][0].toDouble(), 20, 0.5);
    EXPECT_NEAR(gezogen[0][1].toDouble(), 30, 0.5);
    QMouseEvent bewegt(QEvent::MouseMove, b, flaeche->mapToGlobal(b), Qt::NoButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(flaeche, &bewegt);
    ASSERT_EQ(gezogen.size(), 2);
    EXPECT_NEAR(gezogen[1][0].toDouble(), 60, 0.5);
    EXPECT_EQ(losgelassen.size(), 0);
    QTest::mouseRelease(flaeche, Qt::LeftButton, {}, b);
    ASSERT_EQ(losgelassen.size(), 1);
    EXPECT_NEAR(losgelassen[0][0].toDouble(), 60, 0.5);
    EXPECT_NEAR(losgelassen[0][1].toDouble(), 70, 0.5);
}

TEST_F(GraphTest, ZiehenUeberDenRandBleibtImBereich) {
    QSignalSpy gezogen(&graph, &ui::Graph::gezogen);
    QSignalSpy losgelassen(&graph, &ui::Graph::losgelassen);
    QWidget* flaeche = &graph;
    QTest::mousePress(flaeche, Qt::LeftButton, {}, graph.GraphZuPixel({50, 50}).toPoint());
    const QPoint draussen(flaeche->width() - 1, 1);
    QTest::mouseRelease(flaeche, Qt::LeftButton, {}, draussen);
    ASSERT_EQ(losgelassen.size(), 1);
    EXPECT_LE(losgelassen[0][0].toDouble(), 100);
    EXPECT_LE(losgelassen[0][1].toDouble(), 100);
    EXPECT_GE(losgelassen[0][0].toDouble(), 90);
}

TEST_F(GraphTest, KlickAufDieAchseIstKeineGeste) {
    QSignalSpy gezogen(&graph, &ui::Graph::gezogen);
    QSignalSpy losgelassen(&graph, &ui::Graph::losgelassen);
    QTest::mouseClick(&graph, Qt::LeftButton, {}, QPoint(2, graph.height() - 2));
    QTest::mouseClick(&graph, Qt::RightButton, {}, graph.GraphZuPixel({50, 50}).toPoint());
    EXPECT_EQ(gezogen.size(), 0);
    EXPECT_EQ(losgelassen.size(), 0);
}

TEST_F(GraphTest, EigenesZiehenUndZoomenDerPlotBibliothekSindAus) {
    const double xmin = graph.XMin(), xmax = graph.XMax();
    const double ymin = graph.YMin(), ymax = graph.YMax();
    // A drag moves no axis.
    const QPoint a = graph.GraphZuPixel({20, 20}).toPoint();
    const QPoint b = graph.GraphZuPixel({80, 80}).toPoint();
    QTest::mousePress(&graph, Qt::LeftButton, {}, a);
    QMouseEvent bewegt(QEvent::MouseMove, b, graph.mapToGlobal(b), Qt::NoButton, Qt::LeftButton,
                       {});
    QApplication::sendEvent(&graph, &bewegt);
    QTest::mouseRelease(&graph, Qt::LeftButton, {}, b);
    EXPECT_EQ(graph.YMin(), ymin);
    EXPECT_EQ(graph.YMax(), ymax);
    QWheelEvent rad(graph.GraphZuPixel({50, 50}), graph.mapToGlobal(QPoint(300, 200)), {}, {0, 120},
                    Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QSignalSpy gedreht(&graph, &ui::Graph::rad);
    QApplication::sendEvent(&graph, &rad);
    EXPECT_EQ(graph.XMin(), xmin);
    EXPECT_EQ(graph.XMax(), xmax);
    ASSERT_EQ(gedreht.size(), 1);
    EXPECT_EQ(gedreht[0][0].toInt(), 1);
}

TEST_F(GraphTest, VieleSegmenteBleibenEinPlot) {
    QVector<double> x, y;
    for (int i = 0; i < 30704; ++i) {
        x << i << i + 1 << kNaN;
        y << i % 4096 << (i + 1) % 4096 << kNaN;
    }
    graph.PolylinieZeichnen(x, y, Qt::red);
    ASSERT_EQ(Kurvenzuege(), 1u);
    EXPECT_EQ(graph.Plots(Art::Kurvenzug)[0].punkte.size(), x.size());
}

}  // namespace
