#include "storage/safe_save.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <sys/fsuid.h>

#include <csignal>
#endif

#include <chrono>
#include <string>
#include <vector>

#include "support/platform.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using storage::Speicherergebnis;
using testsupport::Lesen;
using testsupport::Schreiben;

TEST(SicherSchreiben, ErsetztDasZielUndLaesstKeinenRestZurueck) {
    testsupport::TempDir dir;
    Schreiben(dir / "a.txt", "alt");
    ASSERT_EQ(storage::SicherSchreiben(dir / "a.txt", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "a.txt"), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

TEST(SicherSchreiben, NimmtDenErstenFreienTemporaernamen) {
    testsupport::TempDir dir;
    Schreiben(dir / "ini$$0.TMP", "fremd");
    ASSERT_EQ(storage::SicherSchreiben(dir / "x.ini", "inhalt", {"ini$$", ".TMP"}),
              Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "ini$$0.TMP"), "fremd");  // someone else's file stays untouched
    EXPECT_FALSE(fs::exists(dir / "ini$$1.TMP"));   // ours was renamed away
    EXPECT_EQ(Lesen(dir / "x.ini"), "inhalt");
}

TEST(SicherSchreiben, AlleTemporaernamenBelegt) {
    testsupport::TempDir dir;
    for (int n = 0; n < 1000; ++n) {
        // Appended: GCC 12 warns (-Wrestrict) on the insert at the front of "t" + ...
        Schreiben(dir / std::string("t").append(std::to_string(n)).append(".TMP"), "");
    }
    Schreiben(dir / "z", "alt");
    EXPECT_EQ(storage::SicherSchreiben(dir / "z", "neu", {"t", ".TMP"}),
              Speicherergebnis::KeinTemporaername);
    EXPECT_EQ(Lesen(dir / "z"), "alt");
}

TEST(SicherSchreiben, FehlenderOrdner) {
    testsupport::TempDir dir;
    EXPECT_EQ(storage::SicherSchreiben(dir / "fehlt" / "a.txt", "neu"),
              Speicherergebnis::NichtSchreibbar);
    EXPECT_FALSE(fs::exists(dir / "fehlt"));
}

TEST(SicherSchreiben, EinLangerNameKuerztNurDenTemporaeren) {
    testsupport::TempDir dir;
    const std::string name = std::string(246, 'k') + ".skr";
    Schreiben(dir / name, "alt");
    ASSERT_EQ(storage::SicherSchreiben(dir / name, "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / name), "neu");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1);
}

struct Rest {
    const char* name;
    int alterInMinuten;
    bool bleibt;
};

class AlteTemporaere : public ::testing::TestWithParam<Rest> {};

TEST_P(AlteTemporaere, NurEigeneAlteWerdenEntfernt) {
    testsupport::TempDir dir;
    const fs::path rest = dir / GetParam().name;
    Schreiben(rest, "halb");
    fs::last_write_time(
        rest, fs::file_time_type::clock::now() - std::chrono::minutes(GetParam().alterInMinuten));
    ASSERT_EQ(storage::SicherSchreiben(dir / "k.skr", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(fs::exists(rest), GetParam().bleibt);
    EXPECT_EQ(Lesen(dir / "k.skr"), "neu");
}

INSTANTIATE_TEST_SUITE_P(
    Reste, AlteTemporaere,
    ::testing::Values(Rest{"k.skr$0a1b2c3d4e.TMP", 61, false},    // a killed save of ours
                      Rest{"k.skr$0a1b2c3d4e.TMP", 59, true},     // a save still running
                      Rest{"x.skr$0a1b2c3d4e.TMP", 600, true},    // another target's
                      Rest{"k.skr$0a1b2c3d4.TMP", 600, true},     // not our pattern
                      Rest{"k.skr$0A1B2C3D4E.TMP", 600, true},    // not our pattern
                      Rest{"k.skr$0a1b2c3d4e.tmp", 600, true}));  // not our pattern

TEST(SicherSchreiben, ZielIstEinOrdner) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "ordner");
    EXPECT_EQ(storage::SicherSchreiben(dir / "ordner", "x"), Speicherergebnis::NichtSchreibbar);
    EXPECT_TRUE(fs::is_directory(dir / "ordner"));
}

}  // namespace

MUX6_NUR_POSIX(SicherSchreibenLinksUndGeraete, "symbolic links, file modes, FIFOs, /dev/full")
#ifndef _WIN32
namespace links_und_geraete {

namespace fs = std::filesystem;
using storage::Speicherergebnis;
using testsupport::Lesen;
using testsupport::Schreiben;

std::size_t Eintraege(const fs::path& ordner) {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(ordner), fs::directory_iterator{}));
}

TEST(SicherSchreiben, SpeichertDurchEinenLinkInDieDateiDahinter) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "echt");
    Schreiben(dir / "echt" / "k.skr", "alt");
    fs::create_symlink("echt/k.skr", dir / "link.skr");
    ASSERT_EQ(storage::SicherSchreiben(dir / "link.skr", "neu"), Speicherergebnis::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.skr"));
    EXPECT_EQ(Lesen(dir / "echt" / "k.skr"), "neu");
    EXPECT_EQ(Eintraege(dir / "echt"), 1u);  // the temporary sat beside the real file
}

TEST(SicherSchreiben, EinVerwaisterLinkLegtSeinZielAn) {
    testsupport::TempDir dir;
    fs::create_symlink("neu.skr", dir / "link.skr");
    ASSERT_EQ(storage::SicherSchreiben(dir / "link.skr", "x"), Speicherergebnis::Ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.skr"));
    EXPECT_EQ(Lesen(dir / "neu.skr"), "x");
}

TEST(SicherSchreiben, EineLinkschleifeIstNichtSchreibbar) {
    testsupport::TempDir dir;
    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    EXPECT_EQ(storage::SicherSchreiben(dir / "a", "x"), Speicherergebnis::NichtSchreibbar);
}

TEST(SicherSchreiben, BehaeltDieRechteDerDatei) {
    testsupport::TempDir dir;
    Schreiben(dir / "geheim.sko", "alt");
    const auto rechte = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(dir / "geheim.sko", rechte);
    ASSERT_EQ(storage::SicherSchreiben(dir / "geheim.sko", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(fs::status(dir / "geheim.sko").permissions(), rechte);
}

TEST(SicherSchreiben, SchreibtInEinenFifoOhneIhnZuErsetzen) {
    testsupport::TempDir dir;
    const fs::path fifo = dir / "rohr";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int leser = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leser, 0);
    ASSERT_EQ(storage::SicherSchreiben(fifo, "durchgereicht"), Speicherergebnis::Ok);
    char puffer[64] = {};
    const ssize_t n = ::read(leser, puffer, sizeof puffer);
    ::close(leser);
    EXPECT_EQ(std::string(puffer, n > 0 ? static_cast<std::size_t>(n) : 0), "durchgereicht");
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

TEST(SicherSchreiben, EinFifoOhneLeserHaeltNichtAuf) {
    testsupport::TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "rohr").c_str(), 0600), 0);
    EXPECT_EQ(storage::SicherSchreiben(dir / "rohr", "x"), Speicherergebnis::NichtSchreibbar);
}

TEST(SicherSchreiben, EinVollesGeraetBleibtGeraet) {
    if (!fs::is_character_file("/dev/full"))
        GTEST_SKIP() << "no /dev/full here";
    EXPECT_EQ(storage::SicherSchreiben("/dev/full", "x"), Speicherergebnis::SchreibFehler);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST(SicherSchreiben, InEinenOrdnerWirdNichtsGeschrieben) {
    testsupport::TempDir dir;
    fs::create_directory(dir / "k.skr");
    EXPECT_EQ(storage::SicherSchreiben(dir / "k.skr", "x"), Speicherergebnis::NichtSchreibbar);
    EXPECT_EQ(Eintraege(dir / "k.skr"), 0u);
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

TEST(SicherSchreiben, TausendAlteTemporaerdateienHaltenNichtAuf) {
    testsupport::TempDir dir;
    Schreiben(dir / "k.skr", "alt");
    for (int n = 0; n < 1000; ++n)
        Schreiben(dir / ("k.skr$" + std::to_string(n) + ".TMP"), "");
    ASSERT_EQ(storage::SicherSchreiben(dir / "k.skr", "neu"), Speicherergebnis::Ok);
    EXPECT_EQ(Lesen(dir / "k.skr"), "neu");
    EXPECT_EQ(Eintraege(dir.path()), 1001u);
}

TEST(SicherSchreiben, EinMisslungenesSpeichernRaeumtAuf) {
    testsupport::TempDir dir;
    Schreiben(dir / "k.skr", "alt");
    // A file size limit makes the temporary's writing fail part way.
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ::getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit eng = vorher;
    eng.rlim_cur = 4;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &eng), 0);
    const Speicherergebnis r = storage::SicherSchreiben(dir / "k.skr", "viel zu lang");
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    EXPECT_EQ(r, Speicherergebnis::SchreibFehler);
    EXPECT_EQ(Lesen(dir / "k.skr"), "alt");
    EXPECT_EQ(Eintraege(dir.path()), 1u);
}

struct AnOrt {
    const char* alt;
    const char* neu;
    rlim_t groessenGrenze;
    Speicherergebnis ergebnis;
    const char* danach;
};

class InEinemGeschuetztenOrdner : public ::testing::TestWithParam<AnOrt> {};

// A writable file in a folder that takes no new names is written in place; a
// file size limit stands in for a full disk.
TEST_P(InEinemGeschuetztenOrdner, WirdAnOrtGeschrieben) {
    const AnOrt& fall = GetParam();
    testsupport::TempDir dir;
    const fs::path ordner = dir / "nur-lesen";
    fs::create_directory(ordner);
    Schreiben(ordner / "k.sko", fall.alt);
    fs::permissions(
        ordner / "k.sko",
        fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
    fs::permissions(ordner, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read |
                                fs::perms::others_exec);
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit vorher{};
    ::getrlimit(RLIMIT_FSIZE, &vorher);
    rlimit eng = vorher;
    eng.rlim_cur = fall.groessenGrenze;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &eng), 0);
    // The super-user's file access ignores the folder's mode; a plain user's does not.
    const int frueher = ::setfsuid(65534);
    const Speicherergebnis r = storage::SicherSchreiben(ordner / "k.sko", fall.neu);
    ::setfsuid(static_cast<uid_t>(frueher));
    ::setrlimit(RLIMIT_FSIZE, &vorher);
    EXPECT_EQ(r, fall.ergebnis);
    EXPECT_EQ(Lesen(ordner / "k.sko"), fall.danach);
    EXPECT_EQ(Eintraege(ordner), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, InEinemGeschuetztenOrdner,
    ::testing::Values(
        AnOrt{"alt", "neuer Inhalt", RLIM_INFINITY, Speicherergebnis::Ok, "neuer Inhalt"},
        AnOrt{"alter langer Inhalt", "neu", RLIM_INFINITY, Speicherergebnis::Ok, "neu"},
        AnOrt{"alt", "", RLIM_INFINITY, Speicherergebnis::Ok, ""},
        AnOrt{"alt", "viel zu lang", 4, Speicherergebnis::SchreibFehler, "alt"}));

}  // namespace links_und_geraete
#endif
