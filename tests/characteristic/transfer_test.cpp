// The slots on the simulated board: what goes over the line piece by piece,
// the mode bits, the slots' initialisation, the read-back with its checks,
// output 4, and every code without a port.

#include <gtest/gtest.h>

#include <algorithm>

#include "characteristic/transfer.h"
#include "characteristic/view.h"
#include "characteristic_fixture.h"
#include "curves_transfer/transfer_fixture.h"
#include "device/commands.h"

namespace characteristic::test {
namespace {

using curves::test::Bytes;
using curves::test::Schreibblock;

class Platz : public KennlinieTest {
  protected:
    static constexpr int kPort = 1;

    void SetUp() override {
        KennlinieTest::SetUp();
        device::PortTabelleLeeren();
        device::PortFabrikSetzen([l = leitung, r = rahmen](int) {
            return std::make_unique<curves::test::MitschreibenderPort>(l, r);
        });
        ASSERT_EQ(device::ORVKAP1_Open(kPort, 9600), 0);
    }
    void TearDown() override {
        device::PortTabelleLeeren();
        device::PortFabrikSetzen(nullptr);
        KennlinieTest::TearDown();
    }
    mux6sim::Platine& Board() { return leitung->Platinen().front(); }
    std::vector<Schreibblock> Bloecke() const {
        std::vector<Schreibblock> b;
        for (const std::string& r : *rahmen)
            if (const Schreibblock s = curves::test::BlockAusRahmen(r); s.start >= 0)
                b.push_back(s);
        return b;
    }
    long Rahmen(const std::string& befehl) const {
        return std::count_if(rahmen->begin(), rahmen->end(), [&](const std::string& r) {
            return r.compare(2, befehl.size(), befehl) == 0;
        });
    }
    Bytes Slot(int n, std::size_t laenge = kBlockGroesse) {
        const auto a = Board().speicher.begin() + Speicherplatzadresse(n);
        return Bytes(a, a + static_cast<long>(laenge));
    }
    Bytes Block(const Felder& f) {
        std::array<std::uint8_t, kBlockGroesse> b{};
        EXPECT_EQ(KennlinienblockBauen(f, b), 0);
        return Bytes(b.begin(), b.end());
    }

    std::shared_ptr<mux6sim::Leitung> leitung = std::make_shared<mux6sim::Leitung>();
    std::shared_ptr<std::vector<std::string>> rahmen = std::make_shared<std::vector<std::string>>();
};

TEST_F(Platz, VollerPlatzInSeitengrenzen) {
    struct Fall {
        int slot;
        std::size_t erstes;  // length of the first piece
        std::size_t letztes;
    };
    for (const Fall f : {Fall{1, 64, 32}, Fall{2, 32, 64}}) {
        Board().modus = 0x02;
        rahmen->clear();
        std::vector<int> prozent;
        const Uebertragung u = KennlinieSenden(kPort, '1', f.slot, Felder{0, 0.1},
                                               [&](int p) { prozent.push_back(p); });
        EXPECT_EQ(u.code, 0);
        EXPECT_TRUE(u.anzeigeLoeschen);
        EXPECT_EQ(u.anzeige, 0);
        const auto b = Bloecke();
        ASSERT_EQ(b.size(), 129u);
        EXPECT_EQ(b.front().start, Speicherplatzadresse(f.slot));
        EXPECT_EQ(static_cast<std::size_t>(b.front().laenge), f.erstes);
        EXPECT_EQ(static_cast<std::size_t>(b.back().laenge), f.letztes);
        EXPECT_EQ(Slot(f.slot), Block(Felder{0, 0.1}));
        EXPECT_EQ(Slot(f.slot)[1], 0x0F);  // the start characteristic's checksum 0xE10F
        EXPECT_EQ(rahmen->back().substr(2, 3), "M1S");
        EXPECT_EQ(Board().modus, 0x02);
        EXPECT_EQ(prozent.back(), 100);
    }
}

TEST_F(Platz, UngueltigerSpeicherBekommtErstSiebenKurzbloecke) {
    ASSERT_EQ(Board().modus, 0x04);
    Setze({{0, 4095, 0}, {4095, 1, 0}});
    const Uebertragung u = KennlinieSenden(kPort, '1', 3, Felder{5, 100});
    EXPECT_EQ(u.anzeige, 0);
    const auto k = Kurzblock();
    for (int n : {1, 2, 4, 5, 6, 7})
        EXPECT_EQ(Slot(n, kKurzblockGroesse), Bytes(k.begin(), k.end())) << n;
    EXPECT_EQ(Slot(3), Block(Felder{5, 100}));
    EXPECT_EQ(Rahmen("M1C"), 8);
    EXPECT_EQ(Rahmen("M1S"), 8);
    EXPECT_EQ(Board().modus, 0x02);
}

TEST_F(Platz, LesenDesKurzblocksUndDesVollenBlocks) {
    ASSERT_EQ(SpeicherplaetzeInitialisieren(kPort, '1'), 0);
    gKennliniendatei = "k.ske";
    gKennlAnsichtStart = 100;
    Uebertragung u = KennlinieLesen(kPort, '1', 6);
    EXPECT_EQ(u.code, 0);
    EXPECT_EQ(u.anzeige, 0);
    EXPECT_EQ(Punkte(), (std::vector<Gerade>{{205, 1, 0}}));
    EXPECT_EQ(u.begrenzung, 0.0);
    EXPECT_DOUBLE_EQ(*u.anstiegszeit, 104422.5);
    EXPECT_TRUE(gKennliniendatei.empty());
    EXPECT_EQ(gKennlAnsichtStart, 0);

    Setze({{0, 4095, 0}, {4095, 1, 0}});
    ASSERT_EQ(KennlinieSenden(kPort, '1', 7, Felder{5, 100}).anzeige, 0);
    KennlinienInit();
    u = KennlinieLesen(kPort, '1', 7);
    ASSERT_EQ(u.anzeige, 0);
    ASSERT_EQ(gKennlinie.anzahl, 4096);
    for (int k = 0; k < 4096; ++k)
        ASSERT_EQ(Punkte()[static_cast<std::size_t>(k)], (Gerade{k, 1, 0}));
    EXPECT_DOUBLE_EQ(*u.begrenzung, config::RohZuAnzeige(1, 2048));
    EXPECT_DOUBLE_EQ(*u.anstiegszeit, 102.375);
    EXPECT_FALSE(gKennlinieGeaendert);
}

TEST_F(Platz, FehlerBeimLesen) {
    ASSERT_EQ(SpeicherplaetzeInitialisieren(kPort, '1'), 0);
    // Slot 2 damaged, slot 3 with an output-2 value beyond 4095.
    Board().speicher[Speicherplatzadresse(2) + 32] ^= 1;
    auto k = Kurzblock();
    k[4] = 0x13;
    k[1] = static_cast<std::uint8_t>(k[1] + 0x13);
    std::copy(k.begin(), k.end(), Board().speicher.begin() + Speicherplatzadresse(3));
    int modus = 0;
    const int alle = device::ORVKAP1_ModusLesen(kPort, '&', modus);
    ASSERT_NE(alle, 0);
    struct Fall {
        char adresse;
        int slot;
        int code, anzeige;
        bool punkteNeu;
    };
    const Fall faelle[] = {
        {'1', 0, kLesenPlatzUngueltig, 0, false},
        {'1', 8, kLesenPlatzUngueltig, 0, false},
        {'&', 1, alle, 0, false},
        {'1', 2, 0, kPruefsummeFalsch, false},
        {'1', 3, 0, kAusgang2Fehlerhaft, true},
    };
    for (const Fall& f : faelle) {
        Setze({{1, 5, 0}, {2, 1, 0}});
        const Uebertragung u = KennlinieLesen(kPort, f.adresse, f.slot);
        EXPECT_EQ(u.code, f.code) << f.slot;
        EXPECT_EQ(u.anzeige, f.anzeige) << f.slot;
        EXPECT_FALSE(u.begrenzung.has_value());
        EXPECT_EQ(gKennlinie.anzahl == 1, f.punkteNeu) << f.slot;
    }
    Board().modus = 0x06;
    EXPECT_EQ(KennlinieLesen(kPort, '1', 1).anzeige, kKeineKennlinien);
    std::array<std::uint8_t, 64> ziel{};
    EXPECT_EQ(KennlinienblockLesen(kPort, '1', 0, ziel), kSpeicherUngueltig);
}

TEST_F(Platz, NichtsGesendetBeiFalschemPlatzOderZuLangerKennlinie) {
    EXPECT_EQ(KennlinieSenden(kPort, '1', 8, Felder{}).code, kSendenPlatzUngueltig);
    Setze({{0, 4095, 0}, {9, 2, 0}});
    const Uebertragung u = KennlinieSenden(kPort, '1', 1, Felder{});
    EXPECT_EQ(u.code, kZuVieleWerte);
    EXPECT_FALSE(u.anzeigeLoeschen);
    EXPECT_TRUE(rahmen->empty());
}

TEST_F(Platz, AbgebrochenesSendenInDerAnzeige) {
    Board().modus = 0x02;
    leitung->StoerungSetzen(curves::test::Plan(mux6sim::Stoerung::Nak, {5}));
    const Uebertragung u = KennlinieSenden(kPort, '1', 1, Felder{});
    EXPECT_LT(u.anzeige, 0);
    EXPECT_EQ(u.code, 0);
    EXPECT_EQ(Bloecke().size(), 4u);
}

TEST_F(Platz, Ausgang4UndOhnePort) {
    EXPECT_EQ(Ausgang4Setzen(kPort, '1', 3).anzeige, 0);
    EXPECT_DOUBLE_EQ(Board().ausgaenge[3], 3.0);
    EXPECT_EQ(Ausgang4Setzen(kPort, '1', 9).anzeige, kAusgang4PlatzUngueltig);
    std::array<std::uint8_t, 64> puffer{};
    bool gueltig = true;
    const std::pair<int, int> ohnePort[] = {
        {KennlinieSenden(-1, '1', 1, Felder{}).anzeige, kGueltigOhnePort},
        {KennlinieLesen(-1, '1', 1).code, kGueltigOhnePort},
        {Ausgang4Setzen(-1, '1', 1).anzeige, kAusgang4OhnePort},
        {SpeicherplaetzeInitialisieren(-1, '1'), kInitOhnePort},
        {KennlinienblockSchreiben(-1, '1', puffer, 0), kSchreibenOhnePort},
        {KennlinienblockLesen(-1, '1', 0, puffer), kLesenOhnePort},
        {KennlinienspeicherGueltig(-1, '1', gueltig), kGueltigOhnePort},
    };
    for (auto [ist, soll] : ohnePort)
        EXPECT_EQ(ist, soll);
    EXPECT_EQ(KennlinienblockDecodieren({}).code, kPruefsummeFalsch);
    EXPECT_EQ(KennlinienblockDecodieren(Bytes(100, 0)).code, kPruefsummeFalsch);
}

}  // namespace
}  // namespace characteristic::test
