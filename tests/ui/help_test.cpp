// Direct help: the help box placement and the filter that swallows clicks.
#include "ui/help.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

#include "support/scripted_dialogs.h"
#include "ui/registry.h"

namespace {

TEST(HilfeboxPosition, DieVierViertel) {
    const QSize haupt(800, 600), box(100, 40);
    EXPECT_EQ(ui::HilfeboxPosition({100, 100}, haupt, box), QPoint(100, 100));
    EXPECT_EQ(ui::HilfeboxPosition({700, 100}, haupt, box), QPoint(600, 100));
    EXPECT_EQ(ui::HilfeboxPosition({100, 500}, haupt, box), QPoint(100, 460));
    EXPECT_EQ(ui::HilfeboxPosition({700, 500}, haupt, box), QPoint(600, 460));
    // Exactly in the middle counts as the upper left quarter.
    EXPECT_EQ(ui::HilfeboxPosition({400, 300}, haupt, box), QPoint(400, 300));
}

TEST(HilfeboxGroesse, TextPlusRand) {
    const QSize eine = ui::HilfeboxGroesse("x");
    const QSize zwei = ui::HilfeboxGroesse("x\nx");
    EXPECT_GT(zwei.height(), eine.height());
    EXPECT_GT(ui::HilfeboxGroesse("xxxxxxxxxxxxxxxx").width(), eine.width());
    EXPECT_GE(eine.width(), 10);
}

class Direkthilfe : public ::testing::Test {
  protected:
    void SetUp() override {
        fenster.setObjectName("TESTPNL");
        auto* lay = new QVBoxLayout(&fenster);
        knopf = new QPushButton("Tu was", &fenster);
        ui::HilfetextSetzen(knopf, "Hilfe zum Knopf");
        stumm = new QPushButton("Ohne", &fenster);
        schalter = new QToolButton(&fenster);
        schalter->setCheckable(true);
        ui::AlsHilfeschalterMarkieren(schalter);
        lay->addWidget(knopf);
        lay->addWidget(stumm);
        lay->addWidget(schalter);
        QObject::connect(knopf, &QPushButton::clicked, [this] { ++geklickt; });
        QObject::connect(stumm, &QPushButton::clicked, [this] { ++geklickt; });
        QObject::connect(schalter, &QToolButton::clicked,
                         [](bool an) { ui::DirekthilfeSetzen(an); });
        fenster.show();
        ui::registry().Eintrag(ui::Fenster::Haupt).panel = &fenster;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&fenster));
    }
    void TearDown() override {
        if (ui::gHilfeAktiv)
            ui::DirekthilfeSetzen(false);
        ui::registry().Leeren();
    }

    testsupport::DialogScope dialoge;
    QWidget fenster;
    QPushButton* knopf = nullptr;
    QPushButton* stumm = nullptr;
    QToolButton* schalter = nullptr;
    int geklickt = 0;
};

TEST_F(Direkthilfe, EinschaltenZeigtDenHinweis) {
    QTest::mouseClick(schalter, Qt::LeftButton);
    EXPECT_EQ(ui::gHilfeAktiv, 1);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, QString(ui::kHilfeEingeschaltet));
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WhatsThisCursor);
    QTest::mouseClick(schalter, Qt::LeftButton);
    EXPECT_EQ(ui::gHilfeAktiv, 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(dialoge->Alle("Hilfe").size(), 1u);
}

TEST_F(Direkthilfe, KlickZeigtDenTextUndLoestNichtsAus) {
    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    QTest::mouseClick(knopf, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(geklickt, 0);
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "Hilfe zum Knopf");

    QTest::mouseClick(stumm, Qt::LeftButton);  // no text: nothing at all
    QTest::keyClick(knopf, Qt::Key_Space);     // keys do not commit either
    QCoreApplication::processEvents();
    EXPECT_EQ(geklickt, 0);
    EXPECT_EQ(dialoge->Alle("Hilfe").size(), 1u);
}

TEST_F(Direkthilfe, OhneHilfeWirktDerKlick) {
    QTest::mouseClick(knopf, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(geklickt, 1);
    EXPECT_TRUE(dialoge->protokoll.empty());
}

TEST_F(Direkthilfe, MenueeintragZeigtSeinenTextUndWirdNichtAusgefuehrt) {
    QMenu menue(&fenster);
    QAction* eintrag = menue.addAction("Neu");
    ui::HilfetextSetzen(eintrag, "Hilfe zum Eintrag");
    QAction* umschalten = menue.addAction("Direkthilfe");
    ui::AlsHilfeschalterMarkieren(umschalten);
    int ausgefuehrt = 0;
    QObject::connect(eintrag, &QAction::triggered, [&] { ++ausgefuehrt; });
    QObject::connect(umschalten, &QAction::triggered, [] { ui::DirekthilfeSetzen(false); });

    ui::DirekthilfeSetzen(true);
    dialoge->protokoll.clear();
    menue.popup(fenster.mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menue));
    QTest::mouseClick(&menue, Qt::LeftButton, {}, menue.actionGeometry(eintrag).center());
    QCoreApplication::processEvents();
    EXPECT_EQ(ausgefuehrt, 0);
    EXPECT_FALSE(menue.isVisible());
    ASSERT_EQ(dialoge->Alle("Hilfe").size(), 1u);
    EXPECT_EQ(dialoge->Alle("Hilfe")[0].text, "Hilfe zum Eintrag");

    // The "Direkthilfe" item itself still works.
    menue.popup(fenster.mapToGlobal(QPoint(5, 5)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menue));
    QTest::mouseClick(&menue, Qt::LeftButton, {}, menue.actionGeometry(umschalten).center());
    EXPECT_EQ(ui::gHilfeAktiv, 0);
}

TEST_F(Direkthilfe, BeobachterFolgenDemZustand) {
    QToolButton anderer;
    anderer.setCheckable(true);
    ui::DirekthilfeBeobachten(&anderer, [&anderer](bool an) { anderer.setChecked(an); });
    ui::DirekthilfeSetzen(true);
    EXPECT_TRUE(anderer.isChecked());
    ui::DirekthilfeSetzen(false);
    EXPECT_FALSE(anderer.isChecked());
}

// While direct help is on a commit runs the put-back step instead of the
// callback; both get the signal's arguments where they take them.
TEST(CallbackVerbinden, ImHilfemodusStattDesCallbacksDasZuruecksetzen) {
    struct Fall {
        char hilfe;
        std::vector<bool> callback, zurueck;
    };
    for (const Fall& f : {Fall{0, {true}, {}}, Fall{1, {}, {true}}}) {
        QPushButton knopf;
        knopf.setCheckable(true);
        std::vector<bool> callback, zurueck;
        int ohneArgumente = 0;
        ui::CallbackVerbinden(
            &knopf, &QPushButton::clicked, &knopf, [&](bool an) { callback.push_back(an); },
            [&](bool an) { zurueck.push_back(an); });
        ui::CallbackVerbinden(&knopf, &QPushButton::clicked, &knopf, [&] { ++ohneArgumente; });
        ui::gHilfeAktiv = f.hilfe;
        knopf.click();
        ui::gHilfeAktiv = 0;
        EXPECT_EQ(callback, f.callback) << int{f.hilfe};
        EXPECT_EQ(zurueck, f.zurueck) << int{f.hilfe};
        EXPECT_EQ(ohneArgumente, f.hilfe ? 0 : 1);
    }
}

}  // namespace
