// The action table: menus and toolbar built from one list in its order, items
// found by name, command and tool, and every choice reported with its entry.
#include "ui/actions.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QWidgetAction>

#include "support/scripted_dialogs.h"
#include "ui/childpanel.h"
#include "ui/help.h"
#include "ui/toolbar.h"

namespace {

using ui::Art;
using ui::Befehl;
using ui::Ort;
using ui::Werkzeug;

const ui::Menue kMenues[] = {{"EDIT", "Edit"}, {"EDIT_SUB", "Sub", "EDIT"}, {"VIEW", "View"}};

const ui::Aktion kTabelle[] = {
    {.menue = "DATEI",
     .name = "NEU",
     .text = "Neu",
     .befehl = Befehl::Neu,
     .wert = 7,
     .taste = {QKeySequence::New},
     .tooltip = "Neu",
     .hilfe = "h-neu"},
    {.menue = "DATEI", .name = "LADEN", .text = "Laden", .befehl = Befehl::Laden},
    {.art = Art::Trenner, .menue = "DATEI"},
    {.menue = "EDIT",
     .name = "UNDO",
     .text = "Undo",
     .befehl = Befehl::Rueckgaengig,
     .taste = {.kombination = Qt::Key_Plus},
     .tooltip = "Undo",
     .gedimmt = true},
    {.art = Art::Trenner, .menue = "EDIT", .trenner = Ort::Menue},
    {.art = Art::Radio,
     .menue = "EDIT",
     .name = "MARK",
     .text = "Mark",
     .werkzeug = Werkzeug::Markieren,
     .gruppe = 1,
     .tooltip = "Mark"},
    {.art = Art::Radio,
     .menue = "EDIT",
     .name = "DRAW",
     .text = "Draw",
     .werkzeug = Werkzeug::Zeichnen,
     .gruppe = 1,
     .tooltip = "Draw",
     .an = true},
    {.art = Art::Liste, .name = "LIST", .tooltip = "List", .hilfe = "h-list"},
    {.art = Art::Trenner, .menue = "", .gedimmt = true, .trenner = Ort::Toolbar},
    {.art = Art::Schalter,
     .menue = "EDIT_SUB",
     .name = "2",
     .text = "Two",
     .befehl = Befehl::Schalter,
     .wert = 2},
    {.art = Art::Radio,
     .menue = "VIEW",
     .name = "LIN",
     .text = "Lin",
     .befehl = Befehl::Darstellung,
     .wert = 1,
     .gruppe = 2,
     .tooltip = "Lin",
     .spiegel = true,
     .gedimmt = true},
    {.art = Art::Direkthilfe,
     .menue = "HILFE",
     .name = "HELP",
     .text = "Direkthilfe",
     .tooltip = "Hilfe"},
};

QStringList Namen(const QList<QAction*>& aktionen) {
    QStringList r;
    for (QAction* a : aktionen) {
        if (a->isSeparator())
            r << (a->isEnabled() ? "-" : "(-)");
        else if (qobject_cast<QWidgetAction*>(a))
            r << "list";
        else
            r << a->objectName();
    }
    return r;
}

class AktionenTest : public ::testing::Test {
  protected:
    AktionenTest()
        : panel({.fenster = ui::Fenster::Kurven,
                 .praefix = "TPNL",
                 .titel = "Test",
                 .menuleiste = "T",
                 .zurueck = "ZURUECK"},
                nullptr),
          leiste(new ui::Toolbar(panel.inhalt())),
          aktionen(panel, *leiste, kMenues, kTabelle,
                   [this](const ui::Aktion& a, QAction* q) { gewaehlt.emplace_back(&a, q); }) {}

    ui::Childpanel panel;
    ui::Toolbar* leiste;
    ui::Aktionen aktionen;
    std::vector<std::pair<const ui::Aktion*, QAction*>> gewaehlt;
};

TEST_F(AktionenTest, MenuesInDerReihenfolgeDerTabelle) {
    QStringList titel;
    for (QAction* m : panel.menuleiste()->actions())
        titel << m->text();
    EXPECT_EQ(titel, QStringList({"Datei", "Edit", "View", "Fenster", "Hilfe"}));
    // "Beenden" stays last in "Datei".
    EXPECT_EQ(Namen(panel.dateiMenue()->actions()),
              QStringList({"T_DATEI_NEU", "T_DATEI_LADEN", "-", "T_DATEI_BEENDEN"}));
    QMenu* edit = aktionen.Untermenue("EDIT");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->objectName(), "T_EDIT");
    EXPECT_EQ(Namen(edit->actions()),
              QStringList({"T_EDIT_UNDO", "-", "T_EDIT_MARK", "T_EDIT_DRAW", ""}));
    QMenu* sub = aktionen.Untermenue("EDIT_SUB");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(edit->actions().back()->menu(), sub);
    EXPECT_EQ(Namen(sub->actions()), QStringList({"T_EDIT_SUB_2"}));
    EXPECT_EQ(Namen(panel.hilfeMenue()->actions()), QStringList({"T_HILFE_HELP"}));
}

TEST_F(AktionenTest, ToolbarNimmtDieEintraegeMitTooltip) {
    EXPECT_EQ(Namen(leiste->actions()),
              QStringList({"T_DATEI_NEU", "-", "T_EDIT_UNDO", "T_EDIT_MARK", "T_EDIT_DRAW", "list",
                           "(-)", "T_VIEW_LIN_SPIEGEL", "T_HILFE_HELP"}));
    QComboBox* liste = aktionen.Liste("LIST");
    ASSERT_NE(liste, nullptr);
    EXPECT_EQ(liste->objectName(), "TPNL_LIST");
    EXPECT_EQ(liste->whatsThis(), "h-list");
    // A plain button dims its item; a mirror only itself.
    EXPECT_FALSE(aktionen.ZuBefehl(Befehl::Rueckgaengig)->isEnabled());
    QAction* lin = aktionen.ZuBefehl(Befehl::Darstellung, 1);
    EXPECT_TRUE(lin->isEnabled());
    EXPECT_FALSE(leiste->ZuEintrag(lin)->isEnabled());
}

TEST_F(AktionenTest, EintraegeTragenTextTasteHilfeUndHaken) {
    QAction* neu = aktionen.Eintrag("T_DATEI_NEU");
    ASSERT_NE(neu, nullptr);
    EXPECT_EQ(neu->text(), "Neu");
    EXPECT_EQ(neu->shortcut(), QKeySequence(QKeySequence::New));
    EXPECT_EQ(neu->whatsThis(), "h-neu");
    EXPECT_EQ(aktionen.ZuBefehl(Befehl::Rueckgaengig)->shortcut(), QKeySequence("+"));
    EXPECT_TRUE(aktionen.ZuBefehl(Befehl::Schalter, 2)->isCheckable());
    EXPECT_EQ(aktionen.ZuBefehl(Befehl::Schalter, 1), nullptr);
    EXPECT_EQ(aktionen.Zu(neu), &kTabelle[0]);
    EXPECT_EQ(aktionen.ZuBefehl(Befehl::Neu, 7), neu);
    EXPECT_EQ(aktionen.Eintrag("T_DATEI_GIBTSNICHT"), nullptr);
}

TEST_F(AktionenTest, WerkzeugeSchliessenEinanderAus) {
    EXPECT_EQ(aktionen.AktivesWerkzeug(), Werkzeug::Zeichnen);
    aktionen.ZuWerkzeug(Werkzeug::Markieren)->trigger();
    EXPECT_EQ(aktionen.AktivesWerkzeug(), Werkzeug::Markieren);
    EXPECT_FALSE(aktionen.ZuWerkzeug(Werkzeug::Zeichnen)->isChecked());
    EXPECT_EQ(aktionen.ZuWerkzeug(Werkzeug::Verschieben), nullptr);
}

TEST_F(AktionenTest, JedeWahlMeldetIhrenEintrag) {
    panel.show();
    aktionen.Eintrag("T_DATEI_LADEN")->trigger();
    auto* knopf = qobject_cast<QToolButton*>(
        leiste->widgetForAction(aktionen.ZuWerkzeug(Werkzeug::Markieren)));
    ASSERT_NE(knopf, nullptr);
    QTest::mouseClick(knopf, Qt::LeftButton);
    ASSERT_EQ(gewaehlt.size(), 2u);
    EXPECT_EQ(gewaehlt[0].first->befehl, Befehl::Laden);
    EXPECT_EQ(gewaehlt[0].second, aktionen.Eintrag("T_DATEI_LADEN"));
    EXPECT_EQ(gewaehlt[1].first->werkzeug, Werkzeug::Markieren);
}

// A shortcut or the menu keys pass the direct-help filter: the dispatch shows
// the item's text instead of running it.
TEST_F(AktionenTest, ImHilfemodusZeigtEineWahlNurIhrenText) {
    testsupport::DialogScope dialoge;
    ui::gHilfeAktiv = 1;
    aktionen.Eintrag("T_DATEI_NEU")->trigger();
    aktionen.Eintrag("T_DATEI_LADEN")->trigger();  // no text: nothing shown
    ui::gHilfeAktiv = 0;
    EXPECT_TRUE(gewaehlt.empty());
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "h-neu");
}

}  // namespace
