// The scroll bar in percent: thumb size and position set by the window, one
// report when the operator has finished moving it, none when the window sets it.
#include "ui/scrollbar.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace {

TEST(Rollbalken, GroesseUndPositionInProzent) {
    ui::Rollbalken r;
    r.Setzen(25, 40);
    EXPECT_EQ(r.Groesse(), 25);
    EXPECT_EQ(r.Position(), 40);
    // The thumb covers a quarter of the track: pageStep / (range + pageStep).
    const double anteil = double(r.pageStep()) / (r.maximum() - r.minimum() + r.pageStep());
    EXPECT_NEAR(anteil, 0.25, 0.005);
    r.Setzen(0, 150);
    EXPECT_EQ(r.Groesse(), 1);
    EXPECT_EQ(r.Position(), 100);
    r.Setzen(50, -3);
    EXPECT_EQ(r.Position(), 0);
}

TEST(Rollbalken, GanzeKurveSichtbarLaesstNichtsZuRollen) {
    ui::Rollbalken r;
    r.Setzen(100, 70);
    EXPECT_EQ(r.Position(), 0);
    EXPECT_EQ(r.maximum(), 0);
}

TEST(Rollbalken, SetzenMeldetNichtsBedienenMeldetEinmal) {
    ui::Rollbalken r;
    r.resize(300, 20);
    r.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&r));
    QSignalSpy bewegt(&r, &ui::Rollbalken::bewegt);
    r.Setzen(20, 0);
    r.Setzen(20, 50);
    EXPECT_EQ(bewegt.size(), 0);
    // A page step to the right, as a click on the track does.
    r.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(bewegt.size(), 1);
    EXPECT_GT(r.Position(), 50);
}

TEST(Rollbalken, ZiehenMeldetErstBeimLoslassen) {
    ui::Rollbalken r;
    r.Setzen(20, 0);
    QSignalSpy bewegt(&r, &ui::Rollbalken::bewegt);
    r.setSliderDown(true);
    r.setSliderPosition(r.maximum() / 2);
    EXPECT_EQ(bewegt.size(), 0);
    r.setSliderDown(false);
    ASSERT_EQ(bewegt.size(), 1);
    EXPECT_EQ(r.Position(), 50);
}

}  // namespace
