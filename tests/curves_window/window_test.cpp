// The curve window: controls, menus and toolbar in step, the view and its
// arithmetic, the graph tools driven by mouse events, the files menu, direct
// help and the settings section.
#include "curves/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWidgetAction>
#include <cmath>
#include <map>

#include "config/model.h"
#include "connection/connection.h"
#include "curves/editing.h"
#include "curves/files.h"
#include "curves/model.h"
#include "curves/transfer.h"
#include "curves/view.h"
#include "device/serial_port.h"
#include "settings/settings.h"
#include "simulated_port.h"
#include "support/editor_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"
#include "ui/error_display.h"
#include "ui/graph.h"
#include "ui/help.h"
#include "ui/qt_dialogs.h"
#include "ui/registry.h"
#include "ui/scrollbar.h"
#include "ui/texts.h"
#include "ui/toolbar.h"

namespace {

using curves::gKurven;

class KurvenFenster : public testsupport::EditorFensterTest<curves::Kurvenpanel> {
  protected:
    int Einrichten() override { return panel->KurvenpanelInit(); }

    void Werkzeug(const QString& name) { A("KURVEN_BEARBEITEN_" + name)->trigger(); }
    void ZeitbasisWaehlen(int code) {
        auto* ring = Control<QComboBox>("KURVENPNL_ZEITBASISAUSWAHL");
        ring->setCurrentIndex(code - 1);
    }
    void Sichtbar(double von, double bis) {
        curves::gAnsichtStart = von;
        curves::gAnsichtEnde = bis;
        panel->Kurvenpanel_Neuzeichnen();
    }
    const curves::Kurve& K1() { return gKurven[0]; }
};

const QColor kRot(255, 0, 0), kHellrot(255, 150, 150), kBlau(0, 0, 255), kHellblau(150, 150, 255);

// ---- start state -------------------------------------------------------------
TEST_F(KurvenFenster, StartansichtZeigtPunktSchlusslinieUndStufen) {
    EXPECT_DOUBLE_EQ(panel->graph()->XMin(), 0);
    EXPECT_DOUBLE_EQ(panel->graph()->XMax(), 10001);
    EXPECT_LE(panel->graph()->YMin(), 0);
    EXPECT_GE(panel->graph()->YMax(), 4095);
    EXPECT_LT(panel->graph()->YMax(), 4095 * 1.05);

    const auto punkte = PlotsIn(kRot);
    ASSERT_EQ(punkte.size(), 1u);  // no ordinary segment: only the marker plot
    ASSERT_EQ(punkte[0].punkte.size(), 1);
    EXPECT_EQ(punkte[0].punkte[0].x(), 0);
    EXPECT_EQ(punkte[0].punkte[0].y(), 0);
    EXPECT_TRUE(punkte[0].marken);

    const auto schluss = PlotsIn(kHellrot);
    ASSERT_EQ(schluss.size(), 1u);
    ASSERT_EQ(schluss[0].punkte.size(), 2);
    EXPECT_EQ(schluss[0].punkte[1].x(), curves::Kurve_Dauer(0));
    EXPECT_EQ(schluss[0].punkte[1].y(), 0);

    const auto stufen = PlotsIn(kHellblau);
    ASSERT_EQ(stufen.size(), 1u);
    EXPECT_EQ(stufen[0].linienart, ui::Graph::Linienart::Stufen);
    EXPECT_TRUE(PlotsIn(kBlau).empty());

    // Overview: the whole curve, red frame over the visible range.
    EXPECT_DOUBLE_EQ(panel->graphKlein()->XMax(), curves::Kurve_Dauer(0));
    EXPECT_EQ(PlotsIn(kBlau, panel->graphKlein()).size(), 1u);
}

TEST_F(KurvenFenster, SpeicherbedarfBeimStart) {
    auto* s = Control<QLineEdit>("KURVENPNL_SPEICHERBEDARF");
    const double erwartet = 100.0 * 40 / 61440 + 0.05;
    EXPECT_DOUBLE_EQ(s->property("wert").toDouble(), erwartet);
    EXPECT_EQ(s->text(), "0.1");
    EXPECT_EQ(s->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(KurvenFenster, LangeGeradeWirdNurImSichtbarenBereichAbgetastet) {
    // A segment of 60000 ticks of 10 ms rising from 0 to 4095.
    gKurven[0].geraden = {{.y = 0, .laenge = 60000, .zeitbasis = 4},
                          {.y = 4095, .laenge = 1, .zeitbasis = 4}};
    gKurven[0].anzahl = 2;
    Sichtbar(200000000, 200099999);
    const auto stufen = PlotsIn(kBlau);
    ASSERT_EQ(stufen.size(), 1u);
    EXPECT_LT(stufen[0].punkte.size(), 20);
    EXPECT_GE(stufen[0].punkte.size(), 10);
    // Every sample is the one the board would play at that tick.
    for (const QPointF& d : stufen[0].punkte) {
        const auto k = static_cast<std::int64_t>(std::lround(d.x() / 10000));
        EXPECT_EQ(d.y(), curves::Abtastwert(0, 4095, k, 60000)) << k;
    }
}

TEST_F(KurvenFenster, SpeicherbedarfUeber100ProzentRot) {
    gKurven[0].geraden[0].laenge = 65535;
    panel->Kurvenpanel_Neuzeichnen();
    auto* s = Control<QLineEdit>("KURVENPNL_SPEICHERBEDARF");
    EXPECT_GT(s->property("wert").toDouble(), 100);
    EXPECT_EQ(s->palette().color(QPalette::Base), QColor(0xFF, 0, 0));
}

TEST_F(KurvenFenster, ZyklenUndRuhezustandVersteckt) {
    EXPECT_FALSE(Control<QSpinBox>("KURVENPNL_ZYKLEN")->isVisibleTo(panel));
    EXPECT_FALSE(Control<QDoubleSpinBox>("KURVENPNL_RUHEZUSTAND")->isVisibleTo(panel));
    EXPECT_TRUE(Control<QWidget>("KURVENPNL_GRAPHKLEIN")->isVisible());
    EXPECT_TRUE(Control<QWidget>("KURVENPNL_SCROLLBAR")->isVisible());
}

TEST_F(KurvenFenster, Titel) {
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
    panel->Kurvenpanel_Titel("/irgendwo/kurven/test.skr");
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator - test.skr");
    EXPECT_EQ(curves::gKurvendatei, "/irgendwo/kurven/test.skr");
    panel->Kurvenpanel_Titel({});
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
}

// ---- menus and toolbar ----------------------------------------------------------
QStringList Texte(const QList<QAction*>& aktionen) {
    QStringList r;
    for (QAction* a : aktionen)
        r << (a->isSeparator() ? "-" : a->text());
    return r;
}

// What a menu or the toolbar holds: item names, "-" for separators, "ring"
// for the list box.
QStringList Namen(const QList<QAction*>& aktionen) {
    QStringList r;
    for (QAction* a : aktionen) {
        if (a->isSeparator())
            r << "-";
        else if (qobject_cast<QWidgetAction*>(a))
            r << "ring";
        else
            r << (a->objectName().endsWith("_SPIEGEL") ? a->objectName().chopped(8)
                                                       : a->objectName());
    }
    return r;
}

TEST_F(KurvenFenster, MenueleisteNachDerEinrichtung) {
    QMenuBar* leiste = panel->menuleiste();
    EXPECT_EQ(Texte(leiste->actions()),
              QStringList({"Datei", "Bearbeiten", "Ansicht", "Fenster", "Hilfe"}));
    // Every menu holds its items of the table in the table's order, less what
    // the set-up removes: the curve choice and background sub-menus and the
    // pin assignment.
    std::map<QString, QStringList> erwartet;
    for (const ui::Aktion& a : curves::Kurvenaufbau().aktionen) {
        const QString menue = a.menue;
        if (a.art == ui::Art::Liste || (a.art == ui::Art::Trenner && a.trenner == ui::Ort::Toolbar))
            continue;
        if (menue.contains('_') || a.befehl == ui::Befehl::Pinbelegung)
            continue;
        erwartet[menue] << (a.art == ui::Art::Trenner ? QString("-")
                                                      : "KURVEN_" + menue + "_" + a.name);
    }
    erwartet["DATEI"] << "KURVEN_DATEI_BEENDEN";
    for (const auto& [menue, namen] : erwartet) {
        auto* m = panel->findChild<QMenu*>("KURVEN_" + menue);
        ASSERT_NE(m, nullptr) << menue.toStdString();
        EXPECT_EQ(Namen(m->actions()), namen) << menue.toStdString();
    }
    auto* darstellung = panel->findChild<QMenu*>("KURVEN_ANSICHT_DARSTELLUNG");
    ASSERT_NE(darstellung, nullptr);
    EXPECT_EQ(Texte(darstellung->actions()), QStringList({"Linien + Stufen", "Linien", "Stufen"}));
    EXPECT_EQ(Texte(panel->fensterMenue()->actions()),
              QStringList({"Hauptfenster", "COM-Einstellung", "Kurvengenerator"}));
    EXPECT_EQ(Texte(panel->hilfeMenue()->actions()), QStringList({"Direkthilfe"}));
}

TEST_F(KurvenFenster, ToolbarFolgtDerTabelleMitStartzustand) {
    QStringList erwartet;
    for (const ui::Aktion& a : curves::Kurvenaufbau().aktionen) {
        if (a.art == ui::Art::Trenner && a.trenner != ui::Ort::Menue)
            erwartet << "-";
        else if (a.art == ui::Art::Liste)
            erwartet << "ring";
        else if (a.art != ui::Art::Trenner && a.tooltip)
            erwartet << panel->Menuname(a.menue, a.name);
    }
    EXPECT_EQ(Namen(panel->toolbar()->actions()), erwartet);
    // Each button shows its tooltip; dimmed are undo and redo (nothing done
    // yet) and the buttons the table dims.
    for (const ui::Aktion& a : curves::Kurvenaufbau().aktionen) {
        if (a.art == ui::Art::Trenner || a.art == ui::Art::Liste || !a.tooltip)
            continue;
        QAction* k = panel->toolbar()->ZuEintrag(A(panel->Menuname(a.menue, a.name)));
        ASSERT_NE(k, nullptr) << a.name;
        QWidget* w = panel->toolbar()->widgetForAction(k);
        EXPECT_EQ(w ? w->toolTip() : k->toolTip(), QString(a.tooltip));
        const bool undo =
            a.befehl == ui::Befehl::Rueckgaengig || a.befehl == ui::Befehl::Wiederherstellen;
        EXPECT_EQ(k->isEnabled(), !a.gedimmt && !undo) << a.tooltip;
    }
    auto* ring = Control<QComboBox>("KURVENPNL_ZEITBASISAUSWAHL");
    EXPECT_EQ(ring->count(), 8);
    EXPECT_EQ(ring->currentText(), "1ms");
    EXPECT_EQ(panel->Zeitbasis(), 1);
}

TEST_F(KurvenFenster, WerkzeugRadiogruppeInMenueUndToolbar) {
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_MARKIEREN"), Qt::LeftButton);
    EXPECT_EQ(panel->AktivesWerkzeug(), ui::Werkzeug::Markieren);
    EXPECT_TRUE(A("KURVEN_BEARBEITEN_MARKIEREN")->isChecked());
    EXPECT_FALSE(A("KURVEN_BEARBEITEN_ZEICHNEN")->isChecked());
    A("KURVEN_BEARBEITEN_GERADETEILEN")->trigger();
    EXPECT_TRUE(Knopf("KURVEN_BEARBEITEN_GERADETEILEN")->isChecked());
    EXPECT_FALSE(Knopf("KURVEN_BEARBEITEN_MARKIEREN")->isChecked());
    int gecheckt = 0;
    for (const char* w : {"MARKIEREN", "ZEICHNEN", "VERSCHIEBEN", "PUNKTKOORDINAT", "ZEITBASISZEIG",
                          "PUNKTLOESCHEN", "GERADETEILEN", "ZEITBASIS", "LAENGEAENDERN"})
        gecheckt += A(QString("KURVEN_BEARBEITEN_") + w)->isChecked();
    EXPECT_EQ(gecheckt, 1);
}

TEST_F(KurvenFenster, DarstellungsartMenueUndGespiegelterKnopf) {
    EXPECT_TRUE(A("KURVEN_ANSICHT_DARSTELLUNG_LINST")->isChecked());
    A("KURVEN_ANSICHT_DARSTELLUNG_LIN")->trigger();
    EXPECT_EQ(curves::gDarstellung, 1);
    QAction* spiegel = panel->toolbar()->ZuEintrag(A("KURVEN_ANSICHT_DARSTELLUNG_LIN"));
    EXPECT_TRUE(spiegel->isChecked());
    EXPECT_FALSE(spiegel->isEnabled());
    // Lines only: no steps drawn, the marker and closing line stay.
    EXPECT_TRUE(PlotsIn(kHellblau).empty());
    EXPECT_EQ(PlotsIn(kHellrot).size(), 1u);
    A("KURVEN_ANSICHT_DARSTELLUNG_ST")->trigger();
    EXPECT_EQ(curves::gDarstellung, 2);
    EXPECT_TRUE(PlotsIn(kHellrot).empty());
    EXPECT_EQ(PlotsIn(kHellblau).size(), 1u);
    EXPECT_FALSE(spiegel->isChecked());
    A("KURVEN_ANSICHT_DARSTELLUNG_LINST")->trigger();
    EXPECT_EQ(curves::gDarstellung, 3);
}

// ---- zoom and scrolling -------------------------------------------------------------
TEST_F(KurvenFenster, ZoomPlusUndMinusAufDerStartansicht) {
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_ZOOMPLUS"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 1666);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, 8333);
    EXPECT_DOUBLE_EQ(panel->graph()->XMin(), 1666);
    EXPECT_DOUBLE_EQ(panel->graph()->XMax(), 8334);
    A("KURVEN_BEARBEITEN_ZOOMVOLL")->trigger();
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, curves::Kurve_Dauer(0) - 1);
    Sichtbar(0, 10000);
    A("KURVEN_BEARBEITEN_ZOOMMINUS")->trigger();
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, 15000);
}

TEST_F(KurvenFenster, MausradZoomt) {
    // A quarter into the view: the time under the mouse stays under it.
    const QPoint maus = Pixel(2500, 2000);
    const double t = panel->graph()->PixelZuGraph(maus).x();
    QWheelEvent rad(maus, Flaeche()->mapToGlobal(maus), {}, {0, 120}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
    QApplication::sendEvent(Flaeche(), &rad);
    EXPECT_LT(curves::gAnsichtStart, 1666);
    EXPECT_NEAR(panel->graph()->PixelZuGraph(maus).x(), t, 1.0);
}

TEST_F(KurvenFenster, RollbalkenDaumenUndPosition) {
    auto* r = Control<ui::Rollbalken>("KURVENPNL_SCROLLBAR");
    EXPECT_EQ(r->Groesse(), 100);
    EXPECT_EQ(r->Position(), 0);
    // A curve of 100 ms, 25 ms visible from 50 ms.
    gKurven[0].geraden[0].laenge = 10;
    Sichtbar(50000, 74999);
    panel->RollbalkenAktualisieren();
    const double dauer = 100000, w = 25000;
    EXPECT_EQ(r->Groesse(), static_cast<int>(std::trunc(w / dauer * 100 + 0.5)));
    EXPECT_EQ(r->Position(), static_cast<int>(std::trunc(100 * 50000 / std::trunc(dauer - w))));
    // The operator moves it to the start: the width stays.
    r->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, w - 1);
    EXPECT_DOUBLE_EQ(panel->graph()->XMin(), 0);
    r->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, std::floor(100 * (dauer - w) / 100 + 0.5));
}

TEST_F(KurvenFenster, YZoomUngueltigWirdZurueckgesetzt) {
    auto* mn = Control<QDoubleSpinBox>("KURVENPNL_YZOOMMIN");
    auto* mx = Control<QDoubleSpinBox>("KURVENPNL_YZOOMMAX");
    EXPECT_DOUBLE_EQ(mn->value(), 0);
    EXPECT_DOUBLE_EQ(mx->value(), 10);
    mn->setValue(2);
    EXPECT_EQ(curves::gYZoomMin[0], static_cast<int>(std::trunc(2 * 4095 / 10.0)));
    EXPECT_LT(panel->graph()->YMin(), curves::gYZoomMin[0] + 1);
    EXPECT_GT(panel->graph()->YMin(), curves::gYZoomMin[0] - 100);
    // max below min: both fields back to the stored limits.
    mx->setValue(1);
    EXPECT_EQ(curves::gYZoomMax[0], 4095);
    EXPECT_DOUBLE_EQ(mx->value(), 10);
    EXPECT_NEAR(mn->value(), config::RohZuAnzeige(0, curves::gYZoomMin[0]), 1e-4);
}

TEST_F(KurvenFenster, YAchseFolgtDerKonfiguration) {
    config::gKonfig.outskalamax[0] = 100;
    config::gKonfig.outeinheit[0] = "%";
    ui::NeuSkalieren();
    EXPECT_EQ(panel->graph()->YName(), "%");
    EXPECT_EQ(Control<QLabel>("KURVENPNL_RUHEZUSTAND_LABEL")->text(), "Ruhezustand [%]");
    EXPECT_DOUBLE_EQ(Control<QDoubleSpinBox>("KURVENPNL_YZOOMMAX")->value(), 100);
    EXPECT_TRUE(panel->graph()->YBeschriftungen().contains("100"));
}

// ---- graph tools by mouse -------------------------------------------------------------
TEST_F(KurvenFenster, PunktZeichnenMitVorschauUndRaster) {
    Sichtbar(0, 40000);
    Control<QDoubleSpinBox>("KURVENPNL_YRASTER")->setValue(1);  // 1 V grid
    ZeitbasisWaehlen(4);                                        // "10ms"
    Werkzeug("ZEICHNEN");
    Druecken(30000, 2048);
    // The preview: a line and a marker on the preview layer, the coordinates.
    EXPECT_GE(VorschauAnzahl(), 2);
    EXPECT_EQ(Control<QLineEdit>("KURVENPNL_XMILISEKUNDEN")->text(), "30");
    EXPECT_NEAR(Control<QLineEdit>("KURVENPNL_Y")->text().toDouble(), 5.0, 0.01);
    ASSERT_EQ(K1().anzahl, 1);
    Loslassen(30000, 2048);
    EXPECT_EQ(VorschauAnzahl(), 0);
    ASSERT_EQ(K1().anzahl, 2);
    EXPECT_EQ(K1().geraden[0].laenge, 3);
    EXPECT_EQ(K1().geraden[0].zeitbasis, 4);
    // 5 V on the 1 V grid (409.5 counts a step) is 2047.5, rounded 2048.
    EXPECT_EQ(K1().geraden[1].y, 2048);
    EXPECT_EQ(K1().geraden[1].laenge, 1);
    EXPECT_DOUBLE_EQ(curves::Kurve_Dauer(0), 40000);
    // Undo came alive in menu and toolbar.
    EXPECT_TRUE(A("KURVEN_BEARBEITEN_RUECKGAENGIG")->isEnabled());
    EXPECT_TRUE(Knopf("KURVEN_BEARBEITEN_RUECKGAENGIG")->isEnabled());
    EXPECT_FALSE(Knopf("KURVEN_BEARBEITEN_WIEDERHERST")->isEnabled());
    EXPECT_TRUE(dialoge->protokoll.empty());
    // Undo and redo through the toolbar.
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_RUECKGAENGIG"), Qt::LeftButton);
    EXPECT_EQ(K1().anzahl, 1);
    EXPECT_FALSE(A("KURVEN_BEARBEITEN_RUECKGAENGIG")->isEnabled());
    EXPECT_TRUE(Knopf("KURVEN_BEARBEITEN_WIEDERHERST")->isEnabled());
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_WIEDERHERST"), Qt::LeftButton);
    EXPECT_EQ(K1().anzahl, 2);
    EXPECT_FALSE(A("KURVEN_BEARBEITEN_WIEDERHERST")->isEnabled());
}

TEST_F(KurvenFenster, ZuLangeGeradeWirdAbgelehnt) {
    Sichtbar(0, 80e6);
    ZeitbasisWaehlen(1);  // "1ms"
    Werkzeug("ZEICHNEN");
    Klick(70e6, 1000);
    ASSERT_EQ(dialoge->protokoll.size(), 1u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "Fehler");
    EXPECT_EQ(dialoge->protokoll[0].text, "Gerade zu lang!\nWählen Sie eine größere Zeiteinheit.");
    EXPECT_EQ(K1().anzahl, 1);
    EXPECT_FALSE(A("KURVEN_BEARBEITEN_RUECKGAENGIG")->isEnabled());
}

TEST_F(KurvenFenster, MarkierenMitDerMausUndEntfernenBeimWerkzeugwechsel) {
    Werkzeug("MARKIEREN");
    Druecken(2000, 1000);
    Ziehen(6000, 1000);
    EXPECT_TRUE(curves::gMarkierungAktiv);
    EXPECT_NEAR(curves::gMarkierungStart, 2000, 30);
    EXPECT_NEAR(curves::gMarkierungEnde, 6000, 30);
    EXPECT_EQ(VorschauAnzahl(), 1);
    EXPECT_EQ(VorschauAnzahl(panel->graphKlein()), 1);
    Loslassen(6000, 1000);
    EXPECT_TRUE(curves::gMarkierungAktiv);
    EXPECT_EQ(VorschauAnzahl(), 1);  // the green frame stays
    Werkzeug("ZEICHNEN");
    EXPECT_FALSE(curves::gMarkierungAktiv);
    EXPECT_EQ(VorschauAnzahl(), 0);
}

TEST_F(KurvenFenster, ZoomMarkierungZeigtDenMarkiertenBereich) {
    Werkzeug("MARKIEREN");
    Druecken(2000, 1000);
    Loslassen(6000, 1000);
    const double von = curves::gMarkierungStart, bis = curves::gMarkierungEnde;
    A("KURVEN_BEARBEITEN_ZOOMMARK")->trigger();
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, von);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, bis - 1);
    EXPECT_FALSE(curves::gMarkierungAktiv);
}

TEST_F(KurvenFenster, PunktVerschiebenZeigtVorschauUndSetztBeimLoslassen) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 1000);
    ASSERT_EQ(K1().anzahl, 2);
    Werkzeug("VERSCHIEBEN");
    Druecken(30000, 1000);
    Ziehen(20000, 3000);
    EXPECT_GE(VorschauAnzahl(), 2);
    EXPECT_EQ(Control<QLineEdit>("KURVENPNL_XMILISEKUNDEN")->text(), "20");
    Loslassen(20000, 3000);
    EXPECT_EQ(K1().geraden[0].laenge, 2);
    EXPECT_NEAR(K1().geraden[1].y, 3000, 20);
    EXPECT_EQ(VorschauAnzahl(), 0);
}

TEST_F(KurvenFenster, LetzterPunktKannNichtGeloeschtWerden) {
    Werkzeug("PUNKTLOESCHEN");
    Klick(100, 100);
    ASSERT_EQ(dialoge->protokoll.size(), 1u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "Fehler");
    EXPECT_EQ(dialoge->protokoll[0].text, "Letzter Punkt kann nicht gelöscht werden");
}

TEST_F(KurvenFenster, GeradeTeilen) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 4095);
    Werkzeug("GERADETEILEN");
    Klick(10000, 0);
    ASSERT_EQ(K1().anzahl, 3);
    EXPECT_EQ(K1().geraden[0].laenge, 1);
    EXPECT_EQ(K1().geraden[1].laenge, 2);
    EXPECT_EQ(K1().geraden[1].y,
              static_cast<int>(std::trunc(0 + (K1().geraden[2].y - 0) * 1 / 3.0)));
}

TEST_F(KurvenFenster, PunktkoordinatenImDialog) {
    Werkzeug("PUNKTKOORDINAT");
    int markiert = 0;
    dialoge->waehrendDesDialogs = [&](const testsupport::Gefragt&) { markiert = VorschauAnzahl(); };
    dialoge->eingaben = {{{"KPUNKTPNL_Y", 3}}};
    Klick(200, 50);
    ASSERT_EQ(dialoge->Alle("Eingabe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Eingabe")[0].text, "KPUNKTPNL");
    EXPECT_EQ(dialoge->Alle("Eingabe")[0].titel, "Punkt 1");
    EXPECT_EQ(dialoge->Alle("Eingabe")[0].ort, QCursor::pos() + QPoint(10, 10));  // at the mouse
    EXPECT_GE(markiert, 1);  // the point marked while the dialog is open
    EXPECT_EQ(K1().geraden[0].y, static_cast<int>(std::trunc(3 * 4095 / 10.0 + 0.5)));
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(KurvenFenster, PunktkoordinatenErsterPunktNichtAufDerZeitachse) {
    Werkzeug("PUNKTKOORDINAT");
    dialoge->eingaben = {{{"KPUNKTPNL_XMILISEKUNDEN", 5}}};
    Klick(200, 50);
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text,
              "Der erste Punkt kann nicht auf der Zeitachse verschoben werden.");
}

TEST_F(KurvenFenster, ZeitbasisAendernPerMenueLinksVonDerMaus) {
    Werkzeug("ZEITBASIS");
    QPoint wo;
    int angehakt = 0;
    panel->zeitbasisMenue = [&](QPoint p, int aktuell) {
        wo = p;
        angehakt = aktuell;
        return 3;  // "5ms"
    };
    const QPoint maus = QCursor::pos();
    Klick(5000, 0);
    EXPECT_EQ(angehakt, 4);
    EXPECT_EQ(wo, maus - QPoint(40, 0));
    // The closing segment takes the timebase without a check.
    EXPECT_EQ(K1().geraden[0].zeitbasis, 3);
}

TEST_F(KurvenFenster, ZeitbasisDieNichtAufgehtWirdAbgelehnt) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 1000);  // a 30 ms segment of "10ms"
    Werkzeug("ZEITBASIS");
    panel->zeitbasisMenue = [](QPoint, int) { return 5; };  // "50ms"
    Klick(10000, 0);
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehler");
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text,
              "Die Länge der Gerade läßt sich nicht durch die \nneue Zeitbasis teilen.");
    EXPECT_EQ(K1().geraden[0].zeitbasis, 4);
    // Dismissing the pop-up changes nothing and asks nothing.
    panel->zeitbasisMenue = [](QPoint, int) { return 0; };
    Klick(10000, 0);
    EXPECT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(K1().geraden[0].zeitbasis, 4);
}

TEST_F(KurvenFenster, ZeitbasismenueOhneLoslassenBeimNaechstenDrueckenWieder) {
    Werkzeug("ZEITBASIS");
    int geoeffnet = 0;
    panel->zeitbasisMenue = [&](QPoint, int) {
        ++geoeffnet;
        return 0;
    };
    // A real pop-up takes the release; the graph sees only the presses.
    Druecken(5000, 0);
    Druecken(6000, 0);
    EXPECT_EQ(geoeffnet, 2);
}

TEST_F(KurvenFenster, GeradenlaengeNichtDurchZeitbasisTeilbar) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 1000);
    Werkzeug("LAENGEAENDERN");
    dialoge->eingaben = {{{"KGERADEPNL_XMILISEKUNDEN", 25}}};
    Klick(5000, 0);
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text,
              "Die Länge der Geraden muß durch ihre Zeitbasis teilbar sein.");
    EXPECT_EQ(K1().geraden[0].laenge, 3);
}

TEST_F(KurvenFenster, AusschneidenUndEinfuegenUeberDieMarkierung) {
    Sichtbar(0, 80000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(20000, 1000);
    Klick(50000, 3000);
    ASSERT_EQ(K1().anzahl, 3);
    const double dauer = curves::Kurve_Dauer(0);
    // The mark covers segment 1 (20 ms .. 50 ms) wholly.
    Werkzeug("MARKIEREN");
    Druecken(15000, 0);
    Loslassen(55000, 0);
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_AUSSCHNEIDEN"), Qt::LeftButton);
    EXPECT_EQ(K1().anzahl, 2);
    EXPECT_DOUBLE_EQ(curves::Kurve_Dauer(0), dauer - 30000);
    EXPECT_EQ(curves::gZwischenspeicher.anzahl, 1);
    A("KURVEN_BEARBEITEN_RUECKGAENGIG")->trigger();
    EXPECT_EQ(K1().anzahl, 3);
    A("KURVEN_BEARBEITEN_ALLESMARKIEREN")->trigger();
    EXPECT_TRUE(curves::gMarkierungAktiv);
    EXPECT_DOUBLE_EQ(curves::gMarkierungEnde, curves::Kurve_Dauer(0));
    EXPECT_EQ(VorschauAnzahl(), 1);
}

TEST_F(KurvenFenster, GeradenlaengeImDialogMitGelberMarkierung) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 1000);
    Werkzeug("LAENGEAENDERN");
    bool gelb = false;
    dialoge->waehrendDesDialogs = [&](const testsupport::Gefragt&) {
        for (const auto& linie :
             panel->graph()->Plots(ui::Graph::Plotart::Linie, ui::Graph::Ebene::Vorschau))
            gelb = gelb || linie.farbe == QColor(255, 255, 0);
    };
    dialoge->eingaben = {{{"KGERADEPNL_XMILISEKUNDEN", 50}}};
    Klick(5000, 0);
    ASSERT_EQ(dialoge->Alle("Eingabe").size(), 1u);
    const testsupport::Gefragt dialog = dialoge->Alle("Eingabe")[0];
    EXPECT_EQ(dialog.text, "KGERADEPNL");
    EXPECT_EQ(dialog.titel, "Gerade 1");
    EXPECT_DOUBLE_EQ(dialog.werte.at("KGERADEPNL_XMILISEKUNDEN"), 30);
    EXPECT_TRUE(gelb);
    EXPECT_EQ(K1().geraden[0].laenge, 5);
    EXPECT_DOUBLE_EQ(curves::Kurve_Dauer(0), 60000);
}

TEST_F(KurvenFenster, ZeitbasisAnzeigenZeigtLabelsUndAnzeige) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(2);  // "2ms"
    Werkzeug("ZEICHNEN");
    Klick(20000, 1000);
    Werkzeug("ZEITBASISZEIG");
    // A label at 0 with segment 0's timebase; no change of timebase yet in
    // ordinary segments, so one label.
    EXPECT_EQ(Textplots(), 1);
    Druecken(5000, 500);
    EXPECT_EQ(Control<QLineEdit>("KURVENPNL_ZEITBASISINDICATOR")->text(), "2ms");
    // Within a pixel of the mouse (40 ms over some 700 pixels).
    EXPECT_NEAR(Control<QLineEdit>("KURVENPNL_XMILISEKUNDEN")->text().toDouble(), 5.0, 0.1);
    Loslassen(5000, 500);
    Werkzeug("MARKIEREN");
    EXPECT_EQ(Textplots(), 0);
}

// ---- comment ----------------------------------------------------------------------
TEST_F(KurvenFenster, KommentarZeilenMitZeilenvorschubUndVorschau) {
    dialoge->kommentare = {"a\nb"};
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_KOMMENTAR"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Kommentar").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Kommentar")[0].titel, "Kommentar - Kurve 1");
    EXPECT_EQ(K1().kommentar, "a\nb");
    EXPECT_TRUE(curves::gKurvenGeaendert);
    // The stored comment keeps its line feed; the one-line preview shows a space.
    EXPECT_EQ(Control<QLabel>("KURVENPNL_KOMMENTARVORSCHAU")->text(), "a b");

    const QString lang = "Erste Zeile des Kommentars\nzweite Zeile, die lang ist";
    dialoge->kommentare = {lang};
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_KOMMENTAR"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Kommentar").size(), 2u);
    EXPECT_EQ(dialoge->Alle("Kommentar")[1].text, "a\nb");  // shows the comment
    EXPECT_EQ(ui::Q(K1().kommentar), lang);
    EXPECT_EQ(Control<QLabel>("KURVENPNL_KOMMENTARVORSCHAU")->text(),
              "Erste Zeile des Kommentars zwe");
}

TEST_F(KurvenFenster, KommentarOhneAenderungSetztNichtsGeaendert) {
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_KOMMENTAR"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Kommentar").size(), 1u);
    EXPECT_FALSE(curves::gKurvenGeaendert);
}

// ---- direct help --------------------------------------------------------------------
TEST_F(KurvenFenster, DirekthilfeAufZoomPlusZeigtTextUndZoomtNicht) {
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    QTest::mouseClick(Knopf("KURVEN_BEARBEITEN_ZOOMPLUS"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, 10000);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "Vergrößert die Grafik.");
    // A shortcut reaches the command itself, which keeps its own help branch.
    dialoge->protokoll.clear();
    A("KURVEN_BEARBEITEN_ZOOMMINUS")->trigger();
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, 10000);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "Verkleinert die Grafik.");
}

TEST_F(KurvenFenster, DirekthilfeknopfDerToolbarSchaltetEinUndAus) {
    QToolButton* k = Knopf("KURVEN_HILFE_WASISTDAS");
    ASSERT_NE(k, nullptr);
    QTest::mouseClick(k, Qt::LeftButton);
    EXPECT_TRUE(ui::gHilfeAktiv);
    EXPECT_TRUE(A("KURVEN_HILFE_WASISTDAS")->isChecked());
    EXPECT_TRUE(k->isChecked());
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, ui::kHilfeEingeschaltet);
    QTest::mouseClick(k, Qt::LeftButton);
    EXPECT_FALSE(ui::gHilfeAktiv);
    EXPECT_FALSE(A("KURVEN_HILFE_WASISTDAS")->isChecked());
}

TEST_F(KurvenFenster, UeblicheTastenkuerzel) {
    EXPECT_EQ(A("KURVEN_DATEI_NEU")->shortcut(), QKeySequence(QKeySequence::New));
    EXPECT_EQ(A("KURVEN_DATEI_LADEN")->shortcut(), QKeySequence(QKeySequence::Open));
    EXPECT_EQ(A("KURVEN_DATEI_SPEICHERN")->shortcut(), QKeySequence(QKeySequence::Save));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_AUSSCHNEIDEN")->shortcut(), QKeySequence(QKeySequence::Cut));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_KOPIEREN")->shortcut(), QKeySequence(QKeySequence::Copy));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_EINFUEGEN")->shortcut(), QKeySequence(QKeySequence::Paste));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_LOESCHEN")->shortcut(), QKeySequence(QKeySequence::Delete));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_ALLESMARKIEREN")->shortcut(),
              QKeySequence(QKeySequence::SelectAll));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_RUECKGAENGIG")->shortcut(), QKeySequence(QKeySequence::Undo));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_WIEDERHERST")->shortcut(), QKeySequence("Ctrl+Y"));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_ZOOMPLUS")->shortcut(), QKeySequence("+"));
    EXPECT_EQ(A("KURVEN_BEARBEITEN_ZOOMMINUS")->shortcut(), QKeySequence("-"));
    // "+" zooms in from the keyboard.
    panel->activateWindow();
    panel->graph()->setFocus();
    QTest::keyClick(panel->graph(), Qt::Key_Plus);
    EXPECT_DOUBLE_EQ(curves::gAnsichtStart, 1666);
}

TEST_F(KurvenFenster, DirekthilfeAufDemGraphenZeichnetNicht) {
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    Klick(5000, 2000);
    QApplication::processEvents();
    EXPECT_EQ(K1().anzahl, 1);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_TRUE(dialoge->Alle("Hilfe")[0].text.startsWith(
        "Graphische Darstellung der Kurven, die das VEK-7M ausgeben soll."));
}

TEST_F(KurvenFenster, JedesControlUndJederEintragHatEinenHilfetext) {
    for (const char* name : {"GRAPH",          "GRAPHKLEIN", "KOMMENTARVORSCHAU",
                             "KOMMENTAR",      "ZYKLEN",     "RUHEZUSTAND",
                             "XSTUNDEN",       "XMINUTEN",   "XSEKUNDEN",
                             "XMILISEKUNDEN",  "Y",          "ZEITBASISINDICATOR",
                             "YRASTER",        "YZOOMMIN",   "YZOOMMAX",
                             "SPEICHERBEDARF", "SCHREIBEN",  "LESEN",
                             "START",          "STOPP",      "ZEITBASISAUSWAHL"}) {
        QWidget* w = Control<QWidget>(QString("KURVENPNL_") + name);
        ASSERT_NE(w, nullptr);
        EXPECT_FALSE(w->whatsThis().isEmpty()) << name;
    }
    for (const char* name : {"DATEI_NEU",
                             "DATEI_LADEN",
                             "DATEI_ANHAENGEN",
                             "DATEI_SPEICHERN",
                             "DATEI_SPEICHERNUNTER",
                             "DATEI_IMPORT",
                             "DATEI_EXPORT",
                             "BEARBEITEN_AUSSCHNEIDEN",
                             "BEARBEITEN_KOPIEREN",
                             "BEARBEITEN_EINFUEGEN",
                             "BEARBEITEN_LOESCHEN",
                             "BEARBEITEN_ALLESMARKIEREN",
                             "BEARBEITEN_RUECKGAENGIG",
                             "BEARBEITEN_WIEDERHERST",
                             "BEARBEITEN_MARKIEREN",
                             "BEARBEITEN_ZEICHNEN",
                             "BEARBEITEN_VERSCHIEBEN",
                             "BEARBEITEN_PUNKTKOORDINAT",
                             "BEARBEITEN_ZEITBASISZEIG",
                             "BEARBEITEN_PUNKTLOESCHEN",
                             "BEARBEITEN_GERADETEILEN",
                             "BEARBEITEN_ZEITBASIS",
                             "BEARBEITEN_LAENGEAENDERN",
                             "BEARBEITEN_ZOOMPLUS",
                             "BEARBEITEN_ZOOMMINUS",
                             "BEARBEITEN_ZOOMMARK",
                             "BEARBEITEN_ZOOMVOLL",
                             "BEARBEITEN_KURVE_1",
                             "BEARBEITEN_HINTERGRUND_4",
                             "ANSICHT_DARSTELLUNG_LIN"}) {
        QAction* a = A(QString("KURVEN_") + name);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->whatsThis().isEmpty()) << name;
    }
}

// ---- buttons of the board -------------------------------------------------------------
TEST_F(KurvenFenster, StartUndStoppRufenDieVerbindung) {
    int start = 0, stopp = 0;
    ui::registry().Shell().start = [&] { ++start; };
    ui::registry().Shell().stopp = [&] { ++stopp; };
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_START"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_STOPP"), Qt::LeftButton);
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_STOPP"), Qt::LeftButton);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(stopp, 2);
}

// ---- transfer to and from a simulated board ---------------------------------------------
class KurvenFensterMitPlatine : public KurvenFenster {
  protected:
    void SetUp() override {
        KurvenFenster::SetUp();
        vorher = device::PortFabrikHolen();
        leitung = std::make_shared<mux6sim::Leitung>();
        device::PortFabrikSetzen(mux6sim::SimulierteFabrik(leitung));
        ASSERT_EQ(connection::ComPortOeffnen(1), 0);
        connection::GeraeteadresseSetzen('1');
    }
    void TearDown() override {
        connection::ComPortSchliessen();
        device::PortFabrikSetzen(vorher);
        KurvenFenster::TearDown();
    }
    const mux6sim::Bytes& Speicher() { return leitung->Finden('1')->speicher; }
    void Zeichnen() {
        Sichtbar(0, 40000);
        ZeitbasisWaehlen(4);
        Werkzeug("ZEICHNEN");
        Klick(30000, 4000);
    }
    std::shared_ptr<mux6sim::Leitung> leitung;
    device::PortFabrik vorher;
};

TEST_F(KurvenFensterMitPlatine, SchreibenLegtDasSpeicherabbildAufDiePlatine) {
    Zeichnen();
    panel->fehleranzeige()->Setzen(-122430);  // left over from before: cleared by the send
    curves::Speicherabbild erwartet;
    ASSERT_TRUE(curves::SpeicherabbildBauen(erwartet));
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    EXPECT_TRUE(dialoge->protokoll.empty());
    EXPECT_FALSE(panel->fehleranzeige()->led()->isOn());
    EXPECT_TRUE(panel->findChildren<QProgressDialog*>().isEmpty());
    const auto& s = Speicher();
    ASSERT_GT(erwartet.ende, 0x1020u);
    EXPECT_TRUE(std::equal(s.begin() + 0x1000, s.begin() + static_cast<long>(erwartet.ende),
                           erwartet.bytes.begin() + 0x1000));
    // Sending changes neither the curves' state nor the file name.
    EXPECT_TRUE(curves::gKurvenGeaendert);
}

TEST_F(KurvenFensterMitPlatine, LesenHoltDieKurveAlsEinzelneTicks) {
    Zeichnen();
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    std::vector<int> proben;
    for (int i = 0; i < K1().anzahl; ++i)
        curves::Kurve_GeradeAbtasten(K1(), i, proben);
    curves::gKurvenGeaendert = false;
    panel->Kurvenpanel_Titel("/tmp/vorher.skr");
    Sichtbar(0, 100);
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_LESEN"), Qt::LeftButton);
    EXPECT_TRUE(dialoge->protokoll.empty());
    ASSERT_EQ(K1().anzahl, static_cast<int>(proben.size()));
    for (std::size_t i = 0; i < proben.size(); ++i) {
        EXPECT_EQ(K1().geraden[i].laenge, 1);
        EXPECT_EQ(K1().geraden[i].y, proben[i]);
    }
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, curves::Kurve_Dauer(0) - 1);
    for (int k = 1; k <= 4; ++k)
        EXPECT_TRUE(A(QString("KURVEN_BEARBEITEN_KURVE_%1").arg(k))->isEnabled());
}

TEST_F(KurvenFensterMitPlatine, LesenFragtErstNachUngespeichertenAenderungen) {
    Zeichnen();
    dialoge->antworten = {3};  // "Abbrechen"
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_LESEN"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Frage")[0].titel, "Warnung");
    EXPECT_EQ(K1().anzahl, 2);
    EXPECT_EQ(leitung->Rahmenzahl(), 0);
}

TEST_F(KurvenFensterMitPlatine, LeerePlatineGibtFehlerInAnzeigeUndBox) {
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_LESEN"), Qt::LeftButton);
    EXPECT_TRUE(panel->fehleranzeige()->led()->isOn());
    EXPECT_EQ(panel->fehleranzeige()->nummer()->text(), "1019472");
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_TRUE(dialoge->Alle("Meldung")[0].titel.contains("1019472"));
    EXPECT_EQ(K1().anzahl, 1);
}

TEST_F(KurvenFensterMitPlatine, UngleichLangeKurvenFragenUndZurueckSendetNichts) {
    Zeichnen();
    gKurven[1].geraden = {{.y = 0, .laenge = 1, .zeitbasis = 4},
                          {.y = 5, .laenge = 1, .zeitbasis = 4}};
    gKurven[1].anzahl = 2;
    dialoge->antworten = {2};  // "zurück"
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Frage")[0].titel, "Warnung");
    EXPECT_EQ(dialoge->Alle("Frage")[0].knoepfe.mid(0, 2),
              QStringList({"Kurven senden", "zurück"}));
    EXPECT_TRUE(dialoge->Alle("Frage")[0].text.startsWith("Kurven sind nicht gleich lang"));
    EXPECT_EQ(leitung->Rahmenzahl(), 0);
}

TEST_F(KurvenFensterMitPlatine, ZuGrosseKurveMeldetSpeichervollUndSendetNichts) {
    gKurven[0].geraden[0].laenge = 30705;
    panel->fehleranzeige()->Setzen(-122430);
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Fehler");
    EXPECT_EQ(dialoge->Alle("Meldung")[0].text, curves::kSpeicherVollText);
    EXPECT_EQ(leitung->Rahmenzahl(), 0);
    // The display keeps what it showed.
    EXPECT_TRUE(panel->fehleranzeige()->led()->isOn());
}

TEST_F(KurvenFenster, OhnePortZeigtDerSendeknopfDenFehler) {
    connection::ComPortSchliessen();
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_SCHREIBEN"), Qt::LeftButton);
    EXPECT_EQ(panel->fehleranzeige()->nummer()->text(), "122430");
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
}

TEST_F(KurvenFenster, Pinbelegung) {
    panel->Menu_Kurven_Hilfe_Pins();
    ASSERT_EQ(dialoge->protokoll.size(), 1u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "MUX-6 Pinbelegung");
    EXPECT_TRUE(dialoge->protokoll[0].text.startsWith(
        "Pinbelegung für den Kurvengeneratorbetrieb\n\nPin 1:"));
    EXPECT_TRUE(dialoge->protokoll[0].text.endsWith("Pin 16:  Start/Stopp-Signal"));
}

// ---- settings and program end --------------------------------------------------------
TEST_F(KurvenFenster, EinstellungenAbschnittKurven) {
    auto ini = settings::Ini_New(true);
    settings::Ini_PutInt(*ini, "kurven", "darstellung", 1);
    settings::Ini_PutInt(*ini, "kurven", "hintergrund1", 5);
    settings::Ini_PutInt(*ini, "kurven", "hintergrund2", 0);
    auto& e = ui::registry().Eintrag(ui::Fenster::Kurven);
    ASSERT_TRUE(e.iniLesen && e.iniSchreiben);
    A("KURVEN_BEARBEITEN_HINTERGRUND_2")->setChecked(true);
    e.iniLesen(*ini);
    ASSERT_EQ(panel->KurvenpanelInit(), 0);  // the settings come before the set-up
    EXPECT_EQ(curves::gDarstellung, 1);
    EXPECT_TRUE(A("KURVEN_ANSICHT_DARSTELLUNG_LIN")->isChecked());
    EXPECT_FALSE(A("KURVEN_ANSICHT_DARSTELLUNG_LINST")->isChecked());
    EXPECT_TRUE(A("KURVEN_BEARBEITEN_HINTERGRUND_1")->isChecked());
    EXPECT_FALSE(A("KURVEN_BEARBEITEN_HINTERGRUND_2")->isChecked());
    A("KURVEN_ANSICHT_DARSTELLUNG_ST")->trigger();
    auto aus = settings::Ini_New(true);
    e.iniSchreiben(*aus);
    int d = 0;
    EXPECT_EQ(settings::Ini_GetInt(*aus, "kurven", "darstellung", d), 1);
    EXPECT_EQ(d, 2);
    // The background keys are only read.
    EXPECT_EQ(settings::Ini_GetInt(*aus, "kurven", "hintergrund1", d), 0);
}

TEST_F(KurvenFenster, DarstellungAusserhalbGibtLinienUndStufen) {
    auto ini = settings::Ini_New(true);
    settings::Ini_PutInt(*ini, "kurven", "darstellung", 0);
    ui::registry().Eintrag(ui::Fenster::Kurven).iniLesen(*ini);
    ASSERT_EQ(panel->KurvenpanelInit(), 0);
    EXPECT_EQ(curves::gDarstellung, 3);
    EXPECT_TRUE(A("KURVEN_ANSICHT_DARSTELLUNG_LINST")->isChecked());
}

TEST_F(KurvenFenster, ProgrammendeFragtNachUngespeichertenKurven) {
    auto& e = ui::registry().Eintrag(ui::Fenster::Kurven);
    ASSERT_TRUE(e.abbruchWeilNichtGespeichert);
    EXPECT_EQ(e.abbruchWeilNichtGespeichert(), 0);
    EXPECT_TRUE(dialoge->protokoll.empty());
    curves::gKurvenGeaendert = true;
    dialoge->antworten = {3};  // "Abbrechen"
    EXPECT_NE(e.abbruchWeilNichtGespeichert(), 0);
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Frage")[0].titel, "Warnung");
    EXPECT_EQ(dialoge->Alle("Frage")[0].text,
              "Möchten Sie die Änderungen in Kurvengenerator speichern?");
    dialoge->antworten = {2};  // "Nein"
    EXPECT_EQ(e.abbruchWeilNichtGespeichert(), 0);
}

TEST_F(KurvenFenster, ProgrammendeMitJaSpeichert) {
    testsupport::TempDir dir;
    const QString pfad = QString::fromStdString((dir / "ende.skr").string());
    curves::gKurvenGeaendert = true;
    dialoge->antworten = {1};  // "Ja"
    dialoge->dateien = {pfad};
    EXPECT_EQ(ui::registry().Eintrag(ui::Fenster::Kurven).abbruchWeilNichtGespeichert(), 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "ende.skr"));
    EXPECT_FALSE(curves::gKurvenGeaendert);
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator - ende.skr");
}

// ---- files ------------------------------------------------------------------------------
TEST_F(KurvenFenster, SpeichernNeuLadenMitDateidialogen) {
    testsupport::TempDir dir;
    const QString pfad = QString::fromStdString((dir / "k.skr").string());
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 3000);
    const std::vector<curves::Gerade> gezeichnet = K1().geraden;
    ASSERT_EQ(gezeichnet.size(), 2u);

    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_SPEICHERN")->trigger();
    ASSERT_EQ(dialoge->Alle("Datei").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Datei")[0].titel, "Kurve speichern");
    EXPECT_EQ(std::filesystem::file_size(dir / "k.skr"), 4472u + 5 * 12);
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator - k.skr");

    A("KURVEN_DATEI_NEU")->trigger();  // nothing unsaved: no question
    EXPECT_TRUE(dialoge->Alle("Frage").empty());
    EXPECT_EQ(K1().anzahl, 1);
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");

    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_LADEN")->trigger();
    EXPECT_EQ(dialoge->Alle("Datei").back().titel, "Kurve laden");
    EXPECT_EQ(K1().geraden, gezeichnet);
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator - k.skr");
    // The whole curve is in view.
    EXPECT_DOUBLE_EQ(curves::gAnsichtEnde, curves::Kurve_Dauer(0) - 1);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(KurvenFenster, NeuFragtBeiAenderungenUndAbbrechenLaesstAlles) {
    Sichtbar(0, 40000);
    Werkzeug("ZEICHNEN");
    ZeitbasisWaehlen(4);
    Klick(30000, 3000);
    dialoge->antworten = {3};
    A("KURVEN_DATEI_NEU")->trigger();
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(K1().anzahl, 2);
    dialoge->antworten = {2};
    A("KURVEN_DATEI_NEU")->trigger();
    EXPECT_EQ(K1().anzahl, 1);
    // "Nein" gave up the drawing unsaved; the flag stays, so program end asks again.
    EXPECT_TRUE(curves::gKurvenGeaendert);
    dialoge->antworten = {3};
    EXPECT_NE(panel->AbbruchWeilKurvenNichtGespeichert(), 0);
    EXPECT_EQ(dialoge->Alle("Frage").size(), 3u);
}

TEST_F(KurvenFenster, SpeichernUnterAufDemMusterDannMisslungenesAnhaengen) {
    testsupport::TempDir dir;
    curves::gKurvendatei = (dir / "alt.skr").string();
    dialoge->dateien = {QString::fromStdString((dir / "abc").string())};
    A("KURVEN_DATEI_SPEICHERNUNTER")->trigger();
    EXPECT_EQ(dialoge->Alle("Datei")[0].text, "*.skr");  // not the file in use
    EXPECT_TRUE(std::filesystem::exists(dir / "abc.skr"));
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator - abc.skr");
    dialoge->dateien = {QString::fromStdString((dir / "fehlt.skr").string())};
    A("KURVEN_DATEI_ANHAENGEN")->trigger();
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    // The program no longer holds a file, and the title says so.
    EXPECT_TRUE(curves::gKurvendatei.empty());
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
}

TEST_F(KurvenFenster, KoordinatenWerdenBeiNeuUndLadenGeleert) {
    testsupport::TempDir dir;
    dialoge->dateien = {QString::fromStdString((dir / "k.skr").string())};
    A("KURVEN_DATEI_SPEICHERN")->trigger();
    for (const char* befehl : {"KURVEN_DATEI_NEU", "KURVEN_DATEI_LADEN"}) {
        Werkzeug("ZEITBASISZEIG");
        Klick(5000, 500);
        auto* zeitbasis = Control<QLineEdit>("KURVENPNL_ZEITBASISINDICATOR");
        EXPECT_EQ(zeitbasis->text(), "10ms");
        dialoge->dateien = {QString::fromStdString((dir / "k.skr").string())};
        A(befehl)->trigger();
        EXPECT_TRUE(zeitbasis->text().isEmpty()) << befehl;
        for (const char* f : {"XSTUNDEN", "XMINUTEN", "XSEKUNDEN", "XMILISEKUNDEN", "Y"})
            EXPECT_TRUE(Control<QLineEdit>(QString("KURVENPNL_") + f)->text().isEmpty()) << f;
    }
}

TEST_F(KurvenFenster, LadenEinerFremdenDateiZeigtDenFehler) {
    testsupport::TempDir dir;
    testsupport::Schreiben(dir / "falsch.skr", std::string(5000, 'x'));
    dialoge->dateien = {QString::fromStdString((dir / "falsch.skr").string())};
    A("KURVEN_DATEI_LADEN")->trigger();
    ASSERT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_TRUE(dialoge->Alle("Meldung")[0].titel.contains("1020437"))
        << dialoge->Alle("Meldung")[0].titel.toStdString();
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
}

TEST_F(KurvenFenster, BeschaedigteDateiWarntUndWirdNichtZurAktuellenDatei) {
    testsupport::TempDir dir;
    const QString pfad = QString::fromStdString((dir / "k.skr").string());
    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_SPEICHERN")->trigger();
    const std::string ganz = testsupport::Lesen(dir / "k.skr");
    const std::string kurz = ganz.substr(0, ganz.size() - 3);
    testsupport::Schreiben(dir / "k.skr", kurz);

    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_LADEN")->trigger();
    const auto meldungen = dialoge->Alle("Meldung");
    ASSERT_EQ(meldungen.size(), 1u);
    EXPECT_EQ(meldungen[0].titel, "Warnung");
    EXPECT_TRUE(meldungen[0].text.contains(pfad));
    EXPECT_TRUE(meldungen[0].text.contains("beschädigt"));
    EXPECT_TRUE(meldungen[0].text.contains("Kurve 4"));
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
    EXPECT_TRUE(curves::gKurvendatei.empty());

    // "Speichern" asks for a name instead of overwriting the damaged file.
    const std::size_t gefragt = dialoge->Alle("Datei").size();
    A("KURVEN_DATEI_SPEICHERN")->trigger();
    EXPECT_EQ(dialoge->Alle("Datei").size(), gefragt + 1);
    EXPECT_EQ(testsupport::Lesen(dir / "k.skr"), kurz);
}

TEST_F(KurvenFenster, LadenMitAndererKonfigurationFragtUndUebernimmt) {
    testsupport::TempDir dir;
    const QString pfad = QString::fromStdString((dir / "k.skr").string());
    config::gKonfig.outskalamax[0] = 100;
    config::gKonfig.outeinheit[0] = "%";
    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_SPEICHERN")->trigger();
    config::StandardwerteSetzen();
    ui::NeuSkalieren();
    EXPECT_EQ(panel->graph()->YName(), "V");
    dialoge->dateien = {pfad};
    dialoge->antworten = {1};  // "laden"
    A("KURVEN_DATEI_LADEN")->trigger();
    ASSERT_EQ(dialoge->Alle("Frage").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Frage")[0].titel, "Konfiguration laden?");
    EXPECT_EQ(dialoge->Alle("Frage")[0].knoepfe.mid(0, 2), QStringList({"laden", "nicht laden"}));
    EXPECT_EQ(config::gKonfig.outeinheit[0], "%");
    // The window follows the taken-over record.
    EXPECT_EQ(panel->graph()->YName(), "%");
    EXPECT_DOUBLE_EQ(Control<QDoubleSpinBox>("KURVENPNL_YZOOMMAX")->value(), 100);
}

TEST_F(KurvenFenster, ExportUndImport) {
    testsupport::TempDir dir;
    const QString pfad = QString::fromStdString((dir / "k.txt").string());
    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_EXPORT")->trigger();
    EXPECT_EQ(dialoge->Alle("Datei")[0].titel, "Kurven exportieren");
    const std::string text = testsupport::Lesen(dir / "k.txt");
    EXPECT_NE(text.find("0.00000\t0.00\t10ms\t1\r\n"), std::string::npos);

    testsupport::Schreiben(dir / "i.txt", "0\t0\t10ms\t1\r\n0.03\t50\t10ms\t1\r\n");
    dialoge->dateien = {QString::fromStdString((dir / "i.txt").string())};
    A("KURVEN_DATEI_IMPORT")->trigger();
    EXPECT_EQ(dialoge->Alle("Datei")[1].titel, "Kurven importieren");
    ASSERT_EQ(K1().anzahl, 2);
    EXPECT_EQ(K1().geraden[0].laenge, 3);
    EXPECT_TRUE(A("KURVEN_BEARBEITEN_RUECKGAENGIG")->isEnabled());

    testsupport::Schreiben(dir / "f.txt", "0\t0\t10ms\t2\r\n");
    dialoge->dateien = {QString::fromStdString((dir / "f.txt").string())};
    A("KURVEN_DATEI_IMPORT")->trigger();
    ASSERT_FALSE(dialoge->Alle("Meldung").empty());
    EXPECT_EQ(dialoge->Alle("Meldung")[0].titel, "Importfehler");
    EXPECT_EQ(K1().anzahl, 2);
}

TEST_F(KurvenFenster, DateienInEinemOrdnerMitUmlautenUndEuro) {
    testsupport::TempDir dir;
    const std::filesystem::path ordner = dir.path() / std::filesystem::path(u8"Kurven Ä€ß");
    std::filesystem::create_directory(ordner);
    const std::filesystem::path datei = ordner / std::filesystem::path(u8"größer.skr");
    const QString pfad = QString::fromStdU16String(datei.u16string());
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 3000);
    const std::vector<curves::Gerade> gezeichnet = K1().geraden;
    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_SPEICHERNUNTER")->trigger();
    EXPECT_TRUE(std::filesystem::exists(datei));
    EXPECT_EQ(panel->windowTitle(), QString::fromUtf8("Kurvengenerator - größer.skr"));
    A("KURVEN_DATEI_NEU")->trigger();
    dialoge->dateien = {pfad};
    A("KURVEN_DATEI_LADEN")->trigger();
    EXPECT_EQ(K1().geraden, gezeichnet);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(KurvenFenster, AbgebrochenerDateidialogAendertNichts) {
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 3000);
    dialoge->dateien = {std::nullopt};
    A("KURVEN_DATEI_SPEICHERNUNTER")->trigger();
    EXPECT_TRUE(curves::gKurvenGeaendert);
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    EXPECT_EQ(panel->windowTitle(), "Kurvengenerator");
}

// ---- the real modal dialogs ---------------------------------------------------------------
// Runs `tun` on the modal dialog once it is open.
void WennModal(std::function<void(QWidget*)> tun) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, tun] {
        if (QWidget* m = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            tun(m);
        }
    });
    timer->start();
}

TEST_F(KurvenFenster, EchterKommentardialog) {
    ui::DialogeSetzen(std::make_unique<ui::QtDialogs>());
    WennModal([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "KOMM1PNL");
        d->findChild<QPlainTextEdit*>("KOMM1PNL_TEXTBOX")->setPlainText("x\ny");
        // Escape does not end it; only OK does.
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_TRUE(d->isVisible());
        QTest::mouseClick(d->findChild<QPushButton*>("KOMM1PNL_OK"), Qt::LeftButton);
    });
    QTest::mouseClick(Control<QPushButton>("KURVENPNL_KOMMENTAR"), Qt::LeftButton);
    EXPECT_EQ(K1().kommentar, "x\ny");
}

TEST_F(KurvenFenster, EchterPunktdialog) {
    ui::DialogeSetzen(std::make_unique<ui::QtDialogs>());
    Werkzeug("PUNKTKOORDINAT");
    WennModal([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "KPUNKTPNL");
        EXPECT_EQ(d->windowTitle(), "Punkt 1");
        d->findChild<QDoubleSpinBox*>("KPUNKTPNL_Y")->setValue(10);
        QTest::mouseClick(d->findChild<QPushButton*>("KPUNKTPNL_OK"), Qt::LeftButton);
    });
    Klick(200, 50);
    EXPECT_EQ(K1().geraden[0].y, 4095);
}

TEST_F(KurvenFenster, EchterGeradendialog) {
    ui::DialogeSetzen(std::make_unique<ui::QtDialogs>());
    Sichtbar(0, 40000);
    ZeitbasisWaehlen(4);
    Werkzeug("ZEICHNEN");
    Klick(30000, 1000);
    Werkzeug("LAENGEAENDERN");
    WennModal([](QWidget* d) {
        EXPECT_EQ(d->objectName(), "KGERADEPNL");
        d->findChild<QDoubleSpinBox*>("KGERADEPNL_XMILISEKUNDEN")->setValue(20);
        QTest::mouseClick(d->findChild<QPushButton*>("KGERADEPNL_OK"), Qt::LeftButton);
    });
    Klick(5000, 0);
    EXPECT_EQ(K1().geraden[0].laenge, 2);
}

TEST_F(KurvenFenster, EchteFehlerbox) {
    ui::DialogeSetzen(std::make_unique<ui::QtDialogs>());
    QString text;
    WennModal([&](QWidget* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        ASSERT_NE(box, nullptr);
        text = box->text();
        EXPECT_EQ(box->windowTitle(), "Fehler");
        box->accept();
    });
    Werkzeug("PUNKTLOESCHEN");
    Klick(100, 100);
    EXPECT_EQ(text, "Letzter Punkt kann nicht gelöscht werden");
}

}  // namespace
