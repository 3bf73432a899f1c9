// The characteristic window: controls, menus and toolbar in step, the view
// and its arithmetic, the fields, the comment, the settings section.
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

#include "characteristic/view.h"
#include "settings/settings.h"
#include "ui/scrollbar.h"
#include "window_fixture.h"

namespace kennlinientest {
namespace {

using characteristic::gKennlAnsichtEnde;
using characteristic::gKennlAnsichtStart;

QStringList Texte(const QList<QAction*>& l) {
    QStringList r;
    for (QAction* a : l)
        r << (a->isSeparator() ? QString("-") : a->text());
    return r;
}

TEST_F(KennlinienFenster, StartansichtUeberDenGanzenEingangsbereich) {
    EXPECT_DOUBLE_EQ(panel->graph()->XMin(), 0);
    EXPECT_DOUBLE_EQ(panel->graph()->XMax(), 4095);
    auto* r = Control<ui::Rollbalken>("KENNLPNL_SCROLLBAR");
    EXPECT_EQ(r->Groesse(), 100);
    EXPECT_EQ(r->Position(), 0);
    EXPECT_EQ(panel->windowTitle(), "Kennlinienregler");
    EXPECT_EQ(Control<QSpinBox>("KENNLPNL_KURVENNR")->maximum(), 7);
    EXPECT_EQ(Control<QLabel>("KENNLPNL_BEGRENZUNG_LABEL")->text(), "Analogausgang2 [V]");
    // The start characteristic: one point at full scale, the flat part to 4095.
    ASSERT_EQ(PlotsIn(kHellrot).size(), 1u);
    EXPECT_EQ(PlotsIn(kHellrot)[0].punkte.at(1).x(), 4095);
    EXPECT_EQ(PlotsIn(kHellrot)[0].punkte.at(1).y(), 4095);
    EXPECT_EQ(PlotsIn(kBlau, panel->graphKlein()).size(), 1u);
    EXPECT_DOUBLE_EQ(panel->graphKlein()->XMax(), 4095);
}

TEST_F(KennlinienFenster, MenueleisteInDerVorgegebenenReihenfolge) {
    EXPECT_EQ(Texte(panel->menuleiste()->actions()),
              QStringList({"Datei", "Bearbeiten", "Ansicht", "Fenster", "Hilfe"}));
    EXPECT_EQ(
        Texte(panel->dateiMenue()->actions()),
        QStringList({"Neu", "Kennlinie laden", "Kennlinie speichern", "Kennlinie speichern unter",
                     "Kennlinie importieren", "Kennlinie exportieren", "-", "Beenden"}));
    EXPECT_EQ(Texte(Control<QMenu>("KENNLINIE_BEARBEITEN")->actions()),
              QStringList({"Alles Markieren", "Rückgängig", "Wiederherstellen", "-", "Markieren",
                           "Punkt zeichnen", "Punkt verschieben", "Punktkoordinaten ändern",
                           "Koordinaten anzeigen", "Punkt auflösen", "Gerade teilen", "-", "Zoom +",
                           "Zoom -", "Zoom Markierung", "Zoom Gesammtkurve"}));
    EXPECT_EQ(Texte(Control<QMenu>("KENNLINIE_ANSICHT_DARSTELLUNG")->actions()),
              QStringList({"Linien + Stufen", "Linien", "Stufen"}));
    EXPECT_EQ(Texte(panel->hilfeMenue()->actions()),
              QStringList({"Direkthilfe", "MUX-6 Pinbelegung"}));
}

TEST_F(KennlinienFenster, ToolbarInDerVorgegebenenReihenfolge) {
    QStringList tips;
    QList<bool> an;
    for (QAction* k : panel->toolbar()->actions()) {
        QWidget* w = panel->toolbar()->widgetForAction(k);
        tips << (k->isSeparator() ? QString("-") : (w ? w->toolTip() : k->toolTip()));
        an << k->isEnabled();
    }
    EXPECT_EQ(tips.join('|'),
              "Neu|Kennlinie Laden|Kennlinie Speichern|-|Rückgängig|Wiederherstellen|-|Markieren|"
              "Punkt zeichnen|Punkt verschieben|Punktkoordinaten zeigen/ändern|Koordinaten "
              "anzeigen|Punkt auflösen|Gerade teilen|-|Zoom +|Zoom -|Zoom Markierung|Zoom "
              "Gesammtkurve|-|Kurven als Linien + Stufen darstellen|Kurven als Linien "
              "darstellen|Kurven als Stufen darstellen|-|Direkthilfe");
    ASSERT_EQ(an.size(), 25);
    // Dimmed: undo and redo, the separator before the display modes and the three modes.
    for (int i = 0; i < 25; ++i) {
        const bool gedimmt = i == 4 || i == 5 || (i >= 19 && i <= 22);
        EXPECT_EQ(an[i], !gedimmt) << i;
    }
}

TEST_F(KennlinienFenster, GenauEinWerkzeugInMenueUndToolbar) {
    QTest::mouseClick(Knopf("KENNLINIE_BEARBEITEN_GERADETEILEN"), Qt::LeftButton);
    EXPECT_EQ(panel->AktivesWerkzeug(), ui::Werkzeug::GeradeTeilen);
    A("KENNLINIE_BEARBEITEN_KOORDINATZEIG")->trigger();
    EXPECT_TRUE(Knopf("KENNLINIE_BEARBEITEN_KOORDINATZEIG")->isChecked());
    int gecheckt = 0;
    for (const char* w : {"MARKIEREN", "ZEICHNEN", "VERSCHIEBEN", "PUNKTKOORDINAT", "KOORDINATZEIG",
                          "PUNKTLOESCHEN", "GERADETEILEN"})
        gecheckt += A(QString("KENNLINIE_BEARBEITEN_") + w)->isChecked();
    EXPECT_EQ(gecheckt, 1);
}

// ---- zoom, scrolling, Y zoom --------------------------------------------------------
TEST_F(KennlinienFenster, ZoomPlusUndZurueck) {
    QTest::mouseClick(Knopf("KENNLINIE_BEARBEITEN_ZOOMPLUS"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(gKennlAnsichtStart, 682);
    EXPECT_DOUBLE_EQ(gKennlAnsichtEnde, 3411);
    EXPECT_DOUBLE_EQ(panel->graph()->XMin(), 682);
    EXPECT_DOUBLE_EQ(panel->graph()->XMax(), 3412);
    auto* r = Control<ui::Rollbalken>("KENNLPNL_SCROLLBAR");
    EXPECT_EQ(r->Groesse(), 67);  // 2730 of 4095
    QTest::mouseClick(Knopf("KENNLINIE_BEARBEITEN_ZOOMMINUS"), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(gKennlAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(gKennlAnsichtEnde, 4094);
    EXPECT_EQ(r->Groesse(), 100);
}

TEST_F(KennlinienFenster, ZoomMarkierungAufLeererMarkeEntferntSieNur) {
    Werkzeug("MARKIEREN");
    Klick(100, 2000);
    ASSERT_TRUE(characteristic::gKennlMarkierungAktiv);
    ASSERT_EQ(characteristic::gKennlMarkierungStart, characteristic::gKennlMarkierungEnde);
    A("KENNLINIE_BEARBEITEN_ZOOMMARK")->trigger();
    EXPECT_FALSE(characteristic::gKennlMarkierungAktiv);
    EXPECT_DOUBLE_EQ(gKennlAnsichtStart, 0);
    EXPECT_DOUBLE_EQ(gKennlAnsichtEnde, 4094);
    EXPECT_EQ(VorschauAnzahl(), 0);
}

TEST_F(KennlinienFenster, YZoomUngueltigSetztDieFelderZurueck) {
    auto* mn = Control<QDoubleSpinBox>("KENNLPNL_YZOOMMIN");
    auto* mx = Control<QDoubleSpinBox>("KENNLPNL_YZOOMMAX");
    mn->setValue(2);
    EXPECT_EQ(characteristic::gKennlYZoomMin, static_cast<int>(2 * 4095 / 10.0));
    mx->setValue(1);
    EXPECT_EQ(characteristic::gKennlYZoomMax, 4095);
    EXPECT_DOUBLE_EQ(mx->value(), 10);
    EXPECT_NEAR(mn->value(), config::RohZuAnzeige(0, characteristic::gKennlYZoomMin), 1e-6);
}

// ---- fields -----------------------------------------------------------------------------
TEST_F(KennlinienFenster, AnstiegszeitZeigtWasDiePlatineKann) {
    Feld("ANSTIEGSZEIT", 1000);
    EXPECT_DOUBLE_EQ(Control<QDoubleSpinBox>("KENNLPNL_ANSTIEGSZEIT")->value(), 819);
    EXPECT_DOUBLE_EQ(panel->FelderLesen().anstiegszeit, 819);
    // The slide ends on a realisable time as well.
    auto* s = Control<QSlider>("KENNLPNL_ANSTIEGSZEIT_SCHIEBER");
    s->setValue(500);
    const double t = panel->FelderLesen().anstiegszeit;
    EXPECT_DOUBLE_EQ(characteristic::AnstiegszeitRealisierbar(t), t);
    EXPECT_GT(t, 10);
}

TEST_F(KennlinienFenster, Ausgang2FolgtDerKonfiguration) {
    config::gKonfig.outeinheit[1] = "mA";
    config::gKonfig.outskalamax[1] = 20;
    config::gKonfig.ineinheit[1] = "bar";
    ui::NeuSkalieren();
    EXPECT_EQ(Control<QLabel>("KENNLPNL_BEGRENZUNG_LABEL")->text(), "Analogausgang2 [mA]");
    EXPECT_DOUBLE_EQ(Control<QDoubleSpinBox>("KENNLPNL_BEGRENZUNG")->maximum(), 20);
    EXPECT_EQ(panel->graph()->XName(), "bar");
    // A value from a file beyond the limits is shown as it is.
    panel->FelderSetzen({.begrenzung = 25.123456, .anstiegszeit = 0.1});
    EXPECT_DOUBLE_EQ(panel->FelderLesen().begrenzung, 25.123456);
}

TEST_F(KennlinienFenster, Kommentar45ZeichenVorschau30) {
    const QString text = QString(45, 'k').replace(30, 1, 'X');
    dialoge->kommentare = {text};
    QTest::mouseClick(Control<QPushButton>("KENNLPNL_KOMMENTAR"), Qt::LeftButton);
    ASSERT_EQ(dialoge->Alle("Kommentar").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Kommentar")[0].titel, "Kommentar - Kennlinie");
    EXPECT_EQ(Control<QLabel>("KENNLPNL_KOMMENTARVORSCHAU")->text(), QString(30, 'k'));
    EXPECT_EQ(K().kommentar.size(), 45u);
    EXPECT_TRUE(characteristic::gKennlinieGeaendert);
}

// ---- drawing ------------------------------------------------------------------------------
TEST_F(KennlinienFenster, StufenMitSchlusslinie) {
    A("KENNLINIE_ANSICHT_DARSTELLUNG_ST")->trigger();
    Punkte({{.y = 0, .laenge = 10}, {.y = 10, .laenge = 1}});
    EXPECT_TRUE(PlotsIn(kHellrot).empty());
    const auto stufen = PlotsIn(kBlau);
    ASSERT_EQ(stufen.size(), 1u);
    EXPECT_EQ(stufen[0].linienart, ui::Graph::Linienart::Stufen);
    const QVector<QPointF>& d = stufen[0].punkte;
    ASSERT_EQ(d.size(), 12);
    for (int k = 0; k < 10; ++k) {
        EXPECT_EQ(d[k].x(), k);
        EXPECT_EQ(d[k].y(), k);
    }
    // The last step ends at X 10, then the vertical line up to 10.
    EXPECT_EQ(d[10].x(), 10);
    EXPECT_EQ(d[10].y(), 9);
    EXPECT_EQ(d[11].x(), 10);
    EXPECT_EQ(d[11].y(), 10);
    // The flat part after the last point, digitised.
    ASSERT_EQ(PlotsIn(kHellblau).size(), 1u);
    EXPECT_EQ(PlotsIn(kHellblau)[0].punkte.at(0).x(), 10);
}

TEST_F(KennlinienFenster, FlacherTeilAuchWennNurErSichtbarIst) {
    Punkte({{.y = 0, .laenge = 10}, {.y = 500, .laenge = 1}});
    gKennlAnsichtStart = 2000;
    gKennlAnsichtEnde = 2999;
    panel->Kennlinienpanel_Neuzeichnen();
    ASSERT_EQ(PlotsIn(kHellrot).size(), 1u);
    EXPECT_EQ(PlotsIn(kHellrot)[0].punkte.at(0).y(), 500);
    EXPECT_TRUE(PlotsIn(kBlau).empty());
}

// ---- settings, help, board buttons without a board ------------------------------------------
TEST_F(KennlinienFenster, EinstellungenAbschnittKennlinie) {
    auto& e = ui::registry().Eintrag(ui::Fenster::Kennlinie);
    ASSERT_TRUE(e.iniLesen && e.iniSchreiben);
    for (const auto& [gelesen, erwartet] : {std::pair{2, 2}, {1, 1}, {0, 3}, {4, 3}}) {
        auto ini = settings::Ini_New(true);
        settings::Ini_PutInt(*ini, "kennlinie", "darstellung", gelesen);
        e.iniLesen(*ini);
        ASSERT_EQ(panel->KennlinienpanelInit(), 0);  // the settings come before the set-up
        EXPECT_EQ(characteristic::gKennlDarstellung, erwartet) << gelesen;
        auto aus = settings::Ini_New(true);
        e.iniSchreiben(*aus);
        int d = 0;
        EXPECT_EQ(settings::Ini_GetInt(*aus, "kennlinie", "darstellung", d), 1);
        EXPECT_EQ(d, erwartet);
    }
    EXPECT_TRUE(A("KENNLINIE_ANSICHT_DARSTELLUNG_LINST")->isChecked());
}

TEST_F(KennlinienFenster, DirekthilfeZeigtTexteUndTutNichts) {
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    QTest::mouseClick(Control<QPushButton>("KENNLPNL_AUSGANG4SETZEN"), Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_TRUE(dialoge->Alle("Hilfe")[0].text.startsWith("Setzt Ausgang 4 der MUX-6"));
    EXPECT_EQ(panel->fehleranzeige()->nummer()->text(), "0");
    Werkzeug("PUNKTLOESCHEN");
    Klick(0, 4095);
    QApplication::processEvents();
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
    // The tool item and the graph show their texts.
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 3u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[1].text, "Löscht einen Kurvenpunkt.");
    EXPECT_TRUE(dialoge->Alle("Hilfe")[2].text.startsWith(
        "Graphische Darstellung der Kennlinie, die die MUX-6 ausgeben soll."));
    A("KENNLINIE_HILFE_PINS")->trigger();
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

TEST_F(KennlinienFenster, Pinbelegung) {
    A("KENNLINIE_HILFE_PINS")->trigger();
    ASSERT_EQ(dialoge->protokoll.size(), 1u);
    EXPECT_EQ(dialoge->protokoll[0].titel, "MUX-6 Pinbelegung");
    EXPECT_TRUE(dialoge->protokoll[0].text.startsWith(
        "Pinbelegung für den Kennlinienreglerbetrieb\n\nPin 1:"));
    EXPECT_TRUE(dialoge->protokoll[0].text.contains("Pin 14:  Kennlinienauswahlspannung-Eingang"));
}

TEST_F(KennlinienFenster, Ausgang4OhnePortInDerAnzeige) {
    QTest::mouseClick(Control<QPushButton>("KENNLPNL_AUSGANG4SETZEN"), Qt::LeftButton);
    EXPECT_EQ(panel->fehleranzeige()->nummer()->text(), "122544");
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

}  // namespace
}  // namespace kennlinientest

namespace kennlinientest {
namespace {

// Every control of the window readable and apart from the others; the
// picture is left in the build folder for a look.
TEST_F(KennlinienFenster, SteuerelementeUeberlappenNicht) {
    QList<QWidget*> controls;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        const bool blatt = qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) ||
                           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QPushButton*>(w) ||
                           qobject_cast<QSlider*>(w) || qobject_cast<ui::Graph*>(w);
        // Parts of a composite control (a spin box's line edit) count with it.
        if (blatt && w->isVisible() && !qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            controls << w;
    }
    ASSERT_GT(controls.size(), 20);
    auto rahmen = [&](QWidget* w) { return QRect(w->mapTo(panel, QPoint(0, 0)), w->size()); };
    for (QWidget* w : controls) {
        EXPECT_TRUE(panel->rect().contains(rahmen(w))) << w->objectName().toStdString();
        if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
            EXPECT_GE(l->width(), l->minimumSizeHint().width()) << l->text().toStdString();
        }
        for (QWidget* v : controls) {
            if (v == w || w->isAncestorOf(v) || v->isAncestorOf(w))
                continue;
            EXPECT_FALSE(rahmen(w).intersects(rahmen(v)))
                << w->objectName().toStdString() << " / " << v->objectName().toStdString() << " "
                << w->metaObject()->className() << " " << v->metaObject()->className();
        }
    }
    panel->grab().save("kennlinienregler.png");
}

}  // namespace
}  // namespace kennlinientest
