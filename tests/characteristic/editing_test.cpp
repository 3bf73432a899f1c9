// Every editing operation with its checks and refusal texts, the grids, the
// move gesture, the mark, and the ten-step undo ring.

#include <gtest/gtest.h>

#include "characteristic/editing.h"
#include "characteristic_fixture.h"

namespace characteristic::test {
namespace {

// The input-2 display value (default scaling, volts) of x counts.
double XAnz(double x) {
    return x * 10.0 / 4095.0;
}

class Bearbeiten : public KennlinieTest {
  protected:
    // Points at X 0, 100 and 200.
    void Drei() { Setze({{0, 100, 0}, {1000, 100, 0}, {2000, 1, 0}}); }
};

TEST_F(Bearbeiten, PunktZeichnen) {
    EXPECT_EQ(PunktZeichnen(100.4, 2000.6, 0, 0).ausgang, Ausgang::Erledigt);
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{4095, 100, 0}, {2001, 1, 0}}));
    EXPECT_TRUE(gKennlinieGeaendert);
    // Left of the last point: one count after it.
    EXPECT_TRUE(PunktZeichnen(20, 7, 0, 0).geaendert());
    EXPECT_EQ(Punkte().back(), (Gerade{7, 1, 0}));
    EXPECT_EQ(Kennlinie_PunktX(2), 101);
    // With grids of 1 V: X steps of 409.5 counts, Y likewise.
    EXPECT_TRUE(PunktZeichnen(1000, 1000, 1.0, 1.0).geaendert());
    EXPECT_EQ(Kennlinie_PunktX(3), 819);
    EXPECT_EQ(Punkte().back().y, 819);
    // Left of the last point with a grid: the next grid position after it.
    EXPECT_TRUE(PunktZeichnen(500, 0, 1.0, 0).geaendert());
    EXPECT_EQ(Kennlinie_PunktX(4), 1229);
    const Zeichenvorschau v = PunktZeichnenVorschau(1500.2, 99.7, 0, 0);
    EXPECT_TRUE(v.zeigen);
    EXPECT_EQ(v.von.x, 1229);
    EXPECT_EQ(v.nach.x, 1500);
    EXPECT_EQ(v.nach.y, 100);
}

TEST_F(Bearbeiten, ZeichnenAmEndeTutNichtsUndZeigtNichts) {
    Setze({{0, 4095, 0}, {10, 1, 0}});
    gKennlinieGeaendert = false;
    const Ergebnis e = PunktZeichnen(4095, 10, 0, 0);
    EXPECT_EQ(e.ausgang, Ausgang::NichtsZuTun);
    EXPECT_TRUE(e.meldung.empty());
    EXPECT_FALSE(PunktZeichnenVorschau(5000, 10, 0, 0).zeigen);
    EXPECT_FALSE(gKennlinieGeaendert);
    EXPECT_FALSE(RueckgaengigMoeglich());
}

TEST_F(Bearbeiten, PunktLoeschen) {
    EXPECT_EQ(PunktLoeschen(0).meldung, "Letzter Punkt kann nicht gelöscht werden");
    struct Fall {
        int punkt;
        std::vector<Gerade> danach;
    };
    const Fall faelle[] = {
        {0, {{1000, 100, 0}, {2000, 1, 0}}},  // shifts left by L(0)
        {1, {{0, 200, 0}, {2000, 1, 0}}},     // merges, the rest stays put
        {2, {{0, 100, 0}, {1000, 1, 0}}},     // the new last point gets 1
    };
    for (const Fall& f : faelle) {
        Drei();
        EXPECT_TRUE(PunktLoeschen(f.punkt).geaendert());
        EXPECT_EQ(Punkte(), f.danach) << f.punkt;
        EXPECT_EQ(gKennlinie.anzahl, 2);
    }
}

TEST_F(Bearbeiten, GeradeTeilen) {
    Setze({{0, 1, 0}, {100, 1, 0}});
    EXPECT_EQ(GeradeTeilen(0.5).meldung,
              "Gerade kann nicht geteilt werden, da sie eine Länge \n von nur einer internen "
              "Rastereinheit hat.");
    Setze({{0, 10, 0}, {100, 1, 0}});
    EXPECT_EQ(GeradeTeilen(10).ausgang, Ausgang::NichtsZuTun);  // the last point's segment
    EXPECT_TRUE(GeradeTeilen(4).geaendert());
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{0, 4, 0}, {40, 6, 0}, {100, 1, 0}}));
    EXPECT_TRUE(GeradeTeilen(3.9).geaendert());  // e limited to 1..L-1
    EXPECT_EQ(Punkte()[1], (Gerade{30, 1, 0}));
}

TEST_F(Bearbeiten, Punktkoordinaten) {
    Drei();
    const Punktkoordinaten p = PunktkoordinatenHolen(1);
    EXPECT_EQ(p.titel, "Punkt 2");
    EXPECT_DOUBLE_EQ(p.x, XAnz(100));
    struct Fall {
        int punkt;
        double x, y;  // display units
        const char* meldung;
    };
    const Fall abgelehnt[] = {
        {0, XAnz(50), 0, "Der erste Punkt kann nicht auf der Zeitachse verschoben werden."},
        {1, XAnz(5000), 0, "Die angegebene X-Koordinate ist größer als der Maximalwert."},
        {1, XAnz(0), 0, "Die angegebene X-Koordinate ist zu klein"},
        {1, XAnz(200), 0, "Die angegebene X-Koordinate ist zu groß"},
        {1, XAnz(150), -1.0, "Y-Wert zu klein."},
        {1, XAnz(150), 11.0, "Y-Wert zu groß."},
    };
    for (const Fall& f : abgelehnt) {
        const Ergebnis e = PunktkoordinatenAendern(f.punkt, f.x, f.y);
        EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
        EXPECT_EQ(e.meldung.rfind(f.meldung, 0), 0u) << e.meldung;
    }
    EXPECT_FALSE(gKennlinieGeaendert);
    EXPECT_EQ(PunktkoordinatenAendern(0, 0.0, 0.0).ausgang, Ausgang::NichtsZuTun);
    EXPECT_TRUE(PunktkoordinatenAendern(1, XAnz(150), 5.0).geaendert());
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{0, 150, 0}, {2048, 50, 0}, {2000, 1, 0}}));
    EXPECT_TRUE(PunktkoordinatenAendern(2, XAnz(4095), 0.0).geaendert());
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{0, 150, 0}, {2048, 3945, 0}, {0, 1, 0}}));
}

TEST_F(Bearbeiten, VerschiebezielMitUndOhneRaster) {
    struct Fall {
        int punkt;
        double x, xRaster, ziel;
    };
    const Fall faelle[] = {
        {1, 150.3, 0, 150}, {1, 250, 0, 199},   {1, -20, 0, 1},     {2, 5000, 0, 4095},
        {0, 50, 0, 0},      {1, 150, 0.1, 164}, {1, 190, 0.1, 164},
    };
    for (const Fall& f : faelle) {
        Drei();
        EXPECT_EQ(PunktVerschiebenZiel(f.punkt, f.x, 3000, f.xRaster, 0).ziel.x, f.ziel)
            << f.punkt << " " << f.x;
    }
    // No grid point between the neighbours: the point keeps its X.
    Setze({{0, 10, 0}, {5, 10, 0}, {9, 1, 0}});
    EXPECT_EQ(PunktVerschiebenZiel(1, 12, 0, 0.1, 0).ziel.x, 10);
}

TEST_F(Bearbeiten, VerschiebenAlsGeste) {
    Drei();
    gKennlAnsichtEnde = 299;  // 300 counts over 300 pixels
    const Verschiebeziel z = VerschiebenZiehen(105, 900, 0, 0, 300, 4095);
    EXPECT_EQ(gKennlVerschiebePunkt, 1);
    EXPECT_TRUE(z.mitVorher && z.mitNachher);
    // Further drags keep the point, wherever the mouse goes.
    EXPECT_EQ(VerschiebenZiehen(190, 0, 0, 0, 300, 4095).punkt, 1);
    EXPECT_TRUE(VerschiebenLoslassen(150, 3000.4, 0, 0, 300, 4095).geaendert());
    EXPECT_TRUE(gKennlVerschiebenNeu);
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{0, 150, 0}, {3000, 50, 0}, {2000, 1, 0}}));
    // The first point moves only in value; the last one changes X(last).
    EXPECT_TRUE(PunktVerschieben(0, 80, 10, 0, 0).geaendert());
    EXPECT_EQ(Punkte()[0], (Gerade{10, 150, 0}));
    EXPECT_TRUE(PunktVerschieben(2, 5000, 10, 0, 0).geaendert());
    EXPECT_EQ(Kennlinie_PunktX(2), 4095);
}

TEST_F(Bearbeiten, ZwoelfSchritteZehnZurueck) {
    for (int i = 1; i <= 12; ++i)
        ASSERT_TRUE(PunktZeichnen(10.0 * i, i, 0, 0).geaendert());
    const std::vector<Gerade> bearbeitet = Punkte();
    gKennlinieGeaendert = false;
    int zurueck = 0;
    while (Kennlinie_Rueckgaengig().geaendert())
        ++zurueck;
    EXPECT_EQ(zurueck, 10);
    EXPECT_EQ(gKennlinie.anzahl, 3);  // the state after the second edit
    EXPECT_FALSE(gKennlinieGeaendert);
    EXPECT_FALSE(RueckgaengigMoeglich());
    EXPECT_TRUE(Kennlinie_Wiederherstellen().geaendert());
    EXPECT_EQ(gKennlinie.anzahl, 4);
    while (Kennlinie_Wiederherstellen().geaendert()) {
    }
    EXPECT_EQ(Punkte(), bearbeitet);
    EXPECT_FALSE(WiederherstellenMoeglich());
}

TEST_F(Bearbeiten, Markieren) {
    MarkierungZiehen(10.4);
    MarkierungZiehen(30.6);
    EXPECT_EQ(gKennlMarkierungEnde, 31);
    MarkierungBeenden(5);
    EXPECT_EQ(gKennlMarkierungStart, 5);
    EXPECT_EQ(gKennlMarkierungEnde, 10);
    MarkierungZiehen(7);  // a new gesture
    EXPECT_EQ(gKennlMarkierungStart, 7);
    MarkierungEntfernen();
    EXPECT_FALSE(gKennlMarkierungAktiv);
    AllesMarkieren();
    EXPECT_TRUE(gKennlMarkierungAktiv);
    EXPECT_EQ(gKennlMarkierungEnde, 4095);
}

}  // namespace
}  // namespace characteristic::test
