// The seven graph tools driven by the mouse: each gesture with its preview
// and coordinate displays, and each refusal as its "Fehler" box.
#include <QCursor>
#include <QLineEdit>
#include <map>

#include "characteristic/editing.h"
#include "characteristic/view.h"
#include "window_fixture.h"

namespace kennlinientest {
namespace {

using characteristic::Gerade;

double XAnzeige(QLineEdit* f) {
    return f->text().toDouble();
}

TEST_F(KennlinienFenster, PunktZeichnenMitVorschauRasterUndUndo) {
    Feld("XRASTER", 1);  // 1 V: 409.5 input counts
    Feld("YRASTER", 1);
    Werkzeug("ZEICHNEN");
    Druecken(1000, 2000);
    EXPECT_GE(VorschauAnzahl(), 2);
    // The snapped target: 2 V and 5 V (2047.5 rounded to 2048).
    EXPECT_EQ(Control<QLineEdit>("KENNLPNL_X")->text(), "2.000");
    EXPECT_EQ(Control<QLineEdit>("KENNLPNL_Y")->text(),
              QString::number(config::RohZuAnzeige(0, 2048), 'f', 3));
    ASSERT_EQ(K().anzahl, 1);
    Loslassen(1000, 2000);
    EXPECT_EQ(VorschauAnzahl(), 0);
    ASSERT_EQ(K().anzahl, 2);
    EXPECT_EQ(K().geraden[0].laenge, 819);
    EXPECT_EQ(K().geraden[1].y, 2048);
    EXPECT_TRUE(Knopf("KENNLINIE_BEARBEITEN_RUECKGAENGIG")->isEnabled());
    EXPECT_FALSE(Knopf("KENNLINIE_BEARBEITEN_WIEDERHERST")->isEnabled());
    QTest::mouseClick(Knopf("KENNLINIE_BEARBEITEN_RUECKGAENGIG"), Qt::LeftButton);
    EXPECT_EQ(K().anzahl, 1);
    EXPECT_TRUE(A("KENNLINIE_BEARBEITEN_WIEDERHERST")->isEnabled());
    A("KENNLINIE_BEARBEITEN_WIEDERHERST")->trigger();
    EXPECT_EQ(K().anzahl, 2);
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST_F(KennlinienFenster, PunktVerschiebenMitVorschau) {
    Punkte({{.y = 0, .laenge = 1000}, {.y = 4095, .laenge = 1000}, {.y = 0, .laenge = 1}});
    Werkzeug("VERSCHIEBEN");
    Druecken(1000, 4095);
    Ziehen(1500, 2000);
    EXPECT_GE(VorschauAnzahl(), 2);
    EXPECT_NEAR(XAnzeige(Control<QLineEdit>("KENNLPNL_X")), 1500 * 10 / 4095.0, 0.05);
    Loslassen(1500, 2000);
    EXPECT_EQ(VorschauAnzahl(), 0);
    ASSERT_EQ(K().anzahl, 3);
    EXPECT_NEAR(K().geraden[0].laenge, 1500, 15);
    EXPECT_EQ(K().geraden[0].laenge + K().geraden[1].laenge, 2000);  // the next point stays
    EXPECT_NEAR(K().geraden[1].y, 2000, 30);
}

TEST_F(KennlinienFenster, PunktkoordinatenImDialogUnterDerMaus) {
    Punkte({{.y = 0, .laenge = 1000}, {.y = 4095, .laenge = 1}});
    Werkzeug("PUNKTKOORDINAT");
    int markiert = 0;
    dialoge->waehrendDesDialogs = [&](const testsupport::Gefragt&) { markiert = VorschauAnzahl(); };
    dialoge->eingaben = {{{"KEPUNKTPNL_X", 5}, {"KEPUNKTPNL_Y", 2}}};
    Klick(1000, 4000);
    ASSERT_EQ(dialoge->Alle("Eingabe").size(), 1u);
    const testsupport::Gefragt g = dialoge->Alle("Eingabe")[0];
    EXPECT_EQ(g.text, "KEPUNKTPNL");
    EXPECT_EQ(g.titel, "Punkt 2");
    EXPECT_EQ(g.ort, QCursor::pos() + QPoint(0, 20));
    EXPECT_DOUBLE_EQ(g.werte.at("KEPUNKTPNL_X"), config::EingangRohZuAnzeige(1, 1000));
    EXPECT_DOUBLE_EQ(g.werte.at("KEPUNKTPNL_Y"), config::RohZuAnzeige(0, 4095));
    EXPECT_GE(markiert, 1);
    EXPECT_EQ(K().geraden[0].laenge, 2048);  // 5 V: 2047.5 rounded
    EXPECT_EQ(K().geraden[1].y, 819);
    EXPECT_EQ(VorschauAnzahl(), 0);
}

TEST_F(KennlinienFenster, KoordinatenAnzeigenUngerastert) {
    Feld("XRASTER", 1);
    Werkzeug("KOORDINATZEIG");
    Druecken(1234, 3000);
    EXPECT_NEAR(XAnzeige(Control<QLineEdit>("KENNLPNL_X")), 1234 * 10 / 4095.0, 0.05);
    EXPECT_NEAR(XAnzeige(Control<QLineEdit>("KENNLPNL_Y")), 3000 * 10 / 4095.0, 0.1);
    Loslassen(1234, 3000);
    EXPECT_EQ(K().anzahl, 1);
}

TEST_F(KennlinienFenster, PunktAufloesenVerbindetDieGeraden) {
    Punkte({{.y = 0, .laenge = 1000}, {.y = 4095, .laenge = 1000}, {.y = 0, .laenge = 1}});
    Werkzeug("PUNKTLOESCHEN");
    Klick(1000, 4095);
    ASSERT_EQ(K().anzahl, 2);
    EXPECT_EQ(K().geraden[0].laenge, 2000);
    EXPECT_EQ(K().geraden[1].y, 0);
}

TEST_F(KennlinienFenster, GeradeTeilenBehaeltDieForm) {
    Punkte({{.y = 0, .laenge = 2000}, {.y = 4000, .laenge = 1}});
    Werkzeug("GERADETEILEN");
    Klick(500, 0);
    ASSERT_EQ(K().anzahl, 3);
    const int e = K().geraden[0].laenge;
    EXPECT_NEAR(e, 500, 10);
    EXPECT_EQ(K().geraden[1].laenge, 2000 - e);
    EXPECT_EQ(K().geraden[1].y, 4000 * e / 2000);
}

// A loaded file's points as they stand: the last beyond X 4095 after a
// segment far longer than any view. Every tool, zoom, scrolling and undo
// work on it, and the drawing holds only what is in view.
TEST_F(KennlinienFenster, WerkzeugeMitPunktJenseitsDesBereichs) {
    const std::vector<Gerade> geladen = {
        {.y = 5000, .laenge = 2000}, {.y = 4000, .laenge = 50000000}, {.y = 100, .laenge = 1}};
    Punkte(geladen);
    ASSERT_EQ(PlotsIn(kBlau).size(), 1u);
    EXPECT_LT(PlotsIn(kBlau)[0].punkte.size(), 4200);
    Werkzeug("ZEICHNEN");
    Klick(3000, 1000);  // the last point lies beyond the range: silently nothing
    EXPECT_EQ(K().geraden, geladen);
    Werkzeug("GERADETEILEN");
    Klick(3000, 0);
    ASSERT_EQ(K().anzahl, 4);
    EXPECT_EQ(K().geraden[1].laenge + K().geraden[2].laenge, 50000000);
    const int geteilt = K().geraden[0].laenge + K().geraden[1].laenge;
    Werkzeug("VERSCHIEBEN");
    Druecken(2000, 4000);
    Ziehen(1500, 2000);
    Loslassen(1500, 2000);
    EXPECT_EQ(K().geraden[0].laenge + K().geraden[1].laenge, geteilt);  // the split point stays
    EXPECT_NEAR(K().geraden[0].laenge, 1500, 15);
    Werkzeug("PUNKTLOESCHEN");
    Klick(3000, 4095);
    EXPECT_EQ(K().anzahl, 3);
    Werkzeug("KOORDINATZEIG");
    Klick(4000, 4000);
    A("KENNLINIE_BEARBEITEN_ZOOMPLUS")->trigger();
    A("KENNLINIE_BEARBEITEN_ZOOMPLUS")->trigger();
    characteristic::RollbalkenGesetzt(100);
    panel->Kennlinienpanel_Neuzeichnen();
    A("KENNLINIE_BEARBEITEN_ZOOMMINUS")->trigger();
    A("KENNLINIE_BEARBEITEN_ZOOMVOLL")->trigger();
    for (int i = 0; i < 3; ++i)
        A("KENNLINIE_BEARBEITEN_RUECKGAENGIG")->trigger();
    EXPECT_EQ(K().geraden, geladen);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

// Every refusal: its box, the points and the undo ring as they were.
struct Ablehnung {
    const char* werkzeug;
    std::vector<Gerade> punkte;
    double x, y;
    std::map<QString, double> eingabe;
    const char* text;
};

TEST_F(KennlinienFenster, AblehnungenAlsFehlerbox) {
    const Ablehnung faelle[] = {
        {"PUNKTLOESCHEN", {{4095, 0, 0}}, 0, 4095, {}, "Letzter Punkt kann nicht gelöscht werden"},
        {"GERADETEILEN",
         {{0, 1, 0}, {100, 1, 0}},
         0.3,
         0,
         {},
         "Gerade kann nicht geteilt werden, da sie eine Länge \n von nur einer internen "
         "Rastereinheit hat."},
        {"PUNKTKOORDINAT",
         {{0, 100, 0}, {100, 1, 0}},
         0,
         0,
         {{"KEPUNKTPNL_X", 1}},
         "Der erste Punkt kann nicht auf der Zeitachse verschoben werden."},
        {"PUNKTKOORDINAT",
         {{0, 100, 0}, {100, 1, 0}},
         0,
         0,
         {{"KEPUNKTPNL_Y", 11}},
         "Y-Wert zu groß."},
        {"PUNKTKOORDINAT",
         {{0, 5, 0}, {10, 5, 0}, {20, 1, 0}},
         5,
         10,
         {{"KEPUNKTPNL_X", 0.0}},
         "Die angegebene X-Koordinate ist zu klein \n(Der Punkt kann nicht auf einen X-Wert "
         "kleiner oder gleich dem \ndes vorherigen Punktes verschoben werden)."},
    };
    for (const Ablehnung& f : faelle) {
        SCOPED_TRACE(f.text);
        ASSERT_EQ(panel->KennlinienpanelInit(), 0);
        dialoge->protokoll.clear();
        characteristic::gKennlAnsichtEnde = 19;  // a few counts wide: the mouse hits exactly
        Punkte(f.punkte);
        Werkzeug(f.werkzeug);
        dialoge->eingaben = {f.eingabe};
        Klick(f.x, f.y);
        ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
        EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehler");
        EXPECT_EQ(dialoge->Alle("Meldung")[0].text, f.text);
        EXPECT_EQ(K().geraden, f.punkte);
        EXPECT_FALSE(A("KENNLINIE_BEARBEITEN_RUECKGAENGIG")->isEnabled());
    }
}

}  // namespace
}  // namespace kennlinientest
