// Sampling at the fastest rate against the simulated board while faults of
// every kind strike at random (seeded): every cycle is either one data line
// of its block or ends the block with its three error lines.

#include <random>
#include <sstream>
#include <vector>

#include "direct_io_fixture.h"
#include "storage/cp1252.h"

namespace direct_io::test {
namespace {

using Dauerlauf = DirektTest;
using mux6sim::Stoerung;

std::vector<std::string> Zeilen(const std::string& text) {
    std::vector<std::string> z;
    std::istringstream in(text);
    for (std::string s; std::getline(in, s);) {
        z.push_back(s.substr(0, s.size() - 1));  // without its CR
    }
    return z;
}

TEST_F(Dauerlauf, JederZyklusProtokolliertOderMitFehlerzeilenBeendet) {
    constexpr int kZyklen = 600;
    constexpr Stoerung kArten[] = {Stoerung::Nak,        Stoerung::Can,
                                   Stoerung::Stille,     Stoerung::FalschesByte,
                                   Stoerung::KurzeZeile, Stoerung::LangeZeile};
    std::mt19937 zufall(13);
    // Per block: the data lines it must hold and the code that ended it (0: stopped).
    std::vector<std::pair<int, int>> bloecke;
    for (int zyklen = 0, block = 0; zyklen < kZyklen; ++block) {
        leitung->StoerungSetzen({});
        Board().ausgaenge = {zufall() % 10000 / 1000.0, 0, 10, 5};
        Starten();
        leitung->StoerungSetzen(
            Plan(kArten[block % 6], {}, 0.02, static_cast<std::uint32_t>(block)));
        bloecke.push_back({0, 0});
        for (int n = 0; n < 50 && zyklen < kZyklen; ++n, ++zyklen) {
            const Zyklus z = AbtastZyklus(kPort, kAdresse);
            if (z.code != 0) {
                bloecke.back().second = z.code;
                break;
            }
            ++bloecke.back().first;
        }
        if (bloecke.back().second == 0) {
            ProtokollText(kTextBeendet);
        }
        AbfrageStoppen();
    }
    ASSERT_GT(leitung->Gestoert(), 5);

    const std::vector<std::string> z = Zeilen(Log());
    std::size_t pos = 0;
    for (const auto& [daten, code] : bloecke) {
        ASSERT_LT(pos + 12, z.size());
        EXPECT_EQ(z[pos + 2], "Datenerfassung gestartet");
        pos += 12;  // two empty lines, the start, eight ranges, the column header
        for (int i = 0; i < daten; ++i, ++pos) {
            ASSERT_LT(pos, z.size());
            EXPECT_TRUE(z[pos].starts_with("24.01.2012\t14:05:09\t")) << pos;
        }
        if (code == 0) {
            EXPECT_EQ(z.at(pos++), "Datenerfassung beendet");
        } else {
            EXPECT_EQ(z.at(pos++),
                      storage::Utf8ZuCp1252Ersetzt("Fehler - Datenübertragung abgebrochen"));
            EXPECT_EQ(z.at(pos++), storage::Utf8ZuCp1252Ersetzt(errors::ORV_Fehlermeldung(code)));
        }
    }
    EXPECT_EQ(pos, z.size());
}

}  // namespace
}  // namespace direct_io::test
