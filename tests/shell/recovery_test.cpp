// The end by a signal: settings written, unsaved work kept as recovery copies,
// the next start names them once.
#include "shell/recovery.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>
#include <csignal>

#include "characteristic/files.h"
#include "characteristic/model.h"
#include "curves/files.h"
#include "curves/model.h"
#include "settings/settings_file.h"
#include "shell/end_signals.h"
#include "shell/program.h"
#include "support/process.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
constexpr const char* kKurvenKopie = "Kurven-Wiederherstellung.skr";
constexpr const char* kKennlinienKopie = "Kennlinie-Wiederherstellung.ske";

struct Aenderung {
    const char* name;
    bool kurven;
    bool kennlinie;
    int signal;
};

class Signalende : public ::testing::TestWithParam<Aenderung> {
  protected:
    static void SetUpTestSuite() {
        shell::EndsignaleAbfangen();
        shell::EndsignaleVerbinden([] { shell::ProgrammendeOhneFragen(); });
    }

    // One run of the program that `signal` ends once `aendern` has run in its loop.
    int LaufBisSignal(int signal, const std::function<void()>& aendern) {
        return shell::Programmablauf([&] {
            aendern();
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            QTimer::singleShot(20000, [] { QCoreApplication::exit(3); });
            return QCoreApplication::exec();
        });
    }

    testsupport::TempDir dir{true};
    testsupport::DialogScope dialoge;
};

TEST_P(Signalende, SichertUndNenntBeimNaechstenStartEinmal) {
    const Aenderung a = GetParam();
    std::vector<std::uint8_t> gespeichert;
    curves::Kurve geaendert;
    const int r = LaufBisSignal(a.signal, [&] {
        if (a.kurven) {
            curves::gKurven[0].geraden.push_back({.y = 2000, .laenge = 50, .zeitbasis = 3});
            curves::gKurven[0].anzahl = 2;
            curves::gKurven[0].kommentar = "nach dem Zeichnen";
            curves::gKurvenGeaendert = true;
            // What "Speichern" would write at this moment.
            gespeichert = curves::KurvendateiBild();
            geaendert = curves::gKurven[0];
        }
        if (a.kennlinie) {
            characteristic::gKennlinie.kommentar = "geändert";
            characteristic::gKennlinieGeaendert = true;
        }
    });
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(fs::exists(dir / settings::kIniDatei));
    EXPECT_TRUE(dialoge->Alle("Frage").empty()) << "no question at an end by a signal";
    EXPECT_EQ(fs::exists(dir / kKurvenKopie), a.kurven);
    EXPECT_EQ(fs::exists(dir / kKennlinienKopie), a.kennlinie);
    EXPECT_EQ(fs::exists(dir / shell::kWiederherstellungsliste), a.kurven || a.kennlinie);
    if (a.kurven) {
        const std::string kopie = testsupport::Lesen(dir / kKurvenKopie);
        EXPECT_TRUE(kopie == std::string(gespeichert.begin(), gespeichert.end()))
            << kopie.size() << " bytes, \"Speichern\": " << gespeichert.size();
        curves::KurvenInit();
        ASSERT_EQ(curves::KurvenLadenNach(dir / kKurvenKopie).code, 0);
        EXPECT_EQ(curves::gKurven[0].geraden, geaendert.geraden);
        EXPECT_EQ(curves::gKurven[0].kommentar, geaendert.kommentar);
    }
    if (a.kennlinie) {
        ASSERT_EQ(characteristic::KennlinieLadenNach(dir / kKennlinienKopie).code, 0);
        EXPECT_EQ(characteristic::gKennlinie.kommentar, "geändert");
    }

    // The next start names the copies in a "Warnung" box; the one after is quiet.
    dialoge->protokoll.clear();
    EXPECT_EQ(shell::Programmablauf([] { return 0; }), 0);
    const auto warnungen = dialoge->Alle("Meldung");
    ASSERT_EQ(warnungen.size(), a.kurven || a.kennlinie ? 1u : 0u);
    for (const auto& w : warnungen) {
        EXPECT_EQ(w.titel, "Warnung");
        EXPECT_EQ(w.text.contains(kKurvenKopie), a.kurven);
        EXPECT_EQ(w.text.contains(kKennlinienKopie), a.kennlinie);
        EXPECT_TRUE(w.text.contains("ohne die Änderungen zu speichern"));
    }
    dialoge->protokoll.clear();
    shell::Programmablauf([] { return 0; });
    EXPECT_TRUE(dialoge->Alle("Meldung").empty());
}

INSTANTIATE_TEST_SUITE_P(Aenderungen, Signalende,
                         ::testing::Values(Aenderung{"nichts_SIGTERM", false, false, SIGTERM},
                                           Aenderung{"Kurven_SIGINT", true, false, SIGINT},
                                           Aenderung{"Kennlinie_SIGHUP", false, true, SIGHUP},
                                           Aenderung{"beide_SIGTERM", true, true, SIGTERM}),
                         [](const auto& fall) { return std::string(fall.param.name); });

TEST(Kopiename, EineFruehereKopieWirdNieUeberschrieben) {
    const shell::Wiederherstellungsziel& ziel = shell::kWiederherstellungsziele[0];
    struct Fall {
        std::vector<std::string> vorhanden;
        std::string erwartet;
    };
    const Fall faelle[] = {
        {{}, "Kurven-Wiederherstellung.skr"},
        {{"Kurven-Wiederherstellung.skr"}, "Kurven-Wiederherstellung-2.skr"},
        {{"Kurven-Wiederherstellung.skr", "Kurven-Wiederherstellung-2.skr"},
         "Kurven-Wiederherstellung-3.skr"},
    };
    for (const Fall& f : faelle) {
        testsupport::TempDir dir;
        for (const std::string& n : f.vorhanden)
            testsupport::Schreiben(dir / n, "alt");
        EXPECT_EQ(shell::FreierKopiename(dir.path(), ziel), dir / f.erwartet);
    }
    testsupport::TempDir voll;
    for (int n = 1; n <= shell::kMaxKopiennummer; ++n)
        testsupport::Schreiben(
            voll / (ziel.name + (n > 1 ? "-" + std::to_string(n) : "") + ziel.endung), "alt");
    EXPECT_TRUE(shell::FreierKopiename(voll.path(), ziel).empty());
}

TEST(Kopienliste, NichtMehrVorhandeneKopienWerdenNichtGenannt) {
    testsupport::TempDir dir;
    testsupport::Schreiben(dir / "Kurven-Wiederherstellung.skr", "x");
    testsupport::Schreiben(dir / shell::kWiederherstellungsliste,
                           "Kurven-Wiederherstellung.skr\r\nKennlinie-Wiederherstellung.ske\r\n"
                           "fremd.txt\r\n");
    EXPECT_EQ(shell::WiederherstellungskopienLesen(dir.path()),
              (std::vector<std::string>{"Kurvengenerator: Kurven-Wiederherstellung.skr"}));
    shell::WiederherstellungslisteLoeschen(dir.path());
    EXPECT_TRUE(shell::WiederherstellungskopienLesen(dir.path()).empty());
}

TEST(Kopienliste, EinSignalWaehrendDerWarnungBehaeltSieFuerDenNaechstenStart) {
    testsupport::TempDir dir(true);
    testsupport::DialogScope dialoge;
    testsupport::Schreiben(dir / settings::kIniDatei, "[kurven]\r\ndarstellung = 3\r\n");
    testsupport::Schreiben(dir / "Kurven-Wiederherstellung.skr", "x");
    testsupport::Schreiben(dir / shell::kWiederherstellungsliste,
                           "Kurven-Wiederherstellung.skr\r\n");
    dialoge->waehrendDesDialogs = [](const testsupport::Gefragt& g) {
        if (g.titel == "Warnung")
            shell::ProgrammendeOhneFragen();  // as the signal's wake-up would
    };
    bool geschleift = false;
    EXPECT_EQ(shell::Programmablauf([&] { return geschleift = true; }), 0);
    EXPECT_FALSE(geschleift);
    EXPECT_EQ(dialoge->Alle("Meldung").size(), 1u);
    EXPECT_EQ(shell::WiederherstellungskopienLesen(dir.path()).size(), 1u);
}

// The real program, offscreen: SIGTERM while it runs, and while the box of a
// missing settings file is open at its first start.
TEST(Signalende, DasProgrammSchreibtSeineEinstellungsdatei) {
    for (bool mitDatei : {true, false}) {
        testsupport::TempDir dir(true);
        if (mitDatei)
            testsupport::Schreiben(dir / settings::kIniDatei, "[com]\r\nadresse = 38\r\n");
        const testsupport::Prozessergebnis e = testsupport::Ausfuehren(
            MUX6_PFAD, {}, std::chrono::seconds(60), std::chrono::milliseconds(1500));
        EXPECT_EQ(e.status, 0) << mitDatei << e.fehler;
        const std::string ini = testsupport::Lesen(dir / settings::kIniDatei);
        EXPECT_NE(ini.find("[konfig]\r\n"), std::string::npos) << mitDatei;
        EXPECT_EQ(ini.find("adresse = 38\r\n") != std::string::npos, mitDatei) << ini;
        EXPECT_FALSE(fs::exists(dir / shell::kWiederherstellungsliste));
    }
}

}  // namespace
