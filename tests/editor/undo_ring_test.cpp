#include "editor/undo_ring.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "punkt.h"

namespace editor {
namespace {

using test::Punkt;
using Stand = std::vector<Punkt>;

class UndoRingTest : public ::testing::Test {
  protected:
    UndoRing<Punkt> Ring() { return UndoRing<Punkt>(ring_, undo_, redo_, position_); }
    // Edit n: the state before it is saved, then the points become {n}.
    void Bearbeiten(int n) {
        ASSERT_TRUE(Ring().Sichern(stand_));
        stand_ = {Punkt(n, 1)};
    }
    void TearDown() override { Punkt::kopieScheitert = false; }

    std::array<Geradenliste<Punkt>, kUndoSchritte> ring_;
    int undo_ = 0;
    int redo_ = 0;
    int position_ = 0;
    Stand stand_{Punkt(0, 1)};
};

TEST_F(UndoRingTest, ZehnSchritteUeberDenUmlaufZurueckUndVor) {
    for (int n = 1; n <= 12; ++n)
        Bearbeiten(n);
    EXPECT_EQ(undo_, kUndoSchritte);
    EXPECT_EQ(position_, 12 % kUndoSchritte);  // wrapped past slot 9
    EXPECT_EQ(ring_[1].anzahl, 1);
    for (int n = 11; n >= 2; --n) {
        ASSERT_TRUE(Ring().RueckgaengigMoeglich()) << n;
        ASSERT_TRUE(Ring().Rueckgaengig(stand_));
        EXPECT_EQ(stand_, Stand{Punkt(n, 1)});
    }
    // Edits 1 and 2 were overwritten by the eleventh and twelfth.
    EXPECT_FALSE(Ring().RueckgaengigMoeglich());
    EXPECT_FALSE(Ring().Rueckgaengig(stand_));
    EXPECT_EQ(stand_, Stand{Punkt(2, 1)});
    EXPECT_EQ(redo_, kUndoSchritte);
    for (int n = 3; n <= 12; ++n) {
        ASSERT_TRUE(Ring().Wiederherstellen(stand_));
        EXPECT_EQ(stand_, Stand{Punkt(n, 1)});
    }
    EXPECT_FALSE(Ring().WiederherstellenMoeglich());
    EXPECT_FALSE(Ring().Wiederherstellen(stand_));
    EXPECT_EQ(undo_, kUndoSchritte);
}

TEST_F(UndoRingTest, NeuerSchrittVerwirftWiederherstellen) {
    Bearbeiten(1);
    Bearbeiten(2);
    Ring().Rueckgaengig(stand_);
    Ring().Rueckgaengig(stand_);
    EXPECT_TRUE(Ring().WiederherstellenMoeglich());
    Bearbeiten(3);
    EXPECT_FALSE(Ring().WiederherstellenMoeglich());
    EXPECT_EQ(undo_, 1);
    ASSERT_TRUE(Ring().Rueckgaengig(stand_));
    EXPECT_EQ(stand_, Stand{Punkt(0, 1)});
}

TEST_F(UndoRingTest, KopieOhneSpeicherZaehltNichtUndLaesstDenAeltestenSchritt) {
    for (int n = 1; n <= 10; ++n)
        Bearbeiten(n);
    const Geradenliste<Punkt> aeltester = ring_[static_cast<std::size_t>(position_)];
    Punkt::kopieScheitert = true;
    EXPECT_FALSE(Ring().Sichern(stand_));
    Punkt::kopieScheitert = false;
    EXPECT_EQ(undo_, kUndoSchritte);
    EXPECT_EQ(position_, 0);
    EXPECT_EQ(ring_[0], aeltester);
}

}  // namespace
}  // namespace editor
