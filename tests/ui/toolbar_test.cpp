// Toolbar helpers: a button and its menu item share their state, radio groups
// exclude each other, mirrors keep the check mark only, and a missing picture
// leaves a text button.
#include "ui/toolbar.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QToolButton>
#include <fstream>

#include "support/temp_dir.h"

namespace {

class ToolbarTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QPixmap bild(24, 24);
        bild.fill(Qt::red);
        ASSERT_TRUE(bild.save(QString::fromStdString((dir.path() / "da.bmp").string())));
        leiste = new ui::Toolbar(&fenster, QString::fromStdString(dir.path().string()));
        fenster.resize(400, 60);
    }
    QToolButton* Knopf(QAction* a) {
        return qobject_cast<QToolButton*>(leiste->widgetForAction(a));
    }
    testsupport::TempDir dir;
    QWidget fenster;
    QMenu menue;
    ui::Toolbar* leiste = nullptr;
};

TEST_F(ToolbarTest, KnopfUndMenueeintragSindEineAktion) {
    QAction* neu = menue.addAction("Neu");
    int ausgefuehrt = 0;
    QObject::connect(neu, &QAction::triggered, [&] { ++ausgefuehrt; });
    leiste->Knopf(neu, "Neu", "da.bmp");
    fenster.show();
    QToolButton* k = Knopf(neu);
    ASSERT_NE(k, nullptr);
    QTest::mouseClick(k, Qt::LeftButton);
    EXPECT_EQ(ausgefuehrt, 1);
    neu->setEnabled(false);
    EXPECT_FALSE(k->isEnabled());
    QTest::mouseClick(k, Qt::LeftButton);
    EXPECT_EQ(ausgefuehrt, 1);
    EXPECT_EQ(k->toolTip(), "Neu");
    EXPECT_EQ(leiste->ZuEintrag(neu), neu);
}

TEST_F(ToolbarTest, FehlendesBildGibtTextknopf) {
    QAction* da = menue.addAction("Da");
    QAction* fehlt = menue.addAction("Kurven laden");
    leiste->Knopf(da, "Da", "da.bmp");
    leiste->Knopf(fehlt, "Kurven Laden", "gibtsnicht.png");
    EXPECT_TRUE(leiste->HatBild(da));
    EXPECT_FALSE(leiste->HatBild(fehlt));
    EXPECT_EQ(Knopf(da)->toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_EQ(Knopf(fehlt)->toolButtonStyle(), Qt::ToolButtonTextOnly);
    EXPECT_FALSE(Knopf(fehlt)->text().isEmpty());
    // The menu keeps its own text.
    EXPECT_EQ(fehlt->text(), "Kurven laden");
}

TEST_F(ToolbarTest, DefektesBildGibtTextknopf) {
    {
        std::ofstream f(dir.path() / "kaputt.bmp", std::ios::binary);
        f << "keine Bilddatei";
    }
    QAction* a = menue.addAction("X");
    leiste->Knopf(a, "X", "kaputt.bmp");
    EXPECT_FALSE(leiste->HatBild(a));
    EXPECT_EQ(Knopf(a)->toolButtonStyle(), Qt::ToolButtonTextOnly);
}

TEST_F(ToolbarTest, RadiogruppeSchliesstAndereAus) {
    QAction* a = menue.addAction("A");
    QAction* b = menue.addAction("B");
    QAction* c = menue.addAction("C");
    QActionGroup* g =
        leiste->Radiogruppe({a, b, c}, {"A", "B", "C"}, {"da.bmp", "da.bmp", "da.bmp"});
    fenster.show();
    a->setChecked(true);
    QTest::mouseClick(Knopf(c), Qt::LeftButton);
    EXPECT_TRUE(c->isChecked());
    EXPECT_FALSE(a->isChecked());
    EXPECT_EQ(g->checkedAction(), c);
    EXPECT_TRUE(Knopf(c)->isChecked());
    EXPECT_FALSE(Knopf(a)->isChecked());
    // From the menu side the button follows.
    b->trigger();
    EXPECT_TRUE(Knopf(b)->isChecked());
    EXPECT_FALSE(Knopf(c)->isChecked());
    // Clicking the checked one keeps it checked.
    QTest::mouseClick(Knopf(b), Qt::LeftButton);
    EXPECT_TRUE(b->isChecked());
}

TEST_F(ToolbarTest, SpiegelFolgtDemHakenAberNichtDemDimmen) {
    QAction* lin = menue.addAction("Linien");
    QAction* st = menue.addAction("Stufen");
    auto* g = new QActionGroup(&menue);
    for (QAction* a : {lin, st}) {
        a->setCheckable(true);
        g->addAction(a);
    }
    lin->setChecked(true);
    QAction* kLin = leiste->Spiegel(lin, "Linien", "da.bmp");
    QAction* kSt = leiste->Spiegel(st, "Stufen", "da.bmp");
    EXPECT_NE(kLin, lin);
    EXPECT_TRUE(kLin->isChecked());
    kLin->setEnabled(false);
    kSt->setEnabled(false);
    EXPECT_TRUE(lin->isEnabled());
    st->trigger();
    EXPECT_TRUE(kSt->isChecked());
    EXPECT_FALSE(kLin->isChecked());
    EXPECT_EQ(leiste->ZuEintrag(st), kSt);
    // Enabled, a click on the mirror runs the item.
    kLin->setEnabled(true);
    kLin->trigger();
    EXPECT_TRUE(lin->isChecked());
    EXPECT_TRUE(kLin->isChecked());
    EXPECT_FALSE(kSt->isChecked());
}

TEST_F(ToolbarTest, RingMitWertenUndTrenner) {
    QComboBox* ring = leiste->Ring("ZEITBASIS", "Zeitbasis", {{"1ms", 1}, {"2ms", 2}, {"5ms", 3}});
    EXPECT_EQ(ring->objectName(), "ZEITBASIS");
    EXPECT_EQ(ring->count(), 3);
    EXPECT_EQ(ring->itemData(2).toInt(), 3);
    EXPECT_EQ(ring->currentText(), "1ms");
    QAction* t = leiste->Trenner(true);
    EXPECT_TRUE(t->isSeparator());
    EXPECT_FALSE(t->isEnabled());
}

}  // namespace

namespace {

TEST(ToolbarBilder, SvgQuelleWennDasBmpFehlt) {
    testsupport::TempDir dir;
    {
        std::ofstream f(dir.path() / "punkt.svg");
        f << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\">"
             "<circle cx=\"12\" cy=\"12\" r=\"8\" fill=\"red\"/></svg>";
    }
    QWidget w;
    QMenu m;
    ui::Toolbar leiste(&w, QString::fromStdString(dir.path().string()));
    QAction* a = m.addAction("Punkt");
    leiste.Knopf(a, "Punkt", "punkt.png");
    EXPECT_TRUE(leiste.HatBild(a));
}

}  // namespace
