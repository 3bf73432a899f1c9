#include "curves/editing.h"

#include <gtest/gtest.h>

#include "curve_fixture.h"

namespace curves {
namespace {

using test::KurvenTest;

// Ticks: 1 "1ms", 2 "2ms", 3 "5ms", 4 "10ms", 5 "50ms", 6 "100ms", 7 "500ms", 8 "1s".

// ---- undo and redo -----------------------------------------------------------

class UndoTest : public KurvenTest {};

TEST_F(UndoTest, ElfBearbeitungenZehnRueckgaengig) {
    std::vector<std::vector<Gerade>> staende{Geraden()};
    for (int i = 1; i <= 11; ++i) {
        ASSERT_TRUE(PunktZeichnen(i * 10000.0, i, 4, 0).geaendert());
        staende.push_back(Geraden());
    }
    EXPECT_EQ(gUndoAnzahl[0], 10);
    for (int i = 1; i <= 10; ++i) {
        ASSERT_TRUE(RueckgaengigMoeglich());
        ASSERT_TRUE(Kurve_Rueckgaengig().geaendert());
        EXPECT_EQ(Geraden(), staende[static_cast<std::size_t>(11 - i)]) << i;
    }
    EXPECT_FALSE(RueckgaengigMoeglich());
    const Ergebnis elftes = Kurve_Rueckgaengig();
    EXPECT_EQ(elftes.ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(Geraden(), staende[1]);  // the first edit stays: it was overwritten
    EXPECT_EQ(gRedoAnzahl[0], 10);
    EXPECT_TRUE(WiederherstellenMoeglich());
}

TEST_F(UndoTest, WiederherstellenGehtDieSchritteVorwaerts) {
    PunktZeichnen(10000, 100, 4, 0);
    const auto nachEins = Geraden();
    PunktZeichnen(20000, 200, 4, 0);
    const auto nachZwei = Geraden();
    Kurve_Rueckgaengig();
    Kurve_Rueckgaengig();
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 1, 4}}));
    ASSERT_TRUE(Kurve_Wiederherstellen().geaendert());
    EXPECT_EQ(Geraden(), nachEins);
    ASSERT_TRUE(Kurve_Wiederherstellen().geaendert());
    EXPECT_EQ(Geraden(), nachZwei);
    EXPECT_FALSE(WiederherstellenMoeglich());
    EXPECT_EQ(Kurve_Wiederherstellen().ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(gUndoAnzahl[0], 2);
    PruefeAnzahl();
}

TEST_F(UndoTest, BearbeitungNachRueckgaengigLoeschtWiederherstellen) {
    PunktZeichnen(10000, 100, 4, 0);
    PunktZeichnen(20000, 200, 4, 0);
    Kurve_Rueckgaengig();
    Kurve_Rueckgaengig();
    EXPECT_EQ(gRedoAnzahl[0], 2);
    PunktZeichnen(50000, 300, 4, 0);
    EXPECT_EQ(gRedoAnzahl[0], 0);
    EXPECT_FALSE(WiederherstellenMoeglich());
    EXPECT_EQ(gUndoAnzahl[0], 1);
}

TEST_F(UndoTest, RueckgaengigUndWiederherstellenMeldenAenderung) {
    PunktZeichnen(10000, 100, 4, 0);
    gKurvenGeaendert = false;  // as after a save
    Kurve_Rueckgaengig();
    EXPECT_TRUE(gKurvenGeaendert);
    gKurvenGeaendert = false;
    Kurve_Wiederherstellen();
    EXPECT_TRUE(gKurvenGeaendert);
}

TEST_F(UndoTest, JedeKurveHatIhreGeschichte) {
    PunktZeichnen(10000, 100, 4, 0);
    gAktuelleKurve = 1;
    EXPECT_FALSE(RueckgaengigMoeglich());
    PunktZeichnen(30000, 4000, 4, 0);
    gAktuelleKurve = 0;
    EXPECT_EQ(gUndoAnzahl[0], 1);
    EXPECT_EQ(gUndoAnzahl[1], 1);
    Kurve_Rueckgaengig();
    EXPECT_EQ(Geraden(0), (std::vector<Gerade>{{0, 1, 4}}));
    EXPECT_EQ(Geraden(1).size(), 2u);
}

TEST_F(UndoTest, NurSegmenteWerdenGetauscht) {
    PunktZeichnen(10000, 100, 4, 0);
    gKurven[0].kommentar = "bleibt";
    gZyklen[0] = 5;
    gRuhezustand[0] = 77;
    Kurve_Rueckgaengig();
    EXPECT_EQ(gKurven[0].kommentar, "bleibt");
    EXPECT_EQ(gZyklen[0], 5);
    EXPECT_EQ(gRuhezustand[0], 77);
}

TEST_F(UndoTest, SichernSetztFlagUndZaehler) {
    EXPECT_TRUE(Kurve_UndoSichern().empty());
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    EXPECT_EQ(gUndoPosition[0], 1);
    for (int i = 0; i < 9; ++i)
        Kurve_UndoSichern();
    EXPECT_EQ(gUndoPosition[0], 0);  // 10 wraps to 0
    EXPECT_EQ(gUndoAnzahl[0], 10);
}

// ---- draw point ------------------------------------------------------------------

class ZeichnenTest : public KurvenTest {};

TEST_F(ZeichnenTest, ZeichnenBei25000MitZehnMs) {
    const Ergebnis e = PunktZeichnen(25000, 2000, 4, 0);
    ASSERT_TRUE(e.geaendert());
    EXPECT_TRUE(e.meldung.empty());
    ASSERT_EQ(Geraden().size(), 2u);
    EXPECT_EQ(Geraden()[0], (Gerade{0, 3, 4}));  // q = 2.5 -> 3
    EXPECT_EQ(Geraden()[1], (Gerade{2000, 1, 4}));
    EXPECT_EQ(Kurve_Dauer(0), 40000.0);
    EXPECT_TRUE(gKurvenGeaendert);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    PruefeAnzahl();
}

TEST_F(ZeichnenTest, SiebzigSekundenMitEinerMsAbgelehnt) {
    const auto vorher = Geraden();
    const Ergebnis e = PunktZeichnen(70e6, 100, 1, 0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Gerade zu lang!\nWählen Sie eine größere Zeiteinheit.");
    EXPECT_EQ(Geraden(), vorher);
    EXPECT_EQ(gUndoAnzahl[0], 0);
    EXPECT_FALSE(gKurvenGeaendert);
    // 65535 ticks are still allowed.
    EXPECT_TRUE(PunktZeichnen(65535000, 100, 1, 0).geaendert());
    EXPECT_EQ(Geraden()[0].laenge, 65535);
}

TEST_F(ZeichnenTest, KlickLinksVomLetztenPunktGibtEinenTick) {
    PunktZeichnen(50000, 100, 4, 0);  // last point at 50000
    PunktZeichnen(10, 200, 2, 0);
    ASSERT_EQ(Geraden().size(), 3u);
    EXPECT_EQ(Geraden()[1], (Gerade{100, 1, 2}));
    EXPECT_EQ(Geraden()[2], (Gerade{200, 1, 2}));
}

TEST_F(ZeichnenTest, WertWirdGerastertUndBegrenzt) {
    PunktZeichnen(10000, 5000, 4, 0);
    EXPECT_EQ(Geraden().back().y, 4095);
    PunktZeichnen(20000, 400, 4, 1.0);  // 1 V grid: 409.5 counts
    EXPECT_EQ(Geraden().back().y, 410);
}

TEST_F(ZeichnenTest, VorschauZeigtDenPunktDerLoslassens) {
    PunktZeichnen(30000, 1000, 4, 0);  // last point at 30000
    const Vorschau v = PunktZeichnenVorschau(54000, 700.4, 3, 0);
    EXPECT_EQ(v.von.t, 30000);
    EXPECT_EQ(v.von.y, 1000);
    EXPECT_EQ(v.nach.t, 30000 + 5000 * 5);  // 4.8 ticks -> 5
    EXPECT_EQ(v.nach.y, 700);
    const Vorschau links = PunktZeichnenVorschau(0, 0, 3, 0);
    EXPECT_EQ(links.nach.t, 35000);  // at least one tick
    // The release gives what the preview showed.
    PunktZeichnen(54000, 700.4, 3, 0);
    EXPECT_EQ(Kurve_Startzeit(2), v.nach.t);
    EXPECT_EQ(Geraden()[2].y, 700);
}

// ---- move point -----------------------------------------------------------------------

class VerschiebenTest : public KurvenTest {};

TEST_F(VerschiebenTest, MittlererPunktBehaeltGesamtdauer) {
    Setze({{0, 5, 4}, {1000, 5, 4}, {2000, 1, 4}});
    const double dauer = Kurve_Dauer(0);
    const Ergebnis e = PunktVerschieben(1, 32000, 1500, 0);
    ASSERT_TRUE(e.geaendert());
    EXPECT_EQ(Geraden()[0].laenge, 3);
    EXPECT_EQ(Geraden()[1].laenge, 7);
    EXPECT_EQ(Geraden()[1].y, 1500);
    EXPECT_EQ(Kurve_Dauer(0), dauer);
    EXPECT_EQ(gUndoAnzahl[0], 1);
}

TEST_F(VerschiebenTest, LetzterPunktAendertDieDauer) {
    Setze({{0, 5, 4}, {1000, 1, 4}});
    ASSERT_TRUE(PunktVerschieben(1, 81000, 1000, 0).geaendert());
    EXPECT_EQ(Geraden()[0].laenge, 8);
    EXPECT_EQ(Geraden()[1].laenge, 1);
    EXPECT_EQ(Kurve_Dauer(0), 90000.0);
}

TEST_F(VerschiebenTest, ErsterPunktNurImWert) {
    Setze({{0, 5, 4}, {1000, 1, 4}});
    const Verschiebeziel z = PunktVerschiebenZiel(0, 23000, 333.3, 0);
    EXPECT_EQ(z.ziel.t, 0);
    EXPECT_EQ(z.ziel.y, 333);
    ASSERT_TRUE(PunktVerschieben(0, 23000, 333.3, 0).geaendert());
    EXPECT_EQ(Geraden()[0], (Gerade{333, 5, 4}));
    EXPECT_EQ(gUndoAnzahl[0], 1);
}

TEST_F(VerschiebenTest, ZielBleibtZwischenDenNachbarn) {
    Setze({{0, 5, 4}, {1000, 5, 4}, {2000, 1, 4}});
    // Dragged far to the right of the next point: one tick before it.
    Verschiebeziel z = PunktVerschiebenZiel(1, 200000, 0, 0);
    EXPECT_EQ(z.ziel.t, 90000);
    EXPECT_EQ(z.vorher, 0);
    EXPECT_EQ(z.nachher, 2);
    EXPECT_TRUE(z.mitNachher);
    // Dragged left of the previous point: one tick after it.
    z = PunktVerschiebenZiel(1, -5000, 0, 0);
    EXPECT_EQ(z.ziel.t, 10000);
    // The last point has no next line in the preview.
    EXPECT_FALSE(PunktVerschiebenZiel(2, 0, 0, 0).mitNachher);
}

TEST_F(VerschiebenTest, GroeberesRasterEntscheidet) {
    // prev "1s", i "10ms": prev's coarser raster, anchored at prev's point.
    Setze({{0, 1, 8}, {0, 50, 4}, {0, 1, 4}});
    const Verschiebeziel z = PunktVerschiebenZiel(1, 1234567, 0, 0);
    EXPECT_EQ(z.ziel.t, 1000000);
    Setze({{0, 100, 4}, {0, 2, 8}, {0, 1, 4}});
    // i "1s" coarser than prev "10ms": anchored at next (3 s).
    const Verschiebeziel w = PunktVerschiebenZiel(1, 1400000, 0, 0);
    EXPECT_EQ(w.ziel.t, 3000000 - 2000000);
}

TEST_F(VerschiebenTest, ZuLangeGeradeAbgelehnt) {
    Setze({{0, 65535, 1}, {100, 1, 1}});
    const auto vorher = Geraden();
    const Ergebnis e = PunktVerschieben(1, 65535000 + 5000, 100, 0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Resultierende Gerade ist zu lang!");
    EXPECT_EQ(Geraden(), vorher);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

TEST_F(VerschiebenTest, DauerNichtErhaltbarIstUnvorhergesehen) {
    // prev "2ms" length 5 (10 ms), i "5ms" length 2 (10 ms): the point's raster
    // is 5 ms from next; at 15 ms prev would need 7.5 ticks.
    Setze({{0, 5, 2}, {0, 2, 3}, {0, 1, 3}});
    const Ergebnis e = PunktVerschieben(1, 15000, 0, 0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Unvorhergesehene Operation.");
}

// ---- point coordinates ---------------------------------------------------------------------

class KoordinatenTest : public KurvenTest {};

TEST_F(KoordinatenTest, DialogZeigtZeitUndWert) {
    Setze({{0, 3723, 8}, {4095, 1, 4}});
    const Punktkoordinaten p = PunktkoordinatenHolen(1);
    EXPECT_EQ(p.titel, "Punkt 2");
    EXPECT_EQ(p.zeit.stunden, 1);
    EXPECT_EQ(p.zeit.minuten, 2);
    EXPECT_EQ(p.zeit.sekunden, 3);
    EXPECT_EQ(p.zeit.millisekunden, 0);
    EXPECT_DOUBLE_EQ(p.wert, 10.0);
}

TEST_F(KoordinatenTest, ZweiUndFuenfMsNachbarnVerschoben) {
    // prev "2ms" 10 ticks (20 ms), i "5ms" 4 ticks (20 ms).
    Setze({{0, 10, 2}, {500, 4, 3}, {0, 1, 3}});
    const Ergebnis e = PunktkoordinatenAendern(1, 25000, RohZuAnzeige(0, 500));
    ASSERT_TRUE(e.geaendert());
    EXPECT_EQ(Geraden()[0].laenge, 12);  // 10 + 2.5, truncated
    EXPECT_EQ(Geraden()[1].laenge, 3);
    EXPECT_EQ(Geraden()[1].y, 500);
    EXPECT_EQ(gUndoAnzahl[0], 1);
}

TEST_F(KoordinatenTest, ErsterPunktNichtInDerZeit) {
    Setze({{0, 10, 2}, {500, 1, 2}});
    const Ergebnis e = PunktkoordinatenAendern(0, 2000, 0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Der erste Punkt kann nicht auf der Zeitachse verschoben werden.");
}

TEST_F(KoordinatenTest, ZeitAusserhalbDesRastersOderDerNachbarn) {
    Setze({{0, 10, 2}, {500, 4, 3}, {0, 1, 3}});
    const auto vorher = Geraden();
    const double w = RohZuAnzeige(0, 500);
    EXPECT_EQ(PunktkoordinatenAendern(1, 22000, w).meldung,
              "Die angegebene Zeitkoordinate paßt nicht ins Zeitraster \n(Der Punkt muß ins "
              "Zeitraster der vorherigen und der folgenden Gerade passen).");
    EXPECT_EQ(PunktkoordinatenAendern(1, 0, w).meldung,
              "Die angegebene Zeitkoordinate ist zu klein \n(Der Punkt kann nicht auf eine Zeit "
              "kleiner oder gleich der \ndes vorherigen Punktes verschoben werden).");
    EXPECT_EQ(PunktkoordinatenAendern(1, 40000, w).meldung,
              "Die angegebene Zeitkoordinate ist zu groß \n(Der Punkt kann nicht auf eine Zeit "
              "größer oder gleich der \ndes nächsten Punktes verschoben werden).");
    EXPECT_EQ(Geraden(), vorher);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

TEST_F(KoordinatenTest, ZuLangeNachbargeradeAbgelehnt) {
    Setze({{0, 65530, 1}, {0, 1, 1}});
    const Ergebnis e = PunktkoordinatenAendern(1, 65540000, 0);
    EXPECT_EQ(e.meldung,
              "Das verschieben des Punktes hätte eine zu lange Gerade zur Folge. \nWählen Sie "
              "für die angrenzenden Geraden eine größere Zeitbasis.");
}

TEST_F(KoordinatenTest, NachbarOhneGanzenTickWirdAbgelehnt) {
    // prev "2ms" 3 ticks (6 ms), i "5ms": 5 ms earlier would leave prev 0.5
    // ticks, truncated to none.
    Setze({{0, 3, 2}, {0, 4, 3}, {0, 1, 3}});
    const auto vorher = Geraden();
    const Ergebnis e = PunktkoordinatenAendern(1, 1000, 0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(Geraden(), vorher);
    // i "2ms" 3 ticks after a "5ms": 5 ms later leaves i 0.5 ticks.
    Setze({{0, 4, 3}, {0, 3, 2}, {0, 1, 2}});
    EXPECT_EQ(PunktkoordinatenAendern(1, 25000, 0).ausgang, Ausgang::Abgelehnt);
    for (const Gerade& g : Geraden())
        EXPECT_GE(g.laenge, 1);
}

TEST_F(KoordinatenTest, WertGrenzen) {
    Setze({{0, 10, 2}, {500, 1, 2}});
    Ergebnis e = PunktkoordinatenAendern(1, 20000, -1.0);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Y-Wert zu klein.");
    e = PunktkoordinatenAendern(1, 20000, 11.0);
    EXPECT_EQ(e.meldung, "Y-Wert zu groß.");
    EXPECT_EQ(gUndoAnzahl[0], 0);
    e = PunktkoordinatenAendern(1, 20000, 10.0);
    ASSERT_TRUE(e.geaendert());
    EXPECT_EQ(Geraden()[1].y, 4095);
}

TEST_F(KoordinatenTest, ZeitUndWertEinSchritt) {
    Setze({{0, 10, 2}, {500, 1, 2}});
    ASSERT_TRUE(PunktkoordinatenAendern(1, 30000, 5.0).geaendert());
    EXPECT_EQ(gUndoAnzahl[0], 1);
    EXPECT_EQ(Geraden()[0].laenge, 15);
    EXPECT_EQ(Geraden()[1].y, 2048);  // 2047.5 + 0.5 truncated
}

TEST_F(KoordinatenTest, UnveraendertIstNichtsZuTun) {
    Setze({{0, 10, 2}, {500, 1, 2}});
    EXPECT_EQ(PunktkoordinatenAendern(1, 20000, RohZuAnzeige(0, 500)).ausgang,
              Ausgang::NichtsZuTun);
    EXPECT_FALSE(gKurvenGeaendert);
}

// ---- delete point -----------------------------------------------------------------------------

class PunktLoeschenTest : public KurvenTest {};

TEST_F(PunktLoeschenTest, PunktNullEinerZweipunktkurve) {
    Setze({{0, 3, 4}, {700, 1, 2}});
    ASSERT_TRUE(PunktLoeschen(0).geaendert());
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{700, 1, 2}}));
    PruefeAnzahl();
}

TEST_F(PunktLoeschenTest, MittlererPunktVerschmilzt) {
    Setze({{0, 3, 4}, {700, 4, 4}, {100, 1, 4}});
    const double dauer = Kurve_Dauer(0);
    ASSERT_TRUE(PunktLoeschen(1).geaendert());
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 7, 4}, {100, 1, 4}}));
    EXPECT_EQ(Kurve_Dauer(0), dauer);
}

TEST_F(PunktLoeschenTest, LetzterPunktMachtVorgaengerZumSchluss) {
    Setze({{0, 3, 4}, {700, 4, 4}, {100, 1, 4}});
    ASSERT_TRUE(PunktLoeschen(2).geaendert());
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{0, 3, 4}, {700, 1, 4}}));
}

TEST_F(PunktLoeschenTest, Ablehnungen) {
    EXPECT_EQ(PunktLoeschen(0).meldung, "Letzter Punkt kann nicht gelöscht werden");
    Setze({{0, 3, 4}, {700, 4, 3}, {100, 1, 3}});
    EXPECT_EQ(PunktLoeschen(1).meldung,
              "Punkt kann nicht gelöscht werden, da die beiden angrenzenden \nGeraden "
              "unterschiedliche Zeitbasen haben. \nWandeln Sie die Zeitbasis von einer der "
              "Geraden in die der anderen um.");
    Setze({{0, 60000, 1}, {700, 5536, 1}, {100, 1, 1}});
    EXPECT_EQ(PunktLoeschen(1).meldung,
              "Punkt kann nicht gelöscht werden, da die resultierende \nGerade zu lang wäre. "
              "\nWandeln Sie die Geraden in eine größere Zeitbasis um.");
    EXPECT_EQ(gUndoAnzahl[0], 0);
    Setze({{0, 60000, 1}, {700, 5535, 1}, {100, 1, 1}});
    EXPECT_TRUE(PunktLoeschen(1).geaendert());
}

// ---- split segment ---------------------------------------------------------------------------

class TeilenTest : public KurvenTest {};

TEST_F(TeilenTest, BeiTickDreiLiegtDerPunktAufDerGeraden) {
    Setze({{0, 10, 1}, {4095, 1, 1}});
    ASSERT_TRUE(GeradeTeilen(3000).geaendert());
    ASSERT_EQ(Geraden().size(), 3u);
    EXPECT_EQ(Geraden()[0], (Gerade{0, 3, 1}));
    EXPECT_EQ(Geraden()[1], (Gerade{1228, 7, 1}));  // 4095 * 3 / 10 = 1228.5
    EXPECT_EQ(Kurve_Dauer(0), 11000.0);
    PruefeAnzahl();
}

TEST_F(TeilenTest, TeilpunktWirdInDieGeradeGezogen) {
    Setze({{0, 10, 1}, {1000, 1, 1}});
    GeradeTeilen(200);  // rounds to tick 0, limited to 1
    EXPECT_EQ(Geraden()[0].laenge, 1);
    EXPECT_EQ(Geraden()[1], (Gerade{100, 9, 1}));
    Setze({{0, 10, 1}, {1000, 1, 1}});
    GeradeTeilen(9900);  // limited to 9
    EXPECT_EQ(Geraden()[0].laenge, 9);
    EXPECT_EQ(Geraden()[1].laenge, 1);
}

TEST_F(TeilenTest, SchlussgeradeUndEinTick) {
    EXPECT_EQ(GeradeTeilen(0).ausgang, Ausgang::NichtsZuTun);
    Setze({{0, 1, 1}, {1000, 1, 1}});
    const Ergebnis e = GeradeTeilen(500);
    EXPECT_EQ(e.meldung,
              "Gerade kann nicht geteilt werden, da sie eine Länge \n von nur einer Zeiteinheit "
              "hat.");
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

// ---- change timebase ---------------------------------------------------------------------------

class ZeitbasisTest : public KurvenTest {};

TEST_F(ZeitbasisTest, DreissigMsNachFuenfzigAbgelehntNachFuenfSechs) {
    Setze({{0, 3, 4}, {100, 2, 4}, {0, 1, 4}});
    const Ergebnis e = ZeitbasisAendern(100, 5);
    EXPECT_EQ(e.ausgang, Ausgang::Abgelehnt);
    EXPECT_EQ(e.meldung, "Die Länge der Gerade läßt sich nicht durch die \nneue Zeitbasis teilen.");
    ASSERT_TRUE(ZeitbasisAendern(100, 3).geaendert());
    EXPECT_EQ(Geraden()[0], (Gerade{0, 6, 3}));
    EXPECT_EQ(Geraden()[2].zeitbasis, 4);  // not the last drawn segment
    EXPECT_EQ(gUndoAnzahl[0], 1);
}

TEST_F(ZeitbasisTest, LetzteGezeichneteNimmtSchlussgeradeMit) {
    Setze({{0, 3, 4}, {100, 1, 4}});
    ASSERT_TRUE(ZeitbasisAendern(100, 1).geaendert());
    EXPECT_EQ(Geraden()[0], (Gerade{0, 30, 1}));
    EXPECT_EQ(Geraden()[1].zeitbasis, 1);
}

TEST_F(ZeitbasisTest, ZuLangAbgelehnt) {
    Setze({{0, 7000, 5}, {100, 1, 5}});  // 350 s
    EXPECT_EQ(ZeitbasisAendern(0, 2).meldung,
              "Zeitbasis kann nicht umgewandelt werden. \nDie entstehende Gerade wäre zu lang.");
}

TEST_F(ZeitbasisTest, GleicheZeitbasisNichtsZuTun) {
    Setze({{0, 3, 4}, {100, 1, 4}});
    EXPECT_EQ(ZeitbasisAendern(0, 4).ausgang, Ausgang::NichtsZuTun);
    EXPECT_FALSE(gKurvenGeaendert);
}

TEST_F(ZeitbasisTest, SchlussgeradeOhneUndoAberGeaendert) {
    Setze({{0, 3, 4}, {100, 1, 4}});
    ASSERT_TRUE(ZeitbasisAendern(30500, 8).geaendert());
    EXPECT_EQ(Geraden()[1], (Gerade{100, 1, 8}));
    EXPECT_EQ(gUndoAnzahl[0], 0);
    EXPECT_TRUE(gKurvenGeaendert);
    // Beyond the curve's end nothing happens.
    gKurvenGeaendert = false;
    EXPECT_EQ(ZeitbasisAendern(1e9, 1).ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(Geraden()[1].zeitbasis, 8);
    EXPECT_FALSE(gKurvenGeaendert);
}

// ---- change segment length
// ------------------------------------------------------------------------

class LaengeTest : public KurvenTest {};

TEST_F(LaengeTest, DialogUndAenderung) {
    Setze({{0, 3, 4}, {100, 2, 4}, {0, 1, 4}});
    const Geradenlaenge g = GeradenlaengeHolen(35000);
    EXPECT_EQ(g.gerade, 1);
    EXPECT_EQ(g.titel, "Gerade 2");
    EXPECT_EQ(g.dauer.millisekunden, 20);
    ASSERT_TRUE(GeradenlaengeAendern(1, 70000).geaendert());
    EXPECT_EQ(Geraden()[1].laenge, 7);
    EXPECT_EQ(Kurve_Dauer(0), 30000 + 70000 + 10000);
    EXPECT_EQ(gUndoAnzahl[0], 0);  // no undo step for this one
    EXPECT_TRUE(gKurvenGeaendert);
}

TEST_F(LaengeTest, SchlussgeradeNicht) {
    Setze({{0, 3, 4}, {100, 1, 4}});
    EXPECT_EQ(GeradenlaengeHolen(30000).gerade, -1);
    EXPECT_EQ(GeradenlaengeAendern(1, 50000).ausgang, Ausgang::NichtsZuTun);
}

TEST_F(LaengeTest, Ablehnungen) {
    Setze({{0, 3, 4}, {100, 1, 4}});
    EXPECT_EQ(GeradenlaengeAendern(0, 25000).meldung,
              "Die Länge der Geraden muß durch ihre Zeitbasis teilbar sein.");
    EXPECT_EQ(GeradenlaengeAendern(0, 65536 * 10000.0).meldung,
              "Die neue Länge der Geraden ist zu groß. \nWählen Sie eine größere Zeitbasis.");
    EXPECT_EQ(GeradenlaengeAendern(0, 0).meldung, "Die neue Länge der Geraden ist zu klein.");
    EXPECT_EQ(GeradenlaengeAendern(0, -10000).meldung, "Die neue Länge der Geraden ist zu klein.");
    EXPECT_EQ(Geraden()[0].laenge, 3);
    EXPECT_FALSE(gKurvenGeaendert);
}

// ---- mark --------------------------------------------------------------------------------------

class MarkierenTest : public KurvenTest {};

TEST_F(MarkierenTest, ZiehenUndLoslassen) {
    MarkierungBeginnen(1000.4);
    EXPECT_TRUE(gMarkierungAktiv);
    EXPECT_EQ(gMarkierungStart, 1000);
    EXPECT_EQ(gMarkierungEnde, 1000);
    MarkierungZiehen(5000.6);
    EXPECT_EQ(gMarkierungEnde, 5001);
    MarkierungBeenden(7000);
    EXPECT_EQ(gMarkierungStart, 1000);
    EXPECT_EQ(gMarkierungEnde, 7000);
}

TEST_F(MarkierenTest, NachLinksGezogenWirdVertauscht) {
    MarkierungBeginnen(5000);
    MarkierungZiehen(2000);
    MarkierungBeenden(2000.2);
    EXPECT_EQ(gMarkierungStart, 2000);
    EXPECT_EQ(gMarkierungEnde, 5000);
}

TEST_F(MarkierenTest, MarkierteGeradenLiegenGanzDarin) {
    Setze({{0, 1, 4}, {0, 1, 4}, {0, 1, 4}, {0, 1, 4}});  // points 0, 10k, 20k, 30k
    MarkierungBeginnen(5000);
    MarkierungBeenden(30000);
    Bereich r = MarkierteGeraden();
    EXPECT_EQ(r.von, 1);
    EXPECT_EQ(r.bis, 2);
    MarkierungBeginnen(10000);
    MarkierungBeenden(29999);
    r = MarkierteGeraden();
    EXPECT_EQ(r.von, 1);
    EXPECT_EQ(r.bis, 1);
    MarkierungBeginnen(11000);
    MarkierungBeenden(19000);
    EXPECT_TRUE(MarkierteGeraden().leer());
    MarkierungEntfernen();
    EXPECT_FALSE(gMarkierungAktiv);
    EXPECT_TRUE(MarkierteGeraden().leer());
}

TEST_F(MarkierenTest, AllesMarkierenLaesstSchlussgerade) {
    Setze({{0, 1, 4}, {0, 1, 4}, {0, 1, 4}});
    AllesMarkieren();
    EXPECT_EQ(gMarkierungStart, 0);
    EXPECT_EQ(gMarkierungEnde, 30000);
    const Bereich r = MarkierteGeraden();
    EXPECT_EQ(r.von, 0);
    EXPECT_EQ(r.bis, 1);
}

// ---- clipboard
// ------------------------------------------------------------------------------------

class ZwischenablageTest : public KurvenTest {
  protected:
    void SetUp() override {
        KurvenTest::SetUp();
        // Points at 0, 10k, 30k, 60k; closing segment at 60k.
        Setze({{10, 1, 4}, {20, 2, 4}, {30, 3, 4}, {40, 1, 4}});
    }
};

TEST_F(ZwischenablageTest, KopierenLaesstKurve) {
    const auto vorher = Geraden();
    MarkierungBeginnen(10000);
    MarkierungBeenden(60000);
    ASSERT_EQ(Kopieren().code, 0);
    EXPECT_EQ(Geraden(), vorher);
    EXPECT_EQ(gZwischenspeicher.anzahl, 2);
    EXPECT_EQ(gZwischenspeicher.geraden, (std::vector<Gerade>{{20, 2, 4}, {30, 3, 4}}));
    EXPECT_FALSE(gKurvenGeaendert);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

TEST_F(ZwischenablageTest, LoeschenVerkuerztUndEntferntMarkierung) {
    MarkierungBeginnen(10000);
    MarkierungBeenden(30000);
    ASSERT_TRUE(Loeschen().geaendert());
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{10, 1, 4}, {30, 3, 4}, {40, 1, 4}}));
    EXPECT_EQ(Kurve_Dauer(0), 50000.0);
    EXPECT_FALSE(gMarkierungAktiv);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    PruefeAnzahl();
}

TEST_F(ZwischenablageTest, NichtsMarkiertNichtsZuTun) {
    MarkierungBeginnen(11000);
    MarkierungBeenden(12000);
    EXPECT_EQ(Loeschen().ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(Kopieren().ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(Ausschneiden().ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

TEST_F(ZwischenablageTest, AusschneidenKopiertUndLoescht) {
    MarkierungBeginnen(0);
    MarkierungBeenden(10000);
    ASSERT_TRUE(Ausschneiden().geaendert());
    EXPECT_EQ(gZwischenspeicher.geraden, (std::vector<Gerade>{{10, 1, 4}}));
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{20, 2, 4}, {30, 3, 4}, {40, 1, 4}}));
}

TEST_F(ZwischenablageTest, EinfuegenAmNaechstenPunkt) {
    gZwischenspeicher.geraden = {{1000, 5, 1}, {2000, 6, 1}};
    gZwischenspeicher.anzahl = 2;
    // Zero-width mark inside segment 1 (10k..30k): inserted at point 2.
    MarkierungBeginnen(15000);
    MarkierungBeenden(15000);
    ASSERT_TRUE(Einfuegen().geaendert());
    EXPECT_EQ(Geraden(),
              (std::vector<Gerade>{
                  {10, 1, 4}, {20, 2, 4}, {30, 5, 1}, {2000, 6, 1}, {30, 3, 4}, {40, 1, 4}}));
    EXPECT_EQ(gZwischenspeicher.geraden.front().y, 30);  // the clipboard keeps it
    EXPECT_EQ(gMarkierungStart, Kurve_Startzeit(4) + 0.05);
    EXPECT_EQ(gMarkierungEnde, gMarkierungStart);
    EXPECT_EQ(gUndoAnzahl[0], 1);
    PruefeAnzahl();
}

TEST_F(ZwischenablageTest, EinfuegenErsetztMarkiertes) {
    gZwischenspeicher.geraden = {{1000, 5, 1}};
    gZwischenspeicher.anzahl = 1;
    AllesMarkieren();
    ASSERT_TRUE(Einfuegen().geaendert());
    // Everything but the closing segment goes; the piece goes in front of it.
    EXPECT_EQ(Geraden(), (std::vector<Gerade>{{40, 5, 1}, {40, 1, 4}}));
    EXPECT_EQ(gUndoAnzahl[0], 1);
    Kurve_Rueckgaengig();
    EXPECT_EQ(Geraden().size(), 4u);
}

TEST_F(ZwischenablageTest, EinfuegenNurMitMarkierung) {
    gZwischenspeicher.geraden = {{1000, 5, 1}};
    gZwischenspeicher.anzahl = 1;
    EXPECT_EQ(Einfuegen().ausgang, Ausgang::NichtsZuTun);
    EXPECT_EQ(Geraden().size(), 4u);
}

TEST_F(ZwischenablageTest, ZwischenspeicherUeberKurvenHinweg) {
    MarkierungBeginnen(10000);
    MarkierungBeenden(30000);
    Kopieren();
    gAktuelleKurve = 1;
    MarkierungBeginnen(0);
    MarkierungBeenden(0);
    ASSERT_TRUE(Einfuegen().geaendert());
    EXPECT_EQ(Geraden(1), (std::vector<Gerade>{{0, 2, 4}, {0, 1, 4}}));
    EXPECT_EQ(gUndoAnzahl[1], 1);
    EXPECT_EQ(gUndoAnzahl[0], 0);
}

}  // namespace
}  // namespace curves
