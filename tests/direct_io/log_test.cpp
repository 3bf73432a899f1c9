// The measurement log on its own: blocks appended, the file dialog's outcomes,
// every write that can fail, the day of date and time, Windows-1252 and CR LF,
// and numbers in a German locale.

#include <cstdio>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <functional>
#endif

#include "direct_io_fixture.h"
#include "support/platform.h"

namespace direct_io::test {
namespace {

using Protokoll = DirektTest;

TEST_F(Protokoll, ZweiBloeckeInEinerDatei) {
    testsupport::Schreiben(dir / "log.txt", "alt\r\n");
    std::string nachEinem;
    for (int block = 0; block < 2; ++block) {
        Starten();
        ASSERT_EQ(AbtastZyklus(kPort, kAdresse).code, 0);
        EXPECT_EQ(ProtokollText(kTextBeendet), 0);
        AbfrageStoppen();
        EXPECT_FALSE(ProtokollOffen());
        nachEinem = block == 0 ? Log() : nachEinem;
    }
    EXPECT_TRUE(nachEinem.starts_with("alt\r\n\r\n\r\nDatenerfassung gestartet\r\n"));
    EXPECT_TRUE(nachEinem.ends_with("\t-----\r\nDatenerfassung beendet\r\n"));
    EXPECT_EQ(Log(), nachEinem + nachEinem.substr(5));  // the same block once more
}

TEST_F(Protokoll, DateidialogAbgebrochenFehlgeschlagenOderAus) {
    const auto wahl = [](Dateiwahl::Ergebnis e) { return [e] { return Dateiwahl{e, {}}; }; };
    Starten();
    EXPECT_EQ(ProtokollOeffnen(true, wahl(Dateiwahl::Ergebnis::Fehler)), kFehlerDateidialog);
    EXPECT_TRUE(ProtokollOffen());  // the dialog failed before anything was closed
    EXPECT_EQ(ProtokollOeffnen(true, wahl(Dateiwahl::Ergebnis::Abgebrochen)), 0);
    EXPECT_FALSE(ProtokollOffen());
    EXPECT_EQ(ProtokollZeileSchreiben(), 0);
    const std::string kopf = Log();
    Starten();
    EXPECT_EQ(ProtokollOeffnen(false, {}), 0);
    EXPECT_FALSE(ProtokollOffen());
    EXPECT_EQ(ProtokollText(kTextBeendet), 0);
    EXPECT_EQ(Log(), kopf + kopf);
}

// Fails the n-th write (from 1), or only the flush to disk with n = 0.
class Stoerziel final : public Protokollziel {
  public:
    explicit Stoerziel(int n) : n_(n) {}
    bool Schreiben(std::string_view) override { return ++schreiben_ != n_; }
    bool Sichern() override { return n_ != 0; }

  private:
    int n_;
    int schreiben_ = 0;
};

TEST_F(Protokoll, JederFehlgeschlageneSchreibvorgangHatSeinenCode) {
    struct Fall {
        int n;
        int code;
    };
    for (const Fall& f :
         {Fall{1, kFehlerKopfStart}, Fall{2, kFehlerKopfEingang}, Fall{3, kFehlerKopfAusgang},
          Fall{4, kFehlerKopfSpalten}, Fall{0, kFehlerKopfSpalten}, Fall{5, kFehlerZeileZeit},
          Fall{6, kFehlerZeileEingang}, Fall{7, kFehlerZeileAusgang}}) {
        ProtokollfabrikSetzen([n = f.n](const auto&) { return std::make_unique<Stoerziel>(n); });
        int code = ProtokollOeffnen(true, Datei("x.txt"));
        if (code == 0) {
            code = AbtastZyklus(kPort, kAdresse).code;
        }
        EXPECT_EQ(code, f.code) << f.n;
        EXPECT_FALSE(ProtokollOffen()) << f.n;
    }
    ProtokollfabrikSetzen([](const auto&) { return std::make_unique<Stoerziel>(5); });
    ASSERT_EQ(ProtokollOeffnen(true, Datei("x.txt")), 0);
    EXPECT_EQ(ProtokollText(kTextBeendet), kFehlerText);
    EXPECT_TRUE(ProtokollOffen());  // a text that fails leaves the log open
}

TEST_F(Protokoll, DateiDieSichNichtSchreibenLaesst) {
    EXPECT_EQ(ProtokollOeffnen(true, Datei("")), kFehlerProtokollOeffnen);  // the folder itself
    EXPECT_EQ(ProtokollOeffnen(true, Datei("fehlt/log.txt")), kFehlerProtokollOeffnen);
    if (std::FILE* f = std::fopen("/dev/full", "a")) {
        std::fclose(f);
        const DateiWaehlen voll = [] {
            return Dateiwahl{Dateiwahl::Ergebnis::Gewaehlt, "/dev/full"};
        };
        EXPECT_EQ(ProtokollOeffnen(true, voll), kFehlerKopfStart);
        EXPECT_FALSE(ProtokollOffen());
    }
}

MUX6_NUR_POSIX(ProtokollFifo, "FIFOs")
#ifndef _WIN32
TEST_F(Protokoll, FifoOhneLeserHaeltDasFensterNichtAuf) {
    const std::string pfad = Datei("rohr")().pfad;
    ASSERT_EQ(::mkfifo(pfad.c_str(), 0600), 0);
    EXPECT_EQ(ProtokollOeffnen(true, Datei("rohr")), kFehlerProtokollOeffnen);
    EXPECT_FALSE(ProtokollOffen());
}
#endif

#ifndef _WIN32
// A log that is gone or replaced while it is open is a failed write, not a
// log that quietly vanishes; the new file in its place stays untouched.
TEST_F(Protokoll, VerschwundeneOderErsetzteDateiIstEinSchreibfehler) {
    const std::function<void()> faelle[] = {[&] { std::filesystem::remove(dir / "log.txt"); },
                                            [&] {
                                                std::filesystem::rename(dir / "log.txt",
                                                                        dir / "alt.txt");
                                                testsupport::Schreiben(dir / "log.txt", "neu");
                                            }};
    for (const auto& wegnehmen : faelle) {
        Starten();
        ASSERT_EQ(AbtastZyklus(kPort, kAdresse).code, 0);
        wegnehmen();
        EXPECT_EQ(AbtastZyklus(kPort, kAdresse).code, kFehlerZeileZeit);
        EXPECT_FALSE(ProtokollOffen());
        EXPECT_EQ(ProtokollText(kTextBeendet), 0);  // nothing open to write into
    }
    EXPECT_EQ(Log(), "neu");
}

// A full disk (here: the file size limit) cuts a line anywhere; the log keeps
// whole lines only, the error lines as far as they fit.
TEST_F(Protokoll, ZeileGanzOderGarNichtBeiVollerPlatte) {
    Starten();
    ASSERT_EQ(AbtastZyklus(kPort, kAdresse).code, 0);
    const std::string vorher = Log();
    const auto alt = std::signal(SIGXFSZ, SIG_IGN);
    rlimit grenze{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &grenze), 0);
    const rlimit knapp{static_cast<rlim_t>(vorher.size() + 45), grenze.rlim_max};
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &knapp), 0);
    const int code = AbtastZyklus(kPort, kAdresse).code;
    ::setrlimit(RLIMIT_FSIZE, &grenze);
    std::signal(SIGXFSZ, alt);
    EXPECT_EQ(code, kFehlerZeileAusgang);
    EXPECT_FALSE(ProtokollOffen());
    const std::string danach = Log();
    ASSERT_TRUE(danach.starts_with(vorher));
    EXPECT_TRUE(danach.ends_with("\r\n"));
    EXPECT_EQ(danach.find("24.01.2012", vorher.size()), std::string::npos);
    EXPECT_NE(danach.find("Fehler - Daten", vorher.size()), std::string::npos);
}
#endif

TEST_F(Protokoll, DatumUndUhrzeitVomSelbenTag) {
    // Midnight passes between the first date and the time of day.
    std::vector<Datum> tage = {{31, 12, 2011}, {1, 1, 2012}, {1, 1, 2012}, {1, 1, 2012}};
    std::vector<Uhrzeit> zeiten = {{0, 0, 0}, {0, 0, 1}};
    std::size_t t = 0, z = 0;
    UhrSetzen({[&] { return tage[std::min(t++, tage.size() - 1)]; },
               [&] { return zeiten[std::min(z++, zeiten.size() - 1)]; }});
    Starten();
    const Zyklus c = AbtastZyklus(kPort, kAdresse);
    EXPECT_TRUE(c.zeile.starts_with("01.01.2012\t00:00:01\t")) << c.zeile;
}

TEST_F(Protokoll, Windows1252UndDeutschesGebietsschema) {
    testsupport::LocaleScope de("de_DE.UTF-8");
    config::gKonfig.ineinheit[0] = "µA";
    config::gKonfig.outskalamax[1] = 12.5;
    Starten();
    ASSERT_EQ(AbtastZyklus(kPort, kAdresse).code, 0);
    const std::string log = Log();
    EXPECT_NE(log.find("Eingang1: 0.000..10.000 \xB5"
                       "A\r\n"),
              std::string::npos);
    EXPECT_NE(log.find("Eing1[\xB5"
                       "A]"),
              std::string::npos);
    EXPECT_NE(log.find("Ausgang2: 0.000..12.500 V\r\n"), std::string::npos);
    EXPECT_EQ(log.find(','), std::string::npos);
}

}  // namespace
}  // namespace direct_io::test
